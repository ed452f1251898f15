// The scan in memory: a rectangular grid of points linked to their four neighbours, built
// point by point through the receive protocol, with statistics, depth levels, selection,
// colours from the colour scale and fault-signal correction.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "scan/model/DataTypes.h"
#include "scan/model/ExactSum.h"
#include "scan/model/ScanPointPool.h"

class TColorManager;

// The fields are ordered so that no padding lies between them: a scan holds millions of points
// and every pass over them reads them all.
struct TScanPoint {
    uint8_t Invalid = 0;  // 1 when Value was NaN at creation
    uint8_t R = 255;
    uint8_t G = 255;
    uint8_t B = 255;
    float X = 0.0f;       // grid column, 0-based
    float Y = 0.0f;       // grid row, 0-based
    float Value = 0.0f;
    float DisplayValue = 0.0f;  // the drawn height and the smoothing's scratch value
    uint8_t Carried[24] = {};
    // Scratch of the model's bulk operations (a point's place in row order); means nothing
    // between them.
    uint32_t Tag = 0;
    TScanPoint* Up = nullptr;        // same column, row + 1
    TScanPoint* Next = nullptr;      // same row, column + 1
    TScanPoint* Previous = nullptr;  // same row, column - 1
    TScanPoint* Down = nullptr;      // same column, row - 1
};

// A value that takes part in the statistics: NaN marks a missing reading, and an infinite
// reading would make every percentage and the average meaningless.
inline bool IsStatisticValue(float Value) { return std::isfinite(Value); }

// Least, greatest, exact sum and number of the values that take part in the statistics.
struct TValueStatistics {
    float Min = 3.4e38f;
    float Max = std::numeric_limits<float>::lowest();
    TExactSumBins Sum;
    uint64_t Count = 0;

    void Add(float Value)
    {
        if (!IsStatisticValue(Value)) return;
        Min = Value < Min ? Value : Min;
        Max = Value > Max ? Value : Max;
        Sum.Add(Value);
        ++Count;
    }
};

// How the scan reaches the colour manager: read at each use, so that the colour manager may
// be created after the scan.
using TColorManagerRef = std::function<TColorManager*()>;

class TScanData {
public:
    // Starting values that ClearScan restores.
    static constexpr float MinValueStart = 3.4e38f;
    static constexpr float MaxValueStart = std::numeric_limits<float>::lowest();  // below every value

    // Reads *ColorManagerVar at each use (nullptr: no colour manager, statistics do nothing).
    explicit TScanData(TColorManager* const* ColorManagerVar);
    explicit TScanData(TColorManagerRef ColorManager);
    ~TScanData();
    TScanData(const TScanData&) = delete;
    TScanData& operator=(const TScanData&) = delete;

    // The receive layout (LinesPerBlock, PointsPerLine, LineOrder, Reverse) is set through
    // the setters before BeginReceive; they ignore changes while a receive is under way.
    uint32_t LinesPerBlock = 0;
    uint32_t CurrentLine = 1;
    uint32_t PointsPerLine = 0;
    uint32_t CurrentPosition = 1;
    uint32_t Count = 0;
    uint32_t CurrentBlock = 1;
    uint8_t ColumnWalkDown = 0;
    TScanPoint* First = nullptr;
    uint8_t Receiving = 0;
    uint8_t Changed = 1;

    float Average = 0.0f;
    float MinX = 0.0f, MaxX = 0.0f, MinY = 0.0f, MaxY = 0.0f;
    float MinValue = MinValueStart;
    float MaxValue = MaxValueStart;
    float LowerBound = 0.0f, UpperBound = 0.0f;
    float LevelValue = 0.0f;
    float LevelStep = 0.0f;
    float SoilFactor = 3.0f;
    float MaxLevel = 3.0f;
    float Level = 0.0f;
    TScanPoint* Selected = nullptr;
    float SelectedLevel = 0.0f;
    uint8_t LineOrder = 0;  // 1 parallel, anything else zig-zag
    uint8_t ScanMode = 0;   // 1 line diagram, 2 top view, 3 side view, else the 3-D scene
    uint8_t Reverse = 0;
    int8_t Direction = 1;
    uint8_t ColorScheme = 0;

    // Kept by AdoptScan, like the thresholds below.
    std::array<float, 151> DiagramSamples{};
    float DiagramMin = 0.0f, DiagramMax = 0.0f, DiagramRange = 0.0f;

    // The thresholds and the diagram belong to the program, not to one scan: AdoptScan keeps
    // them.
    float SurfaceThreshold = 0.0f;
    float SurroundThreshold = 0.0f;

    bool IsEmpty() const { return Count == 0; }
    void ClearScan();

    // The memory a scan of Points points in Rows rows takes when received whole (its points,
    // and the row ends the receive keeps), so that a scan can be refused before it is made.
    static uint64_t StorageBytes(uint64_t Points, uint64_t Rows);

    void SetLineOrder(uint8_t Value);
    void SetScanMode(uint8_t Value);
    void SetPointsPerLine(uint32_t Value);
    void SetLinesPerBlock(uint32_t Value);
    void SetReverse(uint8_t Value);

    // The receive protocol. AddScanPoint and EndReceive allocate: they may throw
    // std::bad_alloc, and the scan is then whatever had arrived.
    void BeginReceive(uint8_t Mode);
    void AddScanPoint(const TScanRecord& Record);
    void EndReceive();
    void StopReceiving() { Receiving = 0; }

