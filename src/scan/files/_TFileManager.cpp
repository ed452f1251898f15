#include "scan/files/_TFileManager.h"

#include "framework/Exceptions.h"
#include "framework/StrConv.h"
#include "scan/files/BufferedReadStream.h"
#include "scan/files/MessageSink.h"
#include "scan/files/TextIds.h"
#include "scan/model/_TScanData.h"
#include "scan/files/bkStrings.h"
#include "scan/files/globals.h"
#include "widgets/el/foundation/ElFileStream.h"
#include "widgets/el/menus/ElMenus.h"

#include "framework/FileUtils.h"
#include "framework/MemoryStatus.h"

#include <new>

namespace {

// The English texts shown when the language file lacks them.
constexpr char16_t DefaultError[] = u"Error";
constexpr char16_t DefaultInformation[] = u"Information";
constexpr char16_t DefaultNotRecognised[] = u"The file format is not recognised.";
constexpr char16_t DefaultNotFound[] = u"File not found.";
constexpr char16_t DefaultNoMemory[] = u"There is not enough memory to open \"%s\".";
constexpr char16_t DefaultNoSnapshot[] =
    u"The scan is open, but its values could not be saved for Undo: the temporary folder is full, "
    u"write-protected or missing. Changes to this scan cannot be undone.";

constexpr uint8_t KindError = 1;
constexpr uint8_t KindInformation = 2;
constexpr uint16_t ButtonOK = 4;

// What an open needs beside the points of the new scan: its read buffers and snapshot chunk,
// and room for the program to go on working (menus, messages, the first picture at its
// coarsest) once the scan is in.
constexpr uint64_t MemoryKeptFree = 64u << 20;

} // namespace

std::string LowerFileExtension(const std::u16string& FileName)
{
    const int32_t at = WideLastDelimiter(u"\\:.", FileName);
    if (at == 0 || FileName[static_cast<size_t>(at - 1)] != u'.')
        return {};
    std::u16string ext = FileName.substr(static_cast<size_t>(at - 1));
    for (char16_t& c : ext)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    return WideToAnsi(ext);
}

TFileManager::TFileManager(TScanDataRef ScanData, TViewStates& ViewStates, TMessageSink* Messages)
    : scanData_(std::move(ScanData)), viewStates_(ViewStates), messages_(Messages), popupMenu_(NewElPopupMenu(nullptr))
{
    popupOwner_.reset(popupMenu_->Component());
    popupMenu_->SetAutoHotkeys(maManual);
    popupMenu_->SetDrawStyle(tdsOfficeXP);
}

TFileManager::~TFileManager()
{
    DeleteTempSnapshot();
    if (MainMenuItem)
        MainMenuItem->Clear();
}

void TFileManager::ShowMessage(uint8_t Kind, TTextId TextID, const std::u16string& Default, const std::u16string& Name)
{
    try {
        TMessageSink& sink = messages_ ? *messages_ : DefaultMessageSink();
        const std::u16string caption =
            Kind == KindError ? GetText(Texts::Error, DefaultError) : GetText(Texts::Information, DefaultInformation);
        const std::u16string text = GetText(TextID, Default);
        sink.ShowInfoDialog(Kind, caption, Name.empty() ? text : FormatMessageS(text, Name), ButtonOK);
    } catch (const std::bad_alloc&) {
        // Without memory even for the message, the failure goes untold; nothing has changed.
    }
}

void TFileManager::ShowError(TTextId TextID, const std::u16string& Default, const std::u16string& Name)
{
    ShowMessage(KindError, TextID, Default, Name);
}

// Everything an open commits, made ready while the program's state is still untouched.
struct TFileManager::TPreparedOpen {
    std::u16string FileName;
    TScanFileContent Content;
    std::unique_ptr<TScanData> Scan;
    TNewSnapshot Snapshot;
    bool SnapshotWritten = false;
    TRecentFileList Recent;
    bool RecentChanged = false;
};

void TFileManager::ShowOpenError(const EFOpenError& Error)
{
    try {
        (messages_ ? *messages_ : DefaultMessageSink()).ShowErrorBox(Error.Message());
    } catch (const std::bad_alloc&) {
    }
}

std::unique_ptr<TStream> TFileManager::OpenForReading(const std::u16string& FileName)
{
    try {
        // Writers are kept out while the file is read, so that the points read are the ones
        // the parse checked.
        return std::make_unique<TElFileStream>(FileName, fmOpenRead | fmShareDenyWrite);
    } catch (const EFOpenError& e) {
        // A file that went between the test and the open is a missing file; any other refusal
        // (locked, no permission) is told as the system gives it.
        if (e.FileNotFound())
            ShowError(Texts::FileNotFound, DefaultNotFound);
        else
            ShowOpenError(e);
        return nullptr;
    }
}

