// Opens scan files into the scan of the main window, keeps the file's views and remarks,
// the list of recently opened files (with its two menus) and the undo snapshot.
//
// Opening parses the whole file first and commits only a file that loads: a missing,
// unrecognised or damaged file shows its message and leaves the scan, the view states, the
// remarks, the snapshot and the recent list as they were.
#pragma once

#include "framework/Components.h"
#include "framework/Streams.h"
#include "scan/model/DataTypes.h"
#include "scan/files/RecentFileList.h"
#include "scan/files/ScanFile.h"
#include "scan/files/UndoSnapshot.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TScanData;
class TMessageSink;
class TElMenuItem;
class TElPopupMenu;

// How the file manager reaches the scan: read at each use, because the renderer that owns
// it may be made after the file manager. Null when there is no scan.
using TScanDataRef = std::function<TScanData*()>;

class TFileManager : public TPersistent {
public:
    // ViewStates is the main window's block of four views; it must outlive the file manager.
    // Messages null means DefaultMessageSink(). Texts come from the global language manager.
    TFileManager(TScanDataRef ScanData, TViewStates& ViewStates, TMessageSink* Messages = nullptr);
    // Deletes the undo snapshot and takes the recent items (whose handlers call back into the
    // file manager) out of the main-menu item.
    ~TFileManager() override;
    const char* ClassName() const override { return "TFileManager"; }

    // Opens FileName into the scan. Magic receives the file's magic text, or a single NUL
    // character when the file does not exist or cannot be opened. True when the file loaded;
    // then the snapshot is taken and the path enters the recent list.
    bool OpenFile(const std::u16string& FileName, std::string& Magic);

    // The main-menu item under which the recent files are listed too; may be null, and reads
    // null once the item is freed.
    TWeakRef<TElMenuItem> MainMenuItem;
    TElPopupMenu* PopupMenu() const { return popupMenu_.get(); }

    const std::u16string& FileName() const { return fileName_; }
    bool Loaded() const { return loaded_; }
    bool Modified = false;
    // 1 after a scan of a Tarnwell kind loaded, 0 after any other.
    uint16_t FileContent() const { return fileContent_; }
    void SetFileContent(uint16_t Value) { fileContent_ = Value; }
    // Where the point area of the last Tarnwell-kind file begins.
    uint32_t FileTNW_Start() const { return fileTNWStart_; }
    const std::array<uint8_t, ScanFileHeaderSize>& Header() const { return header_; }
    const TScanBlock& ScanBlock() const { return scanBlock_; }

    const TRemarksRec_L3D_3& Remarks() const { return remarks_; }
    // Copies the record and marks the scan as modified.
    void SetRemarks(const TRemarksRec_L3D_3& Value);
    // Reads a remarks record from the stream's position into Remarks: 1 for a nil stream,
    // 2 for a record cut short (Remarks unchanged), else 0.
    int ReadRemarks(TStream* Stream);

    // The recent list in the settings payload; both return 0 and do nothing for a nil
    // stream, else 1. Loading lists only the paths whose files exist; the others stay in
    // their slots. Saving raises EWriteError when the stream refuses.
    int LoadRecentFiles(TStream* Stream);
    int SaveRecentFiles(TStream* Stream);
    const TRecentFileList& RecentFiles() const { return recent_; }
    // The click handler of every recent item: opens the item's path through OnOpenRecentFile.
    void RecentFileItemClick(TObject* Sender);
    // The main window's open road, which ends in OpenFile.
    std::function<void(const std::u16string& FileName)> OnOpenRecentFile;

    void CreateTempSnapshot();
    // Brings back the values of the snapshot; the caller recomputes the statistics.
    void RestoreTempSnapshot();
    void DeleteTempSnapshot();
    const std::u16string& TempFileName() const { return snapshot_.FileName(); }

private:
    void ShowError(int32_t TextID, const std::u16string& Default);
    // Null (and the message shown) when the file cannot be opened.
    std::unique_ptr<TStream> OpenForReading(const std::u16string& FileName);
    // Parses the file into Content; reports and returns false when it cannot be loaded.
    bool ParseFile(TStream& Stream, const std::u16string& FileName, std::string& Magic, TScanFileContent& Content);
    void Commit(const std::u16string& FileName, TScanFileContent& Content, TStream& Stream, TScanData& Scan);
    void ClearRecentMenus();
    void AddRecentMenuItems(int Slot);
    void RebuildRecentMenus(bool OnlyExistingFiles);

    TScanDataRef scanData_;
    TViewStates& viewStates_;
    TMessageSink* messages_;
    TOwned<TElPopupMenu> popupMenu_;
    TRecentFileList recent_;
    TUndoSnapshot snapshot_;
    std::u16string fileName_;
    bool loaded_ = false;
    uint16_t fileContent_ = 0;
    uint32_t fileTNWStart_ = 0;
    std::array<uint8_t, ScanFileHeaderSize> header_{};
    TScanBlock scanBlock_;
    TRemarksRec_L3D_3 remarks_;
};

// The extension of a wide file name: from the last "." after the last "\" or ":", in the
// system code page, ASCII letters lower-cased; empty when there is none.
std::string LowerFileExtension(const std::u16string& FileName);
