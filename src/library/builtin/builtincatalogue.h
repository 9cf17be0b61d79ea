#pragma once
// The names of the built-in library's 35 scripts, in the order of the
// built-in tree; a script's id is its position.

#include <QStringList>

inline constexpr int kBuiltInScriptCount = 35;
/// The id of "Browser exit", a script that closes its browser window.
inline constexpr int kBrowserExitId = 14;

QStringList builtInScriptNames();
