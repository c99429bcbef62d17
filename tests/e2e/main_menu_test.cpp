// The main menu as a player meets it: each button worked by a mouse release
// and by the keyboard alone, presses that act only once released, a press
// carried from one button to another, S and ESC, and the way from the menu
// into a match and back at every screen size.
#include "game_screens.h"

#include <chrono>
#include <thread>
#include <tuple>

// Each button on the layers: its middle, a point off the middle that the
// arrow keys bring the pointer to, and the box the button covers. The
// pointer starts in the middle of the screen, (320, 240) on the layers, so
// every button's key point lies some way off it on both axes.
struct MenuButton {
    const char *name;
    int lx, ly;
    int key_lx, key_ly;
    int left, top, right, bottom;
};
static const MenuButton START = {"start", 320, 165, 260, 165, 240, 150, 400, 180};
static const MenuButton PLAYERS = {"players", 320, 245, 385, 252, 240, 230, 400, 260};
static const MenuButton OPTIONS = {"options", 320, 325, 230, 330, 210, 310, 430, 340};
static const MenuButton QUIT = {"quit", 320, 405, 380, 410, 240, 390, 400, 420};
// Between the start and the players button.
static const int GAP_LX = 320, GAP_LY = 205;

// The players screen's back button and the options screen's apply button.
static const int BACK_CAPTION = 120, APPLY_CAPTION = 360;

// One worm (ZLTY) and the default target of 50: every round ends after its
// first frame with that worm named, and the field stays as it was drawn until
// a key is pressed.
static std::string one_worm_settings()
{
    return with_players_on(DEFAULT_SETTINGS_TEXT, {3});
}

static bool players_screen_shown(const Image &img)
{
    return caption_shown(img, BACK_CAPTION, 405, 415);
}

static bool options_screen_shown_here(const Image &img)
{
    return caption_shown(img, APPLY_CAPTION, 450, 310);
}

// What a button does: a match (the field's frame), the players or the options
// screen (each left again by ESC), or the end of the game with the settings written.
static void expect_button_acted(const MenuButton &b, const std::string &dir,
                                const std::string &settings)
{
    if (&b == &QUIT) {
        GameExit end = wait_for_exit();
        EXPECT_TRUE(end.ended);
        EXPECT_EQ(end.code, 0);
        EXPECT_EQ(read_file(dir, SETTINGS_FILE), settings);
        return;
    }
    auto screen = &b == &START ? play_field_frame_shown
                  : &b == &PLAYERS ? players_screen_shown
                                   : options_screen_shown_here;
    ASSERT_TRUE(wait_until(screen)) << b.name;
    key_tap("Escape");
    ASSERT_TRUE(wait_for_main_menu()) << "back from " << b.name;
    expect_quit_writing(dir, settings);
}

// ---------------------------------------------------------------- each button

static const MenuButton *const BUTTONS[] = {&START, &PLAYERS, &OPTIONS, &QUIT};

// A button and whether it is worked by the keyboard alone.
class MainMenuButton : public GameTest,
                       public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(MainMenuButton, ActsOnTheRelease)
{
    const MenuButton &b = *BUTTONS[std::get<0>(GetParam())];
    bool by_keys = std::get<1>(GetParam());
    write_file(dir, SETTINGS_FILE, one_worm_settings());
    ASSERT_TRUE(start_at_main_menu(dir));
    if (by_keys) {
        ASSERT_TRUE(steer_pointer_by_keys(layer_to_game_x(b.key_lx), layer_to_game_y(b.key_ly)));
        Image img = grab_screen();
        int px = 0, py = 0;
        ASSERT_TRUE(find_pointer(img, px, py));
        ASSERT_TRUE(px >= layer_to_game_x(b.left) && px <= layer_to_game_x(b.right) &&
                    py >= layer_to_game_y(b.top) && py <= layer_to_game_y(b.bottom))
            << "pointer at " << px << "," << py;
        key_tap("Return");
    } else {
        click_layer(b.lx, b.ly);
    }
    expect_button_acted(b, dir, one_worm_settings());
}

INSTANTIATE_TEST_SUITE_P(MainMenu, MainMenuButton,
                         ::testing::Combine(::testing::Range(0, 4), ::testing::Bool()),
                         [](const auto &info) {
                             return std::string(BUTTONS[std::get<0>(info.param)]->name) +
                                    (std::get<1>(info.param) ? "ByKeys" : "ByMouse");
                         });

// ---------------------------------------------------------------- presses held

// A press held over a button (or S or ESC held anywhere): the menu goes on
// showing and moving while it is held, and the release acts.
struct HeldPress {
    const char *name;
    const MenuButton *aim; // where the pointer rests first; nullptr: anywhere
    const char *key;       // the key held; nullptr: the left mouse button
    const MenuButton *acts_as;
};
static const HeldPress HELD_PRESSES[] = {
    {"MouseOnQuit", &QUIT, nullptr, &QUIT},
    {"EnterOnPlayers", &PLAYERS, "Return", &PLAYERS},
    {"S", nullptr, "s", &START},
    {"Escape", nullptr, "Escape", &QUIT},
};

class MainMenuHeld : public GameTest, public ::testing::WithParamInterface<HeldPress> {};

// Held for a few frames and at least this long.
static const int HOLD_MS = 300;

