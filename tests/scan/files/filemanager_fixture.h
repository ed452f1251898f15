// A file manager on a real scan, a recording message sink and a private folder for files.
#pragma once

#include "ExampleScans.h"
#include "support/file_bytes.h"
#include "framework/FileUtils.h"
#include "framework/StrConv.h"
#include "scan/files/MessageSink.h"
#include "scan/files/ScanFileWriter.h"
#include "scan/model/_TColorManager.h"
#include "scan/files/_TFileManager.h"
#include "scan/model/_TScanData.h"
#include "widgets/el/foundation/ElFileStream.h"
#include "widgets/el/menus/ElMenus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <random>
#include <vector>

#ifdef _WIN32
#include "framework/WinText.h"

#include <windows.h>
#endif

inline bool SameFloat(float A, float B)
{
    return (std::isnan(A) && std::isnan(B)) || A == B;
}

// Everything an open may change, for comparing before and after.
struct TFileManagerState {
    std::vector<float> Points;  // X, Y, Value in row order
    std::vector<uint8_t> Views;
    TRemarksRec_L3D_3 Remarks;
    std::u16string TempName;
    std::vector<uint8_t> TempBytes;
    std::array<std::u16string, TRecentFileList::SlotCount> Recent;
    int MenuItems = 0;
    uint16_t FileContent = 0;
    std::u16string FileName;
    bool Loaded = false;

    bool operator==(const TFileManagerState& O) const
    {
        if (Points.size() != O.Points.size())
            return false;
        for (size_t i = 0; i < Points.size(); ++i)
            if (!SameFloat(Points[i], O.Points[i]))
                return false;
        return Views == O.Views && Remarks.Date == O.Remarks.Date && Remarks.Project == O.Remarks.Project &&
               Remarks.Notes == O.Remarks.Notes && Remarks.FieldLength == O.Remarks.FieldLength &&
               Remarks.FieldWidth == O.Remarks.FieldWidth && Remarks.SoilType == O.Remarks.SoilType &&
               TempName == O.TempName && TempBytes == O.TempBytes && Recent == O.Recent &&
               MenuItems == O.MenuItems && FileContent == O.FileContent && FileName == O.FileName &&
               Loaded == O.Loaded;
    }
};

class FileManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Each test case may run in its own process at the same time as the others (ctest -j),
        // so the folder name must differ between processes, not only between fixtures.
        static const unsigned processTag = std::random_device{}();
        static int serial = 0;
        Folder = TempFolder() + u"l3d-fm-" + Utf8ToWide(std::to_string(processTag)) + u"-" +
                 Utf8ToWide(std::to_string(++serial)) + PathDelimiter();
        ASSERT_TRUE(ForceDirectories(Folder));
        Manager.MainMenuItem = &MainMenu;
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(Folder), ignored);
    }

    std::u16string Write(const std::string& Name, const std::vector<uint8_t>& Bytes)
    {
        const std::u16string path = Folder + Utf8ToWide(Name);
        WriteFileBytes(path, Bytes);
        return path;
    }
    std::u16string WriteExample(const TExampleScan& Scan) { return Write(Scan.FileName, EncodeScanFile(Scan.Source)); }

    bool Open(const std::u16string& Path) { return Manager.OpenFile(Path, Magic); }

    TFileManagerState State()
    {
        TFileManagerState s;
        for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint())
            s.Points.insert(s.Points.end(), {p->X, p->Y, p->Value});
        s.Views.resize(ViewStateBlockSize);
        EncodeViewStates(Views, s.Views.data());
        s.Remarks = Manager.Remarks();
        s.TempName = Manager.TempFileName();
        s.TempBytes = ReadFileBytes(s.TempName);
        s.Recent = Manager.RecentFiles().Slots();
        s.MenuItems = Manager.PopupMenu()->Items()->Count() + MainMenu.Count();
        s.FileContent = Manager.FileContent();
        s.FileName = Manager.FileName();
        s.Loaded = Manager.Loaded();
        return s;
    }

    // The value at grid column C, row R.
    TScanPoint* PointAt(int C, int R)
    {
        for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint())
            if (p->X == float(C) && p->Y == float(R))
                return p;
        return nullptr;
    }

    TColorManager Colors;
    TColorManager* ColorsVar = &Colors;
    TScanData Scan{&ColorsVar};
    TViewStates Views{};
    TRecordingMessageSink Messages;
    TElMenuItem MainMenu{nullptr};
    TFileManager Manager{[this] { return &Scan; }, Views, &Messages};
    std::u16string Folder;
    std::string Magic;
};

// Where the system's temporary folder is: the variable TempFolder() reads first.
inline void SetTempFolderVariable(const std::u16string& Value)
{
#ifdef _WIN32
    SetEnvironmentVariableW(L"TMP", WideChars(Value));
#else
    setenv("TMPDIR", WideToUtf8(Value).c_str(), 1);
#endif
}

inline std::u16string TempFolderVariable()
{
#ifdef _WIN32
    wchar_t buffer[1024] = {};
    const DWORD n = GetEnvironmentVariableW(L"TMP", buffer, 1024);
    return FromWide(buffer, n < 1024 ? n : 0);
#else
    const char* v = std::getenv("TMPDIR");
    return v ? Utf8ToWide(v) : std::u16string();
#endif
}

// The fixture with a temporary folder of its own, so that the files there can be counted and
// no other program's are touched.
class FileManagerOwnTempTest : public FileManagerTest {
protected:
    void SetUp() override
    {
        FileManagerTest::SetUp();
        savedTemp_ = TempFolderVariable();
        Temp = Folder + u"temp";
        ASSERT_TRUE(ForceDirectories(Temp));
        SetTempFolderVariable(Temp);
        ASSERT_EQ(TempFolder(), Temp + PathDelimiter());
    }
    void TearDown() override
    {
        SetTempFolderVariable(savedTemp_);
        FileManagerTest::TearDown();
    }

    // The names in the temporary folder, sorted.
    std::vector<std::u16string> TempFiles() const
    {
        std::vector<std::u16string> names;
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(Temp)))
            names.push_back(entry.path().filename().u16string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::u16string Temp;  // without a trailing separator

private:
    std::u16string savedTemp_;
};
