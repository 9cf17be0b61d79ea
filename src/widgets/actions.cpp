#include "widgets/actions.h"

#include "platform/errors.h"
#include "widgets/lineart.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

#include <algorithm>
#include <memory>

QIcon appIcon(const QString &name, const QString &themeName)
{
    // Many commands share a picture: look each one up once and share it.
    static QHash<QString, QIcon> cache;
    const QString key = name + u'|' + themeName;
    if (const auto it = cache.constFind(key); it != cache.constEnd())
        return *it;
    QIcon icon;
    if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName))
        icon = QIcon::fromTheme(themeName);
    else if (!name.isEmpty())
        icon = lineArtIcon(QIcon(QStringLiteral(":/icons/") + name + QStringLiteral(".svg")));
    cache.insert(key, icon);
    return icon;
}

namespace {

/// The shortcut of each command: the first one its placements give.  A
/// button has none of its own; the menu item of its command has.
QHash<QString, QKeySequence> commandShortcuts(std::span<const CommandEntry> table)
{
    QHash<QString, QKeySequence> keys;
    for (const CommandEntry &entry : table) {
        const QString command = QString::fromLatin1(entry.command);
        if (entry.command && entry.command[0] && entry.shortcut[0] && !keys.contains(command))
            keys.insert(command, QKeySequence(QString::fromLatin1(entry.shortcut)));
    }
    return keys;
}

/// "Save as (Ctrl+Shift+S)": the caption without its mnemonic and dots, and
/// the key, as desktop programs show tooltips.
QString tooltipWithKey(const CommandEntry &entry, const QKeySequence &key)
{
    QString caption = QString::fromUtf8(entry.caption).remove(u'&');
    while (caption.endsWith(u'.'))
        caption.chop(1);
    return caption.trimmed() + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + u')';
}

} // namespace

ActionRegistry::ActionRegistry(QWidget *window, std::span<const CommandEntry> table, LayoutFinder findLayout)
    : QObject(window), m_window(window), m_findLayout(std::move(findLayout))
{
    const QHash<QString, QKeySequence> keys = commandShortcuts(table);
    for (const CommandEntry &entry : table) {
        const QString id = QString::fromLatin1(entry.id);
        auto *action = new QAction(window);
        action->setObjectName(id);
        QString caption = QString::fromUtf8(entry.caption);
        const QString shortcut = QString::fromLatin1(entry.shortcut);
        const QString hint = QString::fromUtf8(entry.hint);
        if (!shortcut.isEmpty()) {
            if (entry.flags & ShortcutShownOnly) {
                // The same key belongs to the main menu's item: show it here
                // without registering it a second time.
                caption += u'\t' + QKeySequence(shortcut).toString(QKeySequence::NativeText);
            } else if (entry.flags & PartShortcut) {
                // The window gives the action to the part where its key works.
                action->setShortcut(QKeySequence(shortcut));
                action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            } else {
                action->setShortcut(QKeySequence(shortcut));
                action->setShortcutContext(Qt::WindowShortcut);
                window->addAction(action);
            }
        }
        action->setText(caption);
        action->setIconText(QString::fromUtf8(entry.caption).remove(u'&'));
        action->setStatusTip(hint);
        const QKeySequence key = shortcut.isEmpty() ? keys.value(QString::fromLatin1(entry.command)) : QKeySequence(shortcut);
        action->setToolTip(key.isEmpty() ? hint : tooltipWithKey(entry, key));
        action->setWhatsThis(hint);
        if (entry.tag >= 0)
            action->setData(entry.tag);
        if (entry.icon[0] || entry.theme[0])
            action->setIcon(appIcon(QString::fromLatin1(entry.icon), QString::fromLatin1(entry.theme)));
        if (entry.flags & Checkable) {
            action->setCheckable(true);
            action->setChecked(entry.flags & Checked);
        }
        if (entry.flags & Pending) {
            action->setEnabled(false);
            action->setProperty("quillonPending", true);
        }
        if (entry.flags & ShowsCaption)
            action->setProperty("quillonCaptioned", true);
        if (entry.flags & Hidden)
            action->setVisible(false);
        if (entry.flags & DefaultItem) {
            QFont font = action->font();
            font.setBold(true);
            action->setFont(font);
        }
        // Menu items show no icons beside their captions; toolbar buttons do.
        action->setIconVisibleInMenu(false);
        m_actions.insert(id, action);
        if (entry.command && entry.command[0]) {
            m_commands[QString::fromLatin1(entry.command)] << action;
            m_commandOf.insert(action, QString::fromLatin1(entry.command));
        }
    }
    // A checkable command has one check state: the placement the user
    // toggles takes the others with it.
    for (auto it = m_commands.cbegin(); it != m_commands.cend(); ++it) {
        const QList<QAction *> items = it.value();
        for (QAction *item : items) {
            if (!item->isCheckable())
                continue;
            connect(item, &QAction::toggled, this, [this, items](bool checked) {
                if (m_syncingChecks)
                    return;
                m_syncingChecks = true;
                for (QAction *other : items)
                    other->setChecked(checked);
                m_syncingChecks = false;
            });
        }
    }
}

