// Changing the graphics mode while the program runs: the player colours,
// the bitmaps and the score labels follow the new mode, or the old mode comes
// back when the library refuses the new one.
#include "frontend.h"

#include <cstdlib>

bool pending_differs()
{
    return pending.card != settings.gfx_card || pending.w != settings.screen_w
        || pending.h != settings.screen_h || pending.depth != settings.color_depth;
}

void reset_pending_mode()
{
    pending = {settings.gfx_card, settings.screen_w, settings.screen_h, settings.color_depth};
}

void repack_player_colours(int old_depth, int new_depth)
{
    for (Player &p : players) {
        int c = p.colour;
        p.colour = makecol_depth(new_depth, getr_depth(old_depth, c), getg_depth(old_depth, c),
                                 getb_depth(old_depth, c));
    }
}

// The driver may have set another size than asked; what it set is the mode.
void commit_pending_mode(int w, int h)
{
    settings.color_depth = pending.depth;
    settings.screen_w = pending.w = w;
    settings.screen_h = pending.h = h;
    settings.gfx_card = pending.card;
}

// Nothing left to show anything on. The settings are saved first, so that
// nothing the player changed is lost and the next start finds a mode that
// matches the saved colours; then text mode, the message, exit code 1.
[[noreturn]] static void end_without_screen(const char *message)
{
    save_settings_at_end();
    show_fatal_message(message);
    exit(1);
}

// Every bitmap is made for one depth, and two of them for one screen size.
static void rebuild_graphics()
{
    destroy_graphics();
    if (load_graphics() != 0) {
        // The colours are repacked already: the file must name their depth.
        commit_pending_mode(game_screen_w(), game_screen_h());
        end_without_screen(words->no_pictures);
    }
    draw_options_layout();
}

// The new mode is on screen. Every comparison is with the committed mode,
// which changes only at the end.
static void adopt_pending_mode()
{
    bool depth_changed = pending.depth != settings.color_depth;
    bool size_changed = pending.w != settings.screen_w || pending.h != settings.screen_h;
    if (depth_changed)
        repack_player_colours(settings.color_depth, pending.depth);
    if (depth_changed || size_changed)
        rebuild_graphics();
    if (size_changed)
        place_score_labels(game_screen_w(), game_screen_h());
    commit_pending_mode(game_screen_w(), game_screen_h());
    draw_options_values(VIEW_CHANGED);
}

// The library refused the pending mode: the committed one comes back, with
// its bitmaps, colours and labels untouched.
static void restore_committed_mode()
{
    if (!set_graphics_mode(settings.gfx_card, settings.screen_w, settings.screen_h,
                           settings.color_depth))
        end_without_screen(words->no_graphics_mode);
    reset_pending_mode();
    draw_options_values(VIEW_FAILED);
}

void apply_graphics_mode()
{
    if (set_graphics_mode(pending.card, pending.w, pending.h, pending.depth))
        adopt_pending_mode();
    else
        restore_committed_mode();
    wait_for_dismissal();
    draw_options_values(VIEW_VALUES);
}
