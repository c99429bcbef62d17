// Collisions and points, the frame, the field's pictures and the flow of a match.
#include "support.h"

#include <array>
#include <climits>
#include <cmath>
#include <tuple>

// Puts worm i alive at (x, y) with the heading.
static void put(int i, float x, float y, float heading = 0)
{
    players[i].x = x;
    players[i].y = y;
    players[i].heading = heading;
    players[i].dead = 0;
}

// From (ox, 4): down-right, down-left, up-right, up-left, down and right.
TEST(Worm, LaysAThreePixelBandBehindItsHead)
{
    fresh();
    for (auto [ox, dx, dy] :
         {std::array {2, 2, 2}, {11, -2, 2}, {16, 2, -2}, {25, -2, -2}, {30, 0, 3}, {35, 3, 0}})
        draw_trail_segment(back_buffer, ox, 4, ox + dx, 4 + dy, 1);
    std::string band;
    for (int y = 1; y < 9; y++) {
        for (int x = 0; x < 41; x++)
            band += getpixel(back_buffer, x, y) ? '#' : '.';
        band += '\n';
    }
    EXPECT_EQ(band,
              ".................###..###................\n"
              "................####..####...............\n"
              "...#......#....#####..#####..#....######.\n"
              "...##....##......##....##....#......####.\n"
              ".#####..#####....#......#....###....####.\n"
              "..####..####.................###.........\n"
              "...###..###..................###.........\n"
              ".............................###.........\n");
}

// At least 23 pixels inside the field above the panel, x drawn before y; a start on the centre's
// column or row steps off it by (1, 1). The worm is alive and heads for the centre, (320, 210).
TEST(Worm, SpawnsAliveInsideTheFieldHeadingForItsCentre)
{
    fresh();
    for (int seed = 0; seed < 3000; seed++) {
        srand(seed);
        const int x = rand() % 594 + 23;
        const int y = rand() % 374 + 23;
        const int nudge = x == 320 || y == 210;
        const double towards = std::atan2(320.0 - x - nudge, 210.0 - y - nudge);
        srand(seed);
        players[0].dead = 1;
        spawn_worm(players[0]);
        ASSERT_EQ(players[0].x, x + nudge) << seed;
        ASSERT_EQ(players[0].y, y + nudge) << seed;
        ASSERT_NEAR(std::remainder(players[0].heading - towards, 2 * M_PI), 0, 1e-6) << seed;
        ASSERT_FALSE(players[0].dead) << seed;
    }
}

