// The edit's window messages: the standard edit messages answered from the core in UTF-16,
// focus and caret, scrolling, the wheel, the mouse with text drag and drop, the input method,
// and the context menu.
#include "widgets/el/editing/ElEdit.h"

#include "widgets/el/foundation/ElSBController.h"
#include "widgets/el/foundation/ElTools.h"

#include "framework/Application.h"
#include "framework/Ime.h"
#include "framework/WinText.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace Cmd = ElEditCommand;

namespace {

// A 16-bit half of a message result, as the system packs points and small indices.
LRESULT PackWords(int64_t Low, int64_t High)
{
    return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(Low), static_cast<WORD>(High)));
}

std::u16string MessageText(intptr_t LParam)
{
    return FromWide(reinterpret_cast<const wchar_t*>(LParam));
}

struct TMenuDeleter {
    void operator()(HMENU__* Menu) const { DestroyMenu(Menu); }
};

}  // namespace

TCursor TCustomElEdit::TEditDragObject::GetDragCursor(bool Accepted, int X, int Y)
{
    if (!Accepted)
        return TDragControlObject::GetDragCursor(Accepted, X, Y);
    return GetKeyState(VK_CONTROL) < 0 ? crMultiDrag : crDrag;
}

void TCustomElEdit::WndProc(TMessage& Message)
{
    if (IsDestroying() || !HandleAllocated()) {
        TElXPThemedControl::WndProc(Message);
        return;
    }
    if (HandleTextMessage(Message) || HandleEditMessage(Message))
        return;
    switch (Message.Msg) {
    case WM_NCPAINT:
        TElXPThemedControl::WndProc(Message);
        PaintFrame();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TElXPThemedControl::WndProc(Message);
        HandleFocus(Message.Msg == WM_SETFOCUS);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        focusingClick_ = !Focused();
        TElXPThemedControl::WndProc(Message);
        focusingClick_ = false;
        return;
    case WM_KEYDOWN:
        TElXPThemedControl::WndProc(Message);
        if (HandleAllocated() && Application && Application->KeyTranslationPending(Handle()))
            TranslateOwnKey(Message);
        return;
    case WM_CAPTURECHANGED:
        if (core_->MouseSelecting())
            core_->MouseUp(core_->CaretPoint());
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        mouseOver_ = Message.Msg == CM_MOUSEENTER;
        if (flat_ && !IsThemeApplied())
            Repaint(true);
        break;
    default:
        break;
    }
    TElXPThemedControl::WndProc(Message);
}

// ---- text and clipboard messages

bool TCustomElEdit::HandleTextMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETTEXT: {
        // UTF-16, never more than the caller's count (its terminating zero included).
        Message.Result = 0;
        auto* buffer = reinterpret_cast<wchar_t*>(Message.LParam);
        const auto capacity = static_cast<int64_t>(static_cast<uint32_t>(Message.WParam));
        if (!buffer || capacity <= 0 || core_->PasswordChar().size())
            return true;
        const std::u16string text = core_->Text();
        const int64_t count = std::min<int64_t>(static_cast<int64_t>(text.size()), capacity - 1);
        std::memcpy(buffer, text.data(), static_cast<size_t>(count) * sizeof(char16_t));
        buffer[count] = 0;
        Message.Result = static_cast<intptr_t>(count);
        return true;
    }
    case WM_GETTEXTLENGTH:
        Message.Result = core_->PasswordChar().empty() ? static_cast<intptr_t>(core_->TextLength()) : 0;
        return true;
    case WM_SETTEXT:
        core_->SetText(Message.LParam ? MessageText(Message.LParam) : std::u16string());
        Message.Result = TRUE;
        return true;
    case WM_CUT: ExecuteCommandEx(Cmd::Cut); return true;
    case WM_COPY: ExecuteCommandEx(Cmd::Copy); return true;
    case WM_PASTE: ExecuteCommandEx(Cmd::Paste); return true;
    case WM_CLEAR: ExecuteCommandEx(Cmd::DeleteSelection); return true;
    case WM_UNDO:
    case EM_UNDO:
        Message.Result = core_->CanUndo() && !ReadOnly();
        ExecuteCommandEx(Cmd::Undo);
        return true;
    case EM_CANUNDO:
        Message.Result = core_->CanUndo();
        return true;
    case EM_REPLACESEL:
        if (Message.LParam)
            core_->ReplaceSel(MessageText(Message.LParam), Message.WParam != 0);
        return true;
    case EM_GETLINE: {
        // The line's units, as many as the buffer's first word allows; no terminating zero.
        Message.Result = 0;
        auto* buffer = reinterpret_cast<wchar_t*>(Message.LParam);
        const auto line = static_cast<int32_t>(Message.WParam);
        if (!buffer || !core_->PasswordChar().empty() || line < 0 || line >= Lines().GetCount())
            return true;
        WORD capacity = 0;
        std::memcpy(&capacity, buffer, sizeof capacity);
        const std::u16string text = Lines().Get(line);
        const size_t count = std::min<size_t>(text.size(), capacity);
        std::memcpy(buffer, text.data(), count * sizeof(char16_t));
        Message.Result = static_cast<intptr_t>(count);
        return true;
    }
    case EM_LIMITTEXT: {
        const auto limit = static_cast<uint32_t>(Message.WParam);
        SetMaxLength(limit > 0x7FFFFFFE ? 0 : static_cast<int32_t>(limit));
        return true;
    }
    case EM_SETREADONLY:
        SetReadOnly(Message.WParam != 0);
        Message.Result = TRUE;
        return true;
    default:
        return false;
    }
}

