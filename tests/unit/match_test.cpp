// Worm motion, collisions and points, the steps of a frame, the field's pictures and the flow of a match.
#include "support.h"
#include <climits>
#include <cmath>
static void put(int i, float x, float y, float heading = 0) { players[i].x = x, players[i].y = y, players[i].heading = heading, players[i].dead = 0; }

// Down at 0, left turns as the heading grows. The band from (ox, 4): an unchanged coordinate counts as moving backward.
TEST(Worm, MovesAndLaysItsBand)
{
    float dx, dy, lx, ly;
    step_vector(WORM_SPEED, 0.0f, dx, dy), step_vector(WORM_SPEED, (float)M_PI_2 + 0.15f, lx, ly), fresh(); // right, turned left
    EXPECT_TRUE(dx == 0 && dy == 3 && lx < 3 && lx > 2.9f && ly < 0) << lx << "," << ly;
    for (auto [ox, dx, dy] : {std::tuple{2, 2, 2}, {11, -2, 2}, {16, 2, -2}, {25, -2, -2}, {30, 0, 3}, {35, 3, 0}}) draw_trail_segment(back_buffer, ox, 4, ox + dx, 4 + dy, 1);
    std::string band;
    for (int y = 1; y < 9; y++, band += '\n') for (int x = 0; x < 41; x++) band += getpixel(back_buffer, x, y) ? '#' : '.';
    EXPECT_EQ(band, ".................###..###................\n................####..####...............\n...#......#....#####..#####..#....######.\n"
                    "...##....##......##....##....#......####.\n.#####..#####....#......#....###....####.\n..####..####.................###.........\n"
                    "...###..###..................###.........\n.............................###.........\n");
}

// x then y drawn 23 pixels inside the field above the panel; a start on the centre's column or row steps off it by
// (1, 1); the heading points at the centre (210 rows down), turned by pi below its row.
TEST(Worm, SpawnsInsideTheFieldHeadingForItsCentre)
{
    fresh();
    for (int seed = 0, nudged = 0; seed < 3000 || !nudged; seed++) {
        srand(seed); const int rx = rand() % 594 + 23, ry = rand() % 374 + 23, n = rx == 320 || ry == 210, x = rx + n, y = ry + n;
        srand(seed), players[0].dead = 1, spawn_worm(players[0]), nudged += n;
        const float h = (float)std::atan((320.0 - x) / (210.0 - y)), want = y >= 210 ? (float)(h + M_PI) : h;
        ASSERT_TRUE(players[0].x == x && players[0].y == y && players[0].heading == want && !players[0].dead) << seed;
    }
}

