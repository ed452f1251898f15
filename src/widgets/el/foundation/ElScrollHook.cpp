#include "widgets/el/foundation/ElScrollHook.h"

#include "widgets/el/foundation/ElModuleTools.h"

#include "framework/DynamicLibrary.h"

#include <cstring>

namespace {

constexpr char kHookGuid[] = "{7DDF4ADB-4A01-4F4B-83AA-8D91C21E99D2}";
constexpr size_t kSavedBytes = 8;
constexpr size_t kJumpBytes = 5;

enum EntryIndex { eiSetScrollInfo, eiSetScrollRange, eiSetScrollPos, eiCount };

// The per-process shared block. It holds data only: the replacement routines are ordinary
// functions of this program (machine code copied into the block would not be position-independent).
struct SharedHookBlock {
    uint32_t notifyMessage;
    uint32_t locking9x;   // always 0: only the code-patch path exists
    uint32_t patchMode;   // 0: the functions' first bytes are patched
    uint8_t saved[eiCount][kSavedBytes];
    char lockName[128];
    uint32_t installed;
};

// One redirected function: its entry point, its own first bytes and the bytes with the jump.
struct PatchedEntry {
    uint8_t* entry = nullptr;
    uint8_t original[kSavedBytes]{};
    uint8_t patched[kSavedBytes]{};
};

struct HookState {
    TSharedMemory shared;
    SharedHookBlock* block = nullptr;
    HANDLE lock = nullptr;  // serialises restore-call-repatch between threads; recursive per thread
    PatchedEntry entries[eiCount];
    bool patchedHere = false;  // this copy wrote the jumps and so restores them
    bool installed = false;
};

HookState& State() {
    static HookState state;
    return state;
}

// Writes 8 bytes of code as two interlocked 32-bit exchanges (the second word first, so that the
// first instruction is replaced in one step), then flushes the instruction cache.
// Invariant: the mutex orders only threads that are inside a replacement; a thread entering the
// function's prologue from outside could still see a half-written jump. This program changes
// scroll bars from the GUI thread only.
void WriteCode(uint8_t* entry, const uint8_t (&bytes)[kSavedBytes]) {
    LONG low, high;
    std::memcpy(&low, bytes, 4);
    std::memcpy(&high, bytes + 4, 4);
    InterlockedExchange(reinterpret_cast<volatile LONG*>(entry + 4), high);
    InterlockedExchange(reinterpret_cast<volatile LONG*>(entry), low);
    FlushInstructionCache(GetCurrentProcess(), entry, kSavedBytes);
}

// While alive, the entry runs its own code; the jump is written again and the lock released on
// every way out.
class EntryRestored {
public:
    explicit EntryRestored(PatchedEntry& entry) : entry_(entry) {
        WaitForSingleObject(State().lock, INFINITE);
        WriteCode(entry_.entry, entry_.original);
    }
    ~EntryRestored() {
        WriteCode(entry_.entry, entry_.patched);
        ReleaseMutex(State().lock);
    }
    EntryRestored(const EntryRestored&) = delete;
    EntryRestored& operator=(const EntryRestored&) = delete;

private:
    PatchedEntry& entry_;
};

// Asks the window before the change; returns the Redraw flag for the real call.
BOOL AskBefore(HWND wnd, TScrollNotifyBlock& block, BOOL redraw) {
    block.cells[0] = 0;
    LRESULT answer = SendMessageA(wnd, ScrollNotifyMessage(), snBeforeChange, reinterpret_cast<LPARAM>(&block.cells[0]));
    if (answer != 0 && block.cells[0] == static_cast<intptr_t>(answer)) return FALSE;
    block.cells[0] = 0;
    return redraw;
}

void TellAfter(HWND wnd, TScrollNotifyBlock& block, int bar, const SCROLLINFO* change, BOOL redraw) {
    if (block.cells[0] == 0) return;
    block.cells[2] = bar;
    block.cells[3] = reinterpret_cast<intptr_t>(change);
    block.cells[4] = redraw;
    SendMessageA(wnd, ScrollNotifyMessage(), snAfterChange, reinterpret_cast<LPARAM>(&block.cells[2]));
}

int WINAPI ReplacementSetScrollInfo(HWND wnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
    using Real = int(WINAPI*)(HWND, int, LPCSCROLLINFO, BOOL);
    PatchedEntry& entry = State().entries[eiSetScrollInfo];
    auto real = reinterpret_cast<Real>(entry.entry);
    if (info == nullptr) {
        EntryRestored restored(entry);
        return real(wnd, bar, info, redraw);
    }
    TScrollNotifyBlock block{};
    BOOL passRedraw = AskBefore(wnd, block, redraw);
    int result;
    {
        EntryRestored restored(entry);
        result = real(wnd, bar, info, passRedraw);
    }
    TellAfter(wnd, block, bar, info, redraw);
    return result;
}

BOOL WINAPI ReplacementSetScrollRange(HWND wnd, int bar, int minPos, int maxPos, BOOL redraw) {
    using Real = BOOL(WINAPI*)(HWND, int, int, int, BOOL);
    PatchedEntry& entry = State().entries[eiSetScrollRange];
    TScrollNotifyBlock block{};
    BOOL passRedraw = AskBefore(wnd, block, redraw);
    BOOL result;
    {
        EntryRestored restored(entry);
        result = reinterpret_cast<Real>(entry.entry)(wnd, bar, minPos, maxPos, passRedraw);
    }
    SCROLLINFO change{};
    change.cbSize = sizeof change;
    change.fMask = SIF_RANGE;
    change.nMin = minPos;
    change.nMax = maxPos;
    TellAfter(wnd, block, bar, &change, redraw);
    return result;
}

int WINAPI ReplacementSetScrollPos(HWND wnd, int bar, int pos, BOOL redraw) {
    using Real = int(WINAPI*)(HWND, int, int, BOOL);
    PatchedEntry& entry = State().entries[eiSetScrollPos];
    TScrollNotifyBlock block{};
    BOOL passRedraw = AskBefore(wnd, block, redraw);
    int result;
    {
        EntryRestored restored(entry);
        result = reinterpret_cast<Real>(entry.entry)(wnd, bar, pos, passRedraw);
    }
    SCROLLINFO change{};
    change.cbSize = sizeof change;
    change.fMask = SIF_POS;
    change.nPos = pos;
    TellAfter(wnd, block, bar, &change, redraw);
    return result;
}

// Reads an entry's first bytes and prepares the jump (E9 and the displacement to the
// replacement, the other three bytes kept).
bool PrepareEntry(PatchedEntry& patch, void* function, void* replacement) {
    auto entry = reinterpret_cast<uint8_t*>(function);
    if (entry == nullptr || !IsMemoryReadable(entry, kSavedBytes)) return false;
    patch.entry = entry;
    std::memcpy(patch.original, entry, kSavedBytes);
    std::memcpy(patch.patched, entry, kSavedBytes);
    int32_t displacement = static_cast<int32_t>(reinterpret_cast<intptr_t>(replacement) -
                                                reinterpret_cast<intptr_t>(entry + kJumpBytes));
    patch.patched[0] = 0xE9;
    std::memcpy(patch.patched + 1, &displacement, 4);
    return true;
}

bool PatchFunctions(HookState& state) {
    const TDynamicLibrary user32(L"user32.dll");
    if (!user32.Loaded()) return false;
    PatchedEntry prepared[eiCount];
    if (!PrepareEntry(prepared[eiSetScrollInfo], user32.Address("SetScrollInfo"),
                      reinterpret_cast<void*>(&ReplacementSetScrollInfo)) ||
        !PrepareEntry(prepared[eiSetScrollRange], user32.Address("SetScrollRange"),
                      reinterpret_cast<void*>(&ReplacementSetScrollRange)) ||
        !PrepareEntry(prepared[eiSetScrollPos], user32.Address("SetScrollPos"),
                      reinterpret_cast<void*>(&ReplacementSetScrollPos)))
        return false;
    for (auto& patch : prepared)
        if (!SetMemoryProtection(patch.entry, kSavedBytes)) return false;

    state.lock = CreateMutexA(nullptr, FALSE, state.block->lockName);
    if (state.lock == nullptr) return false;
    for (int i = 0; i < eiCount; ++i) {
        state.entries[i] = prepared[i];
        std::memcpy(state.block->saved[i], prepared[i].original, kSavedBytes);
    }
    WaitForSingleObject(state.lock, INFINITE);
    for (auto& patch : state.entries) WriteCode(patch.entry, patch.patched);
    ReleaseMutex(state.lock);
    state.patchedHere = true;
    return true;
}

}  // namespace

