// The menus: hit boxes, the answers to a release, the entries and the pictures they leave.
#include "support.h"
#include <cstring>
// The answers of a hit test at the points, in order.
template <typename Hit> static std::string hits(Hit hit, std::initializer_list<std::pair<int, int>> points)
{
    std::string out;
    for (auto [x, y] : points) out += std::to_string((int)hit(x, y)) + " ";
    return out;
}

// At 1024 x 768 the layers start at (192, 144). Options boxes sharing a border give it to the earlier one; popups
// choose by line or column inside a rim; the dialog answers by its buttons.
TEST(Menus, HitBoxesTakeTheirBordersAroundTheScreenCentre)
{
    fresh(16, 1024, 768);
    EXPECT_EQ(hits([](int x, int y) { return main_menu_button_at(x + 192, y + 144); }, {{240, 150}, {400, 180}, {239, 150}, {400, 181}, {320, 229},
                   {240, 230}, {400, 260}, {210, 310}, {430, 340}, {209, 320}, {431, 320}, {240, 390}, {400, 420}, {320, 421}}), "1 1 0 0 0 2 2 3 3 0 0 4 4 0 ");
    EXPECT_EQ(hits([](int x, int y) { return options_box_at(x + 192, y + 144); },
                   {{450, 370}, {590, 400}, {449, 370}, {591, 400}, {450, 401}, {50, 150}, {295, 180}, {49, 150}, {296, 180}, {50, 149}, {345, 150},
                    {590, 180}, {344, 150}, {591, 180}, {590, 181}, {50, 230}, {295, 260}, {50, 229}, {295, 261}, {320, 240}, {345, 230}, {590, 260},
                    {591, 260}, {345, 261}, {450, 310}, {590, 340}, {449, 310}, {450, 309}, {590, 341}, {50, 310}, {400, 310}, {50, 309}, {401, 310},
                    {50, 340}, {400, 340}, {50, 341}, {400, 341}, {49, 341}, {50, 370}, {400, 370}, {50, 371}, {400, 400}, {50, 401}, {401, 400}, {425, 385}}),
              "1 1 0 0 0 2 2 0 0 0 3 3 0 0 0 4 4 0 0 0 5 5 0 0 6 6 0 0 0 7 7 0 0 7 7 8 8 0 8 8 9 9 0 0 0 ");
    EXPECT_EQ(hits([](int x, int y) {
                  pending = {1, 1, 1, 1};
                  for (int view : {VIEW_RESOLUTION_POPUP, VIEW_CARD_POPUP, VIEW_DEPTH_POPUP}) choose_in_popup(view, x, y);
                  return pending.w * 1000 + pending.card * 100 + pending.depth; },
                   {{320, 229}, {320, 230}, {320, 249}, {320, 250}, {320, 270}, {320, 210}, {270, 240}, {370, 240}, {320, 209}, {320, 271}, {269, 240},
                    {371, 240}, {287, 240}, {288, 240}, {319, 240}, {352, 240}, {384, 255}, {256, 225}, {385, 240}, {255, 240}, {300, 224}, {300, 256}}),
              "640024 800124 800124 1024224 1024201 640001 800115 800132 1101 1101 1115 1132 800115 800116 800116 800132 1132 1115 1101 1101 640001 1024201 ");
    EXPECT_EQ(hits(dialog_answer, {{250, 240}, {290, 260}, {249, 240}, {291, 260}, {270, 239}, {350, 240}, {390, 260}, {349, 250}, {370, 261}, {170, 210},
                                   {470, 270}, {169, 240}, {471, 240}, {320, 209}, {320, 271}}), "1 1 0 0 0 2 2 0 0 0 0 3 3 3 3 ");
}

// A row takes clicks from 4 above to 12 below its texts at 140 + 30 r, a column strictly inside its box.
TEST(PlayersScreen, GridHitsAndReleases)
{
    fresh(32, 800, 600); // the layers start at (80, 60)
    EXPECT_EQ(hits(players_grid_hit, {{130, 152}, {130, 153}, {130, 136}, {130, 135}, {130, 346}, {130, 362}, {130, 363}, {115, 140}, {116, 140},
                                      {144, 140}, {145, 140}, {170, 140}, {171, 140}, {293, 140}, {294, 140}, {320, 140}, {321, 140}, {439, 140},
                                      {440, 140}, {465, 140}, {466, 140}, {524, 140}, {525, 140}, {130, 129}, {130, 371}, {495, 1000}}),
              "1 -1 1 -1 71 71 -1 -1 1 1 -1 -1 2 2 -1 -1 3 3 -1 -1 4 4 -1 -1 -1 -1 ");
    EXPECT_EQ(hits([](int x, int y) { return players_screen_release(x + 80, y + 60); }, {{405, 415}, {545, 445}, {404, 430}, {546, 430}, {475, 414}, {475, 446}}),
              "0 0 1 1 1 1 ");
    for (int y : {200, 212, 213, 200}) players_screen_release(80 + 130, 60 + y); // on, off, between bands, on
    players[5].off = 2; // only a hand-edited file holds this: it still switches on; the mouse slot has no keys
    players_screen_release(80 + 130, 60 + 290), players_screen_release(80 + 380, 60 + 350);
    EXPECT_TRUE(players[2].off == 0 && players[5].off == 0 && players[7].key_left == 0 && !window_closed);
}

