#include "framework/Ime.h"

#include "framework/DynamicLibrary.h"

#include <imm.h>

#include <algorithm>
#include <vector>

namespace {

// imm32's functions, bound once; each is nil when imm32 or the export is missing.
struct TImm32 {
    using TGetContext = HIMC WINAPI(HWND);
    using TReleaseContext = BOOL WINAPI(HWND, HIMC);
    using TGetCompositionString = LONG WINAPI(HIMC, DWORD, LPVOID, DWORD);
    using TSetCompositionWindow = BOOL WINAPI(HIMC, LPCOMPOSITIONFORM);
    using TGetCompositionWindow = BOOL WINAPI(HIMC, LPCOMPOSITIONFORM);
    using TSetCompositionFont = BOOL WINAPI(HIMC, LPLOGFONTW);

    TDynamicLibrary Library{L"imm32.dll"};
    TGetContext* GetContext = Library.Function<TGetContext>("ImmGetContext");
    TReleaseContext* ReleaseContext = Library.Function<TReleaseContext>("ImmReleaseContext");
    TGetCompositionString* GetCompositionString = Library.Function<TGetCompositionString>("ImmGetCompositionStringW");
    TSetCompositionWindow* SetCompositionWindow = Library.Function<TSetCompositionWindow>("ImmSetCompositionWindow");
    TGetCompositionWindow* GetCompositionWindow = Library.Function<TGetCompositionWindow>("ImmGetCompositionWindow");
    TSetCompositionFont* SetCompositionFont = Library.Function<TSetCompositionFont>("ImmSetCompositionFontW");

    // A context is only taken when it can be given back.
    bool CanTakeContext() const { return GetContext && ReleaseContext; }
};

const TImm32& Imm32()
{
    static const TImm32 imm;
    return imm;
}

HIMC Context(void* Handle)
{
    return static_cast<HIMC>(Handle);
}

}  // namespace

bool ImeLibraryAvailable()
{
    const TImm32& imm = Imm32();
    return imm.CanTakeContext() && imm.GetCompositionString && imm.SetCompositionWindow;
}

TImeContext::TImeContext(HWND Window) : window_(Window)
{
    if (Window && Imm32().CanTakeContext())
        context_ = Imm32().GetContext(Window);
}

TImeContext::~TImeContext()
{
    if (context_)
        Imm32().ReleaseContext(window_, Context(context_));
}

std::u16string TImeContext::CompositionText(DWORD Which) const
{
    if (!context_ || !Imm32().GetCompositionString)
        return {};
    const LONG bytes = Imm32().GetCompositionString(Context(context_), Which, nullptr, 0);
    if (bytes <= 0)
        return {};
    std::vector<char16_t> text(static_cast<size_t>(bytes) / sizeof(char16_t) + 1);
    const LONG got = Imm32().GetCompositionString(Context(context_), Which, text.data(),
                                                  static_cast<DWORD>(text.size() * sizeof(char16_t)));
    if (got <= 0)
        return {};
    // The second answer may be shorter than the first; never more than the buffer holds.
    const size_t count = std::min(static_cast<size_t>(got), text.size() * sizeof(char16_t)) / sizeof(char16_t);
    return std::u16string(text.data(), count);
}

std::u16string TImeContext::ResultString() const
{
    return CompositionText(GCS_RESULTSTR);
}

std::u16string TImeContext::CompositionString() const
{
    return CompositionText(GCS_COMPSTR);
}

bool TImeContext::SetCompositionWindow(TRect Area, TPoint Pos)
{
    if (!context_ || !Imm32().SetCompositionWindow)
        return false;
    COMPOSITIONFORM form{};
    form.dwStyle = CFS_RECT;
    form.ptCurrentPos = {Pos.X, Pos.Y};
    form.rcArea = {Area.Left, Area.Top, Area.Right, Area.Bottom};
    return Imm32().SetCompositionWindow(Context(context_), &form) != FALSE;
}

bool TImeContext::SetCompositionWindow(TPoint Pos)
{
    if (!context_ || !Imm32().SetCompositionWindow)
        return false;
    COMPOSITIONFORM form{};
    form.dwStyle = CFS_POINT;
    form.ptCurrentPos = {Pos.X, Pos.Y};
    return Imm32().SetCompositionWindow(Context(context_), &form) != FALSE;
}

std::optional<TImeContext::TCompositionWindow> TImeContext::CompositionWindow() const
{
    if (!context_ || !Imm32().GetCompositionWindow)
        return std::nullopt;
    COMPOSITIONFORM form{};
    if (!Imm32().GetCompositionWindow(Context(context_), &form))
        return std::nullopt;
    return TCompositionWindow{form.dwStyle,
                              {form.ptCurrentPos.x, form.ptCurrentPos.y},
                              {form.rcArea.left, form.rcArea.top, form.rcArea.right, form.rcArea.bottom}};
}

bool TImeContext::SetCompositionFont(const LOGFONTW& Font)
{
    if (!context_ || !Imm32().SetCompositionFont)
        return false;
    LOGFONTW copy = Font;
    return Imm32().SetCompositionFont(Context(context_), &copy) != FALSE;
}

std::optional<std::u16string> ImeResultString(HWND Window, const TMessage& Message)
{
    if (Message.Msg != WM_IME_COMPOSITION || !(static_cast<DWORD>(Message.LParam) & GCS_RESULTSTR))
        return std::nullopt;
    const TImeContext context(Window);
    if (!context.Available())
        return std::nullopt;
    return context.ResultString();
}
