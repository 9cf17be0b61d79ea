#pragma once
// Settings to show every built-in script with, for the review tool, the
// tests and the benchmark: the pages' defaults as selecting the script sets
// them up, with sample colours where the defaults leave a script
// unconfigured.

#include "library/builtin/builtinsettings.h"

#include <optional>

/// The settings script id is generated from when the user has chosen
/// nothing; with text, every free-text setting (edits, list cells, button
/// captions, headline fields) holds text instead of its default.
BuiltInSettings sampleBuiltInSettings(int id, const std::optional<QString> &text = std::nullopt);
