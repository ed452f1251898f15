#include "app/ReceivedScan.h"

#include <algorithm>
#include <limits>

#include "framework/LittleEndianBytes.h"
#include "scan/model/DataTypes.h"
#include "scan/model/_TDataGrid.h"
#include "scan/model/_TScanData.h"

namespace {

constexpr uint8_t GpsScanMode = 4;

TScanRecord RecordOfCell(const TDataCell* Cell, int64_t X, int64_t Y, const TDegreesToNMEA& DegreesToNMEA)
{
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    TScanRecord R;
    R.Value = Cell != nullptr ? Cell->Value : std::numeric_limits<float>::quiet_NaN();
    R.X = static_cast<float>(X);
    R.Y = static_cast<float>(Y);
    double First = NaN, Second = NaN, Third = 0.0;
    if (Cell != nullptr && Cell->Fix) {
        First = DegreesToNMEA ? DegreesToNMEA(Cell->Fix->Second) : NaN;
        Second = DegreesToNMEA ? DegreesToNMEA(Cell->Fix->First) : NaN;
        Third = Cell->Fix->Extra / 100.0;
    }
    le::PutF64(R.Carried, First);
    le::PutF64(R.Carried + 8, Second);
    le::PutF64(R.Carried + 16, Third);
    return R;
}

} // namespace

void BuildScanFromDataGrid(TScanData& Scan, const TDataGrid& Grid, const TDegreesToNMEA& DegreesToNMEA)
{
    // 64-bit counters: the window's bounds are 32-bit and may be anything.
    const int64_t Lines = std::max<int64_t>(int64_t(Grid.YTo) - Grid.YFrom + 1, 0);
    // The layout setters ignore changes during a receive; this one is replaced anyway.
    Scan.StopReceiving();
    Scan.SetLineOrder(1);
    Scan.SetScanMode(0);
    Scan.SetPointsPerLine(1);
    Scan.SetReverse(0);
    Scan.SetLinesPerBlock(static_cast<uint32_t>(std::min<int64_t>(Lines, std::numeric_limits<uint32_t>::max())));
    Scan.BeginReceive(0);
    for (int64_t X = Grid.XTo; X >= Grid.XFrom; --X)
        for (int64_t Y = Grid.YFrom; Y <= Grid.YTo; ++Y)
            Scan.AddScanPoint(RecordOfCell(Grid.GetCell(int32_t(X), int32_t(Y), 0), X, Y, DegreesToNMEA));
    Scan.EndReceive();
}

TStopAction StopActionOf(uint8_t OperatingMode)
{
    TStopAction A;
    switch (OperatingMode) {
    case 0: A = {TReceiveFinish::EndReceive, true, true}; break;
    case 1:
    case 2:
    case 3: A = {TReceiveFinish::StopReceiving, false, false}; break;
    case GpsScanMode: A = {TReceiveFinish::FromDataGrid, std::nullopt, false}; break;
    case 5: A = {TReceiveFinish::EndReceive, false, true}; break;
    default: A = {TReceiveFinish::EndReceive, std::nullopt, false}; break;
    }
    return A;
}

TStopAction FinishStoppedScan(TScanData& Scan, const TDataGrid* Grid, uint8_t OperatingMode,
                              const TDegreesToNMEA& DegreesToNMEA)
{
    const TStopAction Action = StopActionOf(OperatingMode);
    switch (Action.Finish) {
    case TReceiveFinish::FromDataGrid:
        if (Grid != nullptr)
            BuildScanFromDataGrid(Scan, *Grid, DegreesToNMEA);
        break;
    case TReceiveFinish::EndReceive: Scan.EndReceive(); break;
    case TReceiveFinish::StopReceiving: Scan.StopReceiving(); break;
    }
    Scan.Changed = 1;
    return Action;
}

std::optional<int32_t> PreselectedProfile(int32_t DeviceIndex, size_t ProfileCount)
{
    if (DeviceIndex < 0 || static_cast<size_t>(DeviceIndex) >= ProfileCount)
        return std::nullopt;
    return DeviceIndex;
}

bool StoppedScanCounts(const TScanData& Scan)
{
    return Scan.ScanMode == 0 && !Scan.IsEmpty();
}
