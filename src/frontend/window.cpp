// The game's window: its title, its class and icon, and a close button that
// ends the program the normal way, with the settings written.
#include "frontend.h"

#ifdef ALLEGRO_WITH_XWINDOWS
#include <xalleg.h>

#include "talvon_icon.xpm"

// The library's hook for the window's icon: XPM data, read when allegro_init
// makes the window. Not declared in the library's headers.
extern "C" void *allegro_icon;
#endif

static const char WINDOW_TITLE[] = "Talvon";
// WM_CLASS: the desktop entry's StartupWMClass names the class, so that a
// desktop ties the window to the entry and its icon.
static const char WINDOW_NAME[] = "talvon";
static const char WINDOW_CLASS[] = "Talvon";

// Runs on the library's thread: it only raises the flag the loops look at.
static void on_close_button()
{
    window_closed = 1;
}

// allegro_init makes the desktop's window with the class and icon set by
// then; set later, the class would reach only a window inside it.
void name_window()
{
#ifdef ALLEGRO_WITH_XWINDOWS
    xwin_set_window_name(WINDOW_NAME, WINDOW_CLASS);
    allegro_icon = const_cast<char **>(talvon_icon_xpm);
#endif
}

void set_up_window()
{
    set_window_title(WINDOW_TITLE);
    set_close_button_callback(on_close_button);
}
