#include "framework/DynamicLibrary.h"

#include <utility>

TDynamicLibrary::TDynamicLibrary(const wchar_t* Name)
{
    if (!Name || !*Name)
        return;
    // No system error box for a missing or damaged library: absence is an answer here.
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    SetErrorMode(previous | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    module_ = LoadLibraryW(Name);
    SetErrorMode(previous);
}

TDynamicLibrary::~TDynamicLibrary()
{
    if (module_)
        FreeLibrary(module_);
}

TDynamicLibrary::TDynamicLibrary(TDynamicLibrary&& Other) noexcept : module_(std::exchange(Other.module_, nullptr)) {}

TDynamicLibrary& TDynamicLibrary::operator=(TDynamicLibrary&& Other) noexcept
{
    if (this != &Other) {
        if (module_)
            FreeLibrary(module_);
        module_ = std::exchange(Other.module_, nullptr);
    }
    return *this;
}

void* TDynamicLibrary::Address(const char* Name) const
{
    if (!module_ || !Name)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(module_, Name));
}
