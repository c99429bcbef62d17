// Typing numbers on the options screen, one input at a time.
#include "graphics_fixture.h"

#include <climits>
#include <cstring>
#include <string>

static const int ENTER = 13, ESC = 27;
static int white() { return makecol(255, 255, 255); }
static int yellow() { return makecol(255, 255, 0); }

// The four entries by view: where the value stands and what it may hold.
struct Field { int *value; int min, max, x, y; };
static Field field_of(int view)
{
    switch (view) {
    case 1: return {&settings.frame_delay_ms, 0, 100, 272, 161};
    case 3: return {&settings.round_end_survivors, 1, 7, 272, 241};
    case 4: return {&settings.target_score, 0, 5000, 567, 241};
    default: return {nullptr, 0, 0, 567, 161}; // the turn step
    }
}

class OptionsEntryTest : public FrontendTest {
protected:
    int view = 0, old_int = 0;
    float old_float = 0;

    void begin(int v)
    {
        view = v;
        if (view == 2)
            old_float = begin_turn_step_entry();
        else
            old_int = begin_int_entry(field_of(view).value, view);
    }
    EntryState type(const std::string &keys)
    {
        EntryState s = ENTRY_RUNNING;
        for (unsigned char k : keys)
            s = input(k);
        return s;
    }
    EntryState input(int in)
    {
        Field f = field_of(view);
        return view == 2 ? turn_step_entry_step(old_float, in)
                         : int_entry_step(f.value, view, old_int, f.min, f.max, in);
    }
    // The value must read `text` in `colour`: every glyph pixel in that
    // colour and no other pixel of its line, a character either side included.
    void expect_shown(const char *text, int colour)
    {
        Field f = field_of(view);
        BITMAP *want = create_bitmap(LAYER_W, LAYER_H);
        clear_to_color(want, 0);
        textout_centre_ex(want, font, text, f.x, f.y, colour, -1);
        int half = text_length(font, text) / 2 + 8, wrong = 0;
        for (int y = f.y; y < f.y + text_height(font); y++)
            for (int x = f.x - half; x <= f.x + half; x++)
                wrong += (getpixel(want, x, y) == colour) != (getpixel(text_layer, x, y) == colour);
        destroy_bitmap(want);
        EXPECT_EQ(wrong, 0) << text;
    }
};
INSTANTIATE_TEST_SUITE_P(Depths, OptionsEntryTest, ::testing::Values(16, 32));

// The field shows the typed number in yellow, unclamped; ENTER stores it
// clamped and shows it in white. Forty nines never overflow.
TEST_P(OptionsEntryTest, NumbersShowUnclampedAndConfirmClamped)
{
    const std::string nines(40, '9');
    struct Case {
        int view;
        std::string typed;
        const char *shown;   // while typing, in yellow
        double stored;       // once confirmed
        const char *stored_text;
    };
    const Case cases[] = {
        {1, "250", "250", 100, "100"},   {1, "", "0", 0, "0"},
        {1, "12\b7", "7", 7, "7"},       {1, "4a-x", "4", 4, "4"},
        {3, "9", "9", 7, "7"},           {3, "0", "0", 1, "1"},
        {3, "", "0", 1, "1"},            {4, "6000", "6000", 5000, "5000"},
        {4, "", "0", 0, "0"},            {4, nines, "2147483647", 5000, "5000"},
        {2, "7", "7", 0.02f, "20"},      {2, "70", "70", 0.07f, "70"},
        {2, "700", "700", 0.5f, "500"},  {2, "15", "15", 0.02f, "20"},
        {2, "150", "150", 0.15f, "150"}, {2, "", "0", 0.02f, "20"},
        {2, "33\b4", "4", 0.02f, "20"},  {2, nines, "2147483750", 0.5f, "500"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        begin(c.view);
        EXPECT_EQ(type(c.typed), ENTRY_RUNNING);
        expect_shown(c.shown, yellow());
        EXPECT_EQ(input(ENTER), ENTRY_CONFIRMED);
        if (c.view == 2)
            EXPECT_EQ(settings.turn_step, float(c.stored)); // exact, float by float
        else
            EXPECT_EQ(*field_of(c.view).value, int(c.stored));
        expect_shown(c.stored_text, white());
    }
}

TEST_P(OptionsEntryTest, TypedNumbersSaturateAtTheLargestInt)
{
    begin(1);
    type("2147483647");
    EXPECT_EQ(settings.frame_delay_ms, INT_MAX);
    type("0");
    EXPECT_EQ(settings.frame_delay_ms, INT_MAX);
}

TEST_P(OptionsEntryTest, LeftClickConfirmsOtherButtonsAreIgnored)
{
    begin(1);
    type("42");
    EXPECT_EQ(input(ENTRY_OTHER_CLICK), ENTRY_RUNNING);
    expect_shown("42", yellow());
    EXPECT_EQ(input(ENTRY_LEFT_CLICK), ENTRY_CONFIRMED);
    EXPECT_EQ(settings.frame_delay_ms, 42);
    mouse_b = 3;
    EXPECT_EQ(entry_input_now(), ENTRY_LEFT_CLICK);
    mouse_b = 2;
    EXPECT_EQ(entry_input_now(), ENTRY_OTHER_CLICK);
}

// ESC, and the close button, which reads as ESC before any held button,
// put the old value back exactly, even one outside the range.
TEST_P(OptionsEntryTest, EscapeAndTheCloseButtonRestoreTheExactOldValue)
{
    settings.target_score = 1234567;
    begin(4);
    EXPECT_EQ(type("45\x1b"), ENTRY_CANCELLED);
    EXPECT_EQ(settings.target_score, 1234567);
    expect_shown("1234567", white());

    const float odd = 0.123456789f;
    settings.turn_step = odd;
    begin(2);
    EXPECT_EQ(type("3"), ENTRY_RUNNING);
    mouse_b = 1;
    window_closed = 1;
    EXPECT_EQ(entry_input_now(), ESC);
    EXPECT_EQ(input(entry_input_now()), ENTRY_CANCELLED);
    EXPECT_EQ(std::memcmp(&settings.turn_step, &odd, sizeof odd), 0);
    expect_shown("123", white());
}