TFileManager::TPrepareResult TFileManager::Prepare(const std::u16string& FileName, std::string& Magic,
                                                   TScanData& Current, TPreparedOpen& Open)
{
    {
        std::unique_ptr<TStream> file = OpenForReading(FileName);
        if (!file)
            return TPrepareResult::Reported;
        TBufferedReadStream stream(*file);
        Magic = ReadScanFileMagic(stream);
        const TScanFileKind kind = ScanFileKindOf(Magic, LowerFileExtension(FileName));
        if (kind == TScanFileKind::None)
            return TPrepareResult::Unusable;
        stream.SetPosition(0);
        // The points are counted against the memory left before any of them is made: a file
        // far too large for it is refused at once, not when memory runs out half-way.
        const uint64_t left = ProcessAddressSpace().Left;
        const uint64_t usable = left > MemoryKeptFree ? left - MemoryKeptFree : 0;
        switch (ParseScanFile(stream, kind, Open.Content, usable / sizeof(TScanPoint))) {
        case TScanParseResult::Ok:
            break;
        case TScanParseResult::TooManyPoints:
            return TPrepareResult::NoMemory;
        default:
            return TPrepareResult::Unusable;
        }
        const TScanBlock& block = Open.Content.ScanBlock;
        const uint64_t lines = static_cast<uint64_t>(block.LinesPerBlock());
        const uint64_t padding = (lines - Open.Content.PointCount % lines) % lines;
        if (TScanData::StorageBytes(Open.Content.PointCount + padding, lines) > usable)
            return TPrepareResult::NoMemory;

        // The new scan is built beside the current one, which stays whole until the commit.
        Open.Scan = std::make_unique<TScanData>(Current.ColorManager());
        TScanData& scan = *Open.Scan;
        scan.SetLineOrder(0);
        scan.SetPointsPerLine(1);
        scan.SetLinesPerBlock(static_cast<uint32_t>(block.LinesPerBlock()));
        scan.SetReverse(block.ReverseFlag());
        scan.BeginReceive(block.ScanMode());
        const uint64_t delivered =
            ReadScanPoints(stream, Open.Content, [&scan](const TScanRecord& Record) { scan.AddScanPoint(Record); });
        if (delivered != Open.Content.PointCount)
            return TPrepareResult::Unusable;  // the file changed or could not be read again
        scan.EndReceiveAside();
    }

    // A scan whose snapshot cannot be written (the temporary folder full, write-protected or
    // missing) opens all the same, without one: Undo all changes has nothing to restore then.
    Open.SnapshotWritten = snapshot_.WriteNew(*Open.Scan, Open.Snapshot) == TUndoSnapshot::TWriteResult::Written;
    Open.FileName = FileName;
    Open.Recent = recent_;
    Open.RecentChanged = Open.Recent.Add(FileName);
    return TPrepareResult::Ready;
}

void TFileManager::Commit(TPreparedOpen& Open, TScanData& Scan) noexcept
{
    TScanFileContent& content = Open.Content;
    header_ = content.Header;
    scanBlock_ = content.ScanBlock;
    if (content.HasViewStates)
        viewStates_ = content.ViewStates;
    remarks_ = std::move(content.Remarks);
    const bool tnw = IsTNWKind(content.Kind);
    fileContent_ = tnw ? 1 : 0;
    if (tnw)
        fileTNWStart_ = content.TNWStart;

    Scan.AdoptScan(*Open.Scan);
    fileName_.swap(Open.FileName);
    loaded_ = true;
    Modified = false;
    recent_ = std::move(Open.Recent);
    // Without a new snapshot the old one goes too: it holds another scan's values.
    snapshot_.Replace(Open.Snapshot);
    snapshotUntold_ = !Open.SnapshotWritten;
}

bool TFileManager::OpenFile(const std::u16string& FileName, std::string& Magic)
{
    Magic = std::string(1, '\0');
    TScanData* scan = scanData_ ? scanData_() : nullptr;

    // Nothing of the program's state changes until everything that can fail has succeeded:
    // the scan is built, the snapshot written and the menus made aside; the commit cannot
    // fail. A file that cannot be read whole, also for lack of memory, is a damaged file.
    TPrepareResult prepared = TPrepareResult::Unusable;
    {
        TPreparedOpen open;
        try {
            if (!WideFileExists(FileName)) {
                prepared = TPrepareResult::NotFound;
            } else if (!scan) {
                return false;
            } else {
                prepared = Prepare(FileName, Magic, *scan, open);
                if (prepared == TPrepareResult::Ready && open.RecentChanged)
                    RebuildRecentMenus(open.Recent, false);
            }
        } catch (const std::bad_alloc&) {
            prepared = TPrepareResult::NoMemory;
        } catch (const std::exception&) {
            // The framework's errors: the file could not be read again as it was parsed.
            prepared = TPrepareResult::Unusable;
        }
        if (prepared == TPrepareResult::Ready) {
            Commit(open, *scan);
            return true;
        }
        TUndoSnapshot::Discard(open.Snapshot);
    }
    // The memory of the scan built aside is free again for the message.
    if (prepared == TPrepareResult::NotFound)
        ShowError(Texts::FileNotFound, DefaultNotFound);
    else if (prepared == TPrepareResult::Unusable)
        ShowError(Texts::FormatNotRecognised, DefaultNotRecognised);
    else if (prepared == TPrepareResult::NoMemory)
        ShowError(Texts::NoMemoryToOpen, DefaultNoMemory, WideExtractFileName(FileName));
    return false;
}

