// Helpers of the scan model tests: receiving a scan from values, random values, and
// listing a grid in row order.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "scan/model/_TScanData.h"

// Tags each record with its arrival number (1-based) in the carried bytes; padding points
// carry 0.
inline TScanRecord RecordOf(float Value, uint32_t Id)
{
    TScanRecord r;
    r.Value = Value;
    std::memcpy(r.Carried, &Id, sizeof Id);
    return r;
}

inline uint32_t IdOf(const uint8_t* Carried)
{
    uint32_t id;
    std::memcpy(&id, Carried, sizeof id);
    return id;
}

struct TReceiveLayout {
    uint32_t PointsPerLine = 1;
    uint32_t LinesPerBlock = 1;
    uint8_t LineOrder = 0;
    uint8_t Reverse = 0;
};

inline void Receive(TScanData& Scan, const TReceiveLayout& L, const std::vector<float>& Values)
{
    Scan.SetPointsPerLine(L.PointsPerLine);
    Scan.SetLinesPerBlock(L.LinesPerBlock);
    Scan.SetLineOrder(L.LineOrder);
    Scan.SetReverse(L.Reverse);
    Scan.BeginReceive(0);
    for (size_t i = 0; i < Values.size(); ++i) Scan.AddScanPoint(RecordOf(Values[i], uint32_t(i + 1)));
    Scan.EndReceive();
}

// Values of one of several kinds: ordinary, with NaN and infinities, all equal, all negative.
inline std::vector<float> RandomValues(std::mt19937& Rng, size_t Count)
{
    std::vector<float> v(Count);
    const int kind = int(Rng() % 5);
    std::uniform_real_distribution<float> real(-50.0f, 50.0f);
    for (float& x : v) {
        switch (kind) {
        case 0: x = real(Rng); break;
        case 1: x = float(int(Rng() % 7)); break;  // many ties
        case 2: x = 4.5f; break;
        case 3: x = -1.0f - float(Rng() % 100); break;
        default: {
            const int pick = int(Rng() % 10);
            x = pick == 0   ? std::numeric_limits<float>::quiet_NaN()
                : pick == 1 ? std::numeric_limits<float>::infinity()
                : pick == 2 ? -std::numeric_limits<float>::infinity()
                            : real(Rng);
        }
        }
    }
    return v;
}

// The grid row by row.
inline std::vector<std::vector<TScanPoint*>> RowsOf(TScanData& Scan)
{
    std::vector<std::vector<TScanPoint*>> rows;
    for (TScanPoint* h = Scan.First; h; h = h->Up) {
        rows.emplace_back();
        for (TScanPoint* p = h; p; p = p->Next) rows.back().push_back(p);
    }
    return rows;
}