TEST_P(MainMenuHeld, DoesNothingUntilReleased)
{
    const HeldPress &p = GetParam();
    write_file(dir, SETTINGS_FILE, one_worm_settings());
    ASSERT_TRUE(start_at_main_menu(dir));
    if (p.aim)
        mouse_move(layer_to_game_x(p.aim->lx), layer_to_game_y(p.aim->ly));
    p.key ? key_down(p.key) : mouse_down();
    auto held_since = std::chrono::steady_clock::now();
    EXPECT_TRUE(wait_for_menu_frames(3));
    std::this_thread::sleep_until(held_since + std::chrono::milliseconds(HOLD_MS));
    EXPECT_TRUE(wait_for_main_menu(0));
    EXPECT_TRUE(game_running());
    p.key ? key_up(p.key) : mouse_up();
    expect_button_acted(*p.acts_as, dir, one_worm_settings());
}

INSTANTIATE_TEST_SUITE_P(MainMenu, MainMenuHeld, ::testing::ValuesIn(HELD_PRESSES),
                         [](const auto &info) { return std::string(info.param.name); });

using MainMenu = GameTest;

TEST_F(MainMenu, APressCarriedToAnotherButtonActsWhereReleased)
{
    write_file(dir, SETTINGS_FILE, one_worm_settings());
    ASSERT_TRUE(start_at_main_menu(dir));
    mouse_move(layer_to_game_x(PLAYERS.lx), layer_to_game_y(PLAYERS.ly));
    mouse_down();
    ASSERT_TRUE(wait_for_menu_frames(2));
    mouse_move(layer_to_game_x(OPTIONS.lx), layer_to_game_y(OPTIONS.ly));
    ASSERT_TRUE(wait_for_menu_frames(2));
    mouse_up();
    expect_button_acted(OPTIONS, dir, one_worm_settings());
}

TEST_F(MainMenu, AReleaseBetweenTheButtonsDoesNothing)
{
    write_file(dir, SETTINGS_FILE, one_worm_settings());
    ASSERT_TRUE(start_at_main_menu(dir));
    click_layer(GAP_LX, GAP_LY);
    ASSERT_TRUE(wait_for_menu_frames(3));
    Image img = grab_screen();
    EXPECT_TRUE(wait_for_main_menu(0));
    EXPECT_FALSE(players_screen_shown(img));
    EXPECT_TRUE(pointer_shown_at(img, layer_to_game_x(GAP_LX), layer_to_game_y(GAP_LY)));
    expect_quit_writing(dir, one_worm_settings());
}

// ---------------------------------------------------------------- every screen size

// A graphics mode: width, height and colour depth.
struct Mode {
    int w, h, depth;
};

class MainMenuInMode : public GameTest, public ::testing::WithParamInterface<Mode> {};

// The worm's label "ZLTY: 2" in the panel at nine tenths of the width, its
// name under the clock, and a black field but for its first few pixels.
static bool one_worm_round_shown(const Image &img, uint32_t yellow)
{
    const int W = img.w, H = img.h, LABEL_RISE = 44, MESSAGE_RISE = 22, FIRST_SEGMENT = 24;
    const int FIELD = 4; // first column and row of the black field
    if (!text_shown(img, "ZLTY: 2", W * 9 / 10, H - LABEL_RISE, yellow, true) ||
        !text_shown(img, "ZLTY", W / 2, H - MESSAGE_RISE, yellow, true))
        return false;
    int field_w = W - 2 * FIELD + 1, field_h = H - 64 - FIELD + 1;
    int black = count_pixels(img, FIELD, FIELD, field_w, field_h, 0);
    int worm = count_pixels(img, FIELD, FIELD, field_w, field_h, yellow);
    return worm > 0 && worm <= FIRST_SEGMENT && black + worm == field_w * field_h;
}

TEST_P(MainMenuInMode, IsCentredAndOpensAnExactField)
{
    const Mode m = GetParam();
    const int SLOT = 3; // ZLTY
    const std::string settings =
        with_player_colour(with_players_on(settings_in_mode(0, m.w, m.h, m.depth), {SLOT}), SLOT,
                           pixel_value(255, 255, 0, m.depth));
    write_file(dir, SETTINGS_FILE, settings);
    ASSERT_TRUE(start_at_main_menu(dir, m.w, m.h, m.depth));
    EXPECT_TRUE(wait_until([](const Image &img) {
        return caption_shown(img, 30, 240, 230) && caption_shown(img, 60, 210, 310);
    }));

    click_layer(START.lx, START.ly);
    uint32_t yellow = game_colour(255, 255, 0);
    EXPECT_TRUE(wait_until([&](const Image &img) {
        return img.w == m.w && play_field_frame_shown(img) && one_worm_round_shown(img, yellow);
    }));

    key_tap("Escape");
    ASSERT_TRUE(wait_for_main_menu());
    expect_quit_writing(dir, settings);
}

INSTANTIATE_TEST_SUITE_P(MainMenu, MainMenuInMode,
                         ::testing::Values(Mode{640, 480, 16}, Mode{800, 600, 15},
                                           Mode{1024, 768, 32}),
                         [](const auto &info) {
                             const Mode &m = info.param;
                             return std::to_string(m.w) + "x" + std::to_string(m.h) + "x" +
                                    std::to_string(m.depth);
                         });
