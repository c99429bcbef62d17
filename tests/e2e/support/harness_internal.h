// What the support files share among themselves: the X connection to the
// test server, the game's pid and the clock. Tests include e2e.h only.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

// Connection to the test Xvfb, started on first use; nullptr when it cannot start.
Display *x_display();
// The game started last while it runs (also its process group), else -1.
pid_t running_game_pid();
// Closes the game's message boxes while the game lives to collect them;
// killed with the game, they would be left for init, which may never reap them.
void close_message_boxes();
// Milliseconds on a monotonic clock.
long now_ms();
// Sleeps for `ms` milliseconds (between polls of a wait).
void sleep_ms(int ms);
