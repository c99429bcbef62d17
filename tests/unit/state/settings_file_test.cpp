// The settings file, written and read in a fresh directory per test.
#include "allegro_fixture.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

// What the game writes over its defaults.
static const char DEFAULT_FILE[] =
    "1 3\n"
    "16 0 640 480\n"
    "1 50 25 74523 0.150000\n"
    "CERVENY\n" "63488 82 83 0\n"
    "BELASY\n" "2047 26 24 0\n"
    "ZELENY\n" "2016 14 13 1\n"
    "ZLTY\n" "65504 39 40 0\n"
    "FIALOVY\n" "63583 17 1 0\n"
    "MODRY\n" "31 89 88 1\n"
    "ORANZOVY\n" "64521 73 74 0\n"
    "RUZOVY\n" "64528 0 0 0\n"
    "12569\n";

// A valid file in which every setting and every slot differs from the
// defaults; set_custom_state() below holds the same values.
static const char CUSTOM_FILE[] =
    "0 -7\n"
    "32 2 1024 768\n"
    "7 5000 100 74523 0.150000\n"
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
// field that a load forgets to set shows up.
static const int FILL = 0x5A5A5A5A;

static void scramble_state()
{
    std::memset(players, 0x5A, sizeof players); // names lose their terminator too
    std::memset(&settings, 0x5A, sizeof settings);
}

static unsigned bits_of(float f)
{
    unsigned u;
    std::memcpy(&u, &f, sizeof u);
    return u;
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

// The fields the match owns are never the file's business.
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

// The lines of a text without their newlines, and back again.
static std::vector<std::string> lines_of(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

static std::string joined(const std::vector<std::string> &lines, const char *line_end = "\n")
{
    std::string text;
    for (const std::string &line : lines)
        text += line + line_end;
    return text;
}

// The text with its one occurrence of `from` replaced by `to`.
static std::string edited(std::string text, const std::string &from, const std::string &to)
{
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
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

    std::string save()
    {
        save_settings_to(path.c_str());
        return read_file(path);
    }

    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto &e : fs::directory_iterator(dir))
            names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

static const std::vector<std::string> ONLY_THE_FILE = {"talvon.dat"};

// ---------------------------------------------------------------- writing and reading back

TEST_F(SettingsFile, WritesTheDefaultsAsTwentyLines)
{
    write_file(path, std::string(1000, '#')); // an older, longer file
    reset_state();
    EXPECT_EQ(save(), DEFAULT_FILE);
    EXPECT_EQ(entries(), ONLY_THE_FILE);
}

TEST_F(SettingsFile, RoundTripKeepsEveryPersistedFieldAndNothingElse)
{
    set_custom_state();
    EXPECT_EQ(save(), CUSTOM_FILE);
    scramble_state();
    load_settings_from(path.c_str());
    EXPECT_EQ(persisted_state(), custom);
    EXPECT_EQ(bits_of(settings.turn_step), bits_of(0.15f));
    expect_match_fields_untouched();
}

// ---------------------------------------------------------------- rejected files

TEST_F(SettingsFile, AFileFailingACheckGivesEveryDefault)
{
    static const struct { const char *what, *from, *to; } BROKEN[] = {
        {"check number 74524", "74523", "74524"},
        {"check number missing", " 74523 0.150000", ""},
        {"check number not a number", "74523", "check"},
        {"end mark 12568", "12569", "12568"},
        {"end mark missing", "12569\n", ""},
        {"text after slot 7's numbers", "16777215 0 0 0\n", "16777215 0 0 0 x\n"},
        {"empty file", CUSTOM_FILE, ""},
    };
    for (const auto &b : BROKEN) {
        SCOPED_TRACE(b.what);
        EXPECT_EQ(load(edited(CUSTOM_FILE, b.from, b.to)), defaults);
        expect_match_fields_untouched();
    }
    fs::remove(path);
    scramble_state();
    load_settings_from(path.c_str());
    EXPECT_EQ(persisted_state(), defaults) << "missing file";
}

// A value that cannot be read would otherwise keep whatever the state held
// before, which is neither the file nor the defaults.
TEST_F(SettingsFile, AValueThatCannotBeReadGivesEveryDefault)
{
    static const struct { const char *what, *from, *to; } BROKEN[] = {
        {"turn step", "0.150000", "fast"},
        {"turn step not a number", "0.150000", "nan"},
        {"turn step infinite", "0.150000", "inf"},
        {"turn step beyond a float", "0.150000", "1e39"},
        {"slot 0's colour", "-1 -5", "red -5"},
        {"slot 4's switch", "255 59 67 0", "255 59 67 on"},
    };
    for (const auto &b : BROKEN)
        EXPECT_EQ(load(edited(CUSTOM_FILE, b.from, b.to)), defaults) << b.what;
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

TEST_F(SettingsFile, IgnoresTextAfterTheFloatAndAfterTheNumbersOfSlotsZeroToSix)
{
    std::vector<std::string> lines = lines_of(CUSTOM_FILE);
    lines[2] += " radians per frame";
    for (int i = 0; i < PLAYER_COUNT - 1; i++)
        lines[4 + 2 * i] += " # 42 and more";
    EXPECT_EQ(load(joined(lines)), custom);
}

TEST_F(SettingsFile, ReadsTheFirstElevenNumbersWhateverTheirLines)
{
    std::vector<std::string> lines = lines_of(CUSTOM_FILE);
    lines[0] += " " + lines[1] + " " + lines[2];
    lines.erase(lines.begin() + 1, lines.begin() + 3);
    EXPECT_EQ(load(joined(lines)), custom);
}

TEST_F(SettingsFile, ReadsAFileWithCarriageReturnsLikeThePlainOne)
{
    EXPECT_EQ(load(joined(lines_of(CUSTOM_FILE), "\r\n")), custom);
}

TEST_F(SettingsFile, KeepsTheFirstFifteenCharactersOfANameLine)
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
        std::vector<std::string> lines = lines_of(CUSTOM_FILE);
        lines[3] = n.line; // slot 0
        set_custom_state();
        std::strcpy(players[0].name, n.name);
        std::string expected = persisted_state();
        EXPECT_EQ(load(joined(lines)), expected) << "name line [" << n.line << "]";
    }
}

// ---------------------------------------------------------------- failed saves

// Saves while no file may grow past a few bytes: the write fails with EFBIG,
// for root as for anyone.
static void save_under_file_size_limit(const std::string &path, rlim_t bytes)
{
    rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = bytes;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    void (*old_handler)(int) = signal(SIGXFSZ, SIG_IGN); // the signal would end the run
    save_settings_to(path.c_str());
    signal(SIGXFSZ, old_handler);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &old), 0);
}

TEST_F(SettingsFile, AFailedWriteLeavesTheOldFileAndNoTemporary)
{
    write_file(path, CUSTOM_FILE);
    reset_state();
    save_under_file_size_limit(path, 64);
    EXPECT_EQ(read_file(path), CUSTOM_FILE);
    EXPECT_EQ(entries(), ONLY_THE_FILE);
}

TEST_F(SettingsFile, SavingOntoADirectoryLeavesItAndNoTemporary)
{
    fs::create_directory(path);
    write_file(path + "/inside", "kept");
    reset_state();
    save_settings_to(path.c_str());
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(read_file(path + "/inside"), "kept");
    EXPECT_EQ(entries(), ONLY_THE_FILE);
}
