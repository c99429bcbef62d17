// A termination signal closes the game as the close button does and sets the exit status; after
// it, a SIGHUP changes nothing and a SIGINT ends at once. A signal the game was started with
// ignored (nohup, a background job) stays ignored.
#include "frontend.h"

#include <csignal>
#include <cstring>
#include <gtest/gtest.h>

static const int ENDING_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};

// Every one at the system's default, as at a plain start.
static void start_with_default_signals()
{
    for (int signum : ENDING_SIGNALS)
        signal(signum, SIG_DFL);
    note_ignored_signals();
}

TEST(Signals, EndTheGameAsTheCloseButtonDoesAndASecondSigintEndsItAtOnce)
{
    start_with_default_signals();
    EXPECT_EQ(exit_status(), 0);
    install_signal_handlers();
    for (int signum : ENDING_SIGNALS) {
        raise(signum);
        raise(SIGHUP);
        EXPECT_TRUE(window_closed) << strsignal(signum);
        EXPECT_EQ(exit_status(), 128 + signum) << strsignal(signum);
        ending_signal = 0;
        window_closed = 0;
    }
    raise(SIGHUP);
    EXPECT_EXIT(raise(SIGINT), testing::KilledBySignal(SIGINT), "");
    ending_signal = 0;
    window_closed = 0;
}

TEST(Signals, OneIgnoredAtTheStartStaysIgnoredWhileTheOthersEndTheGame)
{
    for (int ignored : ENDING_SIGNALS) {
        start_with_default_signals();
        signal(ignored, SIG_IGN);
        note_ignored_signals();
        signal(ignored, SIG_DFL); // as allegro_init replaces it with its own handler
        install_signal_handlers();
        for (int signum : ENDING_SIGNALS) {
            struct sigaction now = {};
            sigaction(signum, nullptr, &now);
            const sighandler_t wanted = signum == ignored ? SIG_IGN : on_ending_signal;
            EXPECT_EQ(now.sa_handler, wanted)
                << strsignal(signum) << " with " << strsignal(ignored) << " ignored at the start";
        }
    }
    start_with_default_signals();
}
