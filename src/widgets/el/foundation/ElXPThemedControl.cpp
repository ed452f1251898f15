#include "widgets/el/foundation/ElXPThemedControl.h"

#include "widgets/el/foundation/ElPropertyTable.h"

#include "framework/Graphics.h"
#include "framework/ScopedGdi.h"
#include "framework/StrConv.h"

namespace {

void RegisterFontProperties(TElPropertyTable& Table)
{
    Table.AddString<TFont>("Name", [](TFont& f, const std::string& v) { f.SetName(AnsiToWide(v)); });
    Table.AddInteger<TFont>("Height", [](TFont& f, int32_t v) { f.SetHeight(v); });
    Table.AddInteger<TFont>("Size", [](TFont& f, int32_t v) { f.SetSize(v); });
    Table.AddColor<TFont>("Color", [](TFont& f, TColor v) { f.SetColor(v); });
    Table.AddInteger<TFont>("Charset", [](TFont& f, int32_t v) { f.SetCharset(static_cast<uint8_t>(v)); });
}

// Ordinals of the bevel enumerations as a boolean value can give them (0 or 1).
TBevelCut BevelCutOf(int Ordinal)
{
    return static_cast<TBevelCut>(Ordinal);
}

}  // namespace

void RegisterThemedControlProperties(TElPropertyTable& Table)
{
    Table.RegisterOnce<TFont>(RegisterFontProperties);
    using T = TElXPThemedControl;
    Table.AddColor<T>("Color", [](T& c, TColor v) { c.SetColor(v); });
    Table.AddBoolean<T>("ParentColor", [](T& c, bool v) { c.SetParentColor(v); });
    Table.AddObject<T>("Font", [](T& c) -> TObject* { return c.Font(); });
    Table.AddBoolean<T>("ParentFont", [](T& c, bool v) { c.SetParentFont(v); });
    Table.AddBoolean<T>("Enabled", [](T& c, bool v) { c.SetEnabled(v); });
    Table.AddBoolean<T>("Visible", [](T& c, bool v) { c.SetVisible(v); });
    Table.AddString<T>("Hint", [](T& c, const std::string& v) { c.Hint = AnsiToWide(v); });
    Table.AddBoolean<T>("ShowHint", [](T& c, bool v) { c.ShowHint = v; });
    Table.AddInteger<T>("Width", [](T& c, int32_t v) { c.SetWidth(v); });
    Table.AddInteger<T>("Height", [](T& c, int32_t v) { c.SetHeight(v); });
    Table.AddInteger<T>("Cursor", [](T& c, int32_t v) { c.SetCursor(static_cast<TCursor>(v)); });
    Table.AddBoolean<T>("TabStop", [](T& c, bool v) { c.TabStop = v; });
    Table.AddEnumeration<T>("BevelInner", [](T& c, int v) { c.SetBevelInner(BevelCutOf(v)); });
    Table.AddEnumeration<T>("BevelOuter", [](T& c, int v) { c.SetBevelOuter(BevelCutOf(v)); });
    Table.AddEnumeration<T>("BevelKind", [](T& c, int v) { c.SetBevelKind(static_cast<TBevelKind>(v)); });
    Table.AddInteger<T>("BevelWidth", [](T& c, int32_t v) { c.SetBevelWidth(v); });
    Table.AddInteger<T>("BorderWidth", [](T& c, int32_t v) { c.SetBorderWidth(v); });
    Table.AddBoolean<T>("Ctl3D", [](T& c, bool v) { c.SetCtl3D(v); });
    Table.AddBoolean<T>("UseXPThemes", [](T& c, bool v) { c.SetUseXPThemes(v); });
}

TElXPThemedControl::TElXPThemedControl(TComponent* AOwner)
    : TCustomControl(AOwner), styleLink_(std::make_unique<TElStyleMgrChangeLink>())
{
    ElPropertyTable().RegisterOnce<TElXPThemedControl>(RegisterThemedControlProperties);
    // The bracket stays open until the most derived constructor is done (FinishConstruction).
    BeginCreate();
    constructionPending_ = true;
    styleLink_->OnChange = [this](TObject*) { UpdateStyle(); };
}

