// The defaults and the settings file, written and read in a fresh directory
// per test.
#include "allegro_fixture.h"

#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

// The defaults as the game writes them.
static const char DEFAULT_FILE[] =
    "1 3\n" "16 0 640 480\n" "1 50 25 74523 0.150000\n"
    "CERVENY\n" "63488 82 83 0\n"    // 0xF800, LEFT / RIGHT
    "BELASY\n" "2047 26 24 0\n"      // 0x07FF, Z / X
    "ZELENY\n" "2016 14 13 1\n"      // 0x07E0, N / M, off
    "ZLTY\n" "65504 39 40 0\n"       // 0xFFE0, 2 PAD / 3 PAD
    "FIALOVY\n" "63583 17 1 0\n"     // 0xF85F, not the mask colour 0xF81F; Q / A
    "MODRY\n" "31 89 88 1\n"         // 0x001F, PLUS PAD / MINUS PAD, off
    "ORANZOVY\n" "64521 73 74 0\n"   // 0xFC09, STOP / SLASH
    "RUZOVY\n" "64528 0 0 0\n"       // 0xFC10, the mouse slot has no keys
    "12569\n";

// A valid file in which every setting and every slot differs from the
// defaults; set_custom_state() below holds the same values.
static const char CUSTOM_FILE[] =
    "0 -7\n" "32 2 1024 768\n" "7 5000 100 74523 0.150000\n"
    "JAN NOVAK\n" "-1 -5 2147483647 1\n"
    "\n" "16711680 126 127 0\n"
    "A.B-C_D!?\n" "-2147483648 0 -3 2\n"
    "  SPACES  \n" "0 1 2 0\n"
    "FIFTEEN CHARS!!\n" "255 59 67 0\n"
    "5\n" "65280 82 83 1\n"
    "O'NEIL-SMITH J\n" "8421504 1 26 0\n"
    "MYS\n" "16777215 0 0 0\n"
    "12569\n";

static void set_custom_state()
{
    settings = {0, -7, 32, 2, 1024, 768, 7, 5000, 100, 0.15f};
    static const struct { const char *name; int colour, left, right, off; } SLOTS[] = {
        {"JAN NOVAK", -1, -5, INT_MAX, 1},       {"", 16711680, 126, 127, 0},
        {"A.B-C_D!?", INT_MIN, 0, -3, 2},        {"  SPACES  ", 0, 1, 2, 0},
        {"FIFTEEN CHARS!!", 255, 59, 67, 0},     {"5", 65280, 82, 83, 1},
        {"O'NEIL-SMITH J", 8421504, 1, 26, 0},   {"MYS", 16777215, 0, 0, 0},
    };
    for (int i = 0; i < PLAYER_COUNT; i++) {
        std::memset(players[i].name, 0, NAME_SIZE);
        std::strcpy(players[i].name, SLOTS[i].name);
        players[i].colour = SLOTS[i].colour;
        players[i].key_left = SLOTS[i].left;
        players[i].key_right = SLOTS[i].right;
        players[i].off = SLOTS[i].off;
    }
    place_score_labels(1024, 768);
}

// Every byte of the state set to a pattern no file or default holds, so a
// field that a load or the defaults forget to set shows up.
static const int FILL = 0x5A5A5A5A;

static void scramble_state()
{
    std::memset(players, 0x5A, sizeof players); // names lose their terminator too
    std::memset(&settings, 0x5A, sizeof settings);
}

// Everything a load decides, as text, so a failed comparison names the field.
static std::string persisted_state()
{
    const Settings &s = settings;
    std::ostringstream out;
    out << "settings " << s.animate_backdrop << ' ' << s.pointer_step << ' ' << s.color_depth
        << ' ' << s.gfx_card << ' ' << s.screen_w << ' ' << s.screen_h << ' '
        << s.round_end_survivors << ' ' << s.target_score << ' ' << s.frame_delay_ms
        << " turn " << std::hex << bits_of(s.turn_step) << std::dec << '\n';
    for (int i = 0; i < PLAYER_COUNT; i++) {
        const Player &p = players[i];
        out << "slot " << i << " [" << std::string(p.name, strnlen(p.name, NAME_SIZE)) << "] "
            << p.colour << ' ' << p.key_left << ' ' << p.key_right << ' ' << p.off
            << " label " << p.label_x << ',' << p.label_y << '\n';
    }
    return out.str();
}