// Worm 0 at (100, y) heading down tests (100, y + 3) alone, painted `hit`; slots 3 (alive) and 2 (off) wear `three`;
// `dead1` kills slot 1 first. Head-on, both die when worm 1's next head lies in the 3 x 3 box around worm 0's head.
TEST(Match, ACrashPaysTheLowestActiveSlotOfTheColourWhileItLives)
{
    fresh(); const int red = players[0].colour, cyan = players[1].colour, yellow = players[3].colour, grey = FIELD_GREY, dark = FIELD_DARK_GREY;
    const char *const NOBODY = "0x 0 0 0 0 0 0 0", *const ONE = "0x 1 0 0 0 0 0 0", *const THREE = "0x 0 0 1 0 0 0 0", *const TWO_DEAD = "0x 0x 0 0 0 0 0 0";
    const struct { int hit, three, dead1, y, deaths; const char *scores; } CASES[] = {
        {0, yellow, 0, 100, 0, "0 0 0 0 0 0 0 0"}, {red, yellow, 0, 100, 1, NOBODY}, {cyan, yellow, 1, 100, 1, TWO_DEAD}, {cyan, yellow, 0, 100, 1, ONE},
        {grey, yellow, 0, 100, 1, NOBODY}, {FIELD_WHITE, yellow, 0, 100, 1, NOBODY}, {dark, yellow, 0, 100, 1, NOBODY}, {grey, grey, 0, 100, 1, THREE},
        {dark, dark, 0, 100, 1, THREE}, {0, yellow, 0, 477, 1, NOBODY}, {cyan, cyan, 0, 100, 1, ONE}, {cyan, cyan, 1, 100, 1, TWO_DEAD}};
    for (const auto &c : CASES) {
        fresh(), put(0, 100, c.y), put(1, 300, 300), put(3, 400, 300), players[1].dead = c.dead1, players[2].colour = players[3].colour = c.three;
        putpixel(back_buffer, 100, 102, grey), putpixel(back_buffer, 100, 103, c.hit);
        EXPECT_TRUE(resolve_collision(0, 0, 3) == c.deaths && scores() == c.scores && players[0].y == c.y && !getpixel(back_buffer, 100, 101)) << scores();
    }
    for (auto [x, ox, oy, deaths] : {std::tuple{100.f, 101.f, 98.f, 2}, {100.f, 99.f, 96.f, 2}, {100.f, 102.f, 98.f, 1}, {100.f, 98.f, 98.f, 1},
                                     {100.f, 101.f, 99.f, 1}, {100.f, 100.f, 95.f, 1}, {100.6f, 99.f, 96.f, 2}, {100.6f, 102.f, 98.f, 1}}) {
        fresh(), put(0, x, x), put(1, ox, oy), putpixel(back_buffer, 100, (int)x + 3, cyan);
        EXPECT_TRUE(resolve_collision(0, 0, 3) == deaths && scores() == (deaths == 2 ? "1x 1x 0 0 0 0 0 0" : ONE)) << ox << "," << oy;
    }
}

// Worms on columns heading 0.1; keys held for slots 0, 1, 3 and 2 (off); slot 4 dead; codes beyond the key array for
// slot 6; the buttons for slot 7, which has slot 0's key. Then three die on grey at once, a crashed worm onto it.
TEST(Match, AFrameTurnsTestsDrawsAndMovesEachLivingWormInSlotOrder)
{
    for (int buttons = 0; buttons < 4; buttons++) {
        fresh(), start_round();
        for (int i = 0; i < PLAYER_COUNT; i++) put(i, 60 + 70 * i, 100, 0.1f);
        key[KEY_LEFT] = key[KEY_X] = key[KEY_2_PAD] = key[KEY_3_PAD] = key[KEY_N] = 1, mouse_b = buttons;
        players[4].dead = 1, players[6].key_left = INT_MIN, players[6].key_right = KEY_MAX, players[7].key_left = KEY_LEFT;
        const float s = settings.turn_step, both = (0.1f + s) - s, t[] = {0.1f, 0.1f + s, 0.1f - s, both};
        const float want[] = {0.1f + s, 0.1f - s, 0.1f, both, 0.1f, 0.1f, 0.1f, t[buttons]};
        EXPECT_TRUE(play_frame(5) == 5 && runs(back_buffer, 200, 90, 70, 0, 3, ".", {0}) == ".3"); // no trail of slots 2, 4
        for (int i = 0; i < PLAYER_COUNT; i++) {
            float dx, dy, still = i == 2 || i == 4 || i == 5; // off or dead
            step_vector(WORM_SPEED, want[i], dx, dy);
            EXPECT_TRUE(players[i].heading == want[i] && players[i].x == 60 + 70 * i + (still ? 0 : dx)) << i << buttons;
        }
    }
    std::fill(key, key + KEY_MAX, 0), mouse_b = 0;
    for (int i : {0, 3, 7}) put(i, 60 + 70 * i, 100), putpixel(back_buffer, 60 + 70 * i, 103, FIELD_GREY);
    EXPECT_TRUE(play_frame(5) == 2 && scores() == "0x 0 0 0x 0x 0 0 0x" && players[0].y == 103 && getpixel(back_buffer, 60, 104) == players[0].colour);
}

