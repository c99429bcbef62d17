// The colour pick of the players screen.
#include "support.h"

#include <tuple>

// A 100 x 60 palette lies centred on the layer, at (270, 210) to (369, 269), in a colour with a
// black, a ground-blue and a pink block. Those three pick nothing, so the pick goes on; a release
// beside the picture ends it unchanged.
TEST(Entries, AColourComesFromThePaletteButNeverBlackBlueOrPink)
{
    const std::tuple<int, int, SlotEdit, bool> PICKS[] = {
        {270, 210, SLOT_EDIT_DONE, true},       // the picture's corner
        {285, 225, SLOT_EDIT_GOES_ON, false},   // black
        {305, 225, SLOT_EDIT_GOES_ON, false},   // the ground's blue
        {325, 225, SLOT_EDIT_GOES_ON, false},   // pink
        {269, 240, SLOT_EDIT_CANCELLED, false}, // beside the picture
    };
    for (auto [x, y, end, picked] : PICKS) {
        fresh();
        destroy_bitmap(palette_picture);
        palette_picture = picture(100, 60, makecol(10, 200, 30));
        rectfill(palette_picture, 10, 10, 19, 19, 0);
        rectfill(palette_picture, 30, 10, 39, 19, makecol(0, 0, 184));
        rectfill(palette_picture, 50, 10, 59, 19, MAGIC_PINK);
        begin_colour_pick(7);
        EXPECT_EQ(pick_colour_at(x, y), end) << x << "," << y;
        EXPECT_EQ(players[7].colour == makecol(10, 200, 30), picked) << x << "," << y;
    }
}