UINT ScrollNotifyMessage() {
    static const UINT message = RegisterWindowMessageA(kHookGuid);
    return message;
}

std::string ScrollHookMappingName() {
    return std::string("HookApi:") + kHookGuid + ":" + std::to_string(GetCurrentProcessId());
}

std::string ScrollHookLockName() { return ScrollHookMappingName() + ":Lock"; }

bool InstallScrollHook() {
    HookState& state = State();
    if (state.installed) return true;
    if (!state.shared.Open(ScrollHookMappingName(), sizeof(SharedHookBlock))) return false;
    state.block = static_cast<SharedHookBlock*>(state.shared.View());
    if (!state.shared.NewlyCreated()) {
        // Another copy of this code in the process owns the patch; take over its flag.
        state.installed = state.block->installed != 0;
        if (!state.installed) {
            state.shared.Close();
            state.block = nullptr;
        }
        return state.installed;
    }
    std::string lockName = ScrollHookLockName();
    std::memset(state.block, 0, sizeof(SharedHookBlock));
    state.block->notifyMessage = ScrollNotifyMessage();
    std::strncpy(state.block->lockName, lockName.c_str(), sizeof state.block->lockName - 1);
    if (!PatchFunctions(state)) {
        if (state.lock != nullptr) CloseHandle(state.lock);
        state.lock = nullptr;
        state.shared.Close();
        state.block = nullptr;
        return false;
    }
    state.block->installed = 1;
    state.installed = true;
    return true;
}

void UninstallScrollHook() {
    HookState& state = State();
    if (!state.installed) return;
    if (state.patchedHere) {
        WaitForSingleObject(state.lock, INFINITE);
        for (auto& patch : state.entries) WriteCode(patch.entry, patch.original);
        state.block->installed = 0;
        ReleaseMutex(state.lock);
        CloseHandle(state.lock);
        state.lock = nullptr;
        state.patchedHere = false;
    }
    state.shared.Close();
    state.block = nullptr;
    state.installed = false;
}

bool ScrollHookInstalled() { return State().installed; }
