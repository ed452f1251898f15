// How often a serial port's event thread looks at a line on which nothing happens. The thread
// rests between waits that bring no event, the rests doubling from 1 ms up to
// TComThread::RestLimit; a thread that did not rest would start a wait every few milliseconds
// (a pseudo-terminal under Wine ends each within 10 ms) or at once (the fake), hundreds or
// millions in a spell of seconds. What is counted is waits, not time: a busy machine only makes
// the thread start fewer of them in a spell, so it cannot make such a test fail.
#pragma once

#include "device/CPort.h"

#include <windows.h>

#include <cstdio>

// The most waits that rests allow in a spell of SpellMs milliseconds: one a doubling until the
// rests reach the limit (ten from 1 ms to 500), then one a rest. Twice as many again, so that a
// system that ends a timed wait a little early never counts as a fault.
inline double MostQuietWaits(double SpellMs)
{
    return 2 * (12 + SpellMs / CPort::TComThread::RestLimit);
}

struct QuietSpell {
    int Waits = 0;
    double Ms = 0;
    bool Rested() const { return Waits <= MostQuietWaits(Ms); }
};

// Sleeps through a spell of SpellMs and counts the waits started meanwhile (WaitsSoFar: the
// count of the port's event waits so far); the figures are printed.
template <class Count>
QuietSpell WatchQuietSpell(const char* What, DWORD SpellMs, Count&& WaitsSoFar)
{
    const int before = WaitsSoFar();
    const ULONGLONG start = GetTickCount64();
    Sleep(SpellMs);
    QuietSpell spell{WaitsSoFar() - before, static_cast<double>(GetTickCount64() - start)};
    std::printf("%s: %d event waits in %.0f ms (rests allow %.0f)\n", What, spell.Waits, spell.Ms,
                MostQuietWaits(spell.Ms));
    std::fflush(stdout);
    return spell;
}
