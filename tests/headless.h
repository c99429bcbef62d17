// What the unit and end-to-end tests share: the settings file of a fresh start, and the library
// started without a display, in the pixel layout the game has on an X server (red high, blue low).
#pragma once

#include <allegro.h>

inline const char DEFAULTS[] = "1 3\n16 0 640 480\n1 50 25 74523 0.150000\n"
                               "CERVENY\n63488 82 83 0\nBELASY\n2047 26 24 0\n"
                               "ZELENY\n2016 14 13 1\nZLTY\n65504 39 40 0\n"
                               "FIALOVY\n63583 17 1 0\nMODRY\n31 89 88 1\n"
                               "ORANZOVY\n64521 73 74 0\nRUZOVY\n64528 0 0 0\n12569\n";

inline void start_headless_library()
{
    set_uformat(U_ASCII);
    install_allegro(SYSTEM_NONE, &errno, atexit);
    // Green keeps the library's place, in the middle.
    _rgb_r_shift_15 = 10;
    _rgb_b_shift_15 = 0;
    _rgb_r_shift_16 = 11;
    _rgb_b_shift_16 = 0;
    _rgb_r_shift_24 = 16;
    _rgb_b_shift_24 = 0;
    _rgb_r_shift_32 = 16;
    _rgb_b_shift_32 = 0;
}
