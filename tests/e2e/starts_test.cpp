// Starts: the fatal ones, pictures from .bmp files, settings files edited by hand, and a long play.
#include "harness.h"
#include <allegro.h>
#include <algorithm>
#include <filesystem>
static const char *const PICTURES[] = {"kelogo", "talvoni", "napisy", "paletka"};

TEST(Start, FailsWithItsMessageAndExitCodeOneLeavingTheFile) {
    struct Case { std::string mode, missing, env, message = "Nemozem nastartovat graficky mod"; };
    std::vector<Case> cases = {{"16 0 640 480", "", "DISPLAY="}, {"8 0 640 480", "", ""}, {"16 -1 640 480", "", ""},
        {"16 2 640 0", "", ""}, {"16 2 16385 1", "", ""}, {"16 0 640 480", "", "TALVON_REFUSE_MODES=640x480x16"}};
    for (const char *p : PICTURES) cases.push_back({"16 0 640 480", p, "", "Nemozem nacitat bitmapy"});
    for (const Case &c : cases) {
        const std::string file = edit(DEFAULTS, {{2, c.mode}, {3, "2 7 30 74523 0.25"}, {4, "JOZKO"}});
        new_dir(), write("talvon.dat", file), std::filesystem::remove(dir + "/" + c.missing + ".tga");
        launch({"LD_PRELOAD=" REFUSE_MODE_LIBRARY, c.env});
        EXPECT_EQ(exit_status(), 1) << c.mode << c.missing << c.env;
        EXPECT_TRUE(said(c.message) && read("talvon.dat") == file) << read("out.txt");
    }
}

// Each picture also as a .bmp in opposite colours: the .bmp shows only where the .tga is missing.
TEST(Start, APictureComesFromItsBmpOnlyWithoutItsTga) {
    new_dir(), set_color_depth(24);
    for (const char *p : PICTURES) {
        BITMAP *b = load_bitmap(data(p).c_str(), nullptr);
        for (int i = 0; i < b->w * b->h; i++)
            if (int c = getpixel(b, i % b->w, i / b->w); c != makecol24(255, 0, 255))
                putpixel(b, i % b->w, i / b->w, 0xFFFFFF - c); // each channel 255 - itself
        save_bitmap((dir + "/" + p + ".bmp").c_str(), b, nullptr), destroy_bitmap(b);
    }
    std::filesystem::remove(dir + "/kelogo.tga"), std::filesystem::remove(dir + "/napisy.tga"), launch();
    EXPECT_TRUE(wait([](const Shot &s) {
        return has_picture(s, dir + "/kelogo.bmp", 0, 56, 10, 414) && has_picture(s, data("talvoni"), 0, 95, 120, 23) &&
               has_picture(s, dir + "/napisy.bmp", 0, 30, 240, 150) && has_picture(s, dir + "/napisy.bmp", 90, 30, 240, 390);
    }, 20000));
    click(320, 245), click(495, 150); // the first player's colour
    EXPECT_TRUE(wait([](const Shot &s) { return has_picture(s, data("paletka"), 0, 172, 198, 154); }));
    EXPECT_EQ(quit(0, close_window), DEFAULTS);
}

// Values no screen writes: each file shows the menus, plays a round (or a first frame) and is written back.
TEST(Start, HandEditedFilesPlayAndComeBack) {
    const std::string players = edit(DEFAULTS, {{1, "1 -2147483648"}, {3, "0 -1 -5 74523 -0.15"}, {4, ""},
        {5, "63488 -1 128 0"}, {6, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"}, {7, "2047 0 127 0"}, {9, "0 100000 100000 0"},
        {11, "-1 39 40 0"}, {13, "63519 17 1 0"}, {15, "33808 89 88 0"}});
    const std::string numbers = edit(DEFAULTS, {{1, "1 2147483647"}, {3, "1 50 2147483647 74523 1e30"}, {4, "\xC8\xFF\x80"}});
    const std::string files[][2] = {{players, edit(players, {{3, "0 -1 -5 74523 -0.150000"}, {6, "ABCDEFGHIJKLMNO"}})},
        {numbers, edit(numbers, {{3, "1 50 2147483647 74523 1000000015047466219876688855040.000000"}})},
        {edit(DEFAULTS, {{2, "32 0 50 40"}, {3, "9 50 25 74523 nan"}}), DEFAULTS}}; // "nan" rejects the file
    for (const auto &[file, written] : files) {
        new_dir(), write("talvon.dat", file);
        ASSERT_TRUE(start()) << file;
        click(320, 245);
        EXPECT_TRUE(file != players || (wait_text("\?\?\?/\?\?\?", 380, 140, rgb(255, 0, 0)) && wait_text(" /MAX", 380, 170, rgb(0, 255, 255))));
        tap("Escape"), click(320, 325), tap("Escape"), press("Up", true), press("Left", true), press("z", true), tap("s");
        EXPECT_TRUE(wait([&](const Shot &s) { return match_on(s) && (file == numbers || round_over(s)); }, 20000));
        press("Up", false), press("Left", false), press("z", false), tap("Escape");
        EXPECT_EQ(quit(0, [] { wait(main_menu), close_window(); }), written);
    }
}

// All eight players steered at random through thirty rounds; it runs with TALVON_SOAK=1.
TEST(Start, Soak) {
    if (std::string(getenv("TALVON_SOAK") ? getenv("TALVON_SOAK") : "") != "1") GTEST_SKIP() << "TALVON_SOAK=1 runs it";
    const char *const keys[] = {"Left", "Right", "z", "x", "n", "m", "KP_2", "KP_3", "q", "a", "period", "slash"};
    const std::string file = edit(DEFAULTS, {{3, "1 5000 10 74523 0.150000"}, {9, "2016 14 13 0"}, {15, "31 89 88 0"}});
    new_dir(), write("talvon.dat", file);
    ASSERT_TRUE(start());
    for (int round = 0; round < 30; round++, tap(round % 10 ? "space" : "Escape")) {
        for (int i = round % 10 ? 0 : (tap("s"), 0); !round_over(grab()) && i < 3000; i++)
            press(keys[rand() % 12], rand() % 2), button(rand() % 2 ? 1 : 3, rand() % 2);
        std::for_each(std::begin(keys), std::end(keys), [](const char *k) { press(k, false); }), button(1, false), button(3, false);
    }
    EXPECT_EQ(quit(), file);
}
