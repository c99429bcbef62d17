// Long play: all eight players turning at random through many rounds, with
// the graphics mode changed again and again on the options screen between
// matches. The game's memory must not grow (measured on the plain build; the
// sanitizer build's run checks for reports and leaks instead), and the
// settings file it writes at the end must read back to the same file.
// TALVON_LONG=1 plays the full soak (50 rounds, 20 mode changes); otherwise a
// short one runs.
#include "game_screens.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

namespace {

struct Mode {
    int w, h, depth;
};

// The modes visited in turn; the last change always comes back to the
// start's mode, so the memory is compared in the same mode.
const Mode START_MODE = {640, 480, 16};
const Mode MODES[] = {{800, 600, 32}, {1024, 768, 16}, {640, 480, 24},
                      {1024, 768, 32}, {800, 600, 15}};
const int MODE_COUNT = sizeof MODES / sizeof MODES[0];

const char CHANGED[] = "Graficky mod bol uspesne zmeneny.";
const int APPLY_X = 520, APPLY_Y = 325; // the options screen's apply button
// After the soak the game may hold this much more memory than after its
// first round: allocator slack, never a leak per round or per mode change.
const double RSS_GROWTH_LIMIT = 0.10;

// Each player's two controls as the test presses them: the default keys of
// slots 0 to 6 by X keysym, and mouse buttons 1 and 3 for slot 7.
const char *const STEERING_KEYS[] = {"Left", "Right", "z", "x", "n", "m",
                                     "KP_2", "KP_3", "q", "a", "KP_Add", "KP_Subtract",
                                     "period", "slash"};
const int STEERING_KEY_COUNT = sizeof STEERING_KEYS / sizeof STEERING_KEYS[0];
const int MOUSE_BUTTONS[] = {1, 3};

// The game's resident memory in KiB, from /proc; 0 when it cannot be read.
long resident_kib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string field; status >> field;) {
        long kib = 0;
        if (field == "VmRSS:" && status >> kib)
            return kib;
    }
    return 0;
}

// glibc's malloc raises its mmap threshold each time a big block is freed, so
// after a few mode changes the bitmaps come from the heap, whose free space
// is seldom handed back: the resident memory then grows by the heap's
// fragments, not by anything the game holds. With the threshold fixed every
// bitmap is a mapping of its own, gone from memory when destroyed.
const char FIXED_MMAP_THRESHOLD[] = "MALLOC_MMAP_THRESHOLD_=65536";

// True when the game runs with AddressSanitizer's allocator, which keeps
// freed memory out of use (up to 256 MB of it) to catch late uses, so its
// resident memory says nothing about what the game holds.
bool runs_sanitized(pid_t pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find("libasan") != std::string::npos)
            return true;
    return false;
}

// Every slot on, no frame delay, a target nobody reaches in the soak.
std::string soak_settings()
{
    std::string text = with_players_on(DEFAULT_SETTINGS_TEXT, {0, 1, 2, 3, 4, 5, 6, 7});
    return with_line(text, 3, "1 5000 0 74523 0.150000");
}

// Keys and buttons held at random, one of them changed before each look at
// the screen, until the round has ended; then everything is let go.
class RandomSteering {
public:
    explicit RandomSteering(unsigned seed) : random(seed) {}

    bool play_round()
    {
        const int ROUND_MS = 30000;
        bool ended = wait_for_round_end(ROUND_MS, [this] { change_one(); });
        let_go();
        return ended;
    }

private:
    void change_one()
    {
        int control = (int)(random() % (STEERING_KEY_COUNT + 2));
        bool down = random() % 2;
        if (control < STEERING_KEY_COUNT) {
            down ? key_down(STEERING_KEYS[control]) : key_up(STEERING_KEYS[control]);
            return;
        }
        int button = MOUSE_BUTTONS[control - STEERING_KEY_COUNT];
        down ? mouse_down(button) : mouse_up(button);
    }

    void let_go()
    {
        for (const char *key : STEERING_KEYS)
            key_up(key);
        for (int button : MOUSE_BUTTONS)
            mouse_up(button);
    }

    std::mt19937 random;
};

