#include "library/builtin/builtingenerator.h"

// The templates and code-built scripts are not written yet: no script is
// produced, and the library says so.
std::optional<GeneratedScript> generateBuiltInScript(int, const BuiltInSettings &)
{
    return std::nullopt;
}
