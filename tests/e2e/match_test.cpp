// A match as the players meet it: a lone worm named in the winners box and
// the way back to the main menu and into the next match, a two-worm round
// played to its end and scored, and ESC in the middle of a round while the
// clock runs.
#include "game_screens.h"

#include <chrono>
#include <cstdio>
#include <cstring>

using Match = GameTest;

// Player slots of the default settings at 640 x 480: the colour as a pixel
// value of depth 16 and the label's place.
struct Slot {
    int index;
    const char *name;
    int colour;
    int label_x, label_y;
};
static const Slot BELASY = {1, "BELASY", 0x07FF, 192, 436};
static const Slot ZLTY = {3, "ZLTY", 0xFFE0, 576, 436};
static const Slot FIALOVY = {4, "FIALOVY", 0xF85F, 64, 458};
static const Slot RUZOVY = {7, "RUZOVY", 0xFC10, 576, 458};

static uint32_t colour_of(const Slot &s)
{
    return pixel_value_on_screen(s.colour, 16);
}

static uint32_t grey()
{
    return game_colour(128, 128, 128);
}

// Line 3 of the settings: round-end survivors, target score, frame delay,
// the check number and the turn step.
static std::string match_settings(const std::vector<int> &on, const std::string &rules)
{
    return with_line(with_players_on(DEFAULT_SETTINGS_TEXT, on), 3, rules);
}

// The round messages stand in the middle of the panel's second row, the
// clock in the middle of its first.
static const int MESSAGE_RISE = 22, CLOCK_RISE = 44;
static const char DRAW_TEXT[] = "Nerozhodna hra";

static bool label_shown(const Image &img, const Slot &s, int score)
{
    return text_shown(img, std::string(s.name) + ": " + std::to_string(score), s.label_x,
                      s.label_y, colour_of(s), true);
}

static bool named_under_the_clock(const Image &img, const Slot &s)
{
    return text_shown(img, s.name, img.w / 2, img.h - MESSAGE_RISE, colour_of(s), true);
}

// The round clock "m:ss:hh" in grey under the field; -1 when it does not read so.
static int clock_ms_shown(const Image &img)
{
    std::string t = read_text(img, img.w / 2, img.h - CLOCK_RISE, 7, grey(), "0123456789:");
    int m = 0, s = 0, hundredths = 0;
    char tail = 0;
    if (t[1] != ':' || t[4] != ':' ||
        sscanf(t.c_str(), "%1d:%2d:%2d%c", &m, &s, &hundredths, &tail) != 3 || s > 59)
        return -1;
    return (m * 60 + s) * 1000 + hundredths * 10;
}

// ---------------------------------------------------------------- the winners box

// The winners box for one winner on a w x h screen, as the game lays it out:
// the title "Vyhral" on row T and the name a line of 15 rows lower, centred;
// the box spans columns L..R and rows T - 8..B.
struct WinnersBox {
    int T, B, L, R;
};
static const int PANEL_H = 60, WINNER_LINE = 15, WINNERS_BOX_W = 150;

static WinnersBox winners_box(int w, int h)
{
    const int n = 1; // winners
    return {(h - PANEL_H - WINNER_LINE * n) / 2, (h - PANEL_H + WINNER_LINE * (n + 2)) / 2,
            (w - WINNERS_BOX_W) / 2, (w + WINNERS_BOX_W) / 2};
}

// What the box leaves at (x, y): a grey outline, a raised frame just outside
// it and a sunken one just inside; 'k' is the black inside, 0 is outside.
static char winners_box_pixel(int x, int y, const WinnersBox &b)
{
    if (x < b.L - 1 || x > b.R + 1 || y < b.T - 9 || y > b.B + 1)
        return 0;
    if (x == b.L - 1)
        return 'w';
    if (x == b.R + 1)
        return 'd';
    if (y == b.T - 9)
        return 'w';
    if (y == b.B + 1)
        return 'd';
    if (x == b.L || x == b.R || y == b.T - 8 || y == b.B)
        return 'g';
    if (x == b.L + 1)
        return 'd';
    if (x == b.R - 1)
        return 'w';
    if (y == b.T - 7)
        return 'd';
    if (y == b.B - 1)
        return 'w';
    return 'k';
}