// ---- selection, lines, scrolling, input

bool TCustomElEdit::HandleEditMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case EM_GETSEL: {
        int64_t start = 0, end = 0;
        core_->GetSel(start, end);
        if (Message.WParam)
            *reinterpret_cast<DWORD*>(Message.WParam) = static_cast<DWORD>(start);
        if (Message.LParam)
            *reinterpret_cast<DWORD*>(Message.LParam) = static_cast<DWORD>(end);
        Message.Result = start > 0xFFFF || end > 0xFFFF ? -1 : PackWords(start, end);
        return true;
    }
    case EM_SETSEL:
        core_->SetSel(static_cast<int32_t>(Message.WParam), static_cast<int32_t>(Message.LParam));
        return true;
    case EM_GETLINECOUNT:
        Message.Result = std::max<int32_t>(Lines().GetCount(), 1);
        return true;
    case EM_LINEINDEX:
        Message.Result = static_cast<intptr_t>(core_->LineIndex(static_cast<int32_t>(Message.WParam)));
        return true;
    case EM_LINEFROMCHAR:
        Message.Result = core_->LineFromChar(static_cast<int32_t>(Message.WParam));
        return true;
    case EM_POSFROMCHAR: {
        TPoint p;
        Message.Result = core_->PosFromChar(static_cast<int32_t>(Message.WParam), p) ? PackWords(p.X, p.Y) : -1;
        return true;
    }
    case EM_CHARFROMPOS: {
        const int64_t index = IndexAtPoint({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
        Message.Result = PackWords(std::min<int64_t>(index, 0xFFFF), std::min<int64_t>(core_->LineFromChar(index), 0xFFFF));
        return true;
    }
    case EM_GETFIRSTVISIBLELINE:
        Message.Result = core_->TopLine();
        return true;
    case EM_LINESCROLL:
        if (Message.WParam)
            core_->SetLeftChar(core_->LeftChar() + static_cast<int32_t>(Message.WParam));
        core_->SetTopLine(core_->TopLine() + static_cast<int32_t>(Message.LParam));
        Message.Result = TRUE;
        return true;
    case EM_SCROLL: {
        const auto code = static_cast<int32_t>(Message.WParam);
        if (code < SB_LINEUP || code > SB_PAGEDOWN) {
            Message.Result = FALSE;
            return true;
        }
        const int32_t before = core_->TopLine();
        core_->ScrollVert(code);
        Message.Result = PackWords(core_->TopLine() - before, TRUE);
        return true;
    }
    case EM_SCROLLCARET:
        if (core_->View().ScrollToCaret(core_->Caret())) {
            UpdateScrollBars();
            Repaint();
        }
        UpdateCaret();
        Message.Result = TRUE;
        return true;
    case EM_SETRECT:
    case EM_SETRECTNP:
        if (Message.LParam) {
            const RECT& r = *reinterpret_cast<const RECT*>(Message.LParam);
            core_->SetEditRect(TRect{r.left, r.top, r.right, r.bottom});
        }
        return true;
    case EM_GETRECT:
        if (Message.LParam) {
            const TRect r = core_->EditRect();
            *reinterpret_cast<RECT*>(Message.LParam) = RECT{r.Left, r.Top, r.Right, r.Bottom};
        }
        return true;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTCHARS;
        if (WantTabs())
            Message.Result |= DLGC_WANTTAB;
        if (HandleDialogKeys || (Multiline() && WantReturns()))
            Message.Result |= DLGC_WANTALLKEYS;
        return true;
    case WM_VSCROLL:
    case WM_HSCROLL:
        if (Message.LParam != 0)
            return false;  // a scroll-bar child's message, not the window's own bars
        HandleScroll(Message, Message.Msg == WM_VSCROLL);
        return true;
    case WM_UNICHAR:
        if (Message.WParam == UNICODE_NOCHAR) {
            Message.Result = TRUE;  // yes, this window takes WM_UNICHAR
            return true;
        }
        TypeCodePoint(static_cast<uint32_t>(Message.WParam));
        Message.Result = FALSE;
        return true;
    case WM_IME_STARTCOMPOSITION:
        StartComposition();
        return false;  // the default handling follows
    case WM_IME_COMPOSITION:
        return FinishComposition(Message);
    case WM_CONTEXTMENU:
        if (!UseSystemMenu)
            return false;
        ShowContextMenu(Message);
        return true;
    case WM_COMMAND:
        if (Message.LParam != 0 || HIWORD(Message.WParam) != 0)
            return false;
        switch (LOWORD(Message.WParam)) {
        case WM_UNDO: case WM_CUT: case WM_COPY: case WM_PASTE: case WM_CLEAR: case EM_SETSEL:
            RunMenuCommand(LOWORD(Message.WParam));
            return true;
        default:
            return false;
        }
    case WM_PRINTCLIENT:
        PaintWindow(reinterpret_cast<HDC>(Message.WParam));
        return true;
    default:
        return false;
    }
}

