// The millisecond timer callback. It runs on the library's timer thread, so
// it only touches the two atomic counters and reads one setting.
#include "frontend.h"

// The backdrop scrolls 2 pixels every 25 ms.
static const int BACKDROP_PERIOD_MS = 25;
static const int BACKDROP_STEP = 2;

void timer_tick()
{
    int now = ++tick_ms;
    if (settings.animate_backdrop && now % BACKDROP_PERIOD_MS == 0)
        backdrop_offset += BACKDROP_STEP;
}
