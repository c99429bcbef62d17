// The save at the end of a run. Two endings can meet: the main thread saving
// on its way out while Xlib, on the library's input thread, reports that the
// display has gone. One lock keeps their writes apart, and only the first
// of them writes.
#include "state.h"

#include <algorithm>
#include <mutex>

// Held while the file is written at the end, and while the copy below is taken.
static std::mutex end_save_lock;
// The file has been written at the end of this run.
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
    if (entry_running)
        save_copy_to(SETTINGS_FILE, settings_before_entry, players_before_entry);
    else
        save_settings();
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
