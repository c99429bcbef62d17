// Starting and quitting: the settings file written on a normal end, and the
// two fatal start-up failures that leave it alone.
#include "game_screens.h"

using Startup = GameTest;

TEST_F(Startup, WithoutASettingsFileEscapeQuitsAndWritesTheDefaults)
{
    ASSERT_TRUE(start_at_main_menu(dir));
    EXPECT_TRUE(quit_from_main_menu());
    EXPECT_EQ(read_file(dir, SETTINGS_FILE), DEFAULT_SETTINGS_TEXT);
}
