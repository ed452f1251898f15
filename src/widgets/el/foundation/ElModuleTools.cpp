#include "widgets/el/foundation/ElModuleTools.h"

#include <cstring>

namespace {

constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kWritable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

// Walks the regions covering the range; every one must be committed, unguarded and carry one of
// the wanted protections.
bool RangeHasProtection(const void* address, size_t size, DWORD wanted) {
    if (address == nullptr) return false;
    auto p = static_cast<const char*>(address);
    const char* end = p + size;
    do {
        MEMORY_BASIC_INFORMATION info{};
        if (VirtualQuery(p, &info, sizeof info) != sizeof info) return false;
        if (info.State != MEM_COMMIT) return false;
        if (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) return false;
        if ((info.Protect & wanted) == 0) return false;
        p = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
    } while (p < end);
    return true;
}

}  // namespace

bool IsMemoryReadable(const void* address, size_t size) { return RangeHasProtection(address, size, kReadable); }

bool IsMemoryWritable(const void* address, size_t size) { return RangeHasProtection(address, size, kWritable); }

bool SetMemoryProtection(void* address, size_t size) {
    DWORD old = 0;
    return VirtualProtect(address, size, PAGE_EXECUTE_READWRITE, &old) != 0;
}

TSharedMemory::~TSharedMemory() { Close(); }

bool TSharedMemory::Open(const std::string& name, size_t size) {
    Close();
    mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size),
                                  name.c_str());
    bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (mapping_ == nullptr) {
        mapping_ = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
        existed = true;
    }
    if (mapping_ == nullptr) return false;
    view_ = MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, size);
    if (view_ == nullptr) {
        Close();
        return false;
    }
    created_ = !existed;
    if (created_) std::memset(view_, 0, size);
    return true;
}

void TSharedMemory::Close() {
    if (view_ != nullptr) UnmapViewOfFile(view_);
    if (mapping_ != nullptr) CloseHandle(mapping_);
    view_ = nullptr;
    mapping_ = nullptr;
    created_ = false;
}