// The fields the match owns are never the file's or the defaults' business.
static void expect_match_fields_untouched()
{
    for (const Player &p : players) {
        for (float f : {p.x, p.y, p.heading})
            EXPECT_EQ(bits_of(f), (unsigned)FILL);
        EXPECT_EQ(p.dead, FILL);
        EXPECT_EQ(p.score, FILL);
    }
}

static void write_file(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

static std::string read_file(const std::string &path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// The custom file's lines, changed by `edit`, joined with `line_end`.
static std::string custom_lines(const std::function<void(std::vector<std::string> &)> &edit,
                                const char *line_end = "\n")
{
    std::vector<std::string> lines;
    std::istringstream in(CUSTOM_FILE);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    edit(lines);
    std::string text;
    for (const std::string &line : lines)
        text += line + line_end;
    return text;
}

class SettingsFile : public ::testing::Test {
protected:
    std::string dir;      // fresh for each test, removed afterwards
    std::string path;     // talvon.dat in it
    std::string defaults; // the state any rejected file leaves
    std::string custom;   // the state CUSTOM_FILE stands for

    void SetUp() override
    {
        char name[] = "/tmp/talvon-state-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
        path = dir + "/talvon.dat";
        reset_state();
        place_score_labels(640, 480);
        defaults = persisted_state();
        set_custom_state();
        custom = persisted_state();
        scramble_state();
    }

    void TearDown() override
    {
        fs::remove_all(dir);
        reset_state();
    }

    // Loads the text as the settings file over a scrambled state.
    std::string load(const std::string &text)
    {
        write_file(path, text);
        scramble_state();
        load_settings_from(path.c_str());
        return persisted_state();
    }

    // The directory holds the settings file alone: no temporary is left behind.
    void expect_only_the_file() const
    {
        std::vector<std::string> names;
        for (const auto &e : fs::directory_iterator(dir))
            names.push_back(e.path().filename());
        EXPECT_EQ(names, std::vector<std::string>{"talvon.dat"});
    }
};

// ---------------------------------------------------------------- defaults, writing and reading back

// The defaults set every persisted field (the file holds them all) and leave
// what the match and the screen size decide as it was.
TEST_F(SettingsFile, DefaultsAreWrittenAsTwentyLines)
{
    apply_defaults();
    EXPECT_EQ(bits_of(settings.turn_step), bits_of(0.15f));
    expect_match_fields_untouched();
    for (const Player &p : players)
        EXPECT_TRUE(p.label_x == FILL && p.label_y == FILL) << p.label_x << "," << p.label_y;
    write_file(path, std::string(1000, '#')); // an older, longer file
    save_settings_to(path.c_str());
    EXPECT_EQ(read_file(path), DEFAULT_FILE);
    expect_only_the_file();
}

TEST_F(SettingsFile, RoundTripKeepsEveryPersistedFieldAndNothingElse)
{
    set_custom_state();
    save_settings_to(path.c_str());
    EXPECT_EQ(read_file(path), CUSTOM_FILE);
    scramble_state();
    load_settings_from(path.c_str());
    EXPECT_EQ(persisted_state(), custom);
    EXPECT_EQ(bits_of(settings.turn_step), bits_of(0.15f));
    expect_match_fields_untouched();
}

// ---------------------------------------------------------------- rejected files

// A value that cannot be read would otherwise keep whatever the state held
// before, which is neither the file nor the defaults.
TEST_F(SettingsFile, AFileFailingACheckOrWithAValueThatCannotBeReadGivesEveryDefault)
{
    static const struct { const char *what, *from, *to; } BROKEN[] = {
        {"check number 74524", "74523", "74524"},
        {"check number missing", " 74523 0.150000", ""},
        {"check number not a number", "74523", "check"},
        {"end mark 12568", "12569", "12568"},
        {"end mark missing", "12569\n", ""},
        {"text after slot 7's numbers", "16777215 0 0 0\n", "16777215 0 0 0 x\n"},
        {"empty file", CUSTOM_FILE, ""},
        {"turn step", "0.150000", "fast"},
        {"turn step not a number", "0.150000", "nan"},
        {"turn step infinite", "0.150000", "inf"},
        {"turn step beyond a float", "0.150000", "1e39"},
        {"slot 0's colour", "-1 -5", "red -5"},
        {"slot 4's switch", "255 59 67 0", "255 59 67 on"},
    };
    for (const auto &b : BROKEN) {
        SCOPED_TRACE(b.what);
        std::string text = CUSTOM_FILE;
        const size_t at = text.find(b.from);
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(load(text.replace(at, strlen(b.from), b.to)), defaults);
        expect_match_fields_untouched();
    }
    fs::remove(path);
    scramble_state();
    load_settings_from(path.c_str());
    EXPECT_EQ(persisted_state(), defaults) << "missing file";
}

TEST_F(SettingsFile, ACutFileGivesTheDefaultsUnlessOnlyTheLastNewlineIsMissing)
{
    const std::string whole = CUSTOM_FILE;
    std::string wrong; // the cuts that gave the wrong state
    alarm(60);         // a read waiting for a newline that never comes ends the run
    for (size_t n = 0; n <= whole.size(); n++) {
        bool complete = n >= whole.size() - 1; // "12569" still reads at the end of the file
        if (load(whole.substr(0, n)) != (complete ? custom : defaults))
            wrong += std::to_string(n) + " ";
    }
    alarm(0);
    EXPECT_EQ(wrong, "");
}

// ---------------------------------------------------------------- tolerated variations

TEST_F(SettingsFile, ReadsTheSameFromTolerableVariations)
{
    EXPECT_EQ(load(custom_lines([](auto &lines) {
                  lines[2] += " radians per frame";
                  for (int i = 0; i < PLAYER_COUNT - 1; i++)
                      lines[4 + 2 * i] += " # 42 and more";
              })),
              custom) << "text after the float and after the numbers of slots 0 to 6";
    EXPECT_EQ(load(custom_lines([](auto &lines) {
                  lines[0] += " " + lines[1] + " " + lines[2];
                  lines.erase(lines.begin() + 1, lines.begin() + 3);
              })),
              custom) << "the first eleven numbers on one line";
    EXPECT_EQ(load(custom_lines([](auto &) {}, "\r\n")), custom) << "CR-LF line ends";
}

TEST_F(SettingsFile, KeepsTheFirstFifteenCharactersOfANameLineWithoutTrailingCRs)
{
    static const struct { const char *line, *name; } NAMES[] = {
        {"0123456789ABCDEF", "0123456789ABCDE"},
        {"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", "0123456789ABCDE"},
        {"0123456789ABCDEF\r", "0123456789ABCDE"},
        {"0123456789ABCDE\r", "0123456789ABCDE"},
        {"0123456789ABCD\r", "0123456789ABCD"},
        {"\r", ""},
        {"", ""},
    };
    for (const auto &n : NAMES) {
        set_custom_state();
        std::strcpy(players[0].name, n.name);
        const std::string expected = persisted_state();
        EXPECT_EQ(load(custom_lines([&](auto &lines) { lines[3] = n.line; })), expected)
            << "name line [" << n.line << "]";
    }
}

// ---------------------------------------------------------------- failed saves

TEST_F(SettingsFile, AFailedWriteLeavesTheOldFileAndNoTemporary)
{
    // While no file may grow past 64 bytes the write fails with EFBIG, for
    // root as for anyone.
    write_file(path, CUSTOM_FILE);
    reset_state();
    rlimit old, small;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    void (*old_handler)(int) = signal(SIGXFSZ, SIG_IGN); // the signal would end the run
    save_settings_to(path.c_str());
    signal(SIGXFSZ, old_handler);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &old), 0);
    EXPECT_EQ(read_file(path), CUSTOM_FILE);
    expect_only_the_file();

    // Saving onto a directory leaves it as it was.
    fs::remove(path);
    fs::create_directory(path);
    write_file(path + "/inside", "kept");
    save_settings_to(path.c_str());
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(read_file(path + "/inside"), "kept");
    expect_only_the_file();
}
