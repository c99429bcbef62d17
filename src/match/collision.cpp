// Pixel collision: a worm crashes when its next head position is not black,
// and the colour it hit names the trail's owner, who scores for it.
#include "match.h"

// Lowest active slot with this colour, living or dead; -1 if none.
int find_player_by_colour(int colour)
{
    for (int i = 0; i < PLAYER_COUNT; i++)
        if (!players[i].off && players[i].colour == colour)
            return i;
    return -1;
}

// True when the owner's next head position, by its record as it stands now,
// falls in the 3 x 3 box around the crashing worm's head.
static bool meets_head_on(const Player &owner, const Player &crasher)
{
    float odx, ody;
    step_vector(WORM_SPEED, owner.heading, odx, ody);
    return point_in_rect((int)(owner.x + odx), (int)(owner.y + ody), (int)(crasher.x - 1),
                         (int)(crasher.y - 1), (int)(crasher.x + 1), (int)(crasher.y + 1));
}

// Worm i is marked dead before the owner is looked up, so running into one's
// own trail scores nothing; so does a dead owner's trail, a wall, or any
// colour no active player has. Draws and moves nothing.
int resolve_collision(int i, float dx, float dy)
{
    Player &p = players[i];
    // Outside the bitmap getpixel gives -1, which counts as an obstacle too.
    const int pixel = getpixel(back_buffer, (int)(p.x + dx), (int)(p.y + dy));
    if (pixel == FIELD_BLACK)
        return 0;
    p.dead = 1;
    const int o = find_player_by_colour(pixel);
    if (o < 0 || players[o].dead)
        return 1;
    Player &owner = players[o];
    owner.score += 1;
    if (!meets_head_on(owner, p))
        return 1;
    owner.dead = 1;
    p.score += 1;
    return 2;
}
