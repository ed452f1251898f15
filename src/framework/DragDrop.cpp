// The drag loop, the drag members of TControl and the drag cursors.
#include "framework/DragDrop.h"

#include "framework/SyncQueue.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

// Learns when a control taking part in the drag is freed.
class TDragWatch : public TComponent {
public:
    TDragWatch() : TComponent(nullptr) {}
    std::function<void(TComponent* Gone)> OnGone;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == TOperation::opRemove && OnGone)
            OnGone(AComponent);
    }
};

struct TDragSession {
    enum class TEnd { None, Drop, Cancel };

    TControl* Source = nullptr;
    TDragObject* Object = nullptr;  // nil until the drag has started
    std::unique_ptr<TDragControlObject> OwnObject;
    TControl* Target = nullptr;
    bool Accepted = false;
    TPoint Pos;
    TEnd End = TEnd::None;
    HWND Capture = nullptr;
    bool KeepCapture = false;
    TDragWatch Watch;

    // What targets are told was dragged: the control for a control's drag object.
    TObject* SourceObject() const
    {
        if (auto* controlObject = dynamic_cast<TDragControlObject*>(Object))
            return controlObject->Control;
        return Object;
    }
};

TDragSession* current = nullptr;

HWND CaptureWindowOf(TControl* Control)
{
    if (auto* windowed = dynamic_cast<TWinControl*>(Control))
        return windowed->HandleAllocated() ? windowed->Handle() : nullptr;
    TWinControl* parent = Control->Parent();
    return parent && parent->HandleAllocated() ? parent->Handle() : nullptr;
}

// The screen point of a mouse message (its coordinates are the client's of its window).
TPoint ScreenPoint(const MSG& Msg)
{
    POINT p{GET_X_LPARAM(Msg.lParam), GET_Y_LPARAM(Msg.lParam)};
    MapWindowPoints(Msg.hwnd, nullptr, &p, 1);
    return {p.x, p.y};
}

bool IsMouseMessage(UINT Msg)
{
    return Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST;
}

bool IsKeyMessage(UINT Msg)
{
    return Msg >= WM_KEYFIRST && Msg <= WM_KEYLAST;
}

void ShowCursorFor(TDragSession& S, int X, int Y)
{
    ::SetCursor(CursorHandle(S.Object->GetDragCursor(S.Accepted, X, Y)));
}

void Leave(TDragSession& S)
{
    TControl* target = S.Target;
    if (!target)
        return;
    const TPoint p = target->ScreenToClient(S.Pos);
    bool ignored = false;
    target->DragOver(S.SourceObject(), p.X, p.Y, TDragState::dsDragLeave, ignored);
}

void SetTarget(TDragSession& S, TControl* Target)
{
    if (S.Target && S.Target != S.Source)
        S.Watch.RemoveFreeNotification(S.Target);
    S.Target = Target;
    S.Object->DragTarget = Target;
    if (Target)
        S.Watch.FreeNotification(Target);
}

// Asks the control under Pos whether it takes the drop, and shows the answer.
void DragTo(TDragSession& S, TPoint Pos)
{
    S.Pos = Pos;
    S.Object->DragPos = Pos;
    TControl* target = FindDragTarget(Pos, false);
    TDragState state = TDragState::dsDragMove;
    if (target != S.Target) {
        Leave(S);
        if (S.End != TDragSession::TEnd::None)
            return;  // the target's answer ended the drag (or freed the source)
        SetTarget(S, FindDragTarget(Pos, false));
        state = TDragState::dsDragEnter;
    }
    S.Accepted = false;
    TPoint p;
    if (S.Target) {
        p = S.Target->ScreenToClient(Pos);
        bool accept = false;
        S.Target->DragOver(S.SourceObject(), p.X, p.Y, state, accept);
        S.Accepted = accept && S.Target;  // a target freed by its own answer takes nothing
    }
    ShowCursorFor(S, p.X, p.Y);
}

void StartDrag(TDragSession& S)
{
    TDragObject* object = nullptr;
    S.Source->DoStartDrag(object);
    if (S.End != TDragSession::TEnd::None)
        return;
    if (!object) {
        S.OwnObject = std::make_unique<TDragControlObject>(S.Source);
        object = S.OwnObject.get();
    }
    S.Object = object;
    S.Pos = S.Source->ClientToScreen({0, 0});
    POINT cursor{};
    if (GetCursorPos(&cursor))
        S.Pos = {cursor.x, cursor.y};
    object->DragPos = S.Pos;
}