void TFileManager::TellMissingSnapshot()
{
    if (!snapshotUntold_)
        return;
    snapshotUntold_ = false;
    ShowMessage(KindInformation, Texts::NoUndoSnapshot, DefaultNoSnapshot);
}

void TFileManager::SetRemarks(const TRemarksRec_L3D_3& Value)
{
    remarks_ = Value;
    Modified = true;
}

int TFileManager::ReadRemarks(TStream* Stream)
{
    if (!Stream)
        return 1;
    return ReadRemarksRecord(*Stream, remarks_) ? 0 : 2;
}

namespace {

// Appends one item per listed slot (the path kept in the slot, the caption shown with "&"
// doubled) after the items Parent has.
void AppendRecentItems(TMenuItem& Parent, const TRecentFileList& List, bool OnlyExistingFiles,
                       const std::function<void(TObject*)>& OnClick)
{
    for (int slot = 0; slot < TRecentFileList::SlotCount; ++slot) {
        const std::u16string& path = List.Slot(slot);
        if (path.empty() || (OnlyExistingFiles && !WideFileExists(path)))
            continue;
        TOwned<TElMenuItem> item(new TElMenuItem(nullptr));
        item->SetCaption(MenuCaptionOfText(path));
        item->Tag = slot;  // the path is read from the slot, never from the caption
        item->OnClick = OnClick;
        Parent.Add(item.get());
        item.release();
    }
}

// Frees Parent's items from index From on, the last first.
void FreeItemsFrom(TMenuItem& Parent, int From)
{
    while (Parent.Count() > From) {
        TMenuItem* item = Parent.Items(Parent.Count() - 1);
        Free(item);
    }
}

} // namespace

void TFileManager::RebuildRecentMenus(const TRecentFileList& List, bool OnlyExistingFiles)
{
    // The new items are added after the old ones, which go only when both menus are complete:
    // a failure on the way leaves both menus as they were.
    TMenuItem* parents[2] = {popupMenu_->Items(), MainMenuItem.Get()};
    int oldCounts[2] = {parents[0]->Count(), parents[1] ? parents[1]->Count() : 0};
    const auto onClick = [this](TObject* Sender) { RecentFileItemClick(Sender); };
    try {
        for (TMenuItem* parent : parents)
            if (parent)
                AppendRecentItems(*parent, List, OnlyExistingFiles, onClick);
    } catch (...) {
        for (int i = 0; i < 2; ++i)
            if (parents[i])
                FreeItemsFrom(*parents[i], oldCounts[i]);
        throw;
    }
    for (int i = 0; i < 2; ++i) {
        for (int n = 0; parents[i] && n < oldCounts[i]; ++n) {
            TMenuItem* item = parents[i]->Items(0);
            Free(item);
        }
    }
}

int TFileManager::LoadRecentFiles(TStream* Stream)
{
    if (!Stream)
        return 0;
    TRecentFileList read;
    read.Load(*Stream);
    RebuildRecentMenus(read, true);
    recent_ = std::move(read);
    return 1;
}

int TFileManager::SaveRecentFiles(TStream* Stream)
{
    if (!Stream)
        return 0;
    recent_.Save(*Stream);
    return 1;
}

void TFileManager::RecentFileItemClick(TObject* Sender)
{
    auto* item = dynamic_cast<TElMenuItem*>(Sender);
    if (!item || item->Tag < 0 || item->Tag >= TRecentFileList::SlotCount)
        return;
    // A copy: opening may rebuild the menus and free the item.
    const std::u16string path = recent_.Slot(item->Tag);
    if (!path.empty() && OnOpenRecentFile)
        OnOpenRecentFile(path);
}

bool TFileManager::CreateTempSnapshot()
{
    TScanData* scan = scanData_ ? scanData_() : nullptr;
    const bool written = scan && snapshot_.Create(*scan);
    snapshotUntold_ = !written;
    return written;
}

void TFileManager::RestoreTempSnapshot()
{
    if (TScanData* scan = scanData_ ? scanData_() : nullptr)
        snapshot_.Restore(*scan);
}

void TFileManager::DeleteTempSnapshot()
{
    snapshot_.Remove();
}