QAction *ActionRegistry::action(const QString &id) const
{
    QAction *a = m_actions.value(id);
    Q_ASSERT_X(a, "ActionRegistry::action", qPrintable(id));
    return a;
}

QAction *ActionRegistry::separator(const QString &id) const
{
    return m_separators.value(id);
}

int ActionRegistry::tagOf(const QAction *action)
{
    return action && action->data().isValid() ? action->data().toInt() : -1;
}

QList<QAction *> ActionRegistry::placements(const char *command) const
{
    const QList<QAction *> items = m_commands.value(QString::fromLatin1(command));
    Q_ASSERT_X(!items.isEmpty(), "ActionRegistry::placements", command);
    return items;
}

void ActionRegistry::setEnabled(const char *command, bool enabled) const
{
    for (QAction *item : placements(command))
        item->setEnabled(enabled);
}

void ActionRegistry::setChecked(const char *command, bool checked) const
{
    for (QAction *item : placements(command))
        item->setChecked(checked);
}

void ActionRegistry::setVisible(const char *command, bool visible) const
{
    for (QAction *item : placements(command))
        item->setVisible(visible);
}

void ActionRegistry::setHint(const char *command, const QString &hint) const
{
    for (QAction *item : placements(command)) {
        item->setStatusTip(hint);
        item->setToolTip(hint);
    }
}

QList<QKeySequence> ActionRegistry::liveShortcuts() const
{
    QList<QKeySequence> keys;
    for (QAction *action : m_actions) {
        if (action->shortcutContext() != Qt::WindowShortcut)
            continue;  // a part's key leaves the editors theirs
        for (const QKeySequence &key : action->shortcuts())
            if (!key.isEmpty())
                keys << key;
    }
    return keys;
}

QMenu *ActionRegistry::menu(const QString &id)
{
    if (QMenu *existing = m_menus.value(id))
        return existing;
    const MenuLayout *layout = m_findLayout(id);
    if (!layout)
        return nullptr;
    return buildMenu(*layout, m_window);
}

QMenu *ActionRegistry::buildMenu(const MenuLayout &layout, QWidget *parent)
{
    auto *menu = new QMenu(QString::fromUtf8(layout.caption), parent);
    const QString id = QString::fromLatin1(layout.id);
    menu->setObjectName(id);
    // Hints of the items go to the status bar.
    menu->setToolTipsVisible(false);
    m_menus.insert(id, menu);
    if (layout.hint[0])
        menu->menuAction()->setStatusTip(QString::fromUtf8(layout.hint));
    if (layout.icon[0])
        menu->setIcon(appIcon(QString::fromLatin1(layout.icon)));
    addItems(menu, layout);
    return menu;
}

