// Every word the game draws or prints, one table per language. A language
// more is a table here, in LANGUAGES, and a captions sheet drawn by
// tools/make_pictures.py. The library's font has no accents, so the texts
// are written without them.
#include "state.h"

#include <cstring>
#include <string>

const Words SLOVAK = {
    "sk",
    "napisy",
    "HRAJ!",
    "Nerozhodna hra",
    "Vyhral",
    "Vyhrali",
    "Graficky mod nebol zmeneny.",
    "Naozaj chcete zmenit graficky mod?",
    "ANO",
    "NIE",
    "Nepodarilo sa zmenit graficky mod.",
    "Graficky mod bol uspesne zmeneny.",
    "Nemozem nastartovat graficky mod",
    "Nemozem nacitat bitmapy",
    {"CERVENY", "BELASY", "ZELENY", "ZLTY", "FIALOVY", "MODRY", "ORANZOVY", "RUZOVY"},
};

const Words ENGLISH = {
    "en",
    "napisy-en",
    "PLAY ON!",
    "It's a draw",
    "Winner",
    "Winners",
    "Graphics mode not changed.",
    "Really change the graphics mode?",
    "YES",
    "NO",
    "Could not change the graphics mode.",
    "The graphics mode was changed.",
    "Cannot start a graphics mode",
    "Cannot load the pictures",
    {"RED", "LIGHT BLUE", "GREEN", "YELLOW", "VIOLET", "BLUE", "ORANGE", "PINK"},
};

// Looked up by code, the game's own first.
static const Words *const LANGUAGES[] = {&SLOVAK, &ENGLISH};

const Words *words = &SLOVAK;

const Words *language_named(const char *code)
{
    for (const Words *language : LANGUAGES)
        if (strcmp(language->code, code) == 0)
            return language;
    return nullptr;
}

const char *language_codes()
{
    static std::string codes;
    if (codes.empty()) {
        for (const Words *language : LANGUAGES)
            codes += (codes.empty() ? "" : "|") + std::string(language->code);
    }
    return codes.c_str();
}

// A locale is language[_territory][.codeset][@modifier]: "sk" of "sk_SK.UTF-8".
const Words *language_of_locale(const char *lc_all, const char *lc_messages, const char *lang)
{
    const char *locale = "";
    for (const char *setting : {lc_all, lc_messages, lang}) {
        if (setting && *setting) {
            locale = setting;
            break;
        }
    }
    const std::string language(locale, strcspn(locale, "_.@"));
    if (language.empty() || language == "C" || language == "POSIX")
        return &SLOVAK;
    const Words *own = language_named(language.c_str());
    return own ? own : &ENGLISH;
}
