#include "scan/files/_TFileManager.h"

#include "framework/Exceptions.h"
#include "framework/StrConv.h"
#include "scan/files/BufferedReadStream.h"
#include "scan/files/MessageSink.h"
#include "scan/model/_TScanData.h"
#include "scan/files/bkStrings.h"
#include "scan/files/globals.h"
#include "widgets/el/foundation/ElFileStream.h"
#include "widgets/el/menus/ElMenus.h"

#include <new>

namespace {

// Text ids and the English texts shown when the language file lacks them.
constexpr int32_t TextError = 171;
constexpr int32_t TextNotRecognised = 91;
constexpr int32_t TextNotFound = 92;
constexpr char16_t DefaultError[] = u"Error";
constexpr char16_t DefaultNotRecognised[] = u"The file format is not recognised.";
constexpr char16_t DefaultNotFound[] = u"File not found.";

constexpr uint8_t KindError = 1;
constexpr uint16_t ButtonOK = 4;

// Menus show "&" as a hot-key marker; a path shows it as it is.
std::u16string MenuCaptionOf(const std::u16string& Path)
{
    std::u16string caption;
    caption.reserve(Path.size());
    for (char16_t c : Path) {
        caption += c;
        if (c == u'&')
            caption += u'&';
    }
    return caption;
}

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
    : scanData_(std::move(ScanData)), viewStates_(ViewStates), messages_(Messages), popupMenu_(new TElPopupMenu(nullptr))
{
    popupMenu_->AutoHotkeys = maManual;
    popupMenu_->DrawStyle = tdsOfficeXP;
}

TFileManager::~TFileManager()
{
    DeleteTempSnapshot();
    if (MainMenuItem)
        MainMenuItem->Clear();
}

void TFileManager::ShowError(int32_t TextID, const std::u16string& Default)
{
    TMessageSink& sink = messages_ ? *messages_ : DefaultMessageSink();
    sink.ShowInfoDialog(KindError, GetText(TextError, DefaultError), GetText(TextID, Default), ButtonOK);
}

std::unique_ptr<TStream> TFileManager::OpenForReading(const std::u16string& FileName)
{
    try {
        // Writers are kept out from the parse to the end of the commit, so that the points
        // read then are the ones the parse checked.
        return std::make_unique<TElFileStream>(FileName, fmOpenRead | fmShareDenyWrite);
    } catch (const Exception&) {
        ShowError(TextNotFound, DefaultNotFound);
        return nullptr;
    }
}

bool TFileManager::ParseFile(TStream& Stream, const std::u16string& FileName, std::string& Magic,
                             TScanFileContent& Content)
{
    try {
        Magic = ReadScanFileMagic(Stream);
        const TScanFileKind kind = ScanFileKindOf(Magic, LowerFileExtension(FileName));
        if (kind != TScanFileKind::None) {
            Stream.SetPosition(0);
            if (ParseScanFile(Stream, kind, Content) == TScanParseResult::Ok)
                return true;
        }
    } catch (const Exception&) {
    } catch (const std::bad_alloc&) {
    }
    ShowError(TextNotRecognised, DefaultNotRecognised);
    return false;
}

void TFileManager::Commit(const std::u16string& FileName, TScanFileContent& Content, TStream& Stream,
                          TScanData& Scan)
{
    header_ = Content.Header;
    scanBlock_ = Content.ScanBlock;
    if (Content.HasViewStates)
        viewStates_ = Content.ViewStates;
    remarks_ = std::move(Content.Remarks);
    const bool tnw = IsTNWKind(Content.Kind);
    fileContent_ = tnw ? 1 : 0;
    if (tnw)
        fileTNWStart_ = Content.TNWStart;

    Scan.SetLineOrder(0);
    Scan.SetPointsPerLine(1);
    Scan.SetLinesPerBlock(static_cast<uint32_t>(scanBlock_.LinesPerBlock()));
    Scan.SetReverse(scanBlock_.ReverseFlag());
    Scan.BeginReceive(scanBlock_.ScanMode());
    ReadScanPoints(Stream, Content, [&Scan](const TScanRecord& Record) { Scan.AddScanPoint(Record); });
    Scan.EndReceive();

    fileName_ = FileName;
    loaded_ = true;
    Modified = false;
}

bool TFileManager::OpenFile(const std::u16string& FileName, std::string& Magic)
{
    Magic = std::string(1, '\0');
    if (!WideFileExists(FileName)) {
        ShowError(TextNotFound, DefaultNotFound);
        return false;
    }
    TScanData* scan = scanData_ ? scanData_() : nullptr;
    if (!scan)
        return false;
    {
        std::unique_ptr<TStream> file = OpenForReading(FileName);
        if (!file)
            return false;
        TBufferedReadStream stream(*file);
        TScanFileContent content;
        if (!ParseFile(stream, FileName, Magic, content))
            return false;
        Commit(FileName, content, stream, *scan);
    }
    CreateTempSnapshot();
    if (recent_.Add(FileName))
        RebuildRecentMenus(false);
    return true;
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

void TFileManager::ClearRecentMenus()
{
    popupMenu_->Items()->Clear();
    if (MainMenuItem)
        MainMenuItem->Clear();
}

void TFileManager::AddRecentMenuItems(int Slot)
{
    auto addTo = [&](TElMenuItem* Parent) {
        auto* item = new TElMenuItem(nullptr);
        item->SetCaption(MenuCaptionOf(recent_.Slot(Slot)));
        item->Tag = Slot;  // the path is read from the slot, never from the caption
        item->OnClick = [this](TObject* Sender) { RecentFileItemClick(Sender); };
        Parent->Add(item);
    };
    addTo(popupMenu_->Items());
    if (MainMenuItem)
        addTo(MainMenuItem);
}

void TFileManager::RebuildRecentMenus(bool OnlyExistingFiles)
{
    ClearRecentMenus();
    for (int slot = 0; slot < TRecentFileList::SlotCount; ++slot) {
        const std::u16string& path = recent_.Slot(slot);
        if (!path.empty() && (!OnlyExistingFiles || WideFileExists(path)))
            AddRecentMenuItems(slot);
    }
}

int TFileManager::LoadRecentFiles(TStream* Stream)
{
    if (!Stream)
        return 0;
    recent_.Load(*Stream);
    RebuildRecentMenus(true);
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

void TFileManager::CreateTempSnapshot()
{
    if (TScanData* scan = scanData_ ? scanData_() : nullptr)
        snapshot_.Create(*scan);
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
