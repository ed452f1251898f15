// TIcon: an icon made from the bytes of an .ico file (validated) or taken from a handle.
#pragma once

#include "framework/Objects.h"
#include "framework/ScopedGdi.h"
#include "framework/Streams.h"
#include "framework/Types.h"

#include <windows.h>

class TIcon : public TPersistent {
public:
    TIcon() = default;
    ~TIcon() override = default;
    const char* ClassName() const override { return "TIcon"; }
    void Assign(const TPersistent* Source) override;

    bool Empty() const { return !handle_; }
    HICON Handle() const { return handle_.get(); }
    // Takes ownership of an icon handle.
    void SetHandle(HICON Icon);
    int Width() const { return width_; }
    int Height() const { return height_; }

    // An .ico file: the image nearest to Width x Height (the first when 0). A file whose
    // directory points outside its bytes, or that the system cannot read, raises EReadError.
    void LoadFromStream(TStream& Stream, int Width = 0, int Height = 0);
    void LoadFromFile(const std::u16string& FileName, int Width = 0, int Height = 0);

    void Draw(HDC Dc, int X, int Y) const;
    void StretchDraw(HDC Dc, const TRect& R) const;

private:
    void Release();
    TOwnedIcon handle_;
    int width_ = 0, height_ = 0;
};
