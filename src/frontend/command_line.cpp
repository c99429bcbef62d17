// The command line: the scale the picture is shown at, and the help. It is
// read before anything else, so a mistake ends the program before a window
// opens or the settings file is touched.
#include "frontend.h"

#include <cstdio>
#include <cstring>

int scale_option = 1;

static const char USAGE[] = "Usage: talvon [--scale N | --scale fit] [--help]\n"
                            "  --scale N    show each game pixel as an N x N block of the screen,\n"
                            "               N a whole number from 1 to 8 (default 1)\n"
                            "  --scale fit  the largest N the desktop holds\n"
                            "  --help       print this help and end\n";

// Exit codes of a run that ends on reading the command line.
static const int HELP_STATUS = 0;
static const int USAGE_STATUS = 2;

static const char SCALE_OPTION[] = "--scale";
static const char SCALE_ASSIGNED[] = "--scale=";

// "fit", or one digit from 1 to SCALE_MAX.
static bool parse_scale(const char *value, int &scale)
{
    if (strcmp(value, "fit") == 0) {
        scale = SCALE_FIT;
        return true;
    }
    if (value[0] < '1' || value[0] > '0' + SCALE_MAX || value[1] != '\0')
        return false;
    scale = value[0] - '0';
    return true;
}

// One line saying what is wrong (the problem, then its detail), then the
// usage, on stderr.
static bool refuse(int &exit_code, const char *problem, const char *detail)
{
    fprintf(stderr, "talvon: %s: %s\n", problem, detail);
    fputs(USAGE, stderr);
    exit_code = USAGE_STATUS;
    return false;
}

// Both "--scale N" and "--scale=N"; the last one given counts.
bool read_command_line(int argc, char **argv, int &exit_code)
{
    for (int i = 1; i < argc; i++) {
        const char *arg = argv[i];
        const char *value = nullptr;
        if (strcmp(arg, "--help") == 0) {
            fputs(USAGE, stdout);
            exit_code = HELP_STATUS;
            return false;
        }
        if (strcmp(arg, SCALE_OPTION) == 0 && i + 1 < argc)
            value = argv[++i];
        else if (strcmp(arg, SCALE_OPTION) == 0)
            return refuse(exit_code, "--scale needs a value", "a whole number from 1 to 8, or fit");
        else if (strncmp(arg, SCALE_ASSIGNED, strlen(SCALE_ASSIGNED)) == 0)
            value = arg + strlen(SCALE_ASSIGNED);
        else
            return refuse(exit_code, "unknown option", arg);
        if (!parse_scale(value, scale_option))
            return refuse(exit_code, "bad value for --scale (a whole number from 1 to 8, or fit)",
                          value);
    }
    return true;
}
