// Keyboard and mouse through XTest: the server sees the same events a real
// keyboard and mouse would send. Each event is synced, so it has reached the
// server (and the game's queue) when the call returns.
#include "e2e.h"
#include "harness_internal.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>

int hold_ms = 100;
int gap_ms = 60;

// Typed characters are buffered by the game, so they need no two-frame hold.
static const int TYPE_HOLD_MS = 30;
static const int TYPE_GAP_MS = 30;

static KeyCode keycode_of(Display *d, KeySym sym, const std::string &what)
{
    KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(d, sym);
    if (!code)
        ADD_FAILURE() << "no key for " << what << " on the test keyboard";
    return code;
}

static void send_key(const std::string &keysym, bool down)
{
    Display *d = x_display();
    KeyCode code = d ? keycode_of(d, XStringToKeysym(keysym.c_str()), keysym) : 0;
    if (!code)
        return;
    XTestFakeKeyEvent(d, code, down, CurrentTime);
    XSync(d, False);
}

void key_down(const std::string &keysym)
{
    send_key(keysym, true);
}

void key_up(const std::string &keysym)
{
    send_key(keysym, false);
}

void key_tap(const std::string &keysym, int hold)
{
    key_down(keysym);
    sleep_ms(hold < 0 ? hold_ms : hold);
    key_up(keysym);
    sleep_ms(gap_ms);
}

// Presses one printable character: its key, with Shift when the character
// sits on the key's second level.
static void type_char(Display *d, char c)
{
    KeySym sym = (unsigned char)c; // printable ASCII keysyms are the codes themselves
    KeyCode code = keycode_of(d, sym, std::string("character '") + c + "'");
    if (!code)
        return;
    bool shifted = XkbKeycodeToKeysym(d, code, 0, 0) != sym;
    KeyCode shift = XKeysymToKeycode(d, XK_Shift_L);
    if (shifted)
        XTestFakeKeyEvent(d, shift, True, CurrentTime);
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XSync(d, False);
    sleep_ms(TYPE_HOLD_MS);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    if (shifted)
        XTestFakeKeyEvent(d, shift, False, CurrentTime);
    XSync(d, False);
    sleep_ms(TYPE_GAP_MS);
}

void type_text(const std::string &text)
{
    Display *d = x_display();
    for (char c : text)
        if (d)
            type_char(d, c);
}

// The library keeps a pointer of its own: it adds up the distances of the
// motions the server reports and stops at the edges of the screen. The server's
// pointer and the game's part whenever the game moves its pointer itself
// (position_mouse) or starts while the pointer is elsewhere, and the library
// may later put the server's pointer where its own is. So a move first sweeps
// the pointer to the far corner and to the near one, where the game's pointer
// stops at (0, 0) whatever it was, then goes to the target; and it is repeated
// until the pointer stays on the target long enough for the game to have seen
// every motion.
static const int POINTER_SETTLE_MS = 150;
static const int POINTER_GIVE_UP_MS = 3000;
// After the library has put the pointer back, it skips a few motions; a new
// sweep waits for that to pass.
static const int POINTER_AFTER_WARP_MS = 50;

static bool pointer_at(Display *d, int root_x, int root_y)
{
    Window root, child;
    int x, y, wx, wy;
    unsigned mask;
    XQueryPointer(d, DefaultRootWindow(d), &root, &child, &x, &y, &wx, &wy, &mask);
    return x == root_x && y == root_y;
}

// True when the pointer stays at the point for the whole settling time.
static bool pointer_stays_at(Display *d, int root_x, int root_y)
{
    for (long end = now_ms() + POINTER_SETTLE_MS; now_ms() < end; sleep_ms(5))
        if (!pointer_at(d, root_x, root_y))
            return false;
    return true;
}

static void sweep_pointer_to(Display *d, const Area &a, int x, int y)
{
    int screen = DefaultScreen(d);
    XTestFakeMotionEvent(d, screen, a.x + a.w - 1, a.y + a.h - 1, CurrentTime);
    XTestFakeMotionEvent(d, screen, a.x, a.y, CurrentTime);
    XTestFakeMotionEvent(d, screen, a.x + x, a.y + y, CurrentTime);
    XSync(d, False);
}

void mouse_move(int x, int y)
{
    Display *d = x_display();
    if (!d)
        return;
    Area a = game_area();
    for (long end = now_ms() + POINTER_GIVE_UP_MS; now_ms() < end; sleep_ms(POINTER_AFTER_WARP_MS)) {
        sweep_pointer_to(d, a, x, y);
        if (pointer_stays_at(d, a.x + x, a.y + y))
            return;
    }
    ADD_FAILURE() << "the pointer does not stay at game point " << x << "," << y;
}

static void send_button(int button, bool down)
{
    Display *d = x_display();
    if (!d)
        return;
    XTestFakeButtonEvent(d, button, down, CurrentTime);
    XSync(d, False);
}

void mouse_down(int button)
{
    send_button(button, true);
}

void mouse_up(int button)
{
    send_button(button, false);
}

void mouse_click(int button, int hold)
{
    mouse_down(button);
    sleep_ms(hold < 0 ? hold_ms : hold);
    mouse_up(button);
    sleep_ms(gap_ms);
}

void click_at(int x, int y)
{
    mouse_move(x, y);
    sleep_ms(gap_ms);
    mouse_click(1);
}
