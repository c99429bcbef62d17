// Starts: the ones that fail, in Slovak or English, and pictures from .bmp files.
#include "harness.h"

TEST(Start, AFailedStartSaysWhyExitsWithOneAndLeavesTheFile)
{
    const struct {
        const char *mode; // line 2 of the settings file
        const char *missing_picture;
        const char *env;
        const char *message;
    } STARTS[] = {
        {"16 0 640 480", "", "DISPLAY=", "Nemozem nastartovat graficky mod"},
        {"8 0 640 480", "", "LC_ALL=en_US.UTF-8", "Cannot start a graphics mode"},
        {"16 -1 640 480", "", "", "Nemozem nastartovat graficky mod"},
        {"16 2 640 0", "", "", "Nemozem nastartovat graficky mod"},
        {"16 2 16385 1", "", "", "Nemozem nastartovat graficky mod"},
        {"16 0 640 480", "", "TALVON_REFUSE_MODES=640x480", "Nemozem nastartovat graficky mod"},
        {"16 0 640 480", "kelogo", "", "Nemozem nacitat bitmapy"},
        {"16 0 640 480", "talvoni", "", "Nemozem nacitat bitmapy"},
        {"16 0 640 480", "napisy", "", "Nemozem nacitat bitmapy"},
        {"16 0 640 480", "paletka", "LC_ALL=en_US.UTF-8", "Cannot load the pictures"},
    };
    for (const auto &s : STARTS) {
        const std::string file
            = edit(DEFAULTS, {{2, s.mode}, {3, "2 7 30 74523 0.25"}, {4, "JOZKO"}});
        new_dir(file);
        std::filesystem::remove(game.dir + "/" + s.missing_picture + ".tga");
        launch({"LD_PRELOAD=" REFUSE_MODE_LIBRARY, s.env});
        EXPECT_EQ(quit(1), file) << s.mode << s.missing_picture << s.env;
        EXPECT_NE(read("out.txt").find(s.message), std::string::npos) << s.mode << s.env;
    }
}

// A picture comes from its .bmp without its .tga. An English locale writes English default names.
TEST(Start, APictureComesFromItsBmpWithoutItsTga)
{
    new_dir();
    BITMAP *logo = load_bitmap(TALVON_DATA_DIR "/kelogo.tga", nullptr);
    save_bitmap((game.dir + "/kelogo.bmp").c_str(), logo, nullptr);
    destroy_bitmap(logo);
    std::filesystem::remove(game.dir + "/kelogo.tga");
    start({"LANG=en_US.UTF-8", "LC_ALL=", "LC_MESSAGES="});
    tap("Escape");
    EXPECT_EQ(quit(),
              "1 3\n16 0 640 480\n1 50 25 74523 0.150000\nRED\n63488 82 83 0\nLIGHT BLUE\n"
              "2047 26 24 0\nGREEN\n2016 14 13 1\nYELLOW\n65504 39 40 0\nVIOLET\n63583 17 1 0\n"
              "BLUE\n31 89 88 1\nORANGE\n64521 73 74 0\nPINK\n64528 0 0 0\n12569\n");
}
