#include "editor/colourscheme.h"

#include <algorithm>
#include <cmath>

namespace {

struct Hsl {
    double hue;  // 0 to 6, a sixth of the colour wheel a unit
    double saturation;
    double lightness;
};

double channel(std::uint32_t colour, int shift)
{
    return double((colour >> shift) & 0xFF) / 255.0;
}

double relativeLuminance(std::uint32_t colour)
{
    const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(channel(colour, 16)) + 0.7152 * linear(channel(colour, 8)) +
           0.0722 * linear(channel(colour, 0));
}

Hsl toHsl(std::uint32_t colour)
{
    const double r = channel(colour, 16);
    const double g = channel(colour, 8);
    const double b = channel(colour, 0);
    const double most = std::max({r, g, b});
    const double least = std::min({r, g, b});
    const double lightness = (most + least) / 2;
    const double spread = most - least;
    if (spread <= 0)
        return {0, 0, lightness};
    const double saturation = spread / (1 - std::abs(2 * lightness - 1));
    double hue = 0;
    if (most == r)
        hue = std::fmod((g - b) / spread + 6, 6);
    else if (most == g)
        hue = (b - r) / spread + 2;
    else
        hue = (r - g) / spread + 4;
    return {hue, saturation, lightness};
}

std::uint32_t fromHsl(const Hsl &hsl)
{
    const double lightness = std::clamp(hsl.lightness, 0.0, 1.0);
    const double chroma = (1 - std::abs(2 * lightness - 1)) * std::clamp(hsl.saturation, 0.0, 1.0);
    const double second = chroma * (1 - std::abs(std::fmod(hsl.hue, 2) - 1));
    double r = 0;
    double g = 0;
    double b = 0;
    switch (int(hsl.hue) % 6) {
    case 0:
        r = chroma, g = second;
        break;
    case 1:
        r = second, g = chroma;
        break;
    case 2:
        g = chroma, b = second;
        break;
    case 3:
        g = second, b = chroma;
        break;
    case 4:
        r = second, b = chroma;
        break;
    default:
        r = chroma, b = second;
        break;
    }
    const double base = lightness - chroma / 2;
    const auto byte = [base](double c) { return std::uint32_t(std::lround(std::clamp(c + base, 0.0, 1.0) * 255)); };
    return (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

// Light papers become dark ones of the same hue (white a dark grey, the
// editors' paper); a paper dark already stays.
std::uint32_t darkPaper(std::uint32_t paper)
{
    Hsl hsl = toHsl(paper);
    if (hsl.lightness < 0.5)
        return paper;
    hsl.lightness = 0.12 + (1 - hsl.lightness) * 0.5;
    return fromHsl(hsl);
}

// A light grey rather than white for black text: softer on a dark paper.
constexpr double kLightestText = 0.86;

std::uint32_t readableText(std::uint32_t text, std::uint32_t paper)
{
    if (contrastRatio(text, paper) >= kDarkContrast)
        return text;
    Hsl hsl = toHsl(text);
    hsl.lightness = std::min(1 - hsl.lightness, kLightestText);
    // Towards white on a dark paper, towards black on a light one, until
    // it reads; one of the two always does.
    const bool lighter = contrastRatio(0xFFFFFF, paper) >= contrastRatio(0x000000, paper);
    std::uint32_t colour = fromHsl(hsl);
    while (contrastRatio(colour, paper) < kDarkContrast && hsl.lightness > 0 && hsl.lightness < 1) {
        hsl.lightness = std::clamp(hsl.lightness + (lighter ? 0.01 : -0.01), 0.0, 1.0);
        colour = fromHsl(hsl);
    }
    return colour;
}

}  // namespace

double contrastRatio(std::uint32_t first, std::uint32_t second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

std::vector<StyleLook> darkStyles(const std::vector<StyleLook> &styles)
{
    const auto base = std::find_if(styles.begin(), styles.end(),
                                   [](const StyleLook &look) { return look.id == SchemeStyle::Default; });
    const std::uint32_t basePaper = darkPaper(base == styles.end() ? 0xFFFFFF : base->background);
    const std::uint32_t baseText = readableText(base == styles.end() ? 0x000000 : base->foreground, basePaper);
    std::vector<StyleLook> dark = styles;
    for (StyleLook &look : dark) {
        if (look.id == SchemeStyle::Default) {
            look.background = basePaper;
            look.foreground = baseText;
            continue;
        }
        look.background = darkPaper(look.background);
        const std::uint32_t paper = look.backgroundAsDefault ? basePaper : look.background;
        if (look.foregroundAsDefault && contrastRatio(baseText, paper) < kDarkContrast) {
            look.foregroundAsDefault = false;
            look.foreground = baseText;
        }
        look.foreground = readableText(look.foreground, paper);
    }
    return dark;
}

bool drawsDark(ColourScheme scheme, int windowLightness)
{
    switch (scheme) {
    case ColourScheme::Light:
        return false;
    case ColourScheme::Dark:
        return true;
    case ColourScheme::FollowDesktop:
        return windowLightness < 128;
    }
    return false;
}

EditorSettings drawnSettings(const EditorSettings &settings, bool dark)
{
    if (!dark)
        return settings;
    EditorSettings drawn = settings;
    drawn.styles = darkStyles(settings.styles);
    return drawn;
}