// The box with "Vyhral" in grey and the one winner's name in its colour
// under it; inside, every pixel off the two texts is black.
static bool winners_box_shown(const Image &img, const Slot &s)
{
    const WinnersBox b = winners_box(img.w, img.h);
    const int CHAR_W = 8, CHAR_H = 8, x_centre = img.w / 2;
    const uint32_t want[] = {game_colour(255, 255, 255), game_colour(64, 64, 64), grey(), 0};
    auto in_text = [&](int x, int y, int top, int chars) {
        return y >= top && y < top + CHAR_H && x >= x_centre - chars * CHAR_W / 2 &&
               x < x_centre + chars * CHAR_W / 2;
    };
    for (int y = b.T - 9; y <= b.B + 1; y++)
        for (int x = b.L - 1; x <= b.R + 1; x++) {
            char kind = winners_box_pixel(x, y, b);
            if (kind == 'k' && (in_text(x, y, b.T, (int)strlen("Vyhral")) ||
                                in_text(x, y, b.T + WINNER_LINE, (int)strlen(s.name))))
                continue;
            int i = kind == 'w' ? 0 : kind == 'd' ? 1 : kind == 'g' ? 2 : 3;
            if (img.at(x, y) != want[i])
                return false;
        }
    return text_shown(img, "Vyhral", x_centre, b.T, grey(), true) &&
           text_shown(img, s.name, x_centre, b.T + WINNER_LINE, colour_of(s), true);
}

// A lone worm with 2 points to win: its first frame ends the round with it
// alive, its 2 points end the match.
class MatchWinner : public GameTest, public ::testing::WithParamInterface<Slot> {};

TEST_P(MatchWinner, IsNamedAndTheMenuOffersTheNextMatch)
{
    const Slot s = GetParam();
    const std::string settings = match_settings({s.index}, "1 2 25 74523 0.150000");
    write_file(dir, SETTINGS_FILE, settings);
    ASSERT_TRUE(start_at_main_menu(dir));
    key_tap("s");
    auto match_won = [&](const Image &img) {
        return play_field_frame_shown(img) && winners_box_shown(img, s) && label_shown(img, s, 2) &&
               named_under_the_clock(img, s);
    };
    ASSERT_TRUE(wait_until(match_won));

    key_tap("space");
    ASSERT_TRUE(wait_for_main_menu());
    const int x = layer_to_game_x(360), y = layer_to_game_y(170);
    EXPECT_TRUE(wait_until([&](const Image &img) { return pointer_shown_at(img, x, y); }));

    key_tap("Return"); // the pointer rests on the start button
    EXPECT_TRUE(wait_until(match_won));
    key_tap("Escape");
    ASSERT_TRUE(wait_for_main_menu());
    expect_quit_writing(dir, settings);
}