// Worm 0 heads down from (x0, y0) onto (100, 103) of colour `hit`; slots 2 (off) and 3 wear
// `three`; slot 1 is dead when `dead1`. The lowest active slot of the colour scores while it
// lives: not the crasher, nor anyone for the frame, the panel or the bitmap's edge. Head-on, when
// worm 1's next head, down from (x1, y1), lies in the 3 x 3 box around worm 0's, both die and both
// score.
TEST(Collision, ACrashPaysTheLowestActiveSlotOfTheColourWhileItLivesAndHeadOnBoth)
{
    fresh();
    const int red = players[0].colour;
    const int cyan = players[1].colour;
    const int yellow = players[3].colour;
    const std::tuple<int, int, int, float, float, float, float, int, const char *> CASES[] = {
        {0, yellow, 0, 100, 100, 300, 300, 0, "0 0 0 0 0 0 0 0"},
        {red, yellow, 0, 100, 100, 300, 300, 1, "0x 0 0 0 0 0 0 0"},
        {cyan, yellow, 0, 100, 100, 300, 300, 1, "0x 1 0 0 0 0 0 0"},
        {cyan, yellow, 1, 100, 100, 300, 300, 1, "0x 0x 0 0 0 0 0 0"},
        {cyan, cyan, 0, 100, 100, 300, 300, 1, "0x 1 0 0 0 0 0 0"},
        {FIELD_GREY, yellow, 0, 100, 100, 300, 300, 1, "0x 0 0 0 0 0 0 0"},
        {FIELD_GREY, FIELD_GREY, 0, 100, 100, 300, 300, 1, "0x 0 0 1 0 0 0 0"},
        {0, yellow, 0, 100, 477, 300, 300, 1, "0x 0 0 0 0 0 0 0"},
        {cyan, yellow, 0, 100, 100, 101, 98, 2, "1x 1x 0 0 0 0 0 0"},
        {cyan, yellow, 0, 100, 100, 99, 96, 2, "1x 1x 0 0 0 0 0 0"},
        {cyan, yellow, 0, 100, 100, 102, 98, 1, "0x 1 0 0 0 0 0 0"},
        {cyan, yellow, 0, 100, 100, 98, 98, 1, "0x 1 0 0 0 0 0 0"},
        {cyan, yellow, 0, 100, 100, 101, 99, 1, "0x 1 0 0 0 0 0 0"},
        {cyan, yellow, 0, 100, 100, 100, 95, 1, "0x 1 0 0 0 0 0 0"},
        {cyan, yellow, 0, 100.6, 100.6, 99, 96, 2, "1x 1x 0 0 0 0 0 0"},
        {cyan, yellow, 0, 100.6, 100.6, 102, 98, 1, "0x 1 0 0 0 0 0 0"},
    };
    for (auto [hit, three, dead1, x0, y0, x1, y1, deaths, points] : CASES) {
        fresh();
        put(0, x0, y0);
        put(1, x1, y1);
        put(3, 400, 300);
        players[1].dead = dead1;
        players[2].colour = three;
        players[3].colour = three;
        putpixel(back_buffer, 100, 102, FIELD_GREY); // passed over, not tested
        putpixel(back_buffer, 100, 103, hit);
        EXPECT_EQ(resolve_collision(0, 0, 3), deaths) << hit << " " << three << " " << x1;
        EXPECT_EQ(scores(), points) << hit << " " << three << " " << x1;
    }
}

// Worms heading 0.1; left, right or both keys held for slots 0, 1, 3 and 2 (off); slot 4 dead;
// codes beyond the key array for slot 6; each state of the buttons for slot 7, with slot 0's key.
TEST(Frame, TurnsAndMovesEachLivingWormByItsKeysOrTheButtons)
{
    const float s = 0.15f; // the turn step
    const float both = (0.1f + s) - s;
    const float by_buttons[] = {0.1f, 0.1f + s, 0.1f - s, both};
    for (int buttons = 0; buttons < 4; buttons++) {
        fresh();
        for (int i = 0; i < PLAYER_COUNT; i++)
            put(i, 60 + 70 * i, 100, 0.1f);
        key[KEY_LEFT] = key[KEY_X] = key[KEY_2_PAD] = key[KEY_3_PAD] = key[KEY_N] = 1;
        mouse_b = buttons;
        players[4].dead = 1;
        players[6].key_left = INT_MIN;
        players[6].key_right = KEY_MAX;
        players[7].key_left = KEY_LEFT;
        EXPECT_EQ(play_frame(5), 5);
        const float want[]
            = {0.1f + s, 0.1f - s, 0.1f, both, 0.1f, 0.1f, 0.1f, by_buttons[buttons]};
        for (int i = 0; i < PLAYER_COUNT; i++) {
            const bool still = i == 2 || i == 4 || i == 5; // off or dead
            EXPECT_EQ(players[i].heading, want[i]) << "slot " << i << ", buttons " << buttons;
            EXPECT_NEAR(players[i].x, 60 + 70 * i + (still ? 0 : 3 * std::sin(want[i])), 1e-4) << i;
        }
    }
}

