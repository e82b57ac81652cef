#pragma once
#include <windows.h>

#include <cstddef>

#include "PopupHelper.h"
#include "VandrelProcess.h"

namespace vandrel::test {

// Signs, seen from outside, that the program's scan has run its ticks, or
// would have run them had it been on. A test checks that nothing happened
// only after such a sign, never after a mere pause.

// A window of a pop-up class that the scan closes at every tick, uncounted;
// it stays open, so the helper's count of its closes counts the ticks.
PopupWindowSpec TickWitness();

// Waits until the scan has run `ticks` whole ticks after this call and the
// helper has counted every close they posted: the helper is settled, then
// the witness must be closed `ticks` + 1 more times (the first of those may
// come from a tick that began before the call).
bool WaitForScanTicks(const PopupHelper& helper, std::size_t witness, std::size_t barrier, int ticks);

// The rich-media monitor's pass comes every five seconds and writes a stored
// "No" again each time. A scan timer that ran would have ticked dozens of
// times before such a pass (Wine hands out expired timers in the order they
// expired), so the pass is the sign for a scan that is meant to be off.
//
// Stores the "No" the pass writes, and the setting that switches the
// monitor on as the program starts; before the program starts.
void StoreMonitoredNo();
// Waits for the value a pass writes, removes it and waits until a later
// pass wrote it again.
bool WaitForMonitorPass();

}  // namespace vandrel::test
