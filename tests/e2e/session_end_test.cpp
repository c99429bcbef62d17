// The session ends under the game: SIGTERM, SIGHUP or SIGINT end it the normal way with 128 + the signal, a
// lost display with exit code 1, and each time the settings file holds the change made just before.
#include "harness.h"
#include <csignal>
TEST(SessionEnd, KeepsTheChangeMadeOnTheOptionsScreen) {
    struct End { int sig, status; std::function<void()> there; };
    const End ends[] = {{SIGTERM, 143, [] {}}, {SIGHUP, 129, [] { click(120, 165), type("7"); }}, // an entry it cancels
                        {SIGINT, 130, [] { tap("Escape"), tap("s"), wait(match_on); }}, {0, 1, [] { tap("Escape"); }}};
    for (const End &e : ends) {
        new_dir();
        ASSERT_TRUE(start() && (click(320, 325), click(415, 245), type("30"), tap("Return"), wait_text("30", 567, 241)));
        e.there();
        EXPECT_EQ(quit(e.status, [&] { e.sig ? (void)kill(game, e.sig) : kill_display(); }),
                  edit(DEFAULTS, {{3, "1 30 25 74523 0.150000"}}));
    }
}
