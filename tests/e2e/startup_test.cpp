// Starting and quitting: the settings file written on a normal end (by ESC or
// by the window's close button), the pictures found as .tga or .bmp, and the
// fatal start-up failures that leave the settings file alone.
#include "game_screens.h"

#include <allegro.h>

#include <filesystem>

using Startup = GameTest;

static const char NO_PICTURE_MESSAGE[] = "Nemozem nacitat bitmapy";
static const char NO_MODE_MESSAGE[] = "Nemozem nastartovat graficky mod";
static const char *const PICTURES[] = {"kelogo", "talvoni", "napisy", "paletka"};

// A settings file that differs from the defaults, so that a rewrite would show.
static std::string custom_settings()
{
    std::string text = with_line(DEFAULT_SETTINGS_TEXT, 3, "2 7 30 74523 0.250000");
    return with_line(text, 4, "JOZKO MRKVICKA");
}

// A failed start: the message box with exactly `message`, exit code 1 and
// the settings file as it was.
static void expect_failed_start(const std::string &dir, const std::string &message)
{
    std::string before = read_file(dir, SETTINGS_FILE);
    ASSERT_GT(start_game(dir), 0);
    EXPECT_EQ(wait_for_message(message), message);
    GameExit end = wait_for_exit();
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.code, 1);
    EXPECT_EQ(end.signal, 0);
    EXPECT_EQ(read_file(dir, SETTINGS_FILE), before);
}

TEST_F(Startup, WithoutASettingsFileEscapeQuitsAndWritesTheDefaults)
{
    ASSERT_TRUE(start_at_main_menu(dir));
    EXPECT_TRUE(quit_from_main_menu());
    EXPECT_EQ(read_file(dir, SETTINGS_FILE), DEFAULT_SETTINGS_TEXT);
}

// ---------------------------------------------------------------- pictures

class StartupWithoutPicture : public GameTest,
                              public ::testing::WithParamInterface<const char *> {};

TEST_P(StartupWithoutPicture, FailsWithTheMessageAndKeepsTheSettings)
{
    write_file(dir, SETTINGS_FILE, custom_settings());
    std::filesystem::remove(dir + "/" + GetParam() + ".tga");
    expect_failed_start(dir, NO_PICTURE_MESSAGE);
}

INSTANTIATE_TEST_SUITE_P(Startup, StartupWithoutPicture, ::testing::ValuesIn(PICTURES),
                         [](const auto &info) { return std::string(info.param); });

// Writes dir/<name>.bmp from dir/<name>.tga with every colour but the
// transparent pink turned to its opposite, so the two pictures differ
// everywhere the picture shows.
static void make_opposite_bmp(const std::string &dir, const std::string &name)
{
    start_headless_library();
    set_color_depth(24);
    BITMAP *bmp = load_bitmap((dir + "/" + name + ".tga").c_str(), nullptr);
    ASSERT_NE(bmp, nullptr) << name;
    const int pink = makecol24(255, 0, 255);
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++) {
            int c = getpixel(bmp, x, y);
            int opposite = makecol24(255 - getr24(c), 255 - getg24(c), 255 - getb24(c));
            if (c != pink)
                putpixel(bmp, x, y, opposite == pink ? makecol24(254, 0, 255) : opposite);
        }
    EXPECT_EQ(save_bitmap((dir + "/" + name + ".bmp").c_str(), bmp, nullptr), 0);
    destroy_bitmap(bmp);
}

// Where the menu shows the logo, the title and two of the captions, each as
// the part (sx, sy, w, h) of its picture and the game point of its corner.
struct PictureSpot {
    const char *name;
    int sx, sy, w, h;
    int x, y;
};

static std::vector<PictureSpot> menu_picture_spots()
{
    const int LOGO = 56, TITLE_W = 400, TITLE_H = 95, CAPTION_W = 300, CAPTION_H = 30;
    const int H = 480, LOGO_MARGIN = 10;
    return {
        {"kelogo", 0, 0, LOGO, LOGO, LOGO_MARGIN, H - LOGO_MARGIN - LOGO},
        {"talvoni", 0, 0, TITLE_W, TITLE_H, 320 - TITLE_W / 2, 70 - TITLE_H / 2},
        {"napisy", 0, 0, CAPTION_W, CAPTION_H, 240, 150},
        {"napisy", 0, 90, CAPTION_W, CAPTION_H, 240, 390},
    };
}

// Every spot shows its picture from the file with the given extension.
static bool menu_pictures_shown(const Image &img, const std::string &dir, const std::string &ext)
{
    for (const PictureSpot &s : menu_picture_spots())
        if (!picture_file_shown(img, dir + "/" + s.name + ext, s.sx, s.sy, s.w, s.h, s.x, s.y))
            return false;
    return true;
}

// The palette picture shows only on the players screen, centred on the
// layers while a colour is picked: a release on the first player's colour.
static bool palette_file_shown(const Image &img, const std::string &path)
{
    const int PALETTE_W = 244, PALETTE_H = 172;
    return picture_file_shown(img, path, 0, 0, PALETTE_W, PALETTE_H,
                              layer_to_game_x((640 - PALETTE_W) / 2),
                              layer_to_game_y((480 - PALETTE_H) / 2));
}

