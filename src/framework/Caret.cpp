#include "framework/Caret.h"

TCaret::TCaret(HWND Owner, int Width, int Height) : owner_(Owner)
{
    if (Owner && IsWindow(Owner))
        created_ = CreateCaret(Owner, nullptr, Width < 1 ? 1 : Width, Height < 1 ? 1 : Height) != FALSE;
}

TCaret::~TCaret()
{
    if (Owned())
        DestroyCaret();
}

bool TCaret::Owned() const
{
    if (!created_)
        return false;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetCurrentThreadId(), &info) && info.hwndCaret == owner_;
}

void TCaret::Show()
{
    if (visible_ || !Owned())
        return;
    visible_ = ShowCaret(owner_) != FALSE;
}

void TCaret::Hide()
{
    if (!visible_)
        return;
    visible_ = false;
    if (Owned())
        HideCaret(owner_);
}

void TCaret::SetPos(TPoint P)
{
    pos_ = P;
    if (Owned())
        SetCaretPos(P.X, P.Y);
}

TPoint TCaret::Pos() const
{
    POINT p{};
    if (Owned() && GetCaretPos(&p))
        return {p.x, p.y};
    return pos_;
}
