// The save at the end of a run: the settings file and the pads file beside
// it. Two endings can meet: the main thread saving on its way out while Xlib,
// on the library's input thread, reports that the display has gone. One lock
// keeps their writes apart, and only the first of them writes.
#include "state.h"

#include <algorithm>
#include <mutex>

// Held while the files are written at the end, and while the copy below is taken.
static std::mutex end_save_lock;
// The files have been written at the end of this run.
static bool saved_at_end = false;
// An entry is under way: the end writes the copy, not the live values.
static bool entry_running = false;
// Everything as it stood when the running entry began.
static Settings settings_before_entry;
static Player players_before_entry[PLAYER_COUNT];

void save_settings_at_end()
{
    std::lock_guard<std::mutex> hold(end_save_lock);
    if (saved_at_end)
        return;
    const Player *slots = entry_running ? players_before_entry : players;
    save_copy_to(SETTINGS_FILE, entry_running ? settings_before_entry : settings, slots);
    save_pad_bindings_to(PADS_FILE, slots);
    saved_at_end = true;
}

void begin_settings_entry()
{
    std::lock_guard<std::mutex> hold(end_save_lock);
    settings_before_entry = settings;
    std::copy(players, players + PLAYER_COUNT, players_before_entry);
    entry_running = true;
}

void end_settings_entry()
{
    std::lock_guard<std::mutex> hold(end_save_lock);
    entry_running = false;
}
