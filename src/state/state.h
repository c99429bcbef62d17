// The game's shared state: the eight player slots, the settings, the graphics
// mode chosen but not yet applied, the millisecond counters, the name tables
// and the settings file. Every object declared here exists once and lives for
// the whole run of the process; the match and the front end read and write it
// in place.
#pragma once

#include <allegro.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <string>

// ---------------- players

constexpr int PLAYER_COUNT = 8;
// The eighth slot is steered by the mouse buttons, not by its keys.
constexpr int MOUSE_PLAYER = 7;
// A name holds at most 15 characters and its terminating zero.
constexpr int NAME_SIZE = 16;
constexpr int NAME_MAX_LEN = NAME_SIZE - 1;

struct Player {
    float x;              // head x on back_buffer, pixels (set by the match)
    float y;              // head y, pixels, growing downwards (set by the match)
    int colour;           // trail colour, a pixel value of settings.color_depth
    float heading;        // radians; 0 points down the screen, growing turns left
    int key_left;         // scancode that turns left while held
    int key_right;        // scancode that turns right while held
    int pad_left;         // pad control that turns left instead of key_left, or NO_CONTROL
    int pad_right;        // pad control that turns right instead of key_right, or NO_CONTROL
    int dead;             // 1 once the worm has crashed in this round
    int off;              // 1 = slot switched off, 0 = takes part in matches
    char name[NAME_SIZE]; // zero-terminated, never holds a newline
    int score;            // points earned in the current match
    int label_x;          // centre x of the score label on the play field
    int label_y;          // top y of the score label
};

// ---------------- settings

struct Settings {
    int animate_backdrop;    // non-zero: the timer scrolls the menu backdrop
    int pointer_step;        // pixels per menu frame an arrow key moves the pointer
    int color_depth;         // bits per pixel of the mode on screen
    int gfx_card;            // 0 autodetect, 1 fullscreen, 2 windowed
    int screen_w;            // width of the mode on screen, pixels
    int screen_h;            // height of the mode on screen, pixels
    int round_end_survivors; // a round ends once at most this many worms live
    int target_score;        // a match ends once someone has at least this
    int frame_delay_ms;      // match frames start this many ms + 1 apart
    float turn_step;         // radians a turning worm's heading changes per frame
};

// The graphics mode chosen on the options screen. It equals the committed
// mode (the gfx_card, screen_w, screen_h, color_depth of settings) except
// between a choice and its confirmation; it is never saved.
struct PendingMode {
    int card;  // 0..2 as Settings::gfx_card
    int w;     // width, pixels
    int h;     // height, pixels
    int depth; // bits per pixel
};

// Card modes 0, 1, 2: autodetect, full screen, windowed.
constexpr int CARD_COUNT = 3;

extern Player players[PLAYER_COUNT]; // the eight slots, for the whole run
extern Settings settings;            // the persisted settings, for the whole run
extern PendingMode pending;          // the chosen, unapplied mode, for the whole run

// Written by the 1 ms timer callback on the library's timer thread and read
// and reset by the main thread; each access is one indivisible operation.
extern std::atomic<int> tick_ms;         // ms since start-up, or since the round began
extern std::atomic<int> backdrop_offset; // scroll of the menu backdrop, pixels
static_assert(std::atomic<int>::is_always_lock_free, "counters must be lock-free");

// Set once, from the library's thread, when the player closes the window,
// or from a signal handler on SIGTERM, SIGHUP or SIGINT, so it must stay
// lock-free. Every loop that looks at ESC takes it as ESC pressed and
// released, so the program ends the normal way with the settings written.
extern std::atomic<int> window_closed;

// The screen-sized drawing surface. The match draws its field on it and reads
// it back for collisions; the menus compose on it. The front end makes it.
extern BITMAP *back_buffer;

// ---------------- tables

// Key names by scancode, following the library's codes 0..KEY_MAX.
constexpr int KEY_NAME_COUNT = KEY_MAX + 1;
extern const char *const key_names[KEY_NAME_COUNT];
extern const char *const card_names[CARD_COUNT];

// The name of a scancode; a visible placeholder for any value outside the table.
const char *key_name(int scancode);
// The name of a card mode; a visible placeholder for any value outside 0..2.
const char *card_name(int card);

// ---------------- languages (words.cpp)

// Every word the game draws or prints in one language, and the picture of
// its captions. Key names, card modes, ON/OFF, MOUSE BUTTONS and the numbers
// are the same in every language. Each text must fit the place it is drawn
// in: the dialog and its messages their boxes, the answers their click boxes.
struct Words {
    const char *code;             // "sk": the --language value and the locale's language
    const char *captions;         // the captions sheet, a picture name without .tga
    const char *play_on;          // round end with several survivors
    const char *draw;             // round end with none
    const char *one_winner;       // title of the winners box over one name
    const char *winners;          // over several
    const char *mode_unchanged;   // options: nothing chosen to apply
    const char *mode_question;    // options: the confirmation dialog
    const char *yes;              // the dialog's answers, each inside its click box
    const char *no;               // of 40 pixels
    const char *mode_failed;      // the library refused the chosen mode
    const char *mode_changed;     // the chosen mode is on screen
    const char *no_graphics_mode; // a failed start: no mode can be set
    const char *no_pictures;      // a failed start: a picture is missing
    // The default names of slots 0..7; a name too long does not compile.
    char player_names[PLAYER_COUNT][NAME_SIZE];
};
// The game's own language, and the others.
extern const Words SLOVAK;
extern const Words ENGLISH;
// The language in force: chosen at start-up, for the whole run; Slovak
// until then.
extern const Words *words;
// The language of code ("sk", "en"), or null; the codes as "sk|en".
const Words *language_named(const char *code);
const char *language_codes();
// The language of the locale: the first set and non-empty of LC_ALL,
// LC_MESSAGES and LANG. Its own when there is a table for it; the game's
// own Slovak when none is set or it is C or POSIX; English for any other.
const Words *language_of_locale(const char *lc_all, const char *lc_messages, const char *lang);