// Options screen, resolution and depth popups, apply, "ANO", the message
// dismissed, and back to the main menu in the new mode.
bool change_mode(const Mode &m)
{
    if (!open_options_screen() || !choose_resolution(m.w, m.h) || !choose_depth(m.depth))
        return false;
    click_layer(APPLY_X, APPLY_Y);
    if (!answer_mode_dialog(true))
        return false;
    set_game_depth(m.depth);
    if (!wait_for_mode_change_message(m.w, m.h, CHANGED))
        return false;
    click_layer(OPTIONS_CLEAR_X, OPTIONS_CLEAR_Y);
    if (!wait_until([](const Image &img) {
            return !options_message_shown(img, CHANGED) && options_screen_shown(img);
        }))
        return false;
    key_tap("Escape");
    return wait_for_main_menu();
}

using Soak = LongPressTest;

// What the soak has played so far, and the game's memory.
struct Played {
    int rounds = 0;
    long first_kib = 0; // resident after the first round
    long last_kib = 0;  // resident after the latest round
};

// One match: S, the rounds one after another with SPACE between them, then
// ESC back to the main menu.
void play_match(RandomSteering &steering, int rounds, pid_t pid, Played &played)
{
    key_tap("s");
    ASSERT_TRUE(wait_until(match_shown)); // no steering reaches the menu
    for (int r = 0; r < rounds; r++) {
        ASSERT_TRUE(steering.play_round()) << "round " << played.rounds + 1;
        played.last_kib = resident_kib(pid);
        if (played.rounds++ == 0)
            played.first_kib = played.last_kib;
        if (r + 1 < rounds)
            key_tap("space");
    }
    printf("soak: %d rounds played, resident %ld KiB\n", played.rounds, played.last_kib);
    key_tap("Escape");
    ASSERT_TRUE(wait_for_main_menu());
}

// The file written after the soak names the start's mode, and it starts the
// game again and comes back byte for byte.
void expect_file_reads_back(const std::string &dir)
{
    const std::string written = read_file(dir, SETTINGS_FILE);
    EXPECT_EQ(line_of(written, 2), "16 0 640 480");
    ASSERT_TRUE(start_at_main_menu(dir));
    ASSERT_TRUE(quit_from_main_menu());
    EXPECT_EQ(read_file(dir, SETTINGS_FILE), written);
}

TEST_F(Soak, ManyRoundsAndModeChangesKeepMemoryAndSettings)
{
    const char *long_soak = getenv("TALVON_LONG");
    const bool full = long_soak && std::string(long_soak) == "1";
    const int rounds = full ? 50 : 5, changes = full ? 20 : 2;
    const unsigned SEED = 20261206;
    RandomSteering steering(SEED);
    write_file(dir, SETTINGS_FILE, soak_settings());
    pid_t pid = start_game(dir, {FIXED_MMAP_THRESHOLD});
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(wait_for_game_area(START_MODE.w, START_MODE.h) && wait_for_main_menu());

    // One match per mode, the rounds spread evenly over the matches.
    Played played;
    for (int match = 0; match <= changes; match++) {
        int in_match = rounds / (changes + 1) + (match < rounds % (changes + 1));
        ASSERT_NO_FATAL_FAILURE(play_match(steering, in_match, pid, played))
            << "match " << match + 1;
        if (match < changes) {
            const Mode &next = match + 1 == changes ? START_MODE : MODES[match % MODE_COUNT];
            ASSERT_TRUE(change_mode(next)) << "mode change " << match + 1;
        }
    }
    printf("soak: %d rounds, %d mode changes; resident %ld KiB after the first round, "
           "%ld KiB after the last\n", played.rounds, changes, played.first_kib,
           played.last_kib);
    EXPECT_GT(played.first_kib, 0);
    if (runs_sanitized(pid))
        printf("soak: the sanitizer's allocator holds the memory; reports are checked instead\n");
    else
        EXPECT_LE(played.last_kib, played.first_kib * (1 + RSS_GROWTH_LIMIT));

    ASSERT_TRUE(quit_from_main_menu());
    expect_file_reads_back(dir);
}

} // namespace
