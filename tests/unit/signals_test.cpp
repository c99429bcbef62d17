// A termination signal closes the game as the close button does and sets the
// exit status; after it, a SIGHUP changes nothing and a SIGINT ends at once.
#include "frontend.h"

#include <csignal>
#include <gtest/gtest.h>

TEST(Signals, CloseTheGameAndSetTheExitStatus)
{
    EXPECT_EQ(exit_status(), 0);
    install_signal_handlers();
    for (int signum : {SIGTERM, SIGINT, SIGHUP}) {
        raise(signum);
        raise(SIGHUP);
        EXPECT_TRUE(window_closed);
        EXPECT_EQ(exit_status(), 128 + signum);
        ending_signal = window_closed = 0;
    }
    for (int signum : {SIGTERM, SIGINT, SIGHUP})
        signal(signum, SIG_DFL);
    EXPECT_EXIT((install_signal_handlers(), raise(SIGHUP), raise(SIGINT)),
                testing::KilledBySignal(SIGINT), "");
}