// ---------------- controls

// One code for whatever turns a worm one way: a key's scancode (1 to
// KEY_MAX - 1), a mouse button, or a pad control (a button of a pad, or one
// direction of one axis of one of its sticks, past the library's digital
// threshold). Zero is no control at all.
constexpr int NO_CONTROL = 0;
constexpr int MOUSE_LEFT_CONTROL = 0x100;
constexpr int MOUSE_RIGHT_CONTROL = 0x101;
// Pad controls count from PAD_CONTROL_FIRST, PAD_PARTS codes to a pad: its
// buttons first, then for each stick and axis the directions d1 (left, up)
// and d2 (right, down).
constexpr int PAD_BUTTONS = MAX_JOYSTICK_BUTTONS;
constexpr int PAD_DIRECTIONS = MAX_JOYSTICK_STICKS * MAX_JOYSTICK_AXIS * 2;
constexpr int PAD_PARTS = PAD_BUTTONS + PAD_DIRECTIONS;
constexpr int PAD_CONTROL_FIRST = 0x200;
constexpr int PAD_CONTROL_COUNT = MAX_JOYSTICKS * PAD_PARTS;

// The one answer to "is this control held" for keys, mouse buttons and pads.
// A pad control reads the library's joy[] as the last poll_joystick left it;
// one of a pad not attached now, or one the pad does not have, is never held.
bool control_held(int control);
// The library's flag for a pad control of an attached pad (a button's b, an
// axis's d1 or d2), or null.
int *pad_control_flag(int control);
// What turns slot i's worm left and right now: its pad control where one is
// bound, else the mouse button for the mouse slot, else its key; a key code
// the key array does not have is no control.
int left_control(int slot);
int right_control(int slot);
// A control as the players screen shows it: "PAD2 B4" (the fourth button of
// the second pad), "PAD2 LEFT" (its first stick), "PAD2 S3 DOWN" (its third);
// a key by its name.
std::string control_name(int control);
// The pad control of that name, or NO_CONTROL.
int pad_control_named(const std::string &name);

// ---------------- shared helpers

// The library's mask colour at the current depth: masked drawing skips it.
#define MAGIC_PINK makecol(255, 0, 255)

// True when left <= x <= right and top <= y <= bottom.
bool point_in_rect(int x, int y, int left, int top, int right, int bottom);

// True while the key is held; false for any code the key array does not have.
bool key_down(int scancode);
// ESC is down, or the window has been closed.
bool escape_pressed();
// ESC is still held; a closed window counts as ESC already released.
bool escape_held();

// ---------------- operations

// Default settings and the default name, colour, keys and on/off of every
// slot, with no pad control bound. Positions, headings, scores and labels are
// left as they are.
void apply_defaults();
// Places the eight score labels for a screen of w x h pixels.
void place_score_labels(int w, int h);

// The settings file in the working directory.
extern const char SETTINGS_FILE[];
// Reads the settings and players from the file, or the defaults when it is
// missing or fails a check; then places the score labels. Reports nothing.
void load_settings();
void load_settings_from(const char *path);
// Writes the settings and players; an earlier file is replaced only once the
// new one is completely on disk. Reports nothing.
void save_settings();
void save_settings_to(const char *path);
// Writes the given settings and players the same way, instead of the live ones.
void save_copy_to(const char *path, const Settings &s, const Player *slots);
// Replaces the file at path with what write puts in a temporary beside it,
// once that is completely on disk; on any failure the old file stays. write
// returns false on an error.
void replace_file(const char *path, const std::function<bool(FILE *)> &write);

// The pads file beside the settings file: the pad controls bound to slots 1
// to 7, by name. A slot bound to a pad keeps its keys in the settings file,
// which holds scancodes only.
extern const char PADS_FILE[];
// Binds every slot to what the file names, and to nothing where it names
// nothing the game knows; a missing or damaged file binds nothing. Uses the
// library's configuration routines, so after allegro_init.
void load_pad_bindings_from(const char *path);
// Writes the slots' pad controls, as replace_file does.
void save_pad_bindings_to(const char *path, const Player *slots);

// The one save at the end of a run, of the settings file and the pads file,
// whichever ending comes first: the main menu returning, a mode change
// leaving no screen, or the display lost under the game, which Xlib reports
// on whichever thread noticed. A second call,
// even one from another thread while the first is writing, waits for the
// first and writes nothing.
void save_settings_at_end();
// An entry changes its setting in place, showing values it would not keep: a
// key of 0, a number not yet clamped, half a name. From begin_settings_entry
// until end_settings_entry, the save at the end writes everything as it stood
// when the entry began, as ESC or the close button would leave it.
void begin_settings_entry();
void end_settings_entry();
