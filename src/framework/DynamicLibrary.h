// TDynamicLibrary: a library loaded at run time whose functions are bound by name and type.
// A library or function that is not there is a normal state: Loaded() is false, Function gives
// nil, and the caller takes its fallback. Nothing here raises.
//
//   TDynamicLibrary imm(L"imm32.dll");
//   using TImmGetContext = HIMC WINAPI(HWND);
//   if (auto* getContext = imm.Function<TImmGetContext>("ImmGetContext")) ...
//
// F is the function's type with its calling convention (WINAPI for the system's and most
// libraries' exports); the name is the export's undecorated name.
#pragma once

#include <windows.h>

class TDynamicLibrary {
public:
    // Loads Name (searched for as LoadLibrary searches); a library that cannot be loaded leaves
    // the object empty.
    explicit TDynamicLibrary(const wchar_t* Name);
    ~TDynamicLibrary();
    TDynamicLibrary(TDynamicLibrary&& Other) noexcept;
    TDynamicLibrary& operator=(TDynamicLibrary&& Other) noexcept;
    TDynamicLibrary(const TDynamicLibrary&) = delete;
    TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

    bool Loaded() const { return module_ != nullptr; }
    HMODULE Handle() const { return module_; }

    // The export's address, nil when the library or the export is missing.
    void* Address(const char* Name) const;

    template <class F>
    F* Function(const char* Name) const
    {
        // Through void*: an export's address converts to any function type only explicitly.
        return reinterpret_cast<F*>(Address(Name));
    }

private:
    HMODULE module_ = nullptr;
};