// A row is listed in its player's colour: white while edited, dark blue when off, brighter when in the art's blue.
TEST(PlayersScreen, RowColours)
{
    fresh(32), players[1].colour = players[3].colour = makecol(0, 0, 128), players[3].off = 2, draw_players_grid(4 + GRID_PALETTE);
    for (auto [row, colour] : {std::pair{0, players[0].colour}, {1, makecol(0, 0, 192)}, {2, makecol(0, 0, 64)}, {3, makecol(0, 0, 64)}, {4, makecol(255, 255, 255)}})
        EXPECT_TRUE(shows(text_layer, players[row].name, 232, 140 + 30 * row, colour, -1) && shows(text_layer, players[row].off ? "OFF" : "ON", 130, 140 + 30 * row, colour, -1)) << row;
}

// Each entry step by step: the inputs, how it ended, the value it left, the row highlighted while it goes on; a closed
// window cancels every entry. Only ESC, SPACE and ENTER are not assignable; the first key again is its repeat.
TEST(Entries, RenameKeysAndColour)
{
    fresh();
    for (auto [typed, end, name] : {std::tuple{"AB c~!\r", SLOT_EDIT_DONE, "AB c~!"}, {"\bXY\b\bW\r", SLOT_EDIT_DONE, "W"}, {"\r", SLOT_EDIT_DONE, ""},
             {"Q\x01\t\n\x7f\x80\xff ~", SLOT_EDIT_GOES_ON, "Q ~"}, {"ABCDEFGHIJKLMNO", SLOT_EDIT_DONE, "ABCDEFGHIJKLMNO"}, {"NEW\x1b", SLOT_EDIT_CANCELLED, "ZLTY"}}) {
        SlotEdit edit = (strcpy(players[3].name, "ZLTY"), begin_rename(3), SLOT_EDIT_GOES_ON);
        for (const char *c = typed; *c; c++) edit = rename_char((unsigned char)*c);
        EXPECT_TRUE(edit == end && players[3].name == std::string(name) && (getpixel(text_layer, 495, 234) == makecol(255, 255, 255)) == (end == SLOT_EDIT_GOES_ON)) << typed;
    }
    for (auto [pressed, end, left, right] : {std::tuple{std::vector<int>{KEY_SPACE, KEY_ENTER, KEY_UP, KEY_UP, 0, KEY_MAX, -1, KEY_DOWN}, SLOT_EDIT_DONE, KEY_UP, KEY_DOWN},
             {std::vector<int>{KEY_ENTER_PAD, KEY_CAPSLOCK}, SLOT_EDIT_DONE, KEY_ENTER_PAD, KEY_CAPSLOCK}, {std::vector<int>{KEY_B, KEY_ESC}, SLOT_EDIT_CANCELLED, KEY_Z, KEY_X}}) {
        SlotEdit edit = (players[1].key_left = KEY_Z, players[1].key_right = KEY_X, begin_key_assignment(1), SLOT_EDIT_GOES_ON);
        for (int k : pressed) edit = players[1].key_right ? SLOT_EDIT_CANCELLED : assign_scancode(k); // one key only at the end
        EXPECT_TRUE(edit == end && players[1].key_left == left && players[1].key_right == right) << left;
    }
    begin_key_assignment(6), assign_scancode(KEY_B), window_closed = 1;
    EXPECT_TRUE(assign_scancode(KEY_C) == SLOT_EDIT_CANCELLED && players[6].key_left == KEY_STOP && rename_char('A') == SLOT_EDIT_CANCELLED &&
                pick_colour_at(320, 240) == SLOT_EDIT_CANCELLED);
    // A 100 x 60 palette at (270, 210) in an ink, with black, ground-blue and pink blocks that pick nothing; beside it the pick ends.
    destroy_bitmap(palette_picture), palette_picture = picture(100, 60, makecol(10, 200, 30)), window_closed = 0;
    rectfill(palette_picture, 10, 10, 19, 19, 0), rectfill(palette_picture, 30, 10, 39, 19, makecol(0, 0, 184)), rectfill(palette_picture, 50, 10, 59, 19, MAGIC_PINK);
    EXPECT_EQ(hits([](int x, int y) { players[7].colour = 1, begin_colour_pick(7); return pick_colour_at(x, y) * 10 + (players[7].colour != 1); },
                   {{285, 222}, {305, 222}, {325, 222}, {269, 240}, {370, 240}, {300, 209}, {300, 270}, {271, 211}, {369, 269}}), "0 0 0 20 20 20 20 11 11 ");
}

