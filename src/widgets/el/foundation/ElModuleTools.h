// Memory queries and the named shared block used by the scroll-function hook.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// True when every page of [address, address + size) is committed and readable / writable.
bool IsMemoryReadable(const void* address, size_t size);
bool IsMemoryWritable(const void* address, size_t size);

// Makes [address, address + size) readable, writable and executable. False on failure.
bool SetMemoryProtection(void* address, size_t size);

// A named block of the paging file, mapped into this process. Unmapped and closed with the object.
class TSharedMemory {
public:
    TSharedMemory() = default;
    ~TSharedMemory();
    TSharedMemory(const TSharedMemory&) = delete;
    TSharedMemory& operator=(const TSharedMemory&) = delete;

    // Creates the block, or opens it when it already exists. A new block is zeroed.
    // False when it can be neither created nor mapped.
    bool Open(const std::string& name, size_t size);
    void Close();

    void* View() const { return view_; }
    bool NewlyCreated() const { return created_; }

private:
    HANDLE mapping_ = nullptr;
    void* view_ = nullptr;
    bool created_ = false;
};
