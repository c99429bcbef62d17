// The game's window: its title, and a close button that ends the program the
// normal way, with the settings written.
#include "frontend.h"

static const char WINDOW_TITLE[] = "Talvon";

// Runs on the library's thread: it only raises the flag the loops look at.
static void on_close_button()
{
    window_closed = 1;
}

void set_up_window()
{
    set_window_title(WINDOW_TITLE);
    set_close_button_callback(on_close_button);
}
