#pragma once
// The window's arrangement as it is kept between runs: every value a
// string under the program's settings key, read back by fixed rules (a
// value starting with "0x" is hexadecimal; a missing value, or one that is
// not a number, gives the default; a flag is set when its number is not 0).

#include <QList>
#include <QRect>
#include <QString>

#include <functional>
#include <optional>

class QSettings;

/// Where one dockable bar stands.
struct ToolbarPlace {
    bool visible = true;
    QString dockedTo;  // the dock's name; empty while the bar floats
    int dockRow = 0;
    int dockPos = 0;
    int floatLeft = 0;
    int floatTop = 0;
    bool operator==(const ToolbarPlace &) const = default;
};

struct ViewSettings {
    int left = 38;
    int top = 51;
    int width = 730;
    int height = 443;
    bool maximized = true;
    bool userLibrary = true;     // the right-hand button panel
    int headSize = 130;          // height of the HEAD editor's panel
    bool handPoint = true;
    int resourceSize = 250;      // width of the resource tabs
    int activeTab = 0;           // 0 Libraries, 1 Languages, 2 Functions
    bool resourceVisible = true;
    int librariesSize = 230;     // height of the built-in library's part
    /// MainToolbar, ScriptToolbar, HTMLToolbar, MainMenu981; unset: as designed.
    std::optional<ToolbarPlace> toolbars[4];
    bool operator==(const ViewSettings &) const = default;
};

/// The names of the four dockable bars, in the order of ViewSettings::toolbars.
inline constexpr const char *kToolbarNames[4] = {"MainToolbar", "ScriptToolbar", "HTMLToolbar", "MainMenu981"};

/// A stored integer by the reading rules.
int settingInteger(const std::optional<QString> &value, int fallback);
/// A stored flag by the reading rules.
bool settingFlag(const std::optional<QString> &value, bool fallback);

/// The settings from stored values (key relative to the program's key,
/// such as "View/HEAD_Size"; nothing when not stored).  defaults holds the
/// values for what is missing (the panel sizes scaled to the screen).
ViewSettings readViewSettings(const std::function<std::optional<QString>(const QString &key)> &value,
                              const ViewSettings &defaults = {});
/// The values to store, key and string, in the order they are written.
QList<std::pair<QString, QString>> viewSettingsValues(const ViewSettings &settings);

/// The program's key in the settings store ("1.6" under the organisation
/// and the application).
QString viewSettingsGroup();
/// Reads the settings from store (under the program's key).
ViewSettings loadViewSettings(QSettings &store, const ViewSettings &defaults = {});
/// Writes them; false (with the store's status) when the store could not
/// be written.
bool saveViewSettings(QSettings &store, const ViewSettings &settings);

/// Where a window saved at bounds opens on screens with these available
/// areas (primary: the index of the one to use when bounds is on none):
/// on the screen it overlaps most, never larger than that screen's area,
/// and moved as little as it takes to lie wholly on it.  A window saved on
/// a screen that is gone, or at a larger scale, opens whole on a screen
/// that is there.
QRect fitToScreens(const QRect &bounds, const QList<QRect> &availableAreas, int primary = 0);
