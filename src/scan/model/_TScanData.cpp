#include "scan/model/_TScanData.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "scan/model/_TColorManager.h"
#include "scan/model/ScanGridWalk.h"

TScanData::TScanData(TColorManager* const* ColorManagerVar)
    : TScanData(TColorManagerRef([ColorManagerVar]() { return ColorManagerVar ? *ColorManagerVar : nullptr; }))
{
}

TScanData::TScanData(TColorManagerRef ColorManager) : colorManager_(std::move(ColorManager))
{
    Receiving = 0;
    ClearScan();
}

TScanData::~TScanData() = default;

void TScanData::ClearScan()
{
    pool_.Clear();
    gridComplete_ = true;
    storedInColumnOrder_ = false;
    rowHeads_.clear();
    rowTails_.clear();
    ResetReceiveState();

    CurrentLine = 1;
    CurrentPosition = 1;
    Count = 0;
    CurrentBlock = 1;
    First = nullptr;
    rowWalkHead_ = rowWalkPoint_ = columnWalkPoint_ = nullptr;
    Changed = 1;
    Average = 0.0f;
    MinX = MaxX = MinY = MaxY = 0.0f;
    MinValue = MinValueStart;
    MaxValue = MaxValueStart;
    LowerBound = UpperBound = 0.0f;
    LevelValue = 0.0f;
    LevelStep = 0.0f;
    SoilFactor = 3.0f;
    MaxLevel = 3.0f;
    Level = 0.0f;
    Selected = nullptr;
    SelectedLevel = 0.0f;
    Direction = 1;
    ColorScheme = 0;
}

void TScanData::ResetReceiveState()
{
    lineHead_ = lineTail_ = nullptr;
    provisionalSeen_ = false;
    linkedSum_ = TExactSumBins();
    linkedValid_ = 0;
    padding_ = false;
    received_ = TValueStatistics();
}

// The layout must stay fixed during a receive: the grid being built depends on it.
void TScanData::SetLineOrder(uint8_t Value)
{
    if (Receiving != 1 && Value != LineOrder) LineOrder = Value;
}

void TScanData::SetScanMode(uint8_t Value)
{
    if (Value != ScanMode) ScanMode = Value;
}

void TScanData::SetPointsPerLine(uint32_t Value)
{
    if (Receiving != 1 && Value != PointsPerLine) PointsPerLine = Value;
}

void TScanData::SetLinesPerBlock(uint32_t Value)
{
    if (Receiving != 1 && Value != LinesPerBlock) LinesPerBlock = Value;
}

void TScanData::SetReverse(uint8_t Value)
{
    if (Receiving != 1 && Value != Reverse) Reverse = Value;
}

void TScanData::BeginReceive(uint8_t Mode)
{
    ClearScan();
    SetScanMode(Mode);
    Receiving = 1;
    gridComplete_ = false;
}

void TScanData::AddScanPoint(const TScanRecord& Record)
{
    // Without a line length and a block height there is no place for a point.
    if (Receiving != 1 || PointsPerLine == 0 || LinesPerBlock == 0) return;

    TScanPoint* point = pool_.New();
    point->Invalid = std::isnan(Record.Value) ? 1 : 0;
    point->X = Record.X;
    point->Y = Record.Y;
    point->Value = Record.Value;
    point->DisplayValue = Record.Value;
    std::memcpy(point->Carried, Record.Carried, sizeof point->Carried);
    ++Count;

    if (CurrentPosition > PointsPerLine) {
        CurrentPosition = 1;
        const int64_t line = int64_t(CurrentLine) + Direction;
        if (line < 1 || line > int64_t(LinesPerBlock)) {
            if (LineOrder == 1) {
                CurrentLine = 1;
            } else {
                CurrentLine = Direction == 1 ? LinesPerBlock : 1;
                Direction = int8_t(-Direction);
            }
            LinkLine();  // still in the finished block
            ++CurrentBlock;
        } else {
            CurrentLine = uint32_t(line);
            LinkLine();
        }
    }

    InsertIntoLine(point);
    ++CurrentPosition;
    Changed = 1;
}

