// Whole files as bytes, and a scan encoded as the bytes of its file, for tests that write the
// files a program or a file manager then reads.
#pragma once

#include "scan/files/ScanFileWriter.h"

#include "framework/FileUtils.h"
#include "framework/Streams.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Reads a whole file; empty when it does not exist. The file is shared with every other open,
// as a file held by the program under test (a temporary file that goes when its handle closes,
// say) can be read only that way.
inline std::vector<uint8_t> ReadFileBytes(const std::u16string& Path)
{
    if (!FileExists(Path))
        return {};
    const THandle handle = OsFileOpen(Path, AccessRead, ShareRead | ShareWrite | ShareDelete);
    EXPECT_NE(handle, InvalidHandle) << "the file exists but cannot be read";
    if (handle == InvalidHandle)
        return {};
    THandleStream file(handle);
    TMemoryStream m;
    m.LoadFromStream(file);
    OsFileClose(handle);
    return m.Bytes();
}

inline void WriteFileBytes(const std::u16string& Path, const std::vector<uint8_t>& Bytes)
{
    TMemoryStream m(Bytes.data(), Bytes.size());
    m.SaveToFile(Path);
}

// The bytes of the scan file that Source describes.
inline std::vector<uint8_t> EncodeScanFile(const TScanFileSource& Source)
{
    TMemoryStream m;
    EXPECT_TRUE(WriteScanFile(m, Source));
    return m.Bytes();
}