// Drops on a target that accepted, or leaves it; then the source hears of the end.
void FinishDrag(TDragSession& S)
{
    TObject* source = S.SourceObject();
    TControl* dropTarget = nullptr;
    TPoint p;
    if (S.End == TDragSession::TEnd::Drop && S.Accepted && S.Target) {
        dropTarget = S.Target;
        p = dropTarget->ScreenToClient(S.Pos);
        S.Object->Dropped = true;
        dropTarget->DragDrop(source, p.X, p.Y);
        dropTarget = S.Target;  // nil when the drop freed it
    } else {
        S.Object->Cancelling = S.End == TDragSession::TEnd::Cancel;
        Leave(S);
    }
    ::SetCursor(CursorHandle(crDefault));
    if (S.Source) {
        // The release went to the drag, not to the control: no click is pending any more.
        S.Source->ControlState &= ~(csClicked | csLButtonDown);
        S.Source->DoEndDrag(dropTarget, p.X, p.Y);
    }
}

void RunDrag(TControl* Source, bool Immediate, int Threshold)
{
    const HWND capture = CaptureWindowOf(Source);
    if (current || !capture)
        return;
    TDragSession session;
    session.Source = Source;
    session.Capture = capture;
    session.Watch.FreeNotification(Source);
    session.Watch.OnGone = [&session](TComponent* Gone) {
        if (Gone == session.Source) {
            session.Source = nullptr;
            if (session.OwnObject)
                session.OwnObject->Control = nullptr;
            session.End = TDragSession::TEnd::Cancel;
        }
        if (Gone == session.Target) {
            session.Target = nullptr;
            if (session.Object)
                session.Object->DragTarget = nullptr;
        }
    };
    // Whatever ends the loop (an exception from an event too) ends the drag state with it.
    struct TSessionScope {
        TDragSession& S;
        explicit TSessionScope(TDragSession& Session) : S(Session) { current = &S; }
        ~TSessionScope()
        {
            current = nullptr;
            if (!S.KeepCapture && GetCapture() == S.Capture)
                ReleaseCapture();
        }
    } scope(session);

    if (Threshold < 0)
        Threshold = std::max(GetSystemMetrics(SM_CXDRAG), 1);
    POINT start{};
    GetCursorPos(&start);
    const bool hadCapture = GetCapture() == capture;
    SetCapture(capture);
    if (Immediate)
        StartDrag(session);

    MSG msg;
    while (session.End == TDragSession::TEnd::None) {
        if (GetCapture() != capture) {
            session.End = TDragSession::TEnd::Cancel;
            break;
        }
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!CheckSynchronize())
                WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            session.End = TDragSession::TEnd::Cancel;
            break;
        }
        const bool started = session.Object != nullptr;
        if (IsMouseMessage(msg.message)) {
            const TPoint p = ScreenPoint(msg);
            if (msg.message == WM_MOUSEMOVE) {
                if (!started && (std::abs(p.X - start.x) >= Threshold || std::abs(p.Y - start.y) >= Threshold))
                    StartDrag(session);
                if (session.Object && session.End == TDragSession::TEnd::None)
                    DragTo(session, p);
            } else if (msg.message == WM_LBUTTONUP) {
                if (!started) {
                    // Released before the drag began: a click. The release goes back into the
                    // queue, so that it reaches the control after the press it may still be
                    // handling, and the capture stays with whoever held it.
                    PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
                    session.KeepCapture = hadCapture;
                    return;
                }
                DragTo(session, p);
                if (session.End == TDragSession::TEnd::None)
                    session.End = TDragSession::TEnd::Drop;
            } else if (msg.message == WM_RBUTTONDOWN && started) {
                session.End = TDragSession::TEnd::Cancel;
            }
            continue;
        }
        if (started && IsKeyMessage(msg.message)) {
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
                session.End = TDragSession::TEnd::Cancel;
            else if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) &&
                     (msg.wParam == VK_CONTROL || msg.wParam == VK_SHIFT))
                DragTo(session, session.Pos);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (session.Object)
        FinishDrag(session);
}

