#include "framework/WinClipboard.h"

#include "framework/Delays.h"
#include "framework/StrConv.h"
#include "framework/UtilityWindow.h"

#include <cstring>

namespace {

constexpr uint32_t kRetryStepMs = 10;

// The clipboard, open for the scope's life when Opened().
class TOpenedClipboard {
public:
    TOpenedClipboard(HWND Owner, uint32_t RetryMs)
    {
        for (uint32_t waited = 0;; waited += kRetryStepMs) {
            if (OpenClipboard(Owner)) {
                opened_ = true;
                return;
            }
            if (waited >= RetryMs)
                return;
            Delay(kRetryStepMs);
        }
    }
    ~TOpenedClipboard()
    {
        if (opened_)
            CloseClipboard();
    }
    TOpenedClipboard(const TOpenedClipboard&) = delete;
    TOpenedClipboard& operator=(const TOpenedClipboard&) = delete;

    bool Opened() const { return opened_; }

private:
    bool opened_ = false;
};

// A locked global memory block, unlocked with the scope.
class TLockedMemory {
public:
    explicit TLockedMemory(HANDLE Memory) : memory_(Memory), data_(Memory ? GlobalLock(Memory) : nullptr) {}
    ~TLockedMemory()
    {
        if (data_)
            GlobalUnlock(memory_);
    }
    TLockedMemory(const TLockedMemory&) = delete;
    TLockedMemory& operator=(const TLockedMemory&) = delete;

    const void* Data() const { return data_; }
    size_t Size() const { return data_ ? GlobalSize(memory_) : 0; }

private:
    HANDLE memory_;
    void* data_;
};

// Reads the clipboard's text of Format (CF_TEXT or CF_UNICODETEXT) as characters of type C,
// up to the first zero or the end of the block. The clipboard must be open.
template <class C>
std::optional<std::basic_string<C>> ReadText(UINT Format)
{
    const TLockedMemory block(GetClipboardData(Format));
    if (!block.Data())
        return std::nullopt;
    const size_t capacity = block.Size() / sizeof(C);
    std::basic_string<C> text(capacity, C());
    std::memcpy(text.data(), block.Data(), capacity * sizeof(C));
    const size_t end = text.find(C());
    if (end != std::basic_string<C>::npos)
        text.resize(end);
    return text;
}

// Empties the clipboard and puts Chars (Count characters of C, a zero is added) there as Format.
template <class C>
bool WriteText(HWND Owner, uint32_t RetryMs, UINT Format, const C* Chars, size_t Count)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (Count + 1) * sizeof(C));
    if (!memory)
        return false;
    if (void* data = GlobalLock(memory)) {
        std::memcpy(data, Chars, Count * sizeof(C));
        static_cast<C*>(data)[Count] = C();
        GlobalUnlock(memory);
    } else {
        GlobalFree(memory);
        return false;
    }
    const TOpenedClipboard clipboard(Owner, RetryMs);
    // After a successful SetClipboardData the memory belongs to the system.
    if (!clipboard.Opened() || !EmptyClipboard() || !SetClipboardData(Format, memory)) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

}  // namespace

TWinClipboard::TWinClipboard() : window_(AllocateHWnd([](TMessage&) { return false; })) {}

TWinClipboard::~TWinClipboard()
{
    DeallocateHWnd(window_);
}

bool TWinClipboard::HasText()
{
    return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

std::optional<std::u16string> TWinClipboard::Text()
{
    const TOpenedClipboard clipboard(window_, RetryMs);
    if (!clipboard.Opened())
        return std::nullopt;
    if (IsClipboardFormatAvailable(CF_UNICODETEXT))
        return ReadText<char16_t>(CF_UNICODETEXT);
    if (IsClipboardFormatAvailable(CF_TEXT)) {
        if (std::optional<std::string> ansi = ReadText<char>(CF_TEXT))
            return AnsiToWide(*ansi);
    }
    return std::nullopt;
}

bool TWinClipboard::SetText(const std::u16string& Value)
{
    return WriteText(window_, RetryMs, CF_UNICODETEXT, Value.data(), Value.size());
}

std::optional<std::string> TWinClipboard::AnsiText()
{
    const TOpenedClipboard clipboard(window_, RetryMs);
    if (!clipboard.Opened() || !IsClipboardFormatAvailable(CF_TEXT))
        return std::nullopt;
    return ReadText<char>(CF_TEXT);
}

bool TWinClipboard::SetAnsiText(const std::string& Value)
{
    return WriteText(window_, RetryMs, CF_TEXT, Value.data(), Value.size());
}

TWinClipboard& Clipboard()
{
    static TWinClipboard clipboard;
    return clipboard;
}
