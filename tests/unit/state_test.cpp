// The defaults, the settings file and the shared helpers of the game state.
#include "support.h"
#include <sys/resource.h>
#include <unistd.h>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
// Every value differs from the defaults and from the others.
static const char CUSTOM[] = "0 -7\n32 2 1024 768\n7 5000 100 74523 0.250000\n"
    "JAN NOVAK\n-1 -5 2147483647 1\n\n16711680 126 127 0\nA.B-C_D!?\n-2147483648 9 -3 2\n  SPACES  \n6 1 2 0\n"
    "FIFTEEN CHARS!!\n255 59 67 0\n5\n65280 82 83 1\nO'NEIL-SMITH J\n8421504 4 26 0\nMYS\n16777215 0 8 0\n12569\n";
static const std::string DIR = "/tmp/talvon-unit-" + std::to_string(getpid()), PATH = DIR + "/talvon.dat";
// Loads the text as the settings file over scrambled state and saves (no text: neither); gives back the file then.
static std::string reload(const char *text)
{
    if (text) {
        std::ofstream(PATH, std::ios::binary) << text, std::memset(players, 0x5A, sizeof players), std::memset(&settings, 0x5A, sizeof settings);
        load_settings_from(PATH.c_str()), save_settings_to(PATH.c_str());
    }
    std::stringstream saved;
    return (saved << std::ifstream(PATH, std::ios::binary).rdbuf(), saved.str());
}
static std::string with(const std::string &from, const std::string &to, std::string text = CUSTOM) { return text.replace(text.find(from), from.size(), to); }

TEST(SettingsFile, CarriesEveryFieldAndRejectsAFileFailingACheck)
{
    std::filesystem::create_directory(DIR);
    EXPECT_TRUE(reload("") == DEFAULTS && players[7].label_y == 458 && players[0].score == 0x5A5A5A5A); // labels follow the file
    EXPECT_TRUE(reload(CUSTOM) == CUSTOM && players[3].label_x == 921 && players[3].label_y == 724 && settings.turn_step == 0.25f);
    std::string crlf, cut = CUSTOM, wrong;
    for (char c : cut) crlf += c == '\n' ? "\r\n" : std::string(1, c);
    for (const std::string &same : {crlf, with("26 0\n", "26 0 # 4\n", with(" 1\n\n", " 1 x\n\n")), with("0.250000\n", "0.25 radians\n"),
                                    with("-7\n32 2 1024 768\n", "-7 32 2 1024 768 ")})
        EXPECT_EQ(reload(same.c_str()), CUSTOM) << same;
    // A name keeps its first 15 characters, less the CRs that end it.
    for (auto [line, name] : {std::pair{"0123456789ABCDEFGH", "0123456789ABCDE"}, {"0123456789ABCDEF\r", "0123456789ABCDE"}, {"AB\r\r", "AB"}})
        EXPECT_EQ(reload(with("JAN NOVAK", line).c_str()), with("JAN NOVAK", name));
    for (auto [from, to] : {std::pair{"74523", "74524"}, {" 74523 0.250000", ""}, {"74523", "x"}, {"12569", "12568"}, {"12569\n", ""},
                            {"0 8 0\n", "0 8 0 x\n"}, {"0.250000", "fast"}, {"0.250000", "nan"}, {"0.250000", "inf"}, {"0.250000", "1e39"},
                            {"-1 -5", "red -5"}, {"67 0", "67 on"}})
        EXPECT_EQ(reload(with(from, to).c_str()), DEFAULTS) << from << " -> " << to;
    for (size_t n = (alarm(60), 0); n < cut.size(); n++) // only the last newline may be missing; a read that waits for it ends the run
        if (reload(cut.substr(0, n).c_str()) != (n + 1 < cut.size() ? DEFAULTS : CUSTOM)) wrong += std::to_string(n) + " ";
    alarm(0);
    rlimit old, small; // a failed write (EFBIG, also for root) leaves the old file and no temporary beside it
    getrlimit(RLIMIT_FSIZE, &old), small = old, small.rlim_cur = 64, setrlimit(RLIMIT_FSIZE, &small), signal(SIGXFSZ, SIG_IGN);
    save_settings_to(PATH.c_str()), setrlimit(RLIMIT_FSIZE, &old);
    auto files = std::filesystem::directory_iterator(DIR);
    EXPECT_TRUE(wrong.empty() && reload(nullptr) == CUSTOM && std::distance(begin(files), end(files)) == 1) << "cuts read: " << wrong;
    std::filesystem::remove_all(DIR);
}

TEST(State, NamesAndHelpers)
{
    // Key names where the library's numbering is easy to miscount, a placeholder beyond the tables, card names.
    EXPECT_EQ(std::string(key_name(0)) + key_name(KEY_9_PAD) + key_name(KEY_TILDE) + key_name(KEY_ENTER_PAD) + key_name(KEY_KANJI) + key_name(KEY_UNKNOWN8) +
              key_name(KEY_MAX) + key_name(-1) + key_name(KEY_MAX + 1) + card_name(0) + card_name(2) + card_name(3), " 9 PADTILDEENTER PADKANJIUNKNOWN8MAX??????AUTODETECTWINDOWED???");
    place_score_labels(INT_MIN, INT_MIN), std::fill(key, key + KEY_MAX, 1); // a label above the smallest int stays at it
    EXPECT_TRUE(players[3].label_x == -1932735283 && players[7].label_y == INT_MIN && key_down(0) && key_down(KEY_MAX - 1) &&
                !key_down(KEY_MAX) && !key_down(-1) && !key_down(INT_MAX) && !key_down(INT_MIN));
    std::string in; // the box (10, 20)-(30, 40): its edges are inside, a pixel beyond is not
    for (auto [x, y] : {std::pair{10, 20}, {30, 40}, {10, 40}, {30, 20}, {9, 30}, {31, 30}, {20, 19}, {20, 41}}) in += '0' + point_in_rect(x, y, 10, 20, 30, 40);
    for (int e : {0, 1}) // ESC pressed and held, by ESC and by a closed window
        for (int c : {0, 1}) key[KEY_ESC] = e, window_closed = c, in += std::string(" ") + "01"[escape_pressed()] + "01"[escape_held()];
    EXPECT_EQ(in, "11110000 00 10 11 10");
}
