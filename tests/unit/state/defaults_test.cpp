// The default settings and players, and the placement of the score labels.
#include "allegro_fixture.h"

#include <cstring>

// A byte pattern no default holds, so a field the defaults forget shows up.
static const unsigned char FILL_BYTE = 0x5A;
static const int FILL = 0x5A5A5A5A;

static int bits_of(float f)
{
    int i;
    std::memcpy(&i, &f, sizeof i);
    return i;
}

TEST(Defaults, SetEverySetting)
{
    std::memset(&settings, FILL_BYTE, sizeof settings);
    apply_defaults();
    EXPECT_EQ(settings.animate_backdrop, 1);
    EXPECT_EQ(settings.pointer_step, 3);
    EXPECT_EQ(settings.color_depth, 16);
    EXPECT_EQ(settings.gfx_card, 0);
    EXPECT_EQ(settings.screen_w, 640);
    EXPECT_EQ(settings.screen_h, 480);
    EXPECT_EQ(settings.round_end_survivors, 1);
    EXPECT_EQ(settings.target_score, 50);
    EXPECT_EQ(settings.frame_delay_ms, 25);
    EXPECT_EQ(settings.turn_step, 0.15f);
}

struct DefaultPlayerRow {
    const char *name;
    int colour;    // 5-6-5, red high
    int r, g, b;   // the makecol triple that gives it at depth 16
    const char *left, *right; // key names
    int off;
};

static const DefaultPlayerRow DEFAULT_PLAYERS[PLAYER_COUNT] = {
    {"CERVENY", 0xF800, 255, 0, 0, "LEFT", "RIGHT", 0},
    {"BELASY", 0x07FF, 0, 255, 255, "Z", "X", 0},
    {"ZELENY", 0x07E0, 0, 255, 0, "N", "M", 1},
    {"ZLTY", 0xFFE0, 255, 255, 0, "2 PAD", "3 PAD", 0},
    {"FIALOVY", 0xF85F, 255, 8, 255, "Q", "A", 0},
    {"MODRY", 0x001F, 0, 0, 255, "PLUS PAD", "MINUS PAD", 1},
    {"ORANZOVY", 0xFC09, 255, 128, 72, "STOP", "SLASH", 0},
    {"RUZOVY", 0xFC10, 255, 128, 128, " ", " ", 0},
};

// What the match and the screen size decide (position, heading, dead,
// score, labels) is left as it was.
TEST(Defaults, GiveEverySlotItsNameColourKeysAndSwitchOnly)
{
    std::memset(players, FILL_BYTE, sizeof players); // names without a terminator
    apply_defaults();
    for (int i = 0; i < PLAYER_COUNT; i++) {
        const DefaultPlayerRow &d = DEFAULT_PLAYERS[i];
        const Player &p = players[i];
        SCOPED_TRACE(i);
        EXPECT_STREQ(p.name, d.name);
        EXPECT_EQ(p.colour, d.colour);
        EXPECT_EQ(p.colour, makecol_depth(16, d.r, d.g, d.b));
        EXPECT_STREQ(key_name(p.key_left), d.left);
        EXPECT_STREQ(key_name(p.key_right), d.right);
        EXPECT_EQ(p.off, d.off);
        for (float f : {p.x, p.y, p.heading})
            EXPECT_EQ(bits_of(f), FILL);
        for (int v : {p.dead, p.score, p.label_x, p.label_y})
            EXPECT_EQ(v, FILL);
    }
    // Violet must not be the mask colour, or masked drawing would hide it.
    EXPECT_NE(players[4].colour, makecol_depth(16, 255, 0, 255));
}

struct LabelRow {
    int w, h;
    int x[4];        // columns at 1, 3, 7 and 9 tenths
    int top, bottom; // rows of slots 0..3 and 4..7
};

TEST(ScoreLabels, StandInTwoRowsOfFourUnderTheField)
{
    static const LabelRow ROWS[] = {
        {640, 480, {64, 192, 448, 576}, 436, 458},
        {800, 600, {80, 240, 560, 720}, 556, 578},
        {1024, 768, {102, 307, 716, 921}, 724, 746}, // 921: multiplied before dividing
    };
    for (const LabelRow &r : ROWS) {
        std::memset(players, FILL_BYTE, sizeof players);
        place_score_labels(r.w, r.h);
        for (int i = 0; i < PLAYER_COUNT; i++) {
            SCOPED_TRACE(::testing::Message() << r.w << "x" << r.h << " slot " << i);
            EXPECT_EQ(players[i].label_x, r.x[i % 4]);
            EXPECT_EQ(players[i].label_y, i < 4 ? r.top : r.bottom);
            EXPECT_EQ(players[i].score, FILL);
        }
    }
}
