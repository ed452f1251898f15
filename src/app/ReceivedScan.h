// The stop path of the New command: what becomes of a receive when the user stops it, by the
// live scan's operating mode, and the scan a GPS scan (operating mode 4) builds from the data
// grid it gathered.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

class TScanData;
class TDataGrid;

// A GPS coordinate in degrees to the NMEA form the scan files carry.
using TDegreesToNMEA = std::function<double(double Degrees)>;

// Builds the scan from layer 0 of the grid's index window: one point per line, lines in
// parallel order, a block as high as the window, columns from XTo down to XFrom and in each
// the rows from YFrom up to YTo. A cell's value, or NaN without a cell; a cell with a GPS fix
// carries its second Single (NMEA) as the first Double, its first Single (NMEA) as the second
// and its 16-bit value / 100 as the third, other cells NaN, NaN and 0. An inverted window
// adds no point. The receive is ended (EndReceive) in every case.
void BuildScanFromDataGrid(TScanData& Scan, const TDataGrid& Grid, const TDegreesToNMEA& DegreesToNMEA);

// How the scan of a stopped receive is finished, by operating mode: 4 builds it from the data
// grid; 0 and 5 complete the grid (EndReceive) and take the undo snapshot, 1 to 3 keep only
// the points that arrived (StopReceiving). Depth controls on for 0, off for 1, 2, 3 and 5,
// unchanged for 4 and for modes the program does not know (which complete the grid).
enum class TReceiveFinish : uint8_t { FromDataGrid, EndReceive, StopReceiving };
struct TStopAction {
    TReceiveFinish Finish = TReceiveFinish::EndReceive;
    std::optional<bool> DepthControls;
    bool Snapshot = false;
};
TStopAction StopActionOf(uint8_t OperatingMode);

// Finishes the scan of a stopped receive by its operating mode and marks it changed; returns
// what the window still has to do (depth controls, snapshot). Grid may be null when there is
// no data grid: a GPS scan then keeps what it holds.
TStopAction FinishStoppedScan(TScanData& Scan, const TDataGrid* Grid, uint8_t OperatingMode,
                              const TDegreesToNMEA& DegreesToNMEA);

// The profile the new-scan dialog preselects: DeviceIndex when the table holds it, else none.
std::optional<int32_t> PreselectedProfile(int32_t DeviceIndex, size_t ProfileCount);
// After the stop the menus count a scan exactly when it is a plain scan (mode byte 0) with points.
bool StoppedScanCounts(const TScanData& Scan);