INSTANTIATE_TEST_SUITE_P(Match, MatchWinner, ::testing::Values(BELASY, RUZOVY),
                         [](const auto &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- a round played out

// Each worm's score as its label shows it (0 to 9); -1 when no label reads so.
static int score_shown(const Image &img, const Slot &s)
{
    for (int score = 0; score <= 9; score++)
        if (label_shown(img, s, score))
            return score;
    return -1;
}

// Some pixel of a's trail lies within two pixels of b's: one of the two may
// have run into the other's trail.
static bool trails_touch(const Image &img, const Slot &a, const Slot &b)
{
    const int FIELD = 4, REACH = 2;
    for (int y = FIELD; y <= img.h - PANEL_H - FIELD; y++)
        for (int x = FIELD; x <= img.w - FIELD; x++) {
            if (img.at(x, y) != colour_of(a))
                continue;
            for (int dy = -REACH; dy <= REACH; dy++)
                for (int dx = -REACH; dx <= REACH; dx++)
                    if (img.at(x + dx, y + dy) == colour_of(b))
                        return true;
        }
    return false;
}

// Two worms: one circles (its left key held, with a sharp turn step) and
// soon meets its own trail, ten pixels or more from any border; the other
// runs straight for a border, some 200 pixels away at least. Whoever dies
// first ends the round: the survivor is named and gets 2 points, plus the
// kill point when the loser ran into a trail the survivor owns; the loser
// has none. A trail's owner is the lowest slot of its colour: with colours
// of their own the circling worm dies on its own trail, and only where the
// two trails touch can the survivor have 3; sharing the straight worm's
// colour, the circling worm dies on a trail the straight worm owns, which
// gives it 3. Should both die in one frame the round is a draw: a point each
// at most, for a trail run into or a head-on meeting.
struct TwoWormRound {
    const char *name;
    Slot straight, circling;
    const char *circling_key;
};
static const Slot FIALOVY_IN_BELASY_COLOUR = {FIALOVY.index, FIALOVY.name, BELASY.colour,
                                              FIALOVY.label_x, FIALOVY.label_y};
static const TwoWormRound TWO_WORM_ROUNDS[] = {
    {"OwnColours", FIALOVY, BELASY, "z"},
    {"SharedColour", BELASY, FIALOVY_IN_BELASY_COLOUR, "q"},
};

// The points the survivor must show; -1 when 2 and 3 may both be right.
static int survivor_points(const Image &img, const TwoWormRound &r, const Slot &survivor)
{
    bool shared = r.straight.colour == r.circling.colour;
    if (!shared)
        return trails_touch(img, r.straight, r.circling) ? -1 : 2;
    // The straight worm owns the shared colour and survives: the circling one
    // died on that colour.
    bool straight_owns = r.straight.index < r.circling.index;
    return straight_owns && survivor.index == r.straight.index ? 3 : 2;
}

class MatchTwoWorms : public GameTest, public ::testing::WithParamInterface<TwoWormRound> {};

TEST_P(MatchTwoWorms, TheRoundEndsWithTheSurvivorNamedAndScored)
{
    const TwoWormRound &r = GetParam();
    std::string settings =
        match_settings({r.straight.index, r.circling.index}, "1 50 25 74523 0.500000");
    for (const Slot &s : {r.straight, r.circling})
        settings = with_player_colour(settings, s.index, s.colour);
    write_file(dir, SETTINGS_FILE, settings);
    ASSERT_TRUE(start_at_main_menu(dir));
    key_down(r.circling_key);
    key_tap("s");
    const Slot *survivor = nullptr;
    bool draw = false;
    auto round_over = [&](const Image &img) {
        survivor = named_under_the_clock(img, r.straight)   ? &r.straight
                   : named_under_the_clock(img, r.circling) ? &r.circling
                                                            : nullptr;
        draw = text_shown(img, DRAW_TEXT, img.w / 2, img.h - MESSAGE_RISE, grey(), true);
        return survivor || draw;
    };
    bool ended = wait_until(round_over, 15000);
    key_up(r.circling_key);
    ASSERT_TRUE(ended);

    Image img = grab_screen();
    int straight = score_shown(img, r.straight), circling = score_shown(img, r.circling);
    if (survivor) {
        int kept = survivor == &r.straight ? straight : circling;
        int lost = survivor == &r.straight ? circling : straight;
        int points = survivor_points(img, r, *survivor);
        if (points < 0)
            EXPECT_TRUE(kept == 2 || kept == 3) << survivor->name << " has " << kept;
        else
            EXPECT_EQ(kept, points) << survivor->name;
        EXPECT_EQ(lost, 0);
    } else {
        EXPECT_TRUE(straight == 0 || straight == 1) << straight;
        EXPECT_TRUE(circling == 0 || circling == 1) << circling;
    }
    EXPECT_GT(clock_ms_shown(img), 0); // the round's time stays on show

    key_tap("Escape");
    ASSERT_TRUE(wait_for_main_menu());
    expect_quit_writing(dir, settings);
}

INSTANTIATE_TEST_SUITE_P(Match, MatchTwoWorms, ::testing::ValuesIn(TWO_WORM_ROUNDS),
                         [](const auto &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- leaving a round

static long now_ms_here()
{
    using namespace std::chrono;
    return (long)duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The top right corner of the menu holds nothing but the backdrop: a later
// picture of it is the earlier one moved left by some columns.
static bool backdrop_moved_left(const Image &before, const Image &after)
{
    const int COLUMNS = 8, ROWS = 20, MAX_SHIFT = 60, x0 = after.w - COLUMNS - MAX_SHIFT - 2;
    for (int shift = 1; shift <= MAX_SHIFT; shift++) {
        bool same = true;
        for (int y = 0; y < ROWS && same; y++)
            for (int x = x0; x < x0 + COLUMNS && same; x++)
                same = after.at(x, y) == before.at(x + shift, y) &&
                       (after.at(x, y) & 0xFFFF00) == 0; // pure blue
        if (same)
            return true;
    }
    return false;
}

// One worm at 10 frames a second and no round end while it lives: the round
// lasts several seconds.
TEST_F(Match, EscapeInTheMiddleOfARoundReturnsToTheMenu)
{
    const std::string settings = match_settings({ZLTY.index}, "0 50 100 74523 0.150000");
    write_file(dir, SETTINGS_FILE, settings);
    ASSERT_TRUE(start_at_main_menu(dir));
    key_tap("s");
    int first = -1;
    ASSERT_TRUE(wait_until([&](const Image &img) {
        first = clock_ms_shown(img);
        return play_field_frame_shown(img) && label_shown(img, ZLTY, 0) && first >= 0;
    }));
    EXPECT_TRUE(wait_until([&](const Image &img) { return clock_ms_shown(img) > first; }));

    // Held, ESC stops the frames: the clock stands still until it is let go.
    key_down("Escape");
    int last = -1;
    long changed_at = now_ms_here();
    const int STILL_MS = 400; // four frame periods
    bool stopped = wait_until([&](const Image &img) {
        int now = clock_ms_shown(img);
        if (now != last) {
            last = now;
            changed_at = now_ms_here();
        }
        return now >= 0 && now_ms_here() - changed_at >= STILL_MS;
    });
    EXPECT_TRUE(play_field_frame_shown(grab_screen())); // no menu before the release
    key_up("Escape");
    EXPECT_TRUE(stopped);
    ASSERT_TRUE(wait_for_main_menu());

    Image before = grab_screen();
    EXPECT_TRUE(wait_until([&](const Image &img) { return backdrop_moved_left(before, img); }));
    expect_quit_writing(dir, settings);
}
