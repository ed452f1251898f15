// The scan the main window shows and where it came from: the renderer that owns the scan, the
// file manager that opened it (its file name, remarks, recent list and undo snapshot), the
// magic of the last file that loaded and whether an edit changed the points since.
//
// The renderer's type is a parameter: the program's draws with OpenGL on its window
// (TScanImage, Windows only), and the tests give the portable scene it is built on, so the
// session's rules (what an open changes, when Undo may act) run natively as they run in the
// program.
#pragma once

#include "scan/files/_TFileManager.h"
#include "scan/model/_TScanData.h"
#include "scan/render/ScanScene.h"

#include <memory>
#include <string>
#include <type_traits>

class TMessageSink;

template <class TImage>
class TScanSession {
public:
    // Views: the view states the file manager reads from a file and writes to one; they
    // outlive the session.
    explicit TScanSession(TViewStates& Views) : views_(Views)
    {
        static_assert(std::is_base_of_v<TScanScene, TImage>, "the renderer draws a scan scene");
    }
    TScanSession(const TScanSession&) = delete;
    TScanSession& operator=(const TScanSession&) = delete;

    // Made first, when the window is made; it reads the scan through the renderer in force at
    // each use, so the renderer may come later. Messages null means DefaultMessageSink().
    TFileManager& MakeFileManager(TMessageSink* Messages = nullptr)
    {
        files_ = std::make_unique<TFileManager>([this] { return Scan(); }, views_, Messages);
        return *files_;
    }
    // The renderer, made once the window and the colour manager exist.
    void SetImage(std::unique_ptr<TImage> Image) { image_ = std::move(Image); }
    // The window's end frees the renderer before the colour manager it reads, and the file
    // manager only after the settings (which hold its recent list) are written.
    void ReleaseImage() { image_.reset(); }
    void ReleaseFileManager() { files_.reset(); }

    // Null before they are made and after they are released. The session decides which
    // renderer and file manager are in force; what they hold is theirs.
    TImage* Image() const { return image_.get(); }
    TFileManager* Files() const { return files_.get(); }
    // The scan in force: the renderer's (null without a renderer).
    TScanData* Scan() const { return image_ ? image_->ScanData.get() : nullptr; }

    // The magic of the last file that loaded; empty before the first.
    const std::string& Magic() const { return magic_; }
    // The file the scan came from; empty before the first.
    const std::u16string& FileName() const
    {
        static const std::u16string none;
        return files_ ? files_->FileName() : none;
    }
    // An edit changed the points since the scan was opened.
    bool Edited() const { return edited_; }

    // Opens FileName into the scan. True when it loaded: the magic is then the file's and no
    // edit is noted. A file that is missing, unrecognised or damaged has shown its message
    // and changed nothing, the magic and the edit included.
    bool Open(const std::u16string& FileName)
    {
        if (!files_)
            return false;
        // The camera is overwritten from the view states before every view is drawn; resetting
        // it here only keeps a stale camera from ever reaching a paint.
        if (image_) {
            image_->SetRotation(0.0f, 0.0f, 0.0f);
            image_->SetScale(1.0f, 1.0f, 1.0f);
            image_->SetTranslation(0.0f, 0.0f, 0.0f);
        }
        std::string magic;
        if (!files_->OpenFile(FileName, magic))
            return false;
        magic_ = std::move(magic);
        edited_ = false;
        return true;
    }

    // An edit changed the points.
    void NoteEdited() { edited_ = true; }
    // Undo all changes has something to bring back: an edit since the open, and the snapshot
    // the open took (a scan opened without one has nothing to go back to).
    bool CanUndo() const { return edited_ && files_ && files_->HasSnapshot(); }
    // Undo all changes: after an edit, the opened values come back with statistics of their
    // own (without them the restored scan would be drawn with the range of the edited one) and
    // are drawn anew. False, and nothing done, before an edit. The edit stays noted.
    bool Undo()
    {
        TScanData* scan = Scan();
        if (!edited_ || !scan || !files_)
            return false;
        files_->RestoreTempSnapshot();
        scan->RecomputeStatistics();
        scan->Changed = 1;
        image_->Rebuild = 1;
        return true;
    }

private:
    TViewStates& views_;
    std::unique_ptr<TFileManager> files_;
    std::unique_ptr<TImage> image_;
    std::string magic_;
    bool edited_ = false;
};