// Worm 1 runs into a segment worm 0 laid in this frame; a head-on test sees the owner where it stands then; the panel
// shows a kill at once; a round nobody survives is a draw, with no survivor points.
TEST(Match, LaterSlotsMeetWhatEarlierSlotsDidInTheSameFrame)
{
    const struct { float x0, y0, h0, x1, y1; int paint, living; const char *scores; float y0_after, y1_after; } CASES[] = {
        {100, 100, (float)M_PI_2, 102, 97, -1, 1, "1 0x 0 0 0 0 0 0", 100, 100},
        {101, 93, 0, 100, 100, 0, 0, "1x 1x 0 0 0 0 0 0", 96, 103}, {100, 100, 0, 101, 98, 1, 0, "1x 1x 0 0 0 0 0 0", 103, 98}};
    for (const auto &c : CASES) {
        fresh();
        for (int i = 2; i < PLAYER_COUNT; i++) players[i].off = 1;
        draw_play_field(), put(0, c.x0, c.y0, c.h0), put(1, c.x1, c.y1);
        if (c.paint >= 0) putpixel(back_buffer, 100, 103, players[c.paint].colour);
        EXPECT_TRUE(play_frame(2) == c.living && scores() == c.scores && players[0].y == c.y0_after && players[1].y == c.y1_after &&
                    shows(back_buffer, "CERVENY: 1", 64, 436, players[0].colour)) << scores();
        if (c.living == 0) show_round_result(0);
        EXPECT_TRUE(scores() == c.scores && shows(back_buffer, "Nerozhodna hra", 320, 458, FIELD_GREY) == (c.living == 0));
    }
}

// Columns 320 and 3 down, rows 0, 3, 200, 417, 423, 477 and 479 across; the active players' labels; the clock.
TEST(PlayField, BordersPanelLabelsAndClock)
{
    fresh();
    for (int i = 0; i < PLAYER_COUNT; i++) players[i].score = 10 * i + 3, players[i].dead = i == 4;
    const std::vector<int> colours = {0, FIELD_WHITE, FIELD_GREY, FIELD_DARK_GREY};
    std::string field = (draw_play_field(), runs(back_buffer, 320, 0, 0, 1, 430, ".WGD", colours) + " | " + runs(back_buffer, 3, 0, 0, 1, 480, ".WGD", colours));
    for (int y : {0, 3, 200, 417, 423, 477, 479}) field += " | " + runs(back_buffer, 0, y, 1, 0, 640, ".WGD", colours);
    EXPECT_EQ(field, "W1 G2 D1 .413 W1 G5 D1 .6 | W1 G2 D415 G5 D55 G1 D1 | W639 D1 | W1 G2 D634 W1 G1 D1 | "
                     "W1 G2 D1 .633 W1 G1 D1 | W1 G2 D1 W634 G1 D1 | W1 G2 D634 W1 G1 D1 | W1 G2 D1 W634 G1 D1 | W1 D639");
    for (const Player &p : players) EXPECT_EQ(shows(back_buffer, p.name + (": " + std::to_string(p.score)), p.label_x, p.label_y, p.colour), !p.off);
    for (auto [ms, text] : {std::pair{0, "0:00:00"}, {61234, "1:01:23"}, {3600000, "60:00:00"}, {59999, "0:59:99"}})
        EXPECT_TRUE((rectfill(back_buffer, 250, 430, 390, 450, FIELD_WHITE), tick_ms = ms, draw_clock(), shows(back_buffer, text, 320, 436, FIELD_GREY)));
}