void TCustomElEdit::HandleScroll(TMessage& Message, bool Vertical)
{
    const int32_t code = LOWORD(Message.WParam);
    int32_t pos = HIWORD(Message.WParam);
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION)
        pos = ElScrollThumbPosition(Handle(), Vertical ? SB_VERT : SB_HORZ, Message.WParam);
    if (Vertical)
        core_->ScrollVert(code, pos);
    else
        core_->ScrollHorz(code, pos);
    Message.Result = 0;
}

void TCustomElEdit::TypeCodePoint(uint32_t CodePoint)
{
    if (CodePoint > 0x10FFFF || (CodePoint >= 0xD800 && CodePoint <= 0xDFFF))
        return;
    std::u16string text;
    if (CodePoint > 0xFFFF) {
        CodePoint -= 0x10000;
        text = {static_cast<char16_t>(0xD800 + (CodePoint >> 10)), static_cast<char16_t>(0xDC00 + (CodePoint & 0x3FF))};
    } else {
        text = std::u16string(1, static_cast<char16_t>(CodePoint));
    }
    core_->TypeText(text);
}

// ---- focus

void TCustomElEdit::HandleFocus(bool Gained)
{
    if (Gained) {
        CreateCaret();
        if (AutoSelect)
            core_->SetSel(0, -1);
    } else {
        caret_.reset();
        dragCaretShown_ = false;
        if (Dragging())
            EndDrag(false);
    }
    // The selection changes colour (or hides) and the border its look.
    Repaint(true);
}

// ---- mouse

void TCustomElEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TElXPThemedControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft || (focusingClick_ && AutoSelect))
        return;
    if (!AllowDrag && !(Shift & ssShift) && !(Shift & ssDouble))
        core_->ExecuteCommand(Cmd::ClearSelection, 0, {});  // no drag to arm: a press starts anew
    core_->MouseDown({X, Y}, Shift, (Shift & ssDouble) != 0);
}

void TCustomElEdit::MouseMove(TShiftState Shift, int X, int Y)
{
    TElXPThemedControl::MouseMove(Shift, X, Y);
    if (core_->MouseMove({X, Y}, GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG)) && AllowDrag)
        BeginDrag(true);  // returns when the text has been dropped or the drag cancelled
}

void TCustomElEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TElXPThemedControl::MouseUp(Button, Shift, X, Y);
    if (Button == TMouseButton::mbLeft)
        core_->MouseUp({X, Y});
}

bool TCustomElEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (TElXPThemedControl::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    if (!Multiline())
        return false;  // the parent scrolls
    UINT lines = 3;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
        lines = 3;
    core_->MouseWheel(WheelDelta, static_cast<int32_t>(lines));  // WHEEL_PAGESCROLL reads as a page
    return true;
}

// ---- text drag and drop

void TCustomElEdit::DoStartDrag(TDragObject*& DragObject)
{
    TElXPThemedControl::DoStartDrag(DragObject);
    if (DragObject)
        return;
    if (!dragObject_)
        dragObject_ = std::make_unique<TEditDragObject>(this);
    dragObject_->Dropped = dragObject_->Cancelling = false;
    DragObject = dragObject_.get();
}

void TCustomElEdit::DoEndDrag(TObject* Target, int X, int Y)
{
    TElXPThemedControl::DoEndDrag(Target, X, Y);
    dragCaretShown_ = false;
    UpdateCaret();
}

