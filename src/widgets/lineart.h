#pragma once
// The program's pictures are drawn in a dark slate line (tools/make_icons.py)
// with a few coloured parts.  On a dark window that line would vanish, so
// while the application palette's window is dark the line is drawn in the
// palette's text colour instead; the coloured parts stay as they are.

#include <QColor>
#include <QIcon>
#include <QImage>

/// The slate of the pictures' line art.
inline constexpr QRgb kLineArtColour = 0x37474f;

/// An icon drawn as picture is, with its line art in the palette's text
/// colour whenever the palette's window is dark (decided at each drawing,
/// so a change of the desktop's colours shows at the next repaint).
QIcon lineArtIcon(const QIcon &picture);

/// The image with every pixel of the line art's colour (or close to it)
/// in ink, each keeping its opacity.
QImage recolourLineArt(const QImage &image, const QColor &ink);