// Only slots 0 and 1 play. Worm 1 runs into the segment worm 0 laid in this frame, or the two meet
// head-on where each stands then. The panel shows a kill at once; the survivor gets 2 points, but
// a round nobody survives is a draw.
TEST(Frame, LaterSlotsMeetWhatEarlierSlotsDidInTheSameFrame)
{
    const std::tuple<float, float, float, float, float, int, int, const char *> CASES[] = {
        {100, 100, M_PI_2, 102, 97, -1, 1, "3 0x 0 0 0 0 0 0"},
        {101, 93, 0, 100, 100, 0, 0, "1x 1x 0 0 0 0 0 0"},
        {100, 100, 0, 101, 98, 1, 0, "1x 1x 0 0 0 0 0 0"},
    };
    for (auto [x0, y0, heading0, x1, y1, painted_by, living, points] : CASES) {
        fresh();
        for (int i = 2; i < PLAYER_COUNT; i++)
            players[i].off = 1;
        draw_play_field();
        put(0, x0, y0, heading0);
        put(1, x1, y1);
        if (painted_by >= 0)
            putpixel(back_buffer, 100, 103, players[painted_by].colour);
        EXPECT_EQ(play_frame(2), living) << points;
        EXPECT_TRUE(shows(back_buffer, "CERVENY: 1", 64, 436, players[0].colour)) << points;
        show_round_result(living);
        EXPECT_EQ(scores(), points);
        EXPECT_EQ(shows(back_buffer, "Nerozhodna hra", 320, 458, FIELD_GREY), living == 0);
    }
}

// The clock counts minutes, seconds and hundredths since the round began; minutes are not wrapped
// into hours.
TEST(PlayField, TheClockCountsMinutesPastAnHour)
{
    fresh();
    tick_ms = 3601050;
    draw_clock();
    EXPECT_TRUE(shows(back_buffer, "60:01:05", 320, 436, FIELD_GREY));
}

// With a threshold above 1 a survivor's label gets a box as wide as the label with its new score
// and a character more, less 2 on the right: slot 0's from 7 to "CERVENY: 9" spans 20 to 106.
TEST(RoundEnd, ASurvivorsBoxFitsTheScoreItWillHave)
{
    const std::tuple<int, int, int> BOXES[] = {
        {7, 20, 106}, {8, 16, 110}, {97, 16, 110}, {98, 12, 114}, {997, 12, 114}, {998, 8, 118},
    };
    for (auto [score, left, right] : BOXES) {
        fresh();
        settings.round_end_survivors = 2;
        players[0].score = score;
        draw_play_field();
        finish_round();
        const auto on_top = [&](int x) {
            return getpixel(back_buffer, x, 432) == players[0].colour; // 4 rows above the label
        };
        EXPECT_TRUE(!on_top(left - 1) && on_top(left) && on_top(right) && !on_top(right + 1))
            << score;
        EXPECT_TRUE(shows(back_buffer, "CERVENY: " + std::to_string(score + 2), 64, 436,
                          players[0].colour));
    }
}

// Plays a match with hand(n) at its n-th wait; the close button ends it after 5000.
static void play(const std::function<void(int)> &hand)
{
    int n = 0;
    on_wait = [&] {
        hand(++n);
        if (n > 5000)
            window_closed = 1;
    };
    run_match();
}

// Worm 0 crashes into slot 1's trail in the second frame; ESC follows.
TEST(MatchFlow, EscapeInARoundKeepsTheKillPointAndGivesNoOthers)
{
    fresh();
    srand(5);
    int esc_at = 0;
    play([&](int n) {
        if (n == 1) {
            put(0, 100, 100);
            putpixel(back_buffer, 100, 103, players[1].colour);
        }
        if (players[0].dead && !esc_at)
            esc_at = n;
        key[KEY_ESC] = esc_at && n < esc_at + 3;
    });
    EXPECT_EQ(scores(), "0x 1 0 0 0 0 0 0");
}

