#pragma once
// The built-in library's catalogue: its 35 scripts in the order of the
// built-in tree (a script's id is its position), the settings page each one
// is set up on and whether it has a HEAD fragment.

#include <QStringList>

#include <array>

inline constexpr int kBuiltInScriptCount = 35;
/// The id of "Browser exit", a script that closes its browser window.
inline constexpr int kBrowserExitId = 14;

/// The settings pages under the editors; one script shows one of them.
enum class BuiltInPage {
    List,       // TAB_Lista: links, the smart button's links or citations
    Scroll,     // TAB_Scroll
    Printer,    // TAB_Drukarz
    Navigator,  // Tab_Nawigator
    Colours,    // TAB_Kolory
    Empty,      // TAB_Pusty
    AnimText,   // TAB_AnimTekst
    DayTime,    // TAB_PoraDnia
    Day,        // Tab_Day
    Headliner,  // TAB_HeadLiner
};

struct BuiltInScriptInfo {
    const char *name;
    BuiltInPage page;
    bool hasHead;
};

/// The 35 scripts, indexed by id.
const std::array<BuiltInScriptInfo, kBuiltInScriptCount> &builtInCatalogue();

/// The page of a script id; ids outside the catalogue show the empty page.
BuiltInPage builtInPageOf(int id);

QStringList builtInScriptNames();
