// The options screen's pictures: the layout on menu_layer and every view of
// text_layer, compared pixel by pixel with the texts rendered here.
#include "graphics_fixture.h"

#include <string>
#include <vector>

static int white() { return makecol(255, 255, 255); }
static int yellow() { return makecol(255, 255, 0); }
static int dialog_blue() { return makecol(0, 0, 180); }

struct Text {
    int x, y;
    std::string text;
    int colour;
};

class OptionsViewTest : public FrontendTest {
protected:
    void SetUp() override
    {
        FrontendTest::SetUp();
        settings.frame_delay_ms = 25;
        settings.turn_step = 0.15f;
        settings.round_end_survivors = 1;
        settings.target_score = 50;
        pending = {2, 800, 600, 24};
        srand(3);
    }

    // The seven values of the state set up above; the view's own in yellow.
    static std::vector<Text> values(int view)
    {
        std::vector<Text> t = {{272, 161, "25", 0},      {567, 161, "150", 0},
                               {272, 241, "1", 0},       {567, 241, "50", 0},
                               {340, 325, "800/600", 0}, {340, 355, "WINDOWED", 0},
                               {340, 385, "24", 0}};
        for (size_t i = 0; i < t.size(); i++)
            t[i].colour = int(i) + 1 == view ? yellow() : white();
        return t;
    }

    // text_layer must hold exactly these texts on pink. Within the art's
    // reach (its box and 20 pixels around) the pixels of the texts drawn
    // before the art (`under`) may be the dialog blue instead, which must
    // cover the box densely; the texts drawn after it (`over`) lie on top.
    static void expect_view(const std::vector<Text> &under, const OptionsBox *art = nullptr,
                            const std::vector<Text> &over = {})
    {
        BITMAP *below = rendered(under);
        BITMAP *above = rendered(over);
        int wrong = 0, art_pixels = 0;
        for (int y = 0; y < LAYER_H; y++)
            for (int x = 0; x < LAYER_W; x++) {
                int got = getpixel(text_layer, x, y);
                int expected = getpixel(above, x, y);
                if (expected == MAGIC_PINK)
                    expected = getpixel(below, x, y);
                bool reach = art && x >= art->left - 20 && x <= art->right + 19 &&
                             y >= art->top - 20 && y <= art->bottom + 19;
                if (reach && got == dialog_blue() && getpixel(above, x, y) == MAGIC_PINK)
                    art_pixels++;
                else
                    wrong += got != expected;
            }
        destroy_bitmap(below);
        destroy_bitmap(above);
        EXPECT_EQ(wrong, 0);
        if (art) {
            EXPECT_GT(art_pixels, (art->right - art->left) * (art->bottom - art->top) / 2);
        }
    }

    static BITMAP *rendered(const std::vector<Text> &texts)
    {
        BITMAP *bmp = create_bitmap(LAYER_W, LAYER_H);
        clear_to_color(bmp, MAGIC_PINK);
        for (const Text &t : texts)
            textout_centre_ex(bmp, font, t.text.c_str(), t.x, t.y, t.colour, -1);
        return bmp;
    }
};
INSTANTIATE_TEST_SUITE_P(Depths, OptionsViewTest, ::testing::Values(16, 32));

TEST_P(OptionsViewTest, ValuesAreWhiteAndTheEnteredOneYellow)
{
    for (int view : {-1, 1, 2, 3, 4}) {
        SCOPED_TRACE(view);
        draw_options_values(view);
        expect_view(values(view));
    }
}

// Popups 5 to 7 come with their value in yellow; the dialog and messages
// lie over the values in white. The art stays within 20 pixels of its box.
TEST_P(OptionsViewTest, PopupsDialogAndMessages)
{
    struct Case {
        int view;
        OptionsBox box;
        std::vector<Text> texts;
    };
    const int w = white();
    const Case cases[] = {
        {5, {260, 200, 380, 280},
         {{320, 216, "640/480", w}, {320, 236, "800/600", w}, {320, 256, "1024/768", w}}},
        {6, {260, 200, 380, 280},
         {{320, 216, "AUTODETECT", w}, {320, 236, "FULLSCREEN", w}, {320, 256, "WINDOWED", w}}},
        {7, {250, 225, 390, 255},
         {{272, 236, "15", w}, {304, 236, "16", w}, {336, 236, "24", w}, {368, 236, "32", w}}},
        {8, {190, 220, 450, 260}, {{320, 236, "Graficky mod nebol zmeneny.", w}}},
        {9, {170, 210, 470, 270},
         {{320, 226, "Naozaj chcete zmenit graficky mod?", w},
          {270, 246, "ANO", w},
          {370, 246, "NIE", w}}},
        {10, {170, 220, 470, 260}, {{320, 236, "Nepodarilo sa zmenit graficky mod.", w}}},
        {11, {170, 220, 470, 260}, {{320, 236, "Graficky mod bol uspesne zmeneny.", w}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.view);
        draw_options_values(c.view);
        expect_view(values(c.view), &c.box, c.texts);
    }
}

TEST_P(OptionsViewTest, TurnStepShowsThousandthsAndAnUnknownCardAPlaceholder)
{
    settings.turn_step = 0.02f;
    pending.card = 7;
    draw_options_values(-1);
    std::vector<Text> t = values(-1);
    t[1].text = "20";
    t[5].text = "???";
    expect_view(t);
}

// The layout is drawn once per entry: each piece of button art, then the
// caption over it, in an order that decides which lies on top.
TEST_P(OptionsViewTest, LayoutPutsCaptionsOverTheirArtAndDrawsTheValues)
{
    putpixel(menu_layer, 5, 5, white());
    srand(11);
    draw_options_layout();
    BITMAP *got = create_bitmap(LAYER_W, LAYER_H);
    blit(menu_layer, got, 0, 0, 0, 0, LAYER_W, LAYER_H);

    clear_to_color(menu_layer, MAGIC_PINK);
    srand(11);
    auto art = [](int l, int t, int r, int b) { scribble_box(menu_layer, 20, l, t, r, b); };
    art(50, 150, 230, 180); art(250, 150, 295, 180); draw_caption(150, 50, 150);
    art(345, 150, 525, 180); art(545, 150, 590, 180); draw_caption(180, 345, 150);
    art(50, 230, 230, 260); art(250, 230, 295, 260); draw_caption(210, 50, 230);
    art(345, 230, 525, 260); art(545, 230, 590, 260); draw_caption(240, 345, 230);
    art(50, 310, 400, 400); draw_caption(270, 50, 310);
    draw_caption(300, 50, 340); draw_caption(330, 50, 370);
    art(450, 310, 590, 340); draw_caption(360, 450, 310);
    art(450, 370, 590, 400); draw_caption(120, 450, 370);
    int wrong = 0;
    for (int y = 0; y < LAYER_H; y++)
        for (int x = 0; x < LAYER_W; x++)
            wrong += getpixel(menu_layer, x, y) != getpixel(got, x, y);
    destroy_bitmap(got);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(getpixel(menu_layer, 5, 5), MAGIC_PINK);
    expect_view(values(-1));
}
