// The game's message boxes. Under X11 the library shows allegro_message by
// running "xmessage ... <text>" and waiting for it; the box is found among the
// processes of the game's process group, read from its command line and
// closed by ending it, which lets the game carry on.
#include "e2e.h"
#include "harness_internal.h"

#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <unistd.h>

// How long a closed box may take to go away.
static const int CLOSE_MS = 2000;
// How often a wait looks for a box.
static const int POLL_MS = 20;
// A bound on the boxes closed at the end of a test, should one keep coming back.
static const int MAX_BOXES_CLOSED = 10;

static std::vector<std::string> command_line(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    std::vector<std::string> args;
    for (std::string arg; std::getline(in, arg, '\0');)
        args.push_back(arg);
    return args;
}

static bool is_xmessage(const std::vector<std::string> &args)
{
    if (args.size() < 2)
        return false;
    const std::string &cmd = args[0];
    return cmd.size() >= 8 && cmd.compare(cmd.size() - 8, 8, "xmessage") == 0;
}

// A message box of the game: its pid, with its text; -1 when none. The text is
// the last argument, where the library has added a newline unless the text
// ended with one; that newline is dropped.
static pid_t find_message_box(std::string &text)
{
    pid_t game = running_game_pid();
    DIR *proc = game > 0 ? opendir("/proc") : nullptr;
    pid_t found = -1;
    for (dirent *e; proc && found < 0 && (e = readdir(proc));) {
        pid_t pid = (pid_t)atol(e->d_name);
        if (pid <= 0 || pid == game || getpgid(pid) != game)
            continue;
        std::vector<std::string> args = command_line(pid);
        if (is_xmessage(args)) {
            found = pid;
            text = args.back();
            if (!text.empty() && text.back() == '\n')
                text.pop_back();
        }
    }
    if (proc)
        closedir(proc);
    return found;
}

// Ends the box and waits until the game has collected it.
static void close_message_box(pid_t box)
{
    pid_t game = running_game_pid();
    kill(box, SIGTERM);
    for (long end = now_ms() + CLOSE_MS; now_ms() < end; sleep_ms(POLL_MS))
        if (getpgid(box) != game)
            return;
}

std::string wait_for_message(const std::string &part, int timeout_ms)
{
    for (long end = now_ms() + timeout_ms; now_ms() < end; sleep_ms(POLL_MS)) {
        std::string text;
        pid_t box = find_message_box(text);
        if (box > 0 && text.find(part) != std::string::npos) {
            close_message_box(box);
            return text;
        }
    }
    fprintf(stderr, "e2e: no message box with \"%s\" within %d ms\n", part.c_str(), timeout_ms);
    return "";
}

void close_message_boxes()
{
    std::string text;
    for (int boxes = 0; boxes < MAX_BOXES_CLOSED; boxes++) {
        pid_t box = find_message_box(text);
        if (box < 0)
            return;
        close_message_box(box);
    }
}