    // A scan that must survive a new one that cannot be built (no memory) is replaced in two
    // steps: the new scan is received into a scan of its own, made with this one's colour
    // manager and ended with EndReceiveAside, which pads and links it like EndReceive but
    // computes no statistics and so touches nothing shared; AdoptScan then takes it over.
    void EndReceiveAside();
    // Replaces this scan by Built (ended with EndReceiveAside, its values unchanged since)
    // without anything that can fail, then computes the statistics and colours as EndReceive
    // does, from the values gathered while Built was received. The thresholds and the
    // diagram stay this scan's; Built is left empty.
    void AdoptScan(TScanData& Built) noexcept;
    const TColorManagerRef& ColorManager() const { return colorManager_; }

    void RecomputeStatistics();

    // Row order: row 0 left to right, then row 1, ...; nullptr after the last point.
    TScanPoint* FirstPoint();
    TScanPoint* NextPoint();
    // Column serpentine: column 0 upwards, column 1 downwards, ...; needs a complete grid.
    TScanPoint* FirstColumnPoint();
    TScanPoint* NextColumnPoint();

    // From Selected (or First), at most Steps steps along one link; nullptr only when empty.
    TScanPoint* GetNextLinePoint(uint8_t Steps) const;
    TScanPoint* GetNextPoint(uint8_t Steps) const;
    TScanPoint* GetPreviousPoint(uint8_t Steps) const;
    TScanPoint* GetPreviousLinePoint(uint8_t Steps) const;

    void SelectPoint(TScanPoint* Point);
    void LevelDown();
    void LevelUp();
    void SetSoilFactor(float Value);

    float NeighbourMean(TScanPoint* Point, bool WriteBack);
    void CorrectFaultSignals(bool SelectedOnly);

    // Replacements after which CorrectFaultSignals stops, per point of the scan: with low
    // thresholds the extremes relax towards their neighbours almost without end.
    static constexpr uint64_t CorrectionLimitPerPoint = 16;

    // For the model's own bulk operations: the grid's width and height when it is whole and
    // its coordinates are exact, else false.
    bool CompleteGridSize(uint32_t& Width, uint32_t& Height) const;
    // Visits every point made, in storage order.
    template <typename F>
    void ForEachStoredPoint(F&& Visit) { pool_.ForEach(Visit); }
    // Visits the points in the order of FirstColumnPoint and NextColumnPoint without
    // disturbing that walk. A scan received one point per line in zig-zag order was stored in
    // this order: storage order then serves.
    template <typename F>
    void ForEachInColumnOrder(F&& Visit);

private:
    // Moves every member: the whole of a scan, as AdoptScan needs it.
    TScanData& operator=(TScanData&&) = default;

    TColorManager* Colors() const { return colorManager_ ? colorManager_() : nullptr; }
    // The point after P in column serpentine order: along P's column upwards, or downwards
    // while Down is set; at the column's end the next column, walked the other way.
    static TScanPoint* NextInColumnOrder(TScanPoint* P, uint8_t& Down)
    {
        if (TScanPoint* next = Down ? P->Down : P->Up)
            return next;
        Down = Down ? 0 : 1;
        return P->Next;
    }
    void ResetReceiveState();
    void NoteProvisional(float Value);
    void InsertIntoLine(TScanPoint* Point);
    void LinkLine();
    void Stitch(TScanPoint* Start);
    float PaddingValue() const;
    void UpdateLevelValue();
    // Sets the statistics, levels and colour scale from the values' figures and colours
    // every point; without a colour manager everything stays as it is.
    void ApplyStatistics(const TValueStatistics& Values);
    // Visits every point of the grid once, in no particular order: the statistics and the
    // colours do not depend on it.
    template <typename F>
    void ForEachGridPoint(F&& Visit);
    TScanPoint* StepFromSelection(TScanPoint* TScanPoint::*Link, uint8_t Steps) const;
    bool CorrectFaultSignalsFast();

    TColorManagerRef colorManager_;
    TNodePool<TScanPoint> pool_;

    // Receive state: the line being filled and the rows of the grid (row index = line - 1 of
    // block 1). The row heads and tails replace walking the grid for each new line.
    TScanPoint* lineHead_ = nullptr;
    TScanPoint* lineTail_ = nullptr;
    std::vector<TScanPoint*> rowHeads_;
    std::vector<TScanPoint*> rowTails_;
    bool provisionalSeen_ = false;  // a valid value has arrived during this receive
    // Sum and number of the valid values linked into the grid, the padding's mean: kept from
    // the start of the padding on.
    TExactSumBins linkedSum_;
    uint64_t linkedValid_ = 0;
    bool padding_ = false;
    // The figures of every value received, padding included; after EndReceiveAside they are
    // those of the whole grid, until a value changes.
    TValueStatistics received_;
    // True when the storage order is the column serpentine order (see ForEachInColumnOrder).
    bool storedInColumnOrder_ = false;

    // Walk positions.
    TScanPoint* rowWalkHead_ = nullptr;
    TScanPoint* rowWalkPoint_ = nullptr;
    TScanPoint* columnWalkPoint_ = nullptr;

    // True while the grid is whole (after EndReceive, or empty): every point made is linked,
    // the rows are equally long and each point's X and Y are its column and row.
    bool gridComplete_ = true;
};

template <typename F>
void TScanData::ForEachInColumnOrder(F&& Visit)
{
    if (storedInColumnOrder_) {
        pool_.ForEach(Visit);
        return;
    }
    uint8_t down = 0;
    for (TScanPoint* p = First; p; p = NextInColumnOrder(p, down))
        Visit(*p);
}
