#pragma once

// The monotonic clock of the calling thread stands still from stopMonotonicClock(true)
// until stopMonotonicClock(false); other threads' clocks run on.
void stopMonotonicClock(bool stopped);
