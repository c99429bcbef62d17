// The game's windows: its drawing area, found by size anywhere in the window
// tree, and its top-level window, which takes the keyboard focus and the
// close request. There is no window manager on the test server.
#include "e2e.h"
#include "harness_internal.h"

#include <cstring>

// The title the game gives its window.
static const char *const GAME_TITLE = "Talvon";

static Area area; // the game area found last

// The children of a window, bottom to top; `parent` receives its parent.
static std::vector<Window> children_of(Display *d, Window w, Window *parent = nullptr)
{
    Window root, up = None, *list = nullptr;
    unsigned count = 0;
    std::vector<Window> children;
    if (XQueryTree(d, w, &root, &up, &list, &count))
        children.assign(list, list + count);
    if (list)
        XFree(list);
    if (parent)
        *parent = up;
    return children;
}

// The deepest mapped window of exactly w x h below `top`: its root position and the window.
static Window find_area(Display *d, Window top, int w, int h, Area &found)
{
    Window deepest = None;
    for (Window win : children_of(d, top)) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, win, &a) || a.map_state != IsViewable)
            continue;
        Window child;
        if (a.width == w && a.height == h &&
            XTranslateCoordinates(d, win, a.root, 0, 0, &found.x, &found.y, &child)) {
            found.w = w;
            found.h = h;
            deepest = win;
        }
        if (Window below = find_area(d, win, w, h, found))
            deepest = below;
    }
    return deepest;
}

// The child of the root that holds `w`.
static Window top_ancestor(Display *d, Window w)
{
    for (Window parent; w != None; w = parent) {
        children_of(d, w, &parent);
        if (parent == DefaultRootWindow(d))
            return w;
    }
    return None;
}

// The library may show a window of the mode's size for a moment while it sets
// up full screen; the area counts once the same window has stayed in place.
static const int AREA_STEADY_MS = 200;

// Without a window manager the keyboard follows the pointer unless a window
// holds the focus; the game's window takes it, as a click on it would give it.
bool wait_for_game_area(int w, int h, int timeout_ms)
{
    Display *d = x_display();
    Window seen = None;
    Area seen_area;
    long seen_since = 0;
    for (long end = now_ms() + timeout_ms; d && now_ms() < end; sleep_ms(20)) {
        Window found = find_area(d, DefaultRootWindow(d), w, h, area);
        if (!found || found != seen || area.x != seen_area.x || area.y != seen_area.y) {
            seen = found;
            seen_area = area;
            seen_since = now_ms();
        } else if (now_ms() - seen_since >= AREA_STEADY_MS) {
            XSetInputFocus(d, top_ancestor(d, found), RevertToPointerRoot, CurrentTime);
            XSync(d, False);
            return true;
        }
    }
    fprintf(stderr, "e2e: no steady %dx%d window after %d ms\n", w, h, timeout_ms);
    return false;
}

Area game_area()
{
    return area;
}

// The game's top-level window, found by its title. In full screen it stays
// unmapped while its drawing area sits in a bare window over the whole screen,
// yet it still takes the close request.
static Window titled_window(Display *d)
{
    for (Window w : children_of(d, DefaultRootWindow(d))) {
        char *name = nullptr;
        bool titled = XFetchName(d, w, &name) && name && strcmp(name, GAME_TITLE) == 0;
        if (name)
            XFree(name);
        if (titled)
            return w;
    }
    return None;
}

bool close_game_window()
{
    Display *d = x_display();
    Window top = d ? titled_window(d) : None;
    if (!top) {
        fprintf(stderr, "e2e: no window titled \"%s\"\n", GAME_TITLE);
        return false;
    }
    XEvent ev = {};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = top;
    ev.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = XInternAtom(d, "WM_DELETE_WINDOW", False);
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, top, False, NoEventMask, &ev);
    XSync(d, False);
    return true;
}