TElXPThemedControl::~TElXPThemedControl()
{
    SetStyleManager(nullptr);
    styleLink_.reset();
    // The window goes with the base destructor, which no longer reaches this class's DestroyWnd.
    FreeThemeHandle();
}

void TElXPThemedControl::FinishConstruction()
{
    if (!constructionPending_)
        return;
    constructionPending_ = false;
    EndCreate();
}

void TElXPThemedControl::EndCreate()
{
    if (createCount_ > 0)
        --createCount_;
    if (createCount_ == 0 && !IsDesigning() && !styleManager_)
        SetStyleManager(GetDefaultStyleManager());
}

void TElXPThemedControl::AfterConstruction()
{
    FinishConstruction();
    TCustomControl::AfterConstruction();
}

void TElXPThemedControl::Loaded()
{
    TCustomControl::Loaded();
    if (constructionPending_)
        FinishConstruction();  // attaching the manager applies the style
    else
        UpdateStyle();
}

// ---- theme

void TElXPThemedControl::CreateThemeHandle()
{
    if (theme_)
        ElUxTheme().CloseThemeData(theme_);
    theme_ = ThemesAvailable() && HandleAllocated() ? ElUxTheme().OpenThemeData(Handle(), GetThemedClassName()) : nullptr;
}

void TElXPThemedControl::FreeThemeHandle()
{
    if (theme_)
        ElUxTheme().CloseThemeData(theme_);
    theme_ = nullptr;
}

void TElXPThemedControl::SetUseXPThemes(bool Value)
{
    if (Value == useXPThemes_)
        return;
    useXPThemes_ = Value;
    if (!ElUxTheme().Loaded() || !HandleAllocated() || IsDestroying())
        return;
    if (Value)
        CreateThemeHandle();
    else
        FreeThemeHandle();
    // The new look takes the frame and the client area; the window itself stays, so that
    // nothing holding it (hooks, scroll-bar controllers) loses it.
    if (IsShowing() && !IsLoading()) {
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
    }
}

void TElXPThemedControl::CreateWnd()
{
    FinishConstruction();
    TCustomControl::CreateWnd();
    if (useXPThemes_ && !IsThemeApplied())
        CreateThemeHandle();
}

void TElXPThemedControl::DestroyWnd()
{
    TCustomControl::DestroyWnd();
    if (theme_)
        FreeThemeHandle();
}

// ---- style manager

void TElXPThemedControl::SetStyleManager(TElStyleManager* Value)
{
    TElStyleManager* old = styleManager_.Get();
    if (Value == old)
        return;
    if (old)
        old->UnregisterChanges(styleLink_.get());
    styleManager_ = Value;
    if (Value && styleLink_)
        Value->RegisterChanges(styleLink_.get());
    UpdateStyle();
}

void TElXPThemedControl::SetStyleName(const std::string& Value)
{
    if (Value == styleName_)
        return;
    styleName_ = Value;
    UpdateStyle();
}

void TElXPThemedControl::UpdateStyle()
{
    TElStyleManager* manager = styleManager_.Get();
    if (!manager || IsLoading() || (ComponentState() & csReading) || IsDestroying())
        return;
    // Drawing goes off around the whole application and back on exactly when it was switched
    // off here, however ApplyStyle ends. (A window with drawing off reads as invisible, so the
    // window's own state is what decides, taken before switching.) Switching drawing on shows
    // the window again, so a control the style hid stays as it is: hidden.
    struct TRedrawOff {
        HWND Wnd = nullptr;
        TElXPThemedControl* Control = nullptr;
        ~TRedrawOff()
        {
            if (!Wnd || !IsWindow(Wnd) || !Control->Visible())
                return;
            SendMessageW(Wnd, WM_SETREDRAW, TRUE, 0);
            Control->Invalidate();
        }
    } redraw;
    if (HandleAllocated() && Visible() && IsWindowVisible(Handle())) {
        SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
        redraw.Wnd = Handle();
        redraw.Control = this;
    }
    manager->ApplyStyle(this, styleName_);
}

// ---- messages

