#include "app/viewsettings.h"

#include <QSettings>

#include <algorithm>

int settingInteger(const std::optional<QString> &value, int fallback)
{
    if (!value)
        return fallback;
    const QString text = value->trimmed();
    bool ok = false;
    int number = 0;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        number = int(text.mid(2).toUInt(&ok, 16));
    else
        number = text.toInt(&ok, 10);
    return ok ? number : fallback;
}

bool settingFlag(const std::optional<QString> &value, bool fallback)
{
    return settingInteger(value, fallback ? 1 : 0) != 0;
}

ViewSettings readViewSettings(const std::function<std::optional<QString>(const QString &key)> &value,
                              const ViewSettings &defaults)
{
    const auto integer = [&](const char *key, int fallback) {
        return settingInteger(value(QString::fromLatin1(key)), fallback);
    };
    const auto flag = [&](const char *key, bool fallback) {
        return settingFlag(value(QString::fromLatin1(key)), fallback);
    };
    ViewSettings s;
    s.left = integer("View/VM_Quillon_MF/Left", defaults.left);
    s.top = integer("View/VM_Quillon_MF/Top", defaults.top);
    s.width = integer("View/VM_Quillon_MF/Width", defaults.width);
    s.height = integer("View/VM_Quillon_MF/Height", defaults.height);
    s.maximized = flag("View/VM_Quillon_MF/State", defaults.maximized);
    for (int bar = 0; bar < 4; ++bar) {
        const QString base = QStringLiteral("View/Toolbars/%1/").arg(QLatin1String(kToolbarNames[bar]));
        const std::optional<QString> visible = value(base + QStringLiteral("Visible"));
        if (!visible) {
            s.toolbars[bar] = defaults.toolbars[bar];
            continue;
        }
        ToolbarPlace place;
        place.visible = settingFlag(visible, true);
        place.dockedTo = value(base + QStringLiteral("DockedTo")).value_or(QString());
        place.dockRow = settingInteger(value(base + QStringLiteral("DockRow")), 0);
        place.dockPos = settingInteger(value(base + QStringLiteral("DockPos")), 0);
        place.floatLeft = settingInteger(value(base + QStringLiteral("FloatLeft")), 0);
        place.floatTop = settingInteger(value(base + QStringLiteral("FloatTop")), 0);
        s.toolbars[bar] = place;
    }
    s.userLibrary = flag("View/User_Library", defaults.userLibrary);
    s.headSize = integer("View/HEAD_Size", defaults.headSize);
    s.handPoint = flag("View/HandPoint", defaults.handPoint);
    s.resourceSize = integer("View/Resource_size", defaults.resourceSize);
    const int tab = integer("View/Active_tab", defaults.activeTab);
    s.activeTab = tab >= 0 && tab <= 2 ? tab : 0;  // any other number: "Libraries"
    s.resourceVisible = flag("View/Resource_visible", defaults.resourceVisible);
    s.librariesSize = integer("View/Libraries_size", defaults.librariesSize);
    return s;
}

QList<std::pair<QString, QString>> viewSettingsValues(const ViewSettings &s)
{
    const auto number = [](int value) { return QString::number(value); };
    const auto flag = [](bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); };
    QList<std::pair<QString, QString>> values{
        {QStringLiteral("View/VM_Quillon_MF/Left"), number(s.left)},
        {QStringLiteral("View/VM_Quillon_MF/Top"), number(s.top)},
        {QStringLiteral("View/VM_Quillon_MF/Width"), number(s.width)},
        {QStringLiteral("View/VM_Quillon_MF/Height"), number(s.height)},
        {QStringLiteral("View/VM_Quillon_MF/State"), flag(s.maximized)},
    };
    for (int bar = 0; bar < 4; ++bar) {
        if (!s.toolbars[bar])
            continue;
        const ToolbarPlace &place = *s.toolbars[bar];
        const QString base = QStringLiteral("View/Toolbars/%1/").arg(QLatin1String(kToolbarNames[bar]));
        values << std::pair{base + QStringLiteral("Visible"), flag(place.visible)}
               << std::pair{base + QStringLiteral("DockedTo"), place.dockedTo}
               << std::pair{base + QStringLiteral("DockRow"), number(place.dockRow)}
               << std::pair{base + QStringLiteral("DockPos"), number(place.dockPos)}
               << std::pair{base + QStringLiteral("FloatLeft"), number(place.floatLeft)}
               << std::pair{base + QStringLiteral("FloatTop"), number(place.floatTop)};
    }
    values << std::pair{QStringLiteral("View/HEAD_Size"), number(s.headSize)}
           << std::pair{QStringLiteral("View/HandPoint"), flag(s.handPoint)}
           << std::pair{QStringLiteral("View/Resource_size"), number(s.resourceSize)}
           << std::pair{QStringLiteral("View/Active_tab"), number(s.activeTab)}
           << std::pair{QStringLiteral("View/Resource_visible"), flag(s.resourceVisible)}
           << std::pair{QStringLiteral("View/Libraries_size"), number(s.librariesSize)};
    return values;
}

QString viewSettingsGroup()
{
    return QStringLiteral("1.6");
}

ViewSettings loadViewSettings(QSettings &store, const ViewSettings &defaults)
{
    store.beginGroup(viewSettingsGroup());
    const ViewSettings settings = readViewSettings(
        [&store](const QString &key) -> std::optional<QString> {
            const QVariant value = store.value(key);
            if (!value.isValid())
                return std::nullopt;
            return value.toString();
        },
        defaults);
    store.endGroup();
    return settings;
}

bool saveViewSettings(QSettings &store, const ViewSettings &settings)
{
    store.beginGroup(viewSettingsGroup());
    for (const auto &[key, value] : viewSettingsValues(settings))
        store.setValue(key, value);
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}

QRect fitToScreens(const QRect &bounds, const QList<QRect> &availableAreas, int primary)
{
    if (availableAreas.isEmpty())
        return bounds;
    qsizetype best = -1;
    qint64 bestOverlap = 0;
    for (qsizetype i = 0; i < availableAreas.size(); ++i) {
        const QRect overlap = availableAreas[i].intersected(bounds);
        const qint64 area = overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
        if (area > bestOverlap) {
            bestOverlap = area;
            best = i;
        }
    }
    const bool onNone = best < 0;
    if (onNone)
        best = std::clamp<qsizetype>(primary, 0, availableAreas.size() - 1);
    const QRect screen = availableAreas[best];
    QRect fitted(bounds.topLeft(), bounds.size().boundedTo(screen.size()).expandedTo(QSize(1, 1)));
    if (onNone)
        fitted.moveCenter(screen.center());
    if (fitted.right() > screen.right())
        fitted.moveRight(screen.right());
    if (fitted.bottom() > screen.bottom())
        fitted.moveBottom(screen.bottom());
    if (fitted.left() < screen.left())
        fitted.moveLeft(screen.left());
    if (fitted.top() < screen.top())
        fitted.moveTop(screen.top());
    return fitted;
}
