// Feeds arbitrary bytes to the game as its settings file, through the real
// file path. Whatever the bytes, a load sets every saved field (two loads over
// different leftovers save the same bytes), ends every name inside its 16
// bytes, and what it gives survives a save and a load unchanged.
#include "state.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

static std::string work_dir; // private directory for the files below

[[noreturn]] static void fail(const char *what)
{
    fprintf(stderr, "settings_fuzzer: %s\n", what);
    abort();
}

// Loads `path` over a state whose every byte is `pattern`, saves it to
// work_dir/name and gives what was saved.
static std::string load_and_save(const std::string &path, int pattern, const char *name)
{
    std::memset(players, pattern, sizeof players);
    std::memset(&settings, pattern, sizeof settings);
    load_settings_from(path.c_str());
    for (const Player &p : players)
        if (!std::memchr(p.name, '\0', NAME_SIZE))
            fail("a name without its terminator");
    const std::string out = work_dir + name;
    save_settings_to(out.c_str());
    std::ostringstream text;
    text << std::ifstream(out, std::ios::binary).rdbuf();
    return text.str();
}

// /dev/shm keeps the save's fsync from reaching a disk thousands of times a second.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    char shm[] = "/dev/shm/talvon-fuzz-XXXXXX", tmp[] = "/tmp/talvon-fuzz-XXXXXX";
    const char *dir = mkdtemp(shm);
    if (!dir && !(dir = mkdtemp(tmp)))
        fail("no work directory");
    work_dir = dir;
    atexit([] {
        std::filesystem::remove_all(work_dir);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string input = work_dir + "/talvon.dat";
    std::ofstream(input, std::ios::binary).write((const char *)data, size);
    const std::string first = load_and_save(input, 0x5A, "/saved.dat");
    if (load_and_save(input, 0xA5, "/resaved.dat") != first)
        fail("a field the load leaves unset");
    if (load_and_save(work_dir + "/saved.dat", 0x5A, "/resaved.dat") != first)
        fail("saved and read back differs");
    return 0;
}
