// Preloaded into the game: the library refuses the sizes listed in TALVON_REFUSE_MODES
// ("WxH,..."), at any depth (the game asks for the desktop's), as a real display may, and every
// mode from the TALVON_REFUSE_FROM-th one asked for on.
#include <allegro.h>
#include <dlfcn.h>
#include <string>
extern "C" int set_gfx_mode(int card, int w, int h, int v_w, int v_h)
{
    static auto real = (int (*)(int, int, int, int, int))dlsym(RTLD_NEXT, "set_gfx_mode");
    static int asked = 0; // graphics modes, not the text mode
    const char *list = getenv("TALVON_REFUSE_MODES"), *from = getenv("TALVON_REFUSE_FROM");
    std::string mode = "," + std::to_string(w) + "x" + std::to_string(h) + ",";
    bool late = card != GFX_TEXT && ++asked >= (from ? atoi(from) : 1 << 30);
    bool listed = card != GFX_TEXT && list
        && ("," + std::string(list) + ",").find(mode) != std::string::npos;
    return late || listed ? -1 : real(card, w, h, v_w, v_h);
}