void TScanData::InsertIntoLine(TScanPoint* Point)
{
    const uint32_t blockStart = (CurrentBlock - 1) * PointsPerLine;
    const uint32_t column =
        Reverse == 1 ? blockStart + (PointsPerLine - CurrentPosition) : blockStart + (CurrentPosition - 1);
    Point->X = float(column);
    Point->Y = float(CurrentLine - 1);
    MaxX = std::max(MaxX, Point->X);
    MaxY = std::max(MaxY, Point->Y);
    NoteProvisional(Point->Value);

    // A line always runs left to right along Next: reversed lines grow at the head.
    if (!lineHead_) {
        lineHead_ = lineTail_ = Point;
    } else if (Reverse == 1) {
        Point->Next = lineHead_;
        lineHead_->Previous = Point;
        lineHead_ = Point;
    } else {
        lineTail_->Next = Point;
        Point->Previous = lineTail_;
        lineTail_ = Point;
    }
}

// Statistics shown while a scan arrives; RecomputeStatistics replaces them. A flag, not a
// special average, tells that no value has arrived yet (any float can be a reading).
void TScanData::NoteProvisional(float Value)
{
    received_.Add(Value);
    if (!IsStatisticValue(Value)) return;
    MinValue = std::min(MinValue, Value);
    MaxValue = std::max(MaxValue, Value);
    Average = provisionalSeen_ ? float((double(Average) + Value) / 2.0) : Value;
    provisionalSeen_ = true;
}

void TScanData::LinkLine()
{
    TScanPoint* head = lineHead_;
    if (!head) return;

    if (!First) {
        First = head;
        rowHeads_.assign(1, head);
        rowTails_.assign(1, lineTail_);
    } else if (CurrentBlock == 1) {
        // The first block stacks its lines: each new line becomes the top row.
        TScanPoint* top = rowHeads_.back();
        top->Up = head;
        head->Down = top;
        rowHeads_.push_back(head);
        rowTails_.push_back(lineTail_);
        Stitch(top);
    } else {
        // Later blocks extend the row named by the line's Y (the top row when it lies higher).
        const double y = head->Y;
        const size_t top = rowTails_.size() - 1;
        const size_t row = y >= double(top) ? top : size_t(std::nearbyint(y));
        TScanPoint* end = rowTails_[row];
        end->Next = head;
        head->Previous = end;
        rowTails_[row] = lineTail_;
        Stitch(end);
    }

    for (const TScanPoint* p = head; padding_ && p; p = p->Next) {
        if (IsStatisticValue(p->Value)) {
            linkedSum_.Add(p->Value);
            ++linkedValid_;
        }
    }
    lineHead_ = lineTail_ = nullptr;
}

// Completes the vertical links of the points after Start in its row with the rows above and
// below, whichever of them are already there.
void TScanData::Stitch(TScanPoint* Start)
{
    for (TScanPoint* p = Start; p->Next; p = p->Next) {
        if (p->Up && p->Up->Next) {
            p->Next->Up = p->Up->Next;
            p->Up->Next->Down = p->Next;
        }
        if (p->Down && p->Down->Next) {
            p->Next->Down = p->Down->Next;
            p->Down->Next->Up = p->Next;
        }
    }
}

// The value of the next padding point: the mean of the valid values linked so far (the line
// being filled is not linked yet), as the statistics would give it at this moment.
float TScanData::PaddingValue() const
{
    if (!Colors()) return provisionalSeen_ ? Average : std::numeric_limits<float>::quiet_NaN();
    if (linkedValid_ == 0) return std::numeric_limits<float>::quiet_NaN();
    return float(linkedSum_.Value() / double(linkedValid_));
}

uint64_t TScanData::StorageBytes(uint64_t Points, uint64_t Rows)
{
    // The row ends grow by doubling: up to twice their count each. Counts beyond any address
    // space saturate instead of wrapping.
    constexpr uint64_t RowBytes = 2 * 2 * sizeof(TScanPoint*);
    constexpr uint64_t Limit = UINT64_MAX / 4;
    if (Points > Limit / sizeof(TScanPoint) || Rows > Limit / RowBytes)
        return UINT64_MAX;
    return Points * sizeof(TScanPoint) + Rows * RowBytes;
}

void TScanData::EndReceive()
{
    if (Receiving != 1) return;
    EndReceiveAside();
    ApplyStatistics(received_);
}

