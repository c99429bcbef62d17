// Start-up and shut-down: language, command line, settings, library, signals,
// input, timer, pads and their bindings, graphics mode, random seed and
// pictures, then the main menu for the rest of the run, and the settings
// written back when it returns.
#include "frontend.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

static const int TIMER_PERIOD_MS = 1;

// A fatal start-up failure: the message, exit code 1. The settings file is
// left as it was.
static int fail_start(const char *message)
{
    show_fatal_message(message);
    return 1;
}

int main(int argc, char **argv)
{
    // What the program was started with, before the library changes any of it.
    note_ignored_signals();
    // The words follow the player's locale, unless the command line says otherwise.
    words = language_of_locale(getenv("LC_ALL"), getenv("LC_MESSAGES"), getenv("LANG"));
    int exit_code = 0;
    if (!read_command_line(argc, argv, exit_code))
        return exit_code;
    load_settings();
    // Names are plain 8-bit text: a byte above 127 from a hand-edited file
    // must not start a multi-byte sequence that reads past the name.
    set_uformat(U_ASCII);
    name_window();
    if (allegro_init() != 0) {
        // No system to show a window with (no display): say it on stderr.
        fprintf(stderr, "%s\n", words->no_graphics_mode);
        return 1;
    }
    install_signal_handlers();
    install_keyboard();
    install_mouse();
    install_timer();
    find_pads();
    load_pad_bindings_from(PADS_FILE);
    set_up_window();
    if (!set_graphics_mode(settings.gfx_card, settings.screen_w, settings.screen_h,
                           settings.color_depth))
        return fail_start(words->no_graphics_mode);
    tick_ms = 0;
    install_int(timer_tick, TIMER_PERIOD_MS);
    srand(time(nullptr));
    pending = {settings.gfx_card, settings.screen_w, settings.screen_h, settings.color_depth};
    if (load_graphics() != 0)
        return fail_start(words->no_pictures);
    // From here on the game is running: a lost display saves before the end.
    install_display_loss_handler();
    main_menu();
    save_settings_at_end();
    return exit_status();
}
END_OF_MAIN()