void TElXPThemedControl::PaintThemedFrame()
{
    const HWND wnd = Handle();
    RECT window{}, client{};
    GetWindowRect(wnd, &window);
    GetClientRect(wnd, &client);
    MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);

    const TWindowDC windowDc(wnd, true);
    const HDC dc = windowDc.Handle();
    if (!dc)
        return;
    const TSavedDC saved(dc);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    RECT frame = client;
    InflateRect(&frame, BorderWidth(), BorderWidth());
    if (BevelKind() != TBevelKind::bkNone) {
        const int edge = BevelEdgeSize();
        const TBevelEdges edges = BevelEdges();
        if (edges & beLeft) frame.left -= edge;
        if (edges & beTop) frame.top -= edge;
        if (edges & beRight) frame.right += edge;
        if (edges & beBottom) frame.bottom += edge;
        const LONG style = GetWindowLongW(wnd, GWL_STYLE);
        if (style & WS_VSCROLL) frame.right += GetSystemMetrics(SM_CYVSCROLL);
        if (style & WS_HSCROLL) frame.bottom += GetSystemMetrics(SM_CXHSCROLL);
        auto cut = [](TBevelCut c, UINT lowered, UINT raised) -> UINT {
            return c == TBevelCut::bvLowered ? lowered : c == TBevelCut::bvRaised ? raised : 0;
        };
        const UINT edgeStyle =
            cut(BevelInner(), BDR_SUNKENINNER, BDR_RAISEDINNER) | cut(BevelOuter(), BDR_SUNKENOUTER, BDR_RAISEDOUTER);
        UINT flags = edges | BF_ADJUST | (Ctl3D() ? 0 : BF_MONO);
        if (BevelKind() == TBevelKind::bkSoft) flags |= BF_SOFT;
        if (BevelKind() == TBevelKind::bkFlat) flags |= BF_FLAT;
        RECT content = frame;
        if (ElUxTheme().DrawThemeEdge(theme_, dc, 0, 0, frame, edgeStyle, flags, &content))
            frame = content;
        else
            DrawEdge(dc, &frame, edgeStyle, flags);  // adjusts frame itself
    }
    // The band between the bevel and the client area.
    IntersectClipRect(dc, frame.left, frame.top, frame.right, frame.bottom);
    if (!ElUxTheme().DrawThemeBackground(theme_, dc, 0, 0, frame)) {
        const TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color())));
        FillRect(dc, &frame, brush.get());
    }
}

void TElXPThemedControl::RepaintScrollBars()
{
    const LONG style = GetWindowLongW(Handle(), GWL_STYLE);
    for (const auto& [flag, bar] : {std::pair{WS_HSCROLL, SB_HORZ}, std::pair{WS_VSCROLL, SB_VERT}}) {
        if (!(style & flag))
            continue;
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_POS;
        if (GetScrollInfo(Handle(), bar, &si))
            SetScrollInfo(Handle(), bar, &si, TRUE);
    }
}

void TElXPThemedControl::WndProc(TMessage& Message)
{
    if (IsDestroying() && Message.Msg != WM_NCDESTROY) {
        TCustomControl::WndProc(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_NCPAINT:
        if (IsThemeApplied() && HandleAllocated() && (BevelKind() != TBevelKind::bkNone || BorderWidth() > 0)) {
            PaintThemedFrame();
            // The system paints the window's own border and scroll bars.
            DefaultHandler(Message);
            return;
        }
        break;
    case WM_SETREDRAW:
        TCustomControl::WndProc(Message);
        if (Visible() && Message.WParam && HandleAllocated())
            RepaintScrollBars();
        return;
    case WM_THEMECHANGED:
        if (ElUxTheme().Loaded() && useXPThemes_ && HandleAllocated()) {
            FreeThemeHandle();
            CreateThemeHandle();
            SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        }
        Message.Result = 1;
        return;
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
        if (IgnoreStyleChanges) {
            Message.Result = 0;
            return;
        }
        break;
    case WM_NCDESTROY:
        TCustomControl::WndProc(Message);
        // The window went with its parent's: its theme goes with it.
        FreeThemeHandle();
        return;
    case EL_THEMEHANDLE:
        Message.Result = reinterpret_cast<intptr_t>(theme_);
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}
