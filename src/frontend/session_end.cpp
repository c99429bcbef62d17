// The game ended from outside: a termination signal (the desktop shutting
// down or logging out, Ctrl+C in the terminal) or the display going away.
// Either way what the player changed is written before the end.
#include "frontend.h"

#include <X11/Xlib.h>
#include <csignal>
#include <unistd.h>

std::atomic<int> ending_signal {0};

// The signals a desktop, a session or a terminal ends a program with.
static const int ENDING_SIGNALS[] = {SIGTERM, SIGHUP, SIGINT};
// A shell reports a process ended by signal n as 128 + n.
static const int SIGNALLED_STATUS_BASE = 128;
// A lost display ends the game with the exit code of a failed start.
static const int DISPLAY_LOST_STATUS = 1;

// Runs on whichever thread the signal lands on: it only touches two
// lock-free atomics, or hands the signal back to the system.
void on_ending_signal(int signum)
{
    int none = 0;
    if (ending_signal.compare_exchange_strong(none, signum)) {
        window_closed = 1;
        return;
    }
    // Already ending: the save is under way, or the game is stuck somewhere
    // the flag is not looked at. SIGTERM or SIGINT now ends it at once.
    if (signum != SIGHUP) {
        signal(signum, SIG_DFL);
        raise(signum);
    }
}

// The ones the program was started with ignored, by nohup or as a
// background job: a program keeps ignoring what it was started ignoring.
static sigset_t ignored_at_start;

void note_ignored_signals()
{
    sigemptyset(&ignored_at_start);
    for (int signum : ENDING_SIGNALS) {
        struct sigaction start = {};
        sigaction(signum, nullptr, &start);
        if (start.sa_handler == SIG_IGN)
            sigaddset(&ignored_at_start, signum);
    }
}

// allegro_init puts the library's own handler on SIGTERM and SIGINT (and on
// SIGQUIT and the crash signals): it shuts the library down and ends the
// process by the signal, or by SIGABRT when the signal lands while the
// library holds the display, with nothing saved. These replace it on the
// three, or ignore again one that was ignored at the start, so allegro_init
// must come first.
void install_signal_handlers()
{
    struct sigaction action = {};
    action.sa_handler = on_ending_signal;
    sigfillset(&action.sa_mask);  // one handler at a time
    action.sa_flags = SA_RESTART; // the library's waits go on undisturbed
    for (int signum : ENDING_SIGNALS) {
        if (sigismember(&ignored_at_start, signum))
            signal(signum, SIG_IGN);
        else
            sigaction(signum, &action, nullptr);
    }
}

int exit_status()
{
    int signum = ending_signal;
    return signum == 0 ? 0 : SIGNALLED_STATUS_BASE + signum;
}

// Xlib calls this on the thread that found the connection gone, main or the
// library's input thread, and ends the process itself should it return. The
// library's shut-down, which exit() would run, talks to the lost display and
// can hang there, so the process ends here without it.
static int on_display_lost(Display *)
{
    save_settings_at_end();
    _exit(DISPLAY_LOST_STATUS);
}

void install_display_loss_handler()
{
    XSetIOErrorHandler(on_display_lost);
}
