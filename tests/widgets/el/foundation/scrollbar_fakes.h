// A scroll-bar host over plain state and a timer that only records, for the native tests of the
// bar model and its painter.
#pragma once

#include "widgets/el/foundation/ElCtrlScrollBarStyles.h"
#include "widgets/el/foundation/ElSBHost.h"

#include <string>
#include <vector>

struct FakeTimer : IElSBTimer {
    bool Running = false;
    std::vector<uint32_t> Starts;
    void Start(uint32_t IntervalMs) override
    {
        Running = true;
        Starts.push_back(IntervalMs);
    }
    void Stop() override { Running = false; }
};

struct FakeHost : IElScrollBarHost {
    struct Request {
        uint8_t Code;
        int32_t Pos;
        friend bool operator==(const Request&, const Request&) = default;
    };
    std::vector<Request> Requests;
    int Captures = 0, Releases = 0, Invalidates = 0, FrameUpdates = 0, FrameRepaints = 0;
    bool Handle = true;
    bool Loading = false;
    bool Enabled = true;
    bool OtherTracking = false;
    bool Visible = true;
    uint32_t WheelLines = 3;
    int32_t Metric = 17;
    TPoint Cursor{-1, -1};
    std::vector<std::u16string> Hints;
    // The window's scroll state, read by UpdateFromScrollInfo.
    TElScrollInfo Window;

    int32_t SystemMetric(TElSBMetric) override { return Metric; }
    uint32_t WheelScrollLines() override { return WheelLines; }
    bool HandleAllocated() override { return Handle; }
    bool IsLoading() override { return Loading; }
    bool ControlEnabled() override { return Enabled; }
    bool ReadScrollInfo(const TElSBHandlerCustom&, TElScrollInfo& Info, bool& Disabled) override
    {
        Info = Window;
        Disabled = false;
        return true;
    }
    bool BarVisible(const TElSBHandlerCustom&) override { return Visible; }
    bool SetBarVisible(TElSBHandlerCustom&, bool Value) override
    {
        const bool changed = Visible != Value;
        Visible = Value;
        return changed;
    }
    void UpdateFrame() override { ++FrameUpdates; }
    void RepaintFrame() override { ++FrameRepaints; }
    bool ScrollControl(TElSBHandlerCustom&, uint8_t Code, int32_t& Pos) override
    {
        Requests.push_back({Code, Pos});
        return false;
    }
    void InvalidateBar(TElSBHandlerCustom&, bool) override { ++Invalidates; }
    bool OtherBarTracking(const TElSBHandlerCustom&) override { return OtherTracking; }
    void CaptureMouse(TElSBHandlerCustom&) override { ++Captures; }
    void ReleaseMouse(TElSBHandlerCustom&) override { ++Releases; }
    TPoint CursorPos(const TElSBHandlerCustom&) override { return Cursor; }
    void ShowTrackHint(TElSBHandlerCustom&, TPoint, const std::u16string& Text) override { Hints.push_back(Text); }
    // Plain stand-ins for the system colours the painter resolves.
    TColor ResolveColor(TColor Color) override
    {
        switch (Color) {
        case clBtnFace: return 0xC0C0C0;
        case clScrollBar: return 0xC8C8C8;
        default: return Color;
        }
    }
};

// A bar of the given kind on Host, with a recording timer, sized Length x 17 and holding
// Min..Max, Page and Position.
struct TestBar {
    FakeHost Host;
    FakeTimer* Timer;
    TElCtrlScrollBarStyles Bar;

    explicit TestBar(uint8_t Kind = ebkHorizontal, int32_t Length = 200)
        : Bar(&Host, Kind, Kind == ebkVertical ? ElBarVert : ElBarHorz)
    {
        auto timer = std::make_unique<FakeTimer>();
        Timer = timer.get();
        Bar.SetRepeatTimer(std::move(timer));
        if (Kind == ebkVertical)
            Bar.SetSize(17, Length);
        else
            Bar.SetSize(Length, 17);
    }
    void SetRange(int32_t Min, int32_t Max, uint32_t Page, int32_t Pos)
    {
        TElScrollInfo info;
        info.fMask = ESIF_RANGE | ESIF_PAGE | ESIF_POS;
        info.nMin = Min;
        info.nMax = Max;
        info.nPage = Page;
        info.nPos = Pos;
        Bar.SetScrollInfo(info, false);
        Host.Requests.clear();
    }
    // Point at Along on the bar's middle line.
    TPoint At(int32_t Along) const { return Bar.Vertical() ? TPoint{8, Along} : TPoint{Along, 8}; }
    void Press(int32_t Along) { Bar.MouseDown(true, false, At(Along).X, At(Along).Y); }
    void Move(int32_t Along) { Bar.MouseMove(At(Along).X, At(Along).Y); }
    void Release() { Bar.MouseDown(false, false, 0, 0); }
};
