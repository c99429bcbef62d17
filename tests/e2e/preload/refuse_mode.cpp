// Preloaded into the game by end-to-end tests: makes the library refuse the
// graphics modes listed in TALVON_REFUSE_MODES ("WxHxDEPTH,..."), as a real
// display may, and grants every other mode as usual. Xvfb itself grants them all.
// TALVON_REFUSE_AFTER=N grants the first N graphics modes asked for whatever
// the list says, so a mode can start the game and be refused later on.
#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

static bool mode_is_refused(int w, int h, int depth)
{
    const char *list = getenv("TALVON_REFUSE_MODES");
    if (!list)
        return false;
    char wanted[48];
    snprintf(wanted, sizeof wanted, "%dx%dx%d", w, h, depth);
    size_t n = strlen(wanted);
    for (const char *p = strstr(list, wanted); p; p = strstr(p + 1, wanted))
        if ((p == list || p[-1] == ',') && (p[n] == ',' || p[n] == '\0'))
            return true;
    return false;
}

// True for the first TALVON_REFUSE_AFTER graphics modes asked for.
static bool still_granting()
{
    static int asked = 0;
    const char *after = getenv("TALVON_REFUSE_AFTER");
    return after && ++asked <= atoi(after);
}

extern "C" int set_gfx_mode(int card, int w, int h, int v_w, int v_h)
{
    using SetGfxMode = int (*)(int, int, int, int, int);
    static SetGfxMode real = (SetGfxMode)dlsym(RTLD_NEXT, "set_gfx_mode");
    if (card != GFX_TEXT && !still_granting() && mode_is_refused(w, h, get_color_depth()))
        return -1;
    return real(card, w, h, v_w, v_h);
}
