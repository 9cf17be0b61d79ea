#pragma once
// The built-in library's generator: a script's settings in, its HEAD and
// BODY fragments out (CR LF line breaks).  Pure: it reads nothing but the
// settings it is given.

#include "library/builtin/builtinsettings.h"

#include <QString>

#include <optional>

struct GeneratedScript {
    QString head;
    QString body;
};

/// The fragments of built-in script id made from settings; nothing when a
/// setting the script needs is missing ("not configured") or id is not in
/// the catalogue.
std::optional<GeneratedScript> generateBuiltInScript(int id, const BuiltInSettings &settings);