void ActionRegistry::addItems(QMenu *menu, const MenuLayout &layout)
{
    QList<QAction *> &order = m_menuItems[menu];
    for (const CommandPlacement &item : layout.items) {
        const QString name = QString::fromLatin1(item.id);
        QAction *placed = nullptr;
        if (name == u"-") {
            placed = new QAction(menu);
            placed->setSeparator(true);
        } else if (name.startsWith(u'-')) {
            placed = new QAction(menu);
            placed->setSeparator(true);
            placed->setObjectName(name.mid(1));
            placed->setVisible(false);  // named separators stand before items shown later
            m_separators.insert(name.mid(1), placed);
        } else if (name.startsWith(u'>')) {
            const MenuLayout *sub = m_findLayout(name.mid(1));
            Q_ASSERT(sub);
            placed = buildMenu(*sub, menu)->menuAction();
        } else {
            placed = action(name);
        }
        order << placed;
        // A hidden item is not in its menu at all (a screen reader would
        // still find it there): it goes in when it is shown, in its place.
        if (placed->isVisible())
            menu->addAction(placed);
        connect(placed, &QAction::visibleChanged, menu, [this, menu, placed] { placeInMenu(menu, placed); });
    }
}

void ActionRegistry::placeInMenu(QMenu *menu, QAction *item)
{
    const QList<QAction *> shown = menu->actions();
    if (!item->isVisible()) {
        menu->removeAction(item);
        return;
    }
    if (shown.contains(item))
        return;
    const QList<QAction *> &order = m_menuItems[menu];
    QAction *before = nullptr;
    for (qsizetype at = order.indexOf(item) + 1; at < order.size() && !before; ++at)
        if (shown.contains(order[at]))
            before = order[at];
    menu->insertAction(before, item);
}

void ActionRegistry::fillToolbar(QToolBar *toolbar, const QString &layoutId)
{
    const MenuLayout *layout = m_findLayout(layoutId);
    Q_ASSERT_X(layout, "ActionRegistry::fillToolbar", qPrintable(layoutId));
    if (layout)
        fillToolbar(toolbar, layout->items);
}

void ActionRegistry::fillToolbar(QToolBar *toolbar, std::span<const CommandPlacement> items)
{
    for (const CommandPlacement &item : items) {
        const QString name = QString::fromLatin1(item.id);
        if (name == u"-")
            toolbar->addSeparator();
        else
            toolbar->addAction(action(name));
    }
}

void ActionRegistry::bind(const char *command, QObject *context, std::function<void()> handler)
{
    const QString key = QString::fromLatin1(command);
    const QList<QAction *> items = m_commands.value(key);
    Q_ASSERT_X(!items.isEmpty(), "ActionRegistry::bind", command);
    Q_ASSERT_X(!m_bound.contains(key), "ActionRegistry::bind", command);
    m_bound.insert(key);
    auto shared = std::make_shared<std::function<void()>>(std::move(handler));
    for (QAction *item : items)
        connect(item, &QAction::triggered, context, guarded([shared] { (*shared)(); }));
}

void ActionRegistry::bindTagged(const char *family, QObject *context, std::function<void(int)> handler)
{
    const QString prefix = QString::fromLatin1(family) + u'.';
    auto shared = std::make_shared<std::function<void(int)>>(std::move(handler));
    bool any = false;
    for (auto it = m_commands.cbegin(); it != m_commands.cend(); ++it) {
        if (!it.key().startsWith(prefix))
            continue;
        Q_ASSERT_X(!m_bound.contains(it.key()), "ActionRegistry::bindTagged", qPrintable(it.key()));
        m_bound.insert(it.key());
        any = true;
        for (QAction *item : it.value())
            connect(item, &QAction::triggered, context, guarded([shared, item] { (*shared)(tagOf(item)); }));
    }
    Q_ASSERT_X(any, "ActionRegistry::bindTagged", family);
}

QStringList ActionRegistry::unboundCommands() const
{
    QStringList unbound;
    for (auto it = m_commands.cbegin(); it != m_commands.cend(); ++it) {
        if (m_bound.contains(it.key()))
            continue;
        const bool works = std::any_of(it.value().cbegin(), it.value().cend(),
                                       [](const QAction *a) { return !a->property("quillonPending").toBool(); });
        if (works)
            unbound << it.key();
    }
    unbound.sort();
    return unbound;
}