// One survivor: 2 points, its name under the clock. With another threshold each survivor's label is boxed as wide as the
// label with its new score and a character more, less 2 on the right; the dead keep their label, the off have none.
TEST(RoundEnd, SurvivorsGetTwoPointsAndTheFormFollowsTheThreshold)
{
    fresh();
    for (int i = 0; i < PLAYER_COUNT; i++) players[i].score = i, players[i].dead = i != 3;
    tick_ms = 1234, draw_play_field(), finish_round();
    EXPECT_TRUE(scores() == "0x 1x 2x 5 4x 5x 6x 7x" && shows(back_buffer, "ZLTY: 5", 576, 436, players[3].colour) &&
                shows(back_buffer, "0:01:23", 320, 436, FIELD_GREY) && shows(back_buffer, "ZLTY", 320, 458, players[3].colour));
    const int BOXES[][4] = {{0, 7, 20, 106}, {1, 8, 148, 234}, {3, 97, 540, 610}, {4, 98, 12, 114}, {6, 997, 392, 502}, {7, 998, 524, 626}};
    for (int threshold : {3, 2}) {
        fresh();
        for (auto [slot, score, left, right] : BOXES) players[slot].score = score, players[slot].dead = threshold == 2 && slot;
        settings.round_end_survivors = threshold, players[2].off = 0, players[2].dead = 1, players[2].score = 5, players[5].score = 40;
        draw_play_field(), finish_round();
        for (auto [slot, score, left, right] : BOXES) {
            const Player &p = players[slot];
            const std::string box = runs(back_buffer, left - 1, p.label_y - 4, 1, 0, right - left + 3, ".#", {0, p.colour}) + runs(back_buffer, left, p.label_y - 5, 0, 1, 17, ".#", {0, p.colour});
            EXPECT_TRUE(p.score == score + 2 * !p.dead && shows(back_buffer, p.name + (": " + std::to_string(p.score)), p.label_x, p.label_y, p.colour) &&
                        box == (p.dead ? "." + std::to_string(right - left + 3) + ".17" : ".1 #" + std::to_string(right - left + 1) + " .1.1 #15 .1")) << slot << box;
        }
        EXPECT_TRUE(shows(back_buffer, "ZELENY: 5", 448, 436, players[2].colour) && players[5].score == 40 &&
                    !shows(back_buffer, "MODRY: 40", 192, 458, players[5].colour) && shows(back_buffer, "HRAJ!", 320, 458, FIELD_GREY));
    }
}

// Plays a match with a hand at its waits, hand(n) at the n-th; the close button ends one still waiting after 5000.
static void play(const std::function<void(int)> &hand)
{
    int n = 0; on_wait = [&](bool) { hand(++n), window_closed = n > 5000; }, run_match();
}

// ESC in a round keeps the kill points and gives no others. A worm alone ends each round after its first frame with 2
// points: ENTER plays on, even held; ESC with SPACE leaves at once, the result still shown, once ESC is up; the winners
// wait for SPACE, ENTER and ESC all up.
TEST(MatchFlow, EscapeEnterAndSpaceAtEachStage)
{
    int esc_at = 0;
    fresh(), srand(5), play([&](int n) {
        if (n == 1) put(0, 100, 100), putpixel(back_buffer, 100, 103, players[1].colour); // into slot 1's trail
        if (players[0].dead && !esc_at) key[KEY_ESC] = 1, esc_at = n;
        key[KEY_ESC] &= n < esc_at + 3;
    });
    EXPECT_TRUE(scores() == "0x 1 0 0 0 0 0 0" && esc_at && !window_closed) << scores();
    for (int i = 1; i < PLAYER_COUNT; i++) players[i].off = 1;
    play([](int n) {
        key[KEY_ENTER] = n == 1; // round 1's result
        if (players[0].score == 4 && !key[KEY_SPACE]) key[KEY_ESC] = key[KEY_SPACE] = 1; // round 2's
        else if (key[KEY_SPACE]) key[KEY_ESC] = 0;
    });
    EXPECT_TRUE(players[0].score == 4 && !key[KEY_ESC] && !window_closed && shows(back_buffer, "CERVENY", 320, 458, players[0].colour));
    settings.target_score = key[KEY_SPACE] = 0; // the one active player wins, and nobody switched off does
    play([](int n) { key[KEY_ESC] = n < 3, key[KEY_ENTER] = n < 7, key[KEY_SPACE] = n < 5; });
    EXPECT_TRUE(shows(screen, "Vyhral", 320, 202, FIELD_GREY) && !key[KEY_ENTER] && players[0].score == 2 && !window_closed);
    EXPECT_EQ(runs(screen, 244, 195, 1, 0, 153, ".WGD", {0, FIELD_WHITE, FIELD_GREY, FIELD_DARK_GREY}), "W1 G1 D148 W1 G1 D1"); // the box's frames
}