// A worm alone ends each round after its first frame with 2 points. ENTER plays on, even held;
// ESC with SPACE leaves once ESC is up, the result still shown. With a target of 0 the match is
// won at once, and the winners wait for ESC, SPACE and ENTER all up.
TEST(MatchFlow, TheKeysBetweenRoundsAndAfterTheWinners)
{
    fresh();
    for (int i = 1; i < PLAYER_COUNT; i++)
        players[i].off = 1;
    play([](int n) {
        key[KEY_ENTER] = n == 1;
        key[KEY_SPACE] = players[0].score == 4;
        key[KEY_ESC] = key[KEY_SPACE] && n < 100;
    });
    EXPECT_EQ(players[0].score, 4);
    EXPECT_FALSE(window_closed);
    EXPECT_TRUE(shows(back_buffer, "CERVENY", 320, 458, players[0].colour));
    key[KEY_SPACE] = 0;
    settings.target_score = 0;
    play([](int n) {
        key[KEY_ESC] = n < 3;
        key[KEY_SPACE] = n < 5;
        key[KEY_ENTER] = n < 7;
    });
    EXPECT_EQ(players[0].score, 2);
    EXPECT_FALSE(key[KEY_ENTER]);
    EXPECT_FALSE(window_closed);
    EXPECT_TRUE(shows(screen, "Vyhral", 320, 202, FIELD_GREY));
}

// The wait goes on while the clock is at or before the due time, so with a period of 25 a frame
// comes every 26 ms: 20 frames in the first 520 ms. A worm alone plays on while it lives.
TEST(MatchFlow, AFrameComesOneMillisecondAfterTheFramePeriod)
{
    fresh();
    for (int i = 1; i < PLAYER_COUNT; i++)
        players[i].off = 1;
    settings.round_end_survivors = 0;
    settings.frame_delay_ms = 25;
    srand(1);
    float y = 0;
    int frames = 0;
    play([&](int) {
        if (players[0].y != y)
            frames++;
        y = players[0].y;
        window_closed = tick_ms >= 520;
    });
    EXPECT_EQ(frames, 20);
}

// What each game row of the screen shows at the first pixel of its block and at the last: 'k'
// black, 'w' white, 'r' red, 'b' blue at the screen's depth, '?' anything else.
static std::string screen_rows()
{
    const int depth = bitmap_color_depth(screen);
    const std::pair<char, int> NAMED[] = {{'k', makecol_depth(depth, 0, 0, 0)},
                                          {'w', makecol_depth(depth, 255, 255, 255)},
                                          {'r', makecol_depth(depth, 255, 0, 0)},
                                          {'b', makecol_depth(depth, 0, 0, 255)}};
    std::string rows;
    for (int y = 0; y < screen->h; y += display_scale) {
        const int last_y = y + display_scale - 1;
        for (int c : {getpixel(screen, 0, y), getpixel(screen, screen->w - 1, last_y)}) {
            rows += '?';
            for (auto [name, colour] : NAMED)
                rows.back() = c == colour ? name : rows.back();
        }
        rows += ' ';
    }
    return rows;
}

// A row that changed since the last present reaches the screen, converted to the screen's depth
// and enlarged, even when one pixel of it changed; a row that did not is left as the screen shows
// it; after a new mode every row goes out.
TEST(Present, SendsTheRowsThatChangedAndEveryRowOnANewScreen)
{
    const std::tuple<int, int, int> CASES[] = {
        {16, 16, 1}, // the game's depth, the screen's, the scale
        {16, 32, 3}, {32, 16, 2}, {15, 32, 1}, {24, 32, 2},
    };
    for (auto [depth, screen_depth, scale] : CASES) {
        const std::string mode = std::to_string(depth) + " on " + std::to_string(screen_depth);
        fresh(depth, 64, 6, scale);
        destroy_bitmap(screen);
        screen = create_bitmap_ex(screen_depth, 64 * scale, 6 * scale);
        hline(back_buffer, 0, 2, 63, makecol(255, 255, 255));
        present();
        EXPECT_EQ(screen_rows(), "kk kk ww kk kk kk ") << mode << " at " << scale;
        clear_to_color(screen, makecol_depth(screen_depth, 0, 0, 255)); // drawn by no present
        putpixel(back_buffer, 63, 4, makecol(255, 0, 0));
        present();
        EXPECT_EQ(screen_rows(), "bb bb bb bb kr bb ") << mode << " at " << scale;
        forget_shown_picture();
        present();
        EXPECT_EQ(screen_rows(), "kk kk ww kk kr kk ") << mode << " at " << scale;
    }
}
