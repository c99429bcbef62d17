// The settings file: twenty text lines holding the settings and the name,
// colour, keys and on/off of each slot, with a check number on line 3 and an
// end mark on the last line. A file that fails either check is ignored as a
// whole in favour of the defaults.
#include "state.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

const char SETTINGS_FILE[] = "talvon.dat";

// Line 3 carries the check number, the last line the end mark.
static const int SETTINGS_MAGIC = 74523;
static const int SETTINGS_END_MARK = 12569;

// ---------------- reading

// Drops everything up to and including the next newline (or to the end).
static void skip_line(FILE *f)
{
    int c;
    do {
        c = fgetc(f);
    } while (c != '\n' && c != EOF);
}

// Reads one line into name: the first 15 characters are kept and the rest of
// the line dropped. Carriage returns that end the name are dropped too: the
// file is written with plain newlines, so a name ending in one (a file with
// two-character line ends) would not read back the same. Returns false when
// the file ends before the newline.
static bool read_name_line(FILE *f, char *name)
{
    std::memset(name, 0, NAME_SIZE);
    int kept = 0;
    int c;
    while ((c = fgetc(f)) != '\n') {
        if (c == EOF)
            return false;
        if (kept < NAME_MAX_LEN)
            name[kept++] = (char)c;
    }
    int len = (int)std::strlen(name); // a zero byte ends the name as the game sees it
    while (len > 0 && name[len - 1] == '\r')
        name[--len] = '\0';
    return true;
}

// Reads lines 1 to 3 straight into settings; true when all eleven numbers
// are there and the check number is right. A value that cannot be read would
// leave its field as it was, neither the file's nor the default; a turn step
// that is not a finite number would carry the worms off to nowhere.
static bool read_settings_lines(FILE *f)
{
    Settings &s = settings;
    int magic = 0;
    return fscanf(f, "%d %d", &s.animate_backdrop, &s.pointer_step) == 2
        && fscanf(f, "%d %d %d %d", &s.color_depth, &s.gfx_card, &s.screen_w, &s.screen_h) == 4
        && fscanf(f, "%d %d %d %d %f", &s.round_end_survivors, &s.target_score, &s.frame_delay_ms,
                  &magic, &s.turn_step)
        == 5
        && magic == SETTINGS_MAGIC && std::isfinite(s.turn_step);
}

// Reads the eight slots and the end mark; true when every number and the
// end mark are there.
static bool read_players_and_end_mark(FILE *f)
{
    for (int i = 0; i < PLAYER_COUNT; i++) {
        Player &p = players[i];
        skip_line(f); // the rest of the previous line of numbers
        if (!read_name_line(f, p.name))
            return false;
        if (fscanf(f, "%d %d %d %d", &p.colour, &p.key_left, &p.key_right, &p.off) != 4)
            return false;
    }
    int end_mark = 0;
    return fscanf(f, "%d", &end_mark) == 1 && end_mark == SETTINGS_END_MARK;
}

void load_settings_from(const char *path)
{
    bool accepted = false;
    FILE *f = fopen(path, "r");
    if (f) {
        accepted = read_settings_lines(f) && read_players_and_end_mark(f);
        fclose(f);
    }
    // The defaults overwrite everything a rejected file may have set.
    if (!accepted)
        apply_defaults();
    place_score_labels(settings.screen_w, settings.screen_h);
}

void load_settings()
{
    load_settings_from(SETTINGS_FILE);
}

// ---------------- writing

// Writes the twenty lines; false on a write error.
static bool write_settings_lines(FILE *f, const Settings &s, const Player *slots)
{
    fprintf(f, "%d %d\n", s.animate_backdrop, s.pointer_step);
    fprintf(f, "%d %d %d %d\n", s.color_depth, s.gfx_card, s.screen_w, s.screen_h);
    fprintf(f, "%d %d %d %d %f\n", s.round_end_survivors, s.target_score, s.frame_delay_ms,
            SETTINGS_MAGIC, (double)s.turn_step);
    for (int i = 0; i < PLAYER_COUNT; i++) {
        const Player &p = slots[i];
        fprintf(f, "%.*s\n", NAME_MAX_LEN, p.name);
        fprintf(f, "%d %d %d %d\n", p.colour, p.key_left, p.key_right, p.off);
    }
    fprintf(f, "%d\n", SETTINGS_END_MARK);
    return !ferror(f);
}

// Opens a fresh temporary file beside path, so the rename that replaces the
// old file stays within one directory.
static FILE *open_temporary(const std::string &tmp)
{
    unlink(tmp.c_str()); // a leftover of an earlier, interrupted write
    int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0)
        return nullptr;
    FILE *f = fdopen(fd, "w");
    if (!f)
        close(fd);
    return f;
}

// The old file stays untouched until the new one is complete on disk, so a
// crash, a kill or a full disk during the write cannot lose it.
void replace_file(const char *path, const std::function<bool(FILE *)> &write)
{
    std::string tmp = std::string(path) + "." + std::to_string(getpid()) + ".tmp";
    FILE *f = open_temporary(tmp);
    if (!f)
        return;
    bool written = write(f) && fflush(f) == 0 && !ferror(f) && fsync(fileno(f)) == 0;
    if (fclose(f) != 0)
        written = false;
    if (!written || rename(tmp.c_str(), path) != 0)
        unlink(tmp.c_str());
}

void save_copy_to(const char *path, const Settings &s, const Player *slots)
{
    replace_file(path, [&](FILE *f) {
        return write_settings_lines(f, s, slots);
    });
}

void save_settings_to(const char *path)
{
    save_copy_to(path, settings, players);
}

void save_settings()
{
    save_settings_to(SETTINGS_FILE);
}
