// The command line: the scale the picture is shown at, the language of the
// words, and the help. It is read before anything else, so a mistake ends the
// program before a window opens or the settings file is touched.
#include "frontend.h"

#include <cstdio>
#include <cstring>
#include <string>

int scale_option = 1;

// The usage, with the languages' codes.
static void print_usage(FILE *stream)
{
    const char *codes = language_codes();
    fprintf(stream,
            "Usage: talvon [--scale N | --scale fit] [--language %s] [--help]\n"
            "  --scale N    show each game pixel as an N x N block of the screen,\n"
            "               N a whole number from 1 to 8 (default 1)\n"
            "  --scale fit  the largest N the desktop holds\n"
            "  --language L the game's words in language L, one of %s; by default\n"
            "               the locale's (LC_ALL, LC_MESSAGES, LANG): Slovak under C\n"
            "               or none, English where the game lacks its language\n"
            "  --help       print this help and end\n",
            codes, codes);
}

// Exit codes of a run that ends on reading the command line.
static const int HELP_STATUS = 0;
static const int USAGE_STATUS = 2;

static const char SCALE_OPTION[] = "--scale";
static const char SCALE_VALUES[] = "a whole number from 1 to 8, or fit";
static const char LANGUAGE_OPTION[] = "--language";

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
static bool refuse(int &exit_code, const std::string &problem, const char *detail)
{
    fprintf(stderr, "talvon: %s: %s\n", problem.c_str(), detail);
    print_usage(stderr);
    exit_code = USAGE_STATUS;
    return false;
}

// True when argv[i] is the option `name`, given as "NAME VALUE" (i then moves
// on to the value) or as "NAME=VALUE"; value is null when it is missing.
static bool is_option(const char *name, int argc, char **argv, int &i, const char *&value)
{
    const size_t n = strlen(name);
    if (strncmp(argv[i], name, n) != 0 || (argv[i][n] != '\0' && argv[i][n] != '='))
        return false;
    if (argv[i][n] == '=')
        value = argv[i] + n + 1;
    else
        value = i + 1 < argc ? argv[++i] : nullptr;
    return true;
}

// A --scale value into scale_option; false, after saying so, when it is none.
static bool take_scale(const char *value, int &exit_code)
{
    if (!value)
        return refuse(exit_code, "--scale needs a value", SCALE_VALUES);
    if (!parse_scale(value, scale_option))
        return refuse(exit_code, "bad value for --scale (" + std::string(SCALE_VALUES) + ")",
                      value);
    return true;
}

// A --language value into the language in force, over the locale's.
static bool take_language(const char *value, int &exit_code)
{
    const char *codes = language_codes();
    if (!value)
        return refuse(exit_code, "--language needs a value", codes);
    if (!language_named(value))
        return refuse(exit_code, "bad value for --language (" + std::string(codes) + ")", value);
    words = language_named(value);
    return true;
}

// The last value given of each option counts.
bool read_command_line(int argc, char **argv, int &exit_code)
{
    for (int i = 1; i < argc; i++) {
        const char *value = nullptr;
        bool taken = false;
        if (strcmp(argv[i], "--help") == 0) {
            print_usage(stdout);
            exit_code = HELP_STATUS;
            return false;
        }
        if (is_option(SCALE_OPTION, argc, argv, i, value))
            taken = take_scale(value, exit_code);
        else if (is_option(LANGUAGE_OPTION, argc, argv, i, value))
            taken = take_language(value, exit_code);
        else
            return refuse(exit_code, "unknown option", argv[i]);
        if (!taken)
            return false;
    }
    return true;
}
