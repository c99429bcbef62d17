// What the two parts of the benchmark that look at the X server share: the
// game's windows found by their size. Only files that keep clear of Allegro
// include it.
#pragma once

#include <X11/Xlib.h>

#include <vector>

// Window queries race with windows coming and going: such errors are expected.
int ignore_x_error(Display *, XErrorEvent *);
// Every viewable window of exactly w x h at or below `top`.
void windows_of_size(Display *d, Window top, int w, int h, std::vector<Window> &found);
