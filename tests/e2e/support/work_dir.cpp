// Work directories: the game's working directory in a test, with its
// pictures and, when a test wants one, a settings file.
#include "e2e.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

const char *const SETTINGS_FILE = "talvon.dat";

// The pictures are the data directory's TGA and BMP files.
static bool is_picture(const fs::path &p)
{
    std::string ext = p.extension().string();
    return ext == ".tga" || ext == ".bmp";
}

std::string make_work_dir(const std::vector<std::string> &without)
{
    std::string pattern = (fs::temp_directory_path() / "talvon-e2e-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        ADD_FAILURE() << "cannot make a work directory from " << pattern;
        return "";
    }
    std::error_code err;
    for (const auto &entry : fs::directory_iterator(TALVON_DATA_DIR, err)) {
        std::string name = entry.path().filename().string();
        bool left_out = std::find(without.begin(), without.end(), name) != without.end();
        if (entry.is_regular_file() && is_picture(entry.path()) && !left_out)
            fs::copy_file(entry.path(), fs::path(pattern) / name, err);
    }
    return pattern;
}

void remove_work_dir(const std::string &dir)
{
    std::error_code err;
    if (!dir.empty())
        fs::remove_all(dir, err);
}

void write_file(const std::string &dir, const std::string &name, const std::string &text)
{
    std::ofstream out(fs::path(dir) / name, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        ADD_FAILURE() << "cannot write " << dir << "/" << name;
}

bool file_exists(const std::string &dir, const std::string &name)
{
    std::error_code err;
    return fs::exists(fs::path(dir) / name, err);
}

std::string read_file(const std::string &dir, const std::string &name)
{
    std::ifstream in(fs::path(dir) / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
