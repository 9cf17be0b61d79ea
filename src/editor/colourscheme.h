#pragma once
// The editors' dark looks, made from the styles the user set rather than
// kept as a second scheme, so that a colour changed in "Editor options"
// shows in both.
//
// The dark variant turns every light paper dark, keeping its hue.  A text
// colour that reads well on its paper stays as the user chose it; one that
// does not has its lightness turned round (navy becomes light blue, black
// a light grey) and is lifted further until it reads.  "Reads well" is a
// contrast ratio of at least kDarkContrast, measured as the accessibility
// guidelines measure it.

#include "editor/highlightscheme.h"

#include <cstdint>
#include <vector>

/// The least contrast of every style's text on its paper in the dark variant.
inline constexpr double kDarkContrast = 4.5;

/// The contrast ratio of two colours (0xRRGGBB): 1 (the same) to 21
/// (black on white), from their relative luminances.
double contrastRatio(std::uint32_t first, std::uint32_t second);

/// The dark variant of a style table (see above).  A style that takes the
/// Default style's text colour keeps doing so unless that colour would
/// not read on its own paper; then it is given a readable one of its own.
std::vector<StyleLook> darkStyles(const std::vector<StyleLook> &styles);

/// Whether the editors are drawn dark: the user's choice, or for Follow the
/// desktop, a window colour whose lightness (0 to 255) is below the middle.
bool drawsDark(ColourScheme scheme, int windowLightness);

/// The settings as the editors draw them: the same, or with darkStyles().
EditorSettings drawnSettings(const EditorSettings &settings, bool dark);