// Opens the colour picker, shows which palette it holds and ends the game by
// the close button.
static void expect_palette_from(const std::string &dir, const std::string &ext,
                                const std::string &other_ext)
{
    const int PLAYERS_LX = 320, PLAYERS_LY = 245, FIRST_COLOUR_LX = 495, FIRST_COLOUR_LY = 144;
    const int BACK_CAPTION_Y = 120, BACK_LX = 405, BACK_LY = 415;
    click_layer(PLAYERS_LX, PLAYERS_LY);
    ASSERT_TRUE(wait_until([&](const Image &img) {
        return picture_file_shown(img, dir + "/napisy" + ext, 0, BACK_CAPTION_Y, 300, 30,
                                  layer_to_game_x(BACK_LX), layer_to_game_y(BACK_LY));
    }));
    click_layer(FIRST_COLOUR_LX, FIRST_COLOUR_LY);
    EXPECT_TRUE(wait_until(
        [&](const Image &img) { return palette_file_shown(img, dir + "/paletka" + ext); }));
    EXPECT_FALSE(palette_file_shown(grab_screen(), dir + "/paletka" + other_ext));
    ASSERT_TRUE(close_game_window());
    EXPECT_EQ(wait_for_exit().code, 0);
}

TEST_F(Startup, PicturesComeFromBmpFilesWhenTheTgaFilesAreMissing)
{
    for (const char *name : PICTURES) {
        make_opposite_bmp(dir, name);
        std::filesystem::remove(dir + "/" + name + ".tga");
    }
    ASSERT_GT(start_game(dir), 0);
    ASSERT_TRUE(wait_for_game_area(640, 480));
    EXPECT_TRUE(
        wait_until([&](const Image &img) { return menu_pictures_shown(img, dir, ".bmp"); }));
    expect_palette_from(dir, ".bmp", ".tga");
}

TEST_F(Startup, TgaFilesWinOverBmpFiles)
{
    for (const char *name : PICTURES)
        make_opposite_bmp(dir, name);
    ASSERT_TRUE(start_at_main_menu(dir));
    Image img = grab_screen();
    EXPECT_TRUE(menu_pictures_shown(img, dir, ".tga"));
    for (const PictureSpot &s : menu_picture_spots())
        EXPECT_FALSE(picture_file_shown(img, dir + "/" + s.name + ".bmp", s.sx, s.sy, s.w, s.h,
                                        s.x, s.y))
            << s.name;
    expect_palette_from(dir, ".tga", ".bmp");
}

// ---------------------------------------------------------------- graphics mode

// Line 2 of the settings file (depth, card, width, height) that no graphics
// mode answers.
struct BadMode {
    const char *name;
    const char *line;
};
static const BadMode BAD_MODES[] = {
    {"Depth12", "12 0 640 480"},       {"NegativeWidth", "16 2 -5 100"},
    {"ZeroWidth", "16 0 0 480"},       {"ZeroHeight", "16 2 640 0"},
    {"TextModeCard", "16 -1 640 480"}, {"UnknownCard", "16 3 640 480"},
};

class StartupInBadMode : public GameTest, public ::testing::WithParamInterface<BadMode> {};

TEST_P(StartupInBadMode, FailsWithTheMessageAndKeepsTheSettings)
{
    write_file(dir, SETTINGS_FILE, with_line(custom_settings(), 2, GetParam().line));
    expect_failed_start(dir, NO_MODE_MESSAGE);
}

INSTANTIATE_TEST_SUITE_P(Startup, StartupInBadMode, ::testing::ValuesIn(BAD_MODES),
                         [](const auto &info) { return std::string(info.param.name); });

// A display number with no server: neither a lock file nor a socket.
static std::string display_without_server()
{
    for (int n = 999;; n++) {
        std::string number = std::to_string(n);
        if (!std::filesystem::exists("/tmp/.X" + number + "-lock") &&
            !std::filesystem::exists("/tmp/.X11-unix/X" + number))
            return ":" + number;
    }
}

TEST_F(Startup, WithoutADisplayFailsOnStandardErrorAndWritesNoSettings)
{
    ASSERT_GT(start_game(dir, {"DISPLAY=" + display_without_server()}), 0);
    GameExit end = wait_for_exit();
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.code, 1);
    EXPECT_NE(read_file(dir, "game-stderr.txt").find(NO_MODE_MESSAGE), std::string::npos);
    EXPECT_FALSE(file_exists(dir, SETTINGS_FILE));
}

// ---------------------------------------------------------------- the close button

// One worm, at 10 frames a second, and no round end while it lives: a round
// that lasts several seconds.
static std::string long_round_settings()
{
    return with_line(with_players_on(DEFAULT_SETTINGS_TEXT, {3}), 3, "0 50 100 74523 0.150000");
}

// The outer border of the play field, which no worm reaches.
static bool field_border_shown(const Image &img)
{
    return img.at(0, 0) == game_colour(255, 255, 255) &&
           img.at(img.w - 1, img.h - 1) == game_colour(64, 64, 64) &&
           img.at(img.w / 2, 1) == game_colour(128, 128, 128);
}

class StartupClosing : public GameTest, public ::testing::WithParamInterface<bool> {};

TEST_P(StartupClosing, TheCloseButtonEndsTheGameAndWritesTheSettings)
{
    bool in_match = GetParam();
    write_file(dir, SETTINGS_FILE, long_round_settings());
    ASSERT_TRUE(start_at_main_menu(dir));
    if (in_match) {
        key_tap("s");
        ASSERT_TRUE(wait_until(field_border_shown));
    }
    std::filesystem::remove(dir + "/" + SETTINGS_FILE); // so that it must be written anew
    ASSERT_TRUE(close_game_window());
    GameExit end = wait_for_exit();
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.code, 0);
    EXPECT_EQ(read_file(dir, SETTINGS_FILE), long_round_settings());
}

INSTANTIATE_TEST_SUITE_P(Startup, StartupClosing, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "InAMatch" : "InTheMenu"; });
