// The settings file, the name tables and the languages.
#include "support.h"

#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

// Every value differs from the defaults and from the others.
static const char CUSTOM[] = "0 -7\n32 2 1024 768\n7 5000 100 74523 0.250000\n"
                             "JAN NOVAK\n-1 -5 2147483647 1\n\n16711680 126 127 0\n"
                             "A.B-C_D!?\n-2147483648 9 -3 2\n  SPACES  \n6 1 2 0\n"
                             "FIFTEEN CHARS!!\n255 59 67 0\n5\n65280 82 83 1\n"
                             "O'NEIL-SMITH J\n8421504 4 26 0\nMYS\n16777215 0 8 0\n12569\n";
static const std::string DIR = "/tmp/talvon-unit-" + std::to_string(getpid());
static const std::string PATH = DIR + "/talvon.dat";

// Loads the text, if any, as the settings file over scrambled state and saves; gives back the
// file then.
static std::string reload(const char *text)
{
    if (text) {
        std::filesystem::create_directory(DIR);
        std::ofstream(PATH, std::ios::binary) << text;
        std::memset(players, 0x5A, sizeof players);
        std::memset(&settings, 0x5A, sizeof settings);
        load_settings_from(PATH.c_str());
        save_settings_to(PATH.c_str());
    }
    std::stringstream file;
    file << std::ifstream(PATH, std::ios::binary).rdbuf();
    return file.str();
}

// CUSTOM with its first `from` replaced by `to`.
static std::string with(const std::string &from, const std::string &to)
{
    std::string text = CUSTOM;
    return text.replace(text.find(from), from.size(), to);
}

TEST(SettingsFile, CarriesEveryFieldAndPlacesTheLabelsForItsMode)
{
    EXPECT_EQ(reload(CUSTOM), CUSTOM);
    EXPECT_EQ(players[3].label_x, 921);
    EXPECT_EQ(reload(""), DEFAULTS);
    EXPECT_EQ(players[7].label_y, 458);
}

// A wrong check number or end mark, a number that cannot be read, a turn step not finite as a
// float: the defaults. Words may follow the numbers on a line, and the numbers may run onto one
// line. A name keeps its first 15 characters, less the CRs that end it.
TEST(SettingsFile, IsReadWholeOrNotAtAll)
{
    const std::tuple<const char *, const char *, std::string> EDITS[] = {
        {"74523", "74524", DEFAULTS},
        {" 74523 0.250000", "", DEFAULTS},
        {"74523", "x", DEFAULTS},
        {"12569", "12568", DEFAULTS},
        {"12569\n", "", DEFAULTS},
        {"0 8 0\n", "0 8 0 x\n", DEFAULTS},
        {"0.250000", "nan", DEFAULTS},
        {"0.250000", "inf", DEFAULTS},
        {"0.250000", "1e39", DEFAULTS},
        {"-1 -5", "red -5", DEFAULTS},
        {"26 0\n", "26 0 # 4\n", CUSTOM},
        {"-7\n32 2 1024 768\n", "-7 32 2 1024 768 ", CUSTOM},
        {"JAN NOVAK", "0123456789ABCDEFGH", with("JAN NOVAK", "0123456789ABCDE")},
        {"JAN NOVAK", "0123456789ABCDEF\r", with("JAN NOVAK", "0123456789ABCDE")},
        {"JAN NOVAK", "AB\r\r", with("JAN NOVAK", "AB")},
    };
    for (auto [from, to, reads] : EDITS)
        EXPECT_EQ(reload(with(from, to).c_str()), reads) << from << " -> " << to;
}

// Only the last newline may be missing. A read that waited for more would end the run by the alarm.
TEST(SettingsFile, AFileCutShortGivesTheDefaults)
{
    const std::string full = CUSTOM;
    alarm(60);
    for (size_t n = 0; n + 1 < full.size(); n++)
        ASSERT_EQ(reload(full.substr(0, n).c_str()), DEFAULTS) << "cut after " << n;
    EXPECT_EQ(reload(full.substr(0, full.size() - 1).c_str()), CUSTOM);
    alarm(0);
}

// The write fails with EFBIG, also for root; the rename fails onto a folder.
TEST(SettingsFile, AFailedWriteLeavesTheOldFileAndNoTemporary)
{
    reload(CUSTOM);
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    signal(SIGXFSZ, SIG_IGN);
    save_settings_to(PATH.c_str());
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(reload(nullptr), CUSTOM);
    std::filesystem::create_directory(PATH + ".d");
    save_settings_to((PATH + ".d").c_str());
    auto files = std::filesystem::directory_iterator(DIR);
    EXPECT_EQ(std::distance(begin(files), end(files)), 2);
    std::filesystem::remove_all(DIR);
}

// Labels stand at one, three, seven and nine tenths of the width (multiplied first), slots 0 to 3
// 44 pixels above the bottom and slots 4 to 7 22 pixels above it.
TEST(Labels, StandInTwoRowsAtTenthsOfTheWidth)
{
    const std::tuple<int, int, std::array<int, 4>, int, int> SIZES[] = {
        {640, 480, {64, 192, 448, 576}, 436, 458},
        {800, 600, {80, 240, 560, 720}, 556, 578},
        {1024, 768, {102, 307, 716, 921}, 724, 746},
    };
    for (auto [w, h, xs, first_row, second_row] : SIZES) {
        place_score_labels(w, h);
        for (int i = 0; i < PLAYER_COUNT; i++) {
            EXPECT_EQ(players[i].label_x, xs[i % 4]) << w << " slot " << i;
            EXPECT_EQ(players[i].label_y, i < 4 ? first_row : second_row) << w << " slot " << i;
        }
    }
}

// The first set and non-empty of LC_ALL, LC_MESSAGES and LANG counts: a Slovak locale, C, POSIX or
// none give Slovak, any other English.
TEST(Words, TheLocaleChoosesTheLanguage)
{
    const std::tuple<const char *, const char *, const char *, const Words *> LOCALES[] = {
        {nullptr, nullptr, nullptr, &SLOVAK},       {"", "", "C.UTF-8", &SLOVAK},
        {nullptr, "POSIX", "en_US.UTF-8", &SLOVAK}, {"sk_SK.UTF-8", "en_GB", "en_GB", &SLOVAK},
        {"", "de_DE.UTF-8", "C", &ENGLISH},
    };
    for (auto [lc_all, lc_messages, lang, language] : LOCALES)
        EXPECT_EQ(language_of_locale(lc_all, lc_messages, lang), language) << lc_all << lang;
}

// In the font: the options screen's messages in their boxes, the answers in their click boxes; the
// round's messages and each default name's label in a fifth of the width, the titles in the box.
TEST(Words, EveryEnglishTextFitsItsPlace)
{
    for (int w : {640, 1024}) {
        std::vector<std::tuple<std::string, int>> rooms = {
            {ENGLISH.mode_unchanged, 450 - 190},
            {ENGLISH.mode_question, 470 - 170},
            {ENGLISH.yes, 290 - 250},
            {ENGLISH.no, 390 - 350},
            {ENGLISH.mode_failed, 470 - 170},
            {ENGLISH.mode_changed, 470 - 170},
            {ENGLISH.play_on, w / 5},
            {ENGLISH.draw, w / 5},
            {ENGLISH.one_winner, 150},
            {ENGLISH.winners, 150},
        };
        for (const char *name : ENGLISH.player_names)
            rooms.push_back({name + std::string(": 99"), w / 5});
        for (auto [text, room] : rooms)
            EXPECT_LE(text_length(font, text.c_str()), room) << text << " at " << w;
    }
}