void TCustomElEdit::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    TElXPThemedControl::DragOver(Source, X, Y, State, Accept);
    auto* source = dynamic_cast<TCustomElEdit*>(Source);
    if (!source)
        return;
    Accept = AllowDrag && !ReadOnly();
    if (State == TDragState::dsDragLeave || !Accept) {
        dragCaretShown_ = false;
        UpdateCaret();
        return;
    }
    MoveDragCaret({X, Y});
}

void TCustomElEdit::MoveDragCaret(TPoint P)
{
    // Only a control with the focus has the caret; it shows where the text would go.
    if (!caret_)
        return;
    dragCaretShown_ = true;
    TPoint at;
    if (core_->PosFromChar(IndexAtPoint(P), at)) {
        caret_->SetPos(at);
        caret_->Show();
    }
}

void TCustomElEdit::DragDrop(TObject* Source, int X, int Y)
{
    TElXPThemedControl::DragDrop(Source, X, Y);
    dragCaretShown_ = false;
    auto* source = dynamic_cast<TCustomElEdit*>(Source);
    if (source && AllowDrag && !ReadOnly()) {
        const std::u16string text = source->core_->DragText();
        // A drag within the control moves the text, with Ctrl it copies; from another edit it
        // is always copied.
        const bool move = source == this && GetKeyState(VK_CONTROL) >= 0;
        if (!text.empty())
            core_->DropText(IndexAtPoint({X, Y}), text, move);
    }
    UpdateCaret();
}

// ---- input method

void TCustomElEdit::StartComposition()
{
    TImeContext context(Handle());
    if (!context.Available())
        return;
    LOGFONTW font{};
    if (GetObjectW(Font()->Handle(), sizeof font, &font))
        context.SetCompositionFont(font);
    const TRect r = core_->EditRect();
    context.SetCompositionWindow(TRect{r.Left + LeftMargin(), r.Top, r.Right - RightMargin(), r.Bottom},
                                 core_->CaretPoint());
}

bool TCustomElEdit::FinishComposition(TMessage& Message)
{
    std::optional<std::u16string> result = ImeResultString(Handle(), Message);
    if (!result)
        return false;  // still composing: the default handling shows it
    // Typed like keys (undo, MaxLength, CharCase, OnChange), and kept from the default
    // procedure, whose WM_IME_CHAR would type it a second time.
    if (!ReadOnly())
        core_->TypeText(*result);
    Message.Result = 0;
    return true;
}

// ---- context menu

void TCustomElEdit::ShowContextMenu(TMessage& Message)
{
    TPoint at{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    if (Message.LParam == -1) {
        // From the keyboard: at the caret.
        at = ClientToScreen(core_->CaretPoint());
    } else {
        const TPoint client = ScreenToClient(at);
        if (!ClientRect().Contains(client)) {
            TElXPThemedControl::WndProc(Message);  // over the border or a scroll bar
            return;
        }
    }
    const std::unique_ptr<HMENU__, TMenuDeleter> menu(CreatePopupMenu());
    if (!menu)
        return;
    const bool selected = core_->HasSelection();
    const bool masked = !PasswordChar().empty();
    const bool canPaste = IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
    auto add = [&](UINT Id, const char16_t* Caption, bool Enabled) {
        AppendMenuW(menu.get(), MF_STRING | (Enabled ? MF_ENABLED : MF_GRAYED), Id, WideChars(Caption));
    };
    add(WM_UNDO, SElUndo, CanUndo() && !ReadOnly());
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    add(WM_CUT, SElCut, selected && !masked && !ReadOnly());
    add(WM_COPY, SElCopy, selected && !masked);
    add(WM_PASTE, SElPaste, canPaste && !ReadOnly());
    add(WM_CLEAR, SElDelete, selected && !ReadOnly());
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    add(EM_SETSEL, SElSelectAll, core_->TextLength() > 0 && core_->SelLength() < core_->TextLength());
    const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY |
                       (RightAlignedView() ? TPM_RIGHTALIGN | TPM_LAYOUTRTL : TPM_LEFTALIGN);
    const auto chosen = static_cast<uint32_t>(TrackPopupMenu(menu.get(), flags, at.X, at.Y, 0, Handle(), nullptr));
    if (chosen)
        RunMenuCommand(chosen);
}

void TCustomElEdit::RunMenuCommand(uint32_t Id)
{
    switch (Id) {
    case WM_UNDO: ExecuteCommandEx(Cmd::Undo); break;
    case WM_CUT: ExecuteCommandEx(Cmd::Cut); break;
    case WM_COPY: ExecuteCommandEx(Cmd::Copy); break;
    case WM_PASTE: ExecuteCommandEx(Cmd::Paste); break;
    case WM_CLEAR: ExecuteCommandEx(Cmd::DeleteSelection); break;
    case EM_SETSEL: ExecuteCommandEx(Cmd::SelectAll); break;
    default: break;
    }
}
