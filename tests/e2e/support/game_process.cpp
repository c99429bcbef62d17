// The game process: started in its work directory on the test display, in a
// process group of its own so that stopping it also ends its message boxes.
#include "e2e.h"
#include "harness_internal.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

// How long the game may take to leave on SIGTERM before it is killed.
static const int STOP_GRACE_MS = 1000;

static pid_t game_pid = -1;  // the game started last, -1 before any start
static GameExit game_end;    // how it ended, once it has
static std::string work_dir; // its working directory

std::string game_binary()
{
    const char *from_env = getenv("TALVON_BIN");
    return from_env && *from_env ? from_env : TALVON_BINARY;
}

std::string game_dir()
{
    return work_dir;
}

// Runs in the forked child: never returns.
static void exec_game(const std::string &binary, const std::string &dir,
                      const std::vector<std::string> &env)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive the tests
    setpgid(0, 0);
    int in = open("/dev/null", O_RDONLY);
    int out = open((dir + "/game-stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open((dir + "/game-stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || chdir(dir.c_str()) != 0)
        _exit(127);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    setenv("DISPLAY", display_name().c_str(), 1);
    for (const auto &e : env)
        putenv(const_cast<char *>(e.c_str())); // the child's own copy lives until exec
    execl(binary.c_str(), binary.c_str(), (char *)nullptr);
    _exit(127);
}

pid_t start_game(const std::string &dir, const std::vector<std::string> &env)
{
    stop_game();
    std::string binary = game_binary();
    if (!x_display())
        return -1;
    if (access(binary.c_str(), X_OK) != 0) {
        ADD_FAILURE() << "no game binary at " << binary << " (set TALVON_BIN)";
        return -1;
    }
    pid_t pid = fork();
    if (pid == 0)
        exec_game(binary, dir, env);
    if (pid < 0)
        return -1;
    setpgid(pid, pid); // also here, so the group exists whichever side runs first
    game_pid = pid;
    game_end = GameExit();
    work_dir = dir;
    return pid;
}

// What a sanitizer prints when it finds a fault in a game built with
// TALVON_SANITIZE. The report fails the test that ran the game, however the
// test ended it and whatever exit code it expects.
static const char *const SANITIZER_REPORTS[] = {"ERROR: AddressSanitizer",
                                                "ERROR: LeakSanitizer", "runtime error:"};

static void expect_no_sanitizer_report()
{
    std::string err = read_file(work_dir, "game-stderr.txt");
    for (const char *report : SANITIZER_REPORTS)
        if (err.find(report) != std::string::npos) {
            ADD_FAILURE() << "the game's sanitizer report (" << work_dir
                          << "/game-stderr.txt):\n" << err.substr(0, 4000);
            return;
        }
}

// Collects the game's end if it has come (blocking unless `no_hang`); true once
// it has. Whatever it left in its group is killed while its zombie still holds
// the group's number, so the number cannot have passed to anyone else.
static bool reap_game(bool no_hang)
{
    if (game_pid < 0 || game_end.ended)
        return game_end.ended;
    siginfo_t info = {};
    int options = WEXITED | WNOWAIT | (no_hang ? WNOHANG : 0);
    if (waitid(P_PID, game_pid, &info, options) != 0 || info.si_pid != game_pid)
        return false;
    kill(-game_pid, SIGKILL);
    int status = 0;
    waitpid(game_pid, &status, 0);
    game_end.ended = true;
    game_end.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    game_end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    expect_no_sanitizer_report();
    return true;
}

GameExit wait_for_exit(int timeout_ms)
{
    for (long end = now_ms() + timeout_ms; !reap_game(true) && now_ms() < end;)
        sleep_ms(10);
    return game_end;
}

bool game_running()
{
    return game_pid > 0 && !reap_game(true);
}

pid_t running_game_pid()
{
    return game_running() ? game_pid : -1;
}

void stop_game()
{
    if (!game_running())
        return;
    close_message_boxes();
    kill(-game_pid, SIGTERM);
    if (wait_for_exit(STOP_GRACE_MS).ended)
        return;
    kill(-game_pid, SIGKILL);
    reap_game(false);
}
