// The session ends under the game: SIGTERM, SIGHUP or SIGINT end it the normal way with 128 + the
// signal, a lost display with exit code 1; each time the file holds the change just made, also when
// the display is lost in the middle of the next entry, on the options or the players screen. A game
// started with SIGHUP ignored ignores it.
#include "harness.h"

TEST(SessionEnd, KeepsTheChangeMadeOnTheOptionsScreen)
{
    const struct {
        int signal; // 0: the display is lost
        int status;
        const char *keys;  // what the player does then: nothing, an entry, a match, the menu
        bool nohup;        // started with SIGHUP ignored, which the game keeps ignoring
        Column entry = {}; // then a players screen's entry under way in slot 1: name or keys
    } ENDS[] = {
        {SIGTERM, 143, "", true},  {SIGHUP, 129, "Escape", false}, {SIGINT, 130, "Escape s", false},
        {0, 1, "Return 7", false}, {0, 1, "Escape", false, NAME},  {0, 1, "Escape", false, KEYS},
    };
    for (const auto &e : ENDS) {
        new_dir();
        game.nohup = e.nohup;
        start();
        click(OPTIONS);
        click(TARGET.click);
        tap("3 0 Return");
        ASSERT_TRUE(wait_text("30", TARGET.value));
        tap(e.keys);
        if (e.entry) {
            click(PLAYERS);
            click(cell(1, e.entry));
            tap("q");
        }
        kill(game.pid, e.nohup ? SIGHUP : 0);
        e.signal ? (void)kill(game.pid, e.signal) : kill_display();
        EXPECT_EQ(quit(e.status), edit(DEFAULTS, {{3, "1 30 25 74523 0.150000"}})) << e.signal;
    }
}
