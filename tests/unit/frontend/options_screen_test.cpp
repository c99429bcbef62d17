// The options screen's hit tests: its nine boxes, the popups' choices, the
// dialog's answers, and the conditions its waits end on.
#include "graphics_fixture.h"

class OptionsScreenTest : public FrontendTest {};
INSTANTIATE_TEST_SUITE_P(Depths, OptionsScreenTest, ::testing::Values(16, 32));

// Boxes around the screen centre; a shared border belongs to the earlier box.
TEST_P(OptionsScreenTest, NineBoxesAroundTheCentre)
{
    struct Case { int dx, dy, box; };
    const Case cases[] = {
        {130, 130, 1},  {270, 160, 1},  {129, 130, 0},  {271, 160, 0},  {130, 161, 0},
        {-270, -90, 2}, {-25, -60, 2},  {-271, -90, 0}, {-24, -60, 0},  {-270, -91, 0},
        {25, -90, 3},   {270, -60, 3},  {24, -90, 0},   {271, -60, 0},  {270, -59, 0},
        {-270, -10, 4}, {-25, 20, 4},   {-270, -11, 0}, {-25, 21, 0},   {0, 0, 0},
        {25, -10, 5},   {270, 20, 5},   {271, 20, 0},   {25, 21, 0},
        {130, 70, 6},   {270, 100, 6},  {129, 70, 0},   {130, 69, 0},   {270, 101, 0},
        {-270, 70, 7},  {80, 70, 7},    {-270, 69, 0},  {81, 70, 0},
        {-270, 100, 7}, {80, 100, 7},   {-270, 101, 8}, {80, 101, 8},   {-271, 101, 0},
        {-270, 130, 8}, {80, 130, 8},   {-270, 131, 9}, {80, 160, 9},   {-270, 161, 0},
        {81, 160, 0},   {105, 145, 0},  // between the panel and the back button
    };
    for (OfferedSize size : {OfferedSize{640, 480}, OfferedSize{1024, 768}}) {
        settings.screen_w = size.w;
        settings.screen_h = size.h;
        for (const Case &c : cases)
            EXPECT_EQ(options_box_at(size.w / 2 + c.dx, size.h / 2 + c.dy), c.box)
                << size.w << ": " << c.dx << "," << c.dy;
    }
}

TEST_P(OptionsScreenTest, ListPopupsChooseByLineAndIgnoreTheirRim)
{
    struct Case { int lx, ly, line; };
    const Case cases[] = {
        {320, 229, 0}, {320, 230, 1}, {320, 249, 1}, {320, 250, 2}, {320, 270, 2},
        {320, 210, 0}, {270, 240, 1}, {370, 240, 1},
        {320, 205, -1}, {320, 275, -1}, {265, 240, -1}, {375, 240, -1},
        {320, 209, -1}, {320, 271, -1}, {269, 240, -1}, {371, 240, -1},
    };
    const int widths[] = {640, 800, 1024}, heights[] = {480, 600, 768};
    const PendingMode before = {1, 111, 222, 16};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.lx << "," << c.ly);
        pending = before;
        choose_in_popup(5, c.lx, c.ly);
        EXPECT_EQ(pending.w, c.line < 0 ? before.w : widths[c.line]);
        EXPECT_EQ(pending.h, c.line < 0 ? before.h : heights[c.line]);
        EXPECT_EQ(pending.card, before.card);
        pending = before;
        choose_in_popup(6, c.lx, c.ly);
        EXPECT_EQ(pending.card, c.line < 0 ? before.card : c.line);
        EXPECT_EQ(pending.w, before.w);
        EXPECT_EQ(pending.depth, before.depth);
    }
}

TEST_P(OptionsScreenTest, DepthPopupChoosesByColumnAndIgnoresItsRim)
{
    struct Case { int lx, ly, depth; };
    const Case cases[] = {
        {287, 240, 15}, {288, 240, 16}, {319, 240, 16}, {320, 240, 24}, {351, 240, 24},
        {352, 240, 32}, {384, 240, 32}, {256, 225, 15}, {384, 255, 32},
        {385, 240, 0},  {255, 240, 0},  {300, 224, 0},  {300, 256, 0},
    };
    for (const Case &c : cases) {
        pending = {1, 800, 600, 0};
        choose_in_popup(7, c.lx, c.ly);
        EXPECT_EQ(pending.depth, c.depth) << c.lx << "," << c.ly;
        EXPECT_EQ(pending.w, 800);
        EXPECT_EQ(pending.card, 1);
    }
}

TEST_P(OptionsScreenTest, DialogAnswersByItsButtons)
{
    struct Case { int lx, ly; DialogAnswer answer; };
    const Case cases[] = {
        {250, 240, ANSWER_YES},  {290, 260, ANSWER_YES},    {249, 240, ANSWER_NONE},
        {291, 260, ANSWER_NONE}, {270, 239, ANSWER_NONE},   {350, 240, ANSWER_NO},
        {390, 260, ANSWER_NO},   {349, 250, ANSWER_NONE},   {370, 261, ANSWER_NONE},
        {320, 240, ANSWER_NONE}, {170, 210, ANSWER_NONE},   {470, 270, ANSWER_NONE},
        {169, 240, ANSWER_CANCEL}, {471, 240, ANSWER_CANCEL}, {320, 209, ANSWER_CANCEL},
        {320, 271, ANSWER_CANCEL}, {0, 0, ANSWER_CANCEL},
    };
    for (const Case &c : cases)
        EXPECT_EQ(dialog_answer(c.lx, c.ly), c.answer) << c.lx << "," << c.ly;
}

// Any mouse button answers; only ESC, the left button and ENTER hold a
// message; the close button ends every wait.
TEST_P(OptionsScreenTest, WaitsEndOnTheirKeysAndOnTheCloseButton)
{
    EXPECT_FALSE(answer_pressed());
    EXPECT_FALSE(dismissal_held());
    EXPECT_FALSE(confirm_still_held());
    key[KEY_ESC] = 1;
    EXPECT_TRUE(answer_pressed());
    EXPECT_TRUE(dismissal_held());
    EXPECT_FALSE(confirm_still_held());
    release_all_input();
    key[KEY_ENTER] = 1;
    EXPECT_TRUE(answer_pressed());
    EXPECT_TRUE(dismissal_held());
    EXPECT_TRUE(confirm_still_held());
    release_all_input();
    for (int buttons : {1, 2, 4}) {
        mouse_b = buttons;
        EXPECT_TRUE(answer_pressed()) << buttons;
        EXPECT_EQ(dismissal_held(), buttons == 1) << buttons;
        EXPECT_EQ(confirm_still_held(), buttons == 1) << buttons;
    }
    release_all_input();
    window_closed = 1;
    EXPECT_TRUE(answer_pressed());
    key[KEY_ESC] = 1;
    key[KEY_ENTER] = 1;
    mouse_b = 1;
    EXPECT_FALSE(dismissal_held());
    EXPECT_FALSE(confirm_still_held());
}