void TScanData::EndReceiveAside()
{
    if (Receiving != 1) return;

    // Pad the last block to whole lines and lines per block. The product of two 32-bit
    // counts needs 64 bits.
    const uint64_t cell = uint64_t(PointsPerLine) * LinesPerBlock;
    if (Count > 0 && cell > 0 && Count % cell != 0) {
        // Everything received is linked but the line being filled; from here on the lines
        // linked are counted as they come.
        linkedSum_ = received_.Sum;
        linkedValid_ = received_.Count;
        for (const TScanPoint* p = lineHead_; p; p = p->Next) {
            if (IsStatisticValue(p->Value)) {
                linkedSum_.Subtract(p->Value);
                --linkedValid_;
            }
        }
        padding_ = true;
        while (Count % cell != 0) {
            TScanRecord padding;
            padding.Value = PaddingValue();
            AddScanPoint(padding);
        }
    }
    LinkLine();
    gridComplete_ = Count == 0 || uint64_t(Count) % (uint64_t(PointsPerLine) * LinesPerBlock) == 0;
    // One point per line in zig-zag order makes each block one column, filled upwards and
    // downwards in turn: the column serpentine order.
    storedInColumnOrder_ = gridComplete_ && PointsPerLine == 1 && LineOrder != 1;
    Selected = First;
    Receiving = 0;
}

void TScanData::AdoptScan(TScanData& Built) noexcept
{
    static_assert(noexcept(std::declval<TScanData&>() = std::declval<TScanData&&>()),
                  "adopting a scan must not be able to fail half-way");
    TColorManagerRef colors = std::move(colorManager_);
    const float surfaceThreshold = SurfaceThreshold;
    const float surroundThreshold = SurroundThreshold;
    const std::array<float, 151> diagramSamples = DiagramSamples;
    const float diagramMin = DiagramMin, diagramMax = DiagramMax, diagramRange = DiagramRange;

    *this = std::move(Built);

    colorManager_ = std::move(colors);
    SurfaceThreshold = surfaceThreshold;
    SurroundThreshold = surroundThreshold;
    DiagramSamples = diagramSamples;
    DiagramMin = diagramMin;
    DiagramMax = diagramMax;
    DiagramRange = diagramRange;
    // Built's pointers went with its points.
    Built.ClearScan();
    Built.Receiving = 0;

    Changed = 1;
    ApplyStatistics(received_);
    Selected = First;
}

bool TScanData::CompleteGridSize(uint32_t& Width, uint32_t& Height) const
{
    // Float coordinates are exact below 2^24.
    if (!gridComplete_ || rowHeads_.empty() || Count >= (1u << 24)) return false;
    Height = uint32_t(rowHeads_.size());
    Width = Count / Height;
    return uint64_t(Width) * Height == Count;
}

template <typename F>
void TScanData::ForEachGridPoint(F&& Visit)
{
    // Without an unfinished line every point made is linked into the grid: the storage order
    // then serves and is much kinder to the cache than the rows of a scan received by columns.
    if (!lineHead_)
        pool_.ForEach(Visit);
    else
        ForEachInRowOrder(First, Visit);
}

void TScanData::RecomputeStatistics()
{
    if (!Colors()) return;
    TValueStatistics values;
    ForEachGridPoint([&values](const TScanPoint& p) { values.Add(p.Value); });
    ApplyStatistics(values);
}

void TScanData::ApplyStatistics(const TValueStatistics& Values)
{
    TColorManager* colors = Colors();
    if (!colors) return;
    if (Values.Count == 0) {
        // No valid value: a flat scan at 0, so that no start value reaches the renderer.
        MinValue = MaxValue = Average = 0.0f;
    } else {
        MinValue = Values.Min;
        MaxValue = Values.Max;
        Average = float(Values.Sum.Value() / double(Values.Count));
    }

    const double below = double(Average) - MinValue;
    const double above = double(MaxValue) - Average;
    const double spread = below >= above ? below : above;
    UpperBound = Average;
    // Values spread over the whole Single range put the lower bound below the lowest Single.
    LowerBound = float(std::max(double(Average) - spread, double(std::numeric_limits<float>::lowest())));

    double range = double(MaxValue) - MinValue;
    if (range == 0.0) range = 1.0;
    MaxLevel = float(spread * SoilFactor / range);
    LevelStep = 0.1f;
    Level = 0.0f;
    LevelValue = UpperBound;

    colors->SetColorScheme(ColorScheme, MinValue, MaxValue, Average);
    const double scale = 100.0 / range;
    const float minimum = MinValue;
    const TPercentColorTable table(*colors);
    ForEachGridPoint([&](TScanPoint& p) {
        const TRGBColor c = table.ColorOf(float((double(p.Value) - minimum) * scale));
        p.R = c.R;
        p.G = c.G;
        p.B = c.B;
    });
}

