// Opens scan files into the scan of the main window, keeps the file's views and remarks,
// the list of recently opened files (with its two menus) and the undo snapshot.
//
// Opening parses the whole file first and commits only a file that loads: a missing,
// unrecognised or damaged file, one that cannot be opened, and one for which there is not
// memory enough shows its message and leaves the scan, the view states, the remarks, the file
// name, the snapshot and the recent list with its menus as they were. A scan too large for the
// memory left is told so before its points are read. A scan whose undo snapshot cannot be
// written opens without one.
#pragma once

#include "framework/Components.h"
#include "framework/Streams.h"
#include "scan/model/DataTypes.h"
#include "scan/files/RecentFileList.h"
#include "scan/files/ScanFile.h"
#include "scan/files/TextIdFwd.h"
#include "scan/files/UndoSnapshot.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class EFOpenError;
class TScanData;
class TMessageSink;
class TElMenuItem;
class IElPopupMenu;

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
    // character when the file does not exist or cannot be opened. A missing file is reported
    // as "File not found."; one that exists but cannot be opened (locked, no permission) with
    // the framework's file-open error and the system's reason, in the standard error box.
    // True when the file loaded; then the snapshot is taken and the path enters the recent
    // list. When the snapshot cannot be written the scan is open without one, and
    // TellMissingSnapshot has something to tell.
    bool OpenFile(const std::u16string& FileName, std::string& Magic);
    // Tells the user, in an information box, that the scan in force has no undo snapshot
    // because it could not be written; once for each scan that lacks it, and nothing when it
    // has one. The opener calls it once the window shows the scan.
    void TellMissingSnapshot();

    // The main-menu item under which the recent files are listed too; may be null, and reads
    // null once the item is freed.
    TWeakRef<TElMenuItem> MainMenuItem;
    // The recent files as a popup menu (manual hot keys, flat look), owned by the file manager.
    // In the program it is a native TElPopupMenu, for a button's pull-down menu.
    IElPopupMenu* PopupMenu() const { return popupMenu_; }

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

    // Takes the snapshot of the scan in force; false when none could be written (the previous
    // one is gone then too, restoring does nothing, and TellMissingSnapshot tells it).
    bool CreateTempSnapshot();
    // True while the scan in force has an undo snapshot to go back to.
    bool HasSnapshot() const { return !snapshot_.FileName().empty(); }
    // Brings back the values of the snapshot; the caller recomputes the statistics.
    void RestoreTempSnapshot();
    void DeleteTempSnapshot();
    const std::u16string& TempFileName() const { return snapshot_.FileName(); }

private:
    struct TPreparedOpen;
    enum class TPrepareResult { Ready, NotFound, Unusable, NoMemory, Reported };

    // These show their message unless memory is too short even for that; a "%s" in the text
    // is filled with Name.
    void ShowMessage(uint8_t Kind, TTextId TextID, const std::u16string& Default, const std::u16string& Name = {});
    void ShowError(TTextId TextID, const std::u16string& Default, const std::u16string& Name = {});
    void ShowOpenError(const EFOpenError& Error);
    // Null (and the message shown) when the file cannot be opened.
    std::unique_ptr<TStream> OpenForReading(const std::u16string& FileName);
    // Reads the file into a scan of its own and writes its snapshot, changing nothing of the
    // program's state. May throw (std::bad_alloc among others).
    TPrepareResult Prepare(const std::u16string& FileName, std::string& Magic, TScanData& Current,
                           TPreparedOpen& Open);
    // Puts a prepared open in force.
    void Commit(TPreparedOpen& Open, TScanData& Scan) noexcept;
    // Replaces the items of both recent menus by List's; on failure both stay as they were.
    void RebuildRecentMenus(const TRecentFileList& List, bool OnlyExistingFiles);

    TScanDataRef scanData_;
    TViewStates& viewStates_;
    TMessageSink* messages_;
    TOwned<TComponent> popupOwner_;  // the popup menu's component
    IElPopupMenu* popupMenu_;
    TRecentFileList recent_;
    TUndoSnapshot snapshot_;
    bool snapshotUntold_ = false;  // the scan in force has no snapshot, and the user was not told
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