// A monochrome 32 x 32 cursor drawn from rows of text: 'X' black, '.' white, ' ' clear.
HCURSOR MakeCursor(const std::string (&Rows)[32], int HotX, int HotY)
{
    uint8_t andPlane[32 * 4];
    uint8_t xorPlane[32 * 4] = {};
    std::fill(std::begin(andPlane), std::end(andPlane), 0xFF);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32 && x < static_cast<int>(Rows[y].size()); ++x) {
            const char c = Rows[y][static_cast<size_t>(x)];
            if (c == ' ')
                continue;
            const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            andPlane[y * 4 + x / 8] &= static_cast<uint8_t>(~bit);
            if (c == '.')
                xorPlane[y * 4 + x / 8] |= bit;
        }
    }
    return CreateCursor(GetModuleHandleW(nullptr), HotX, HotY, 32, 32, andPlane, xorPlane);
}

// The arrow with one page (Pages = 1) or a stack of pages below it.
HCURSOR MakeDragCursor(int Pages)
{
    std::string rows[32] = {
        "X",           "XX",          "X.X",         "X..X",        "X...X",       "X....X",
        "X.....X",     "X......X",    "X.......X",   "X........X",  "X.....XXXXX", "X..X..X",
        "X.X X..X",    "XX  X..X",    "X    X..X",   "     X..X",   "      XX",
    };
    const int left = 8;
    for (int page = 0; page < Pages; ++page) {
        const int x0 = left + page * 3, y0 = 18 - page * 3 + (Pages - 1) * 3;
        for (int y = y0; y < y0 + 10 && y < 32; ++y) {
            std::string& row = rows[y];
            if (row.size() < static_cast<size_t>(x0 + 12))
                row.resize(static_cast<size_t>(x0 + 12), ' ');
            for (int x = x0; x < x0 + 12; ++x) {
                const bool edge = y == y0 || y == y0 + 9 || x == x0 || x == x0 + 11;
                row[static_cast<size_t>(x)] = edge ? 'X' : '.';
            }
        }
    }
    return MakeCursor(rows, 0, 0);
}

}  // namespace

// ---- drag objects

TCursor TDragObject::GetDragCursor(bool Accepted, int, int)
{
    return Accepted ? crDrag : crNoDrop;
}

TCursor TDragControlObject::GetDragCursor(bool Accepted, int X, int Y)
{
    if (Accepted && Control)
        return Control->DragCursor;
    return TDragObject::GetDragCursor(Accepted, X, Y);
}

TControl* FindDragTarget(TPoint Pos, bool AllowDisabled)
{
    const HWND window = WindowFromPoint({Pos.X, Pos.Y});
    TWinControl* control = TWinControl::FindControl(window);
    if (!control)
        return nullptr;
    if (control->HandleAllocated() && control->Handle() == window) {
        if (TControl* inner = control->ControlAtPos(control->ScreenToClient(Pos), AllowDisabled, false))
            return inner;
    }
    if (!AllowDisabled && !control->Enabled())
        return nullptr;
    return control;
}

TDragObject* CurrentDragObject()
{
    return current ? current->Object : nullptr;
}

void CancelDrag()
{
    if (current)
        current->End = TDragSession::TEnd::Cancel;
}

HCURSOR DragCursorHandle(TCursor Cursor)
{
    switch (Cursor) {
    case crDrag: {
        static const HCURSOR one = MakeDragCursor(1);
        return one;
    }
    case crMultiDrag: {
        static const HCURSOR several = MakeDragCursor(3);
        return several;
    }
    case crNoDrop:
        return LoadCursorW(nullptr, IDC_NO);
    default:
        return nullptr;
    }
}

// ---- the drag members of TControl

void TControl::BeginDrag(bool Immediate, int Threshold)
{
    RunDrag(this, Immediate, Threshold);
}

bool TControl::Dragging() const
{
    return current && current->Source == this;
}

void TControl::EndDrag(bool Drop)
{
    if (Dragging())
        current->End = Drop ? TDragSession::TEnd::Drop : TDragSession::TEnd::Cancel;
}

void TControl::BeginAutoDrag()
{
    BeginDrag(false);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept)
{
    Accept = static_cast<bool>(OnDragOver);
    if (OnDragOver)
        OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y)
{
    if (OnDragDrop)
        OnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject)
{
    if (OnStartDrag)
        OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y)
{
    if (OnEndDrag)
        OnEndDrag(this, Target, X, Y);
}