TScanPoint* TScanData::FirstPoint()
{
    rowWalkHead_ = rowWalkPoint_ = First;
    return First;
}

TScanPoint* TScanData::NextPoint()
{
    if (!rowWalkPoint_) return nullptr;
    rowWalkPoint_ = rowWalkPoint_->Next;
    if (!rowWalkPoint_) {
        rowWalkHead_ = rowWalkHead_ ? rowWalkHead_->Up : nullptr;
        rowWalkPoint_ = rowWalkHead_;
    }
    return rowWalkPoint_;
}

TScanPoint* TScanData::FirstColumnPoint()
{
    ColumnWalkDown = 0;
    columnWalkPoint_ = First;
    return First;
}

TScanPoint* TScanData::NextColumnPoint()
{
    if (!columnWalkPoint_) return nullptr;
    columnWalkPoint_ = NextInColumnOrder(columnWalkPoint_, ColumnWalkDown);
    return columnWalkPoint_;
}

TScanPoint* TScanData::StepFromSelection(TScanPoint* TScanPoint::*Link, uint8_t Steps) const
{
    TScanPoint* point = Selected ? Selected : First;
    for (uint8_t i = 0; point && i < Steps && point->*Link; ++i) point = point->*Link;
    return point;
}

TScanPoint* TScanData::GetNextLinePoint(uint8_t Steps) const { return StepFromSelection(&TScanPoint::Up, Steps); }
TScanPoint* TScanData::GetNextPoint(uint8_t Steps) const { return StepFromSelection(&TScanPoint::Next, Steps); }
TScanPoint* TScanData::GetPreviousPoint(uint8_t Steps) const
{
    return StepFromSelection(&TScanPoint::Previous, Steps);
}
TScanPoint* TScanData::GetPreviousLinePoint(uint8_t Steps) const
{
    return StepFromSelection(&TScanPoint::Down, Steps);
}

void TScanData::SelectPoint(TScanPoint* Point)
{
    if (!Point || Point == Selected) return;
    Selected = Point;
    double range = double(UpperBound) - LowerBound;
    if (range == 0.0) range = 1.0;
    SelectedLevel = float(std::fabs(double(Average) - Point->Value) * MaxLevel / range);
}

void TScanData::UpdateLevelValue()
{
    const double maxLevel = MaxLevel == 0.0f ? 1.0 : double(MaxLevel);
    LevelValue = float(UpperBound - (double(UpperBound) - LowerBound) * Level / maxLevel);
}

void TScanData::LevelDown()
{
    Level = Level - LevelStep;
    if (!(Level >= 0.0f)) Level = 0.0f;
    UpdateLevelValue();
}

void TScanData::LevelUp()
{
    Level = Level + LevelStep;
    if (Level > MaxLevel) Level = MaxLevel;
    UpdateLevelValue();
}

void TScanData::SetSoilFactor(float Value)
{
    if (Value == SoilFactor) return;
    LevelValue = 0.0f;
    SoilFactor = Value;
    MaxLevel = Value;
}

float TScanData::NeighbourMean(TScanPoint* Point, bool WriteBack)
{
    if (!Point) return std::numeric_limits<float>::quiet_NaN();
    const TNeighbourSum s = SumOfNeighbours(*Point);
    if (s.Count == 0) return std::numeric_limits<float>::quiet_NaN();
    const float mean = float(s.Sum / s.Count);
    if (WriteBack && s.Sum > 0.0) {
        Point->Value = mean;
        Changed = 1;
        RecomputeStatistics();
    }
    return mean;
}
