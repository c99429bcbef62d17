// One Xvfb per test process, on a display number nobody else holds, killed
// when the process ends (and by the kernel should the process die first).
#include "e2e.h"
#include "harness_internal.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

// Display numbers tried; the first is spread by pid so that parallel runs rarely meet.
static const int FIRST_DISPLAY = 100;
static const int DISPLAY_SPREAD = 400;
static const int DISPLAY_TRIES = 40;
// How long starting a server may take in all, and how long one may take to leave on SIGTERM.
static const int SERVER_START_MS = 20000;
static const int SERVER_STOP_MS = 3000;

static pid_t server_pid = -1;         // the running Xvfb, -1 when none
static int server_number = -1;        // its display number
static Display *connection = nullptr; // our connection to it

long now_ms()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000L + t.tv_nsec / 1000000L;
}

void sleep_ms(int ms)
{
    if (ms > 0)
        usleep(ms * 1000);
}

// The pid in the lock file of a display: the server that owns it; -1 when free.
static long lock_owner(int n)
{
    std::ifstream lock("/tmp/.X" + std::to_string(n) + "-lock");
    long owner = -1;
    lock >> owner;
    return owner;
}

static pid_t spawn_server(int n)
{
    pid_t pid = fork();
    if (pid != 0)
        return pid;
    prctl(PR_SET_PDEATHSIG, SIGTERM); // never outlive the tests
    int null_fd = open("/dev/null", O_RDWR);
    for (int fd = 0; fd <= 2; fd++)
        dup2(null_fd, fd);
    std::string name = ":" + std::to_string(n);
    execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
           "-noreset", (char *)nullptr);
    _exit(127);
}

static void end_server(pid_t pid, int grace_ms)
{
    kill(pid, SIGTERM);
    for (long end = now_ms() + grace_ms; now_ms() < end; sleep_ms(10))
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Polls until our server accepts connections; nullptr when it died (another
// server took the number first) or took too long. The lock file must name our
// server, so a connection never reaches someone else's.
static Display *connect_when_ready(pid_t pid, int n, long give_up)
{
    std::string name = ":" + std::to_string(n);
    for (; now_ms() < give_up; sleep_ms(20)) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return nullptr;
        if (lock_owner(n) != pid)
            continue;
        if (Display *d = XOpenDisplay(name.c_str()))
            return d;
    }
    return nullptr;
}

// Window queries race with windows going away; such errors are expected, never fatal.
static int ignore_x_error(Display *, XErrorEvent *)
{
    return 0;
}

// A failed start is not tried again: every test would wait for it in vain.
bool start_display()
{
    static bool failed = false;
    if (connection || failed)
        return connection;
    XSetErrorHandler(ignore_x_error);
    failed = true;
    long give_up = now_ms() + SERVER_START_MS;
    int n = FIRST_DISPLAY + getpid() % DISPLAY_SPREAD;
    for (int tries = 0; tries < DISPLAY_TRIES && now_ms() < give_up; tries++, n++) {
        std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
        if (lock_owner(n) != -1 || access(socket.c_str(), F_OK) == 0)
            continue;
        pid_t pid = spawn_server(n);
        if (pid < 0)
            break;
        if ((connection = connect_when_ready(pid, n, give_up))) {
            server_pid = pid;
            server_number = n;
            failed = false;
            atexit(stop_display);
            return true;
        }
        end_server(pid, 0);
    }
    fprintf(stderr, "e2e: could not start Xvfb\n");
    return false;
}

void stop_display()
{
    if (connection)
        XCloseDisplay(connection);
    connection = nullptr;
    if (server_pid > 0)
        end_server(server_pid, SERVER_STOP_MS);
    server_pid = -1;
    server_number = -1;
}

std::string display_name()
{
    return server_number < 0 ? "" : ":" + std::to_string(server_number);
}

Display *x_display()
{
    return start_display() ? connection : nullptr;
}
