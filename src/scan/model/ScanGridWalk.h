// Walks over the linked scan grid that keep their position locally, so that the model's own
// operations never disturb the walks the callers of TScanData have under way.
#pragma once

#include "scan/model/_TScanData.h"

// Row order: row 0 left to right, then the row above, ...
template <typename F>
void ForEachInRowOrder(TScanPoint* First, F&& Visit)
{
    for (TScanPoint* head = First; head; head = head->Up)
        for (TScanPoint* p = head; p; p = p->Next) Visit(*p);
}

// Sum and number of the values of a point's linked neighbours, in the order Next, Up,
// Previous, Down. NaN values count (and make the sum NaN).
struct TNeighbourSum {
    double Sum = 0.0;
    int Count = 0;
};

inline TNeighbourSum SumOfNeighbours(const TScanPoint& Point)
{
    TNeighbourSum s;
    for (const TScanPoint* n : {Point.Next, Point.Up, Point.Previous, Point.Down}) {
        if (n) {
            s.Sum += n->Value;
            ++s.Count;
        }
    }
    return s;
}
