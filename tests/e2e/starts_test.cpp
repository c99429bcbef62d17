// Starts: the ones that fail, and pictures from .bmp files.
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
        {"8 0 640 480", "", "", "Nemozem nastartovat graficky mod"},
        {"16 -1 640 480", "", "", "Nemozem nastartovat graficky mod"},
        {"16 2 640 0", "", "", "Nemozem nastartovat graficky mod"},
        {"16 2 16385 1", "", "", "Nemozem nastartovat graficky mod"},
        {"16 0 640 480", "", "TALVON_REFUSE_MODES=640x480", "Nemozem nastartovat graficky mod"},
        {"16 0 640 480", "kelogo", "", "Nemozem nacitat bitmapy"},
        {"16 0 640 480", "talvoni", "", "Nemozem nacitat bitmapy"},
        {"16 0 640 480", "napisy", "", "Nemozem nacitat bitmapy"},
        {"16 0 640 480", "paletka", "", "Nemozem nacitat bitmapy"},
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

// A picture is read from its .bmp when its .tga is missing.
TEST(Start, APictureComesFromItsBmpWithoutItsTga)
{
    new_dir();
    BITMAP *logo = load_bitmap(TALVON_DATA_DIR "/kelogo.tga", nullptr);
    save_bitmap((game.dir + "/kelogo.bmp").c_str(), logo, nullptr);
    destroy_bitmap(logo);
    std::filesystem::remove(game.dir + "/kelogo.tga");
    start();
    tap("Escape");
    EXPECT_EQ(quit(), DEFAULTS);
}