// Numbers show as typed in yellow; ENTER ('\r') or a left click ('@') stores them clamped and shows them white, ESC
// the old value, whatever it was; other buttons do nothing.
TEST(Entries, NumbersAreTypedInPlace)
{
    const struct { int view; const char *typed, *shown, *stored; } NUMBERS[] = {
        {1, "250\r", "250", "100"}, {1, "12\b7@", "7", "7"}, {1, "4a-x\r", "4", "4"}, {3, "9\r", "9", "7"}, {3, "0\r", "0", "1"}, {4, "6000\r", "6000", "5000"},
        {4, "\r", "0", "0"}, {4, "45\x1b", "45", "1234567"}, {4, "99999999999\r", "2147483647", "5000"}, {2, "7\r", "7", "20"}, {2, "70@", "70", "70"},
        {2, "700\r", "700", "500"}, {2, "33\b150\r", "150", "150"}, {2, "99999999999\r", "2147483750", "500"}, {2, "3\x1b", "3", "123"}};
    for (const auto &n : NUMBERS) {
        fresh(), settings.target_score = 1234567, settings.turn_step = 0.123f;
        int *field = n.view == 1 ? &settings.frame_delay_ms : n.view == 3 ? &settings.round_end_survivors : &settings.target_score;
        const int low[] = {0, 0, 0, 1, 0}, high[] = {0, 100, 0, 7, 5000}, x = n.view % 2 ? 272 : 567, y = n.view < 3 ? 161 : 241;
        const float old_step = n.view == 2 ? begin_turn_step_entry() : 0; const int old = n.view == 2 ? 0 : begin_int_entry(field, n.view);
        auto input = [&](int in) { return n.view == 2 ? turn_step_entry_step(old_step, in) : int_entry_step(field, n.view, old, low[n.view], high[n.view], in); };
        const std::string typed = n.typed;
        for (char c : typed.substr(0, typed.size() - 1)) EXPECT_EQ(input(c), ENTRY_RUNNING);
        EXPECT_TRUE(shows(text_layer, n.shown, x, y, makecol(255, 255, 0), -1) && input(ENTRY_OTHER_CLICK) == ENTRY_RUNNING);
        EXPECT_EQ(input(typed.back() == '@' ? ENTRY_LEFT_CLICK : typed.back()), typed.back() == 27 ? ENTRY_CANCELLED : ENTRY_CONFIRMED);
        EXPECT_TRUE(shows(text_layer, n.stored, x, y, makecol(255, 255, 255), -1) && settings.turn_step == (n.view == 2 ? settings.turn_step : 0.123f)) << n.typed;
    }
}

// Arrow keys move the pointer by the step but never across an edge; a press never acts, its release does, once;
// colours follow the depth; the size the driver set is the mode; the backdrop scrolls 2 every 25 ticks over a wave of blue.
TEST(Menus, PointerReleasesModesAndBackdrop)
{
    fresh(32, 1024, 768);
    EXPECT_EQ(hits([](int x, int y) { key[KEY_LEFT] = x < 10, key[KEY_DOWN] = y > 700, key[KEY_RIGHT] = key[KEY_UP] = x > 1000;
                                      return pointer_after_keys(x, y), x * 1000 + y; }, {{2, 100}, {3, 100}, {50, 765}, {50, 764}, {1020, 3}, {1021, 2}}),
              "2100 100 50765 50767 1023000 1021002 ");
    std::string edges; // a release edge at each step
    bool held = true;
    for (int step : {0, 0, 1, 1, 0, 4, 2, 5, 4, 0}) mouse_b = step & 3, key[KEY_ENTER] = step >> 2, edges += '0' + confirm_released(held); // ENTER as 4
    repack_player_colours(16, 15), repack_player_colours(15, 32), pending = {1, 800, 600, 15}, commit_pending_mode(1280, 1024);
    EXPECT_TRUE(edges == "1000101001" && players[4].colour == 0xFF08FF && players[6].colour == 0xFF844A && players[5].colour == 0xFF && settings.gfx_card == 1 &&
                settings.screen_w == 1280 && settings.screen_h == 1024 && settings.color_depth == 15 && !pending_differs() && (pending.card = 2, pending_differs()));
    for (int t = 0; t < 50; t++) timer_tick();
    EXPECT_TRUE(backdrop_offset == 4 && getpixel(gradient_strip, 509, 767) == makecol(0, 0, 254) && getpixel(gradient_strip, 255, 0) == makecol(0, 0, 255));
}
