// Feeds arbitrary bytes to the game as its settings file and checks what
// the load leaves: either every default or exactly what the file says, with
// every name zero-terminated inside its 16 bytes. Each input goes through
// the real file path: written to a file, read by load_settings_from, saved
// again by save_settings_to and read back.
#include "state.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

// The persisted part of the state, as the file holds it.
struct Persisted {
    Settings settings;
    struct Slot {
        char name[NAME_SIZE];
        int colour, key_left, key_right, off;
    } slots[PLAYER_COUNT];
};

static std::string work_dir;  // private directory for the files below
static std::string input;     // the bytes under test, as a settings file
static std::string resaved;   // the state saved again
static Persisted defaults;    // what a rejected file leaves

static Persisted capture()
{
    Persisted s;
    std::memset(&s, 0, sizeof s);
    s.settings = settings;
    for (int i = 0; i < PLAYER_COUNT; i++) {
        const Player &p = players[i];
        s.slots[i] = {{}, p.colour, p.key_left, p.key_right, p.off};
        std::memcpy(s.slots[i].name, p.name, NAME_SIZE);
    }
    return s;
}

// Every byte of the state set to one pattern, so a field that a load
// forgets to set differs between two loads after two patterns.
static Persisted load_over(const std::string &path, int pattern)
{
    std::memset(players, pattern, sizeof players);
    std::memset(&settings, pattern, sizeof settings);
    load_settings_from(path.c_str());
    return capture();
}

[[noreturn]] static void fail(const char *what, int slot)
{
    fprintf(stderr, "settings_fuzzer: %s (slot %d)\n", what, slot);
    abort();
}

// The turn step as the file format keeps it: fixed notation, six decimals.
static float as_written(float turn_step)
{
    char text[64];
    snprintf(text, sizeof text, "%f", (double)turn_step);
    return strtof(text, nullptr);
}

static bool same_settings(const Settings &a, const Settings &b)
{
    return a.animate_backdrop == b.animate_backdrop && a.pointer_step == b.pointer_step &&
           a.color_depth == b.color_depth && a.gfx_card == b.gfx_card &&
           a.screen_w == b.screen_w && a.screen_h == b.screen_h &&
           a.round_end_survivors == b.round_end_survivors && a.target_score == b.target_score &&
           a.frame_delay_ms == b.frame_delay_ms && a.turn_step == b.turn_step;
}

// Equal as the game sees them: names up to their terminator. `whole_names`
// also compares the bytes after it, which a load sets too.
static void expect_same(const Persisted &a, const Persisted &b, bool whole_names,
                        const char *what)
{
    if (!same_settings(a.settings, b.settings))
        fail(what, -1);
    for (int i = 0; i < PLAYER_COUNT; i++) {
        const Persisted::Slot &x = a.slots[i];
        const Persisted::Slot &y = b.slots[i];
        bool names = whole_names ? std::memcmp(x.name, y.name, NAME_SIZE) == 0
                                 : std::strcmp(x.name, y.name) == 0;
        if (!names || x.colour != y.colour || x.key_left != y.key_left ||
            x.key_right != y.key_right || x.off != y.off)
            fail(what, i);
    }
}

static void expect_terminated_names(const Persisted &s)
{
    for (int i = 0; i < PLAYER_COUNT; i++)
        if (!std::memchr(s.slots[i].name, '\0', NAME_SIZE))
            fail("a name without its terminator", i);
}

static std::string read_all(const std::string &path)
{
    std::string text;
    if (FILE *f = fopen(path.c_str(), "rb")) {
        char buf[4096];
        for (size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;)
            text.append(buf, n);
        fclose(f);
    }
    return text;
}

static void remove_work_dir()
{
    unlink(input.c_str());
    unlink(resaved.c_str());
    rmdir(work_dir.c_str());
}

// /dev/shm keeps the save's fsync from reaching a disk thousands of times a second.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    char pattern[] = "/dev/shm/talvon-fuzz-XXXXXX";
    char fallback[] = "/tmp/talvon-fuzz-XXXXXX";
    const char *dir = mkdtemp(pattern);
    if (!dir)
        dir = mkdtemp(fallback);
    if (!dir)
        fail("no work directory", -1);
    work_dir = dir;
    input = work_dir + "/talvon.dat";
    resaved = work_dir + "/resaved.dat";
    atexit(remove_work_dir);
    apply_defaults();
    defaults = capture();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FILE *f = fopen(input.c_str(), "wb");
    if (!f || fwrite(data, 1, size, f) != size || fclose(f) != 0)
        fail("cannot write the input file", -1);

    // 1. Two loads over different leftovers agree: nothing is left unset.
    const Persisted loaded = load_over(input, 0x5A);
    expect_same(loaded, load_over(input, 0xA5), true, "a field the load leaves unset");
    expect_terminated_names(loaded);
    if (std::memcmp(&loaded, &defaults, sizeof loaded) == 0)
        return 0;

    // 2. An accepted file: saved and read back it gives the same state, the
    // turn step rounded as the format writes it, and then saves the same bytes.
    save_settings_to(resaved.c_str());
    const std::string first_save = read_all(resaved);
    Persisted expected = loaded;
    expected.settings.turn_step = as_written(loaded.settings.turn_step);
    expect_same(load_over(resaved, 0x5A), expected, false, "saved and read back differs");
    save_settings_to(resaved.c_str());
    if (read_all(resaved) != first_save)
        fail("a second save writes other bytes", -1);
    return 0;
}
