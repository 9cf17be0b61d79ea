#pragma once
// The main window's QActions and menus, made from the action table.

#include "widgets/commanddata.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

/// Our icon by name (its line art light on a dark window, lineart.h), or
/// the desktop theme's icon when the theme has one.
QIcon appIcon(const QString &name, const QString &themeName = {});

class ActionRegistry final : public QObject {
    Q_OBJECT
public:
    using LayoutFinder = std::function<const MenuLayout *(const QString &id)>;

    /// Creates every action of the table as a child of window; the actions
    /// whose shortcuts are live are added to window so their keys work
    /// wherever the focus is in it.  Menus are built from the layouts that
    /// findLayout returns.
    ActionRegistry(QWidget *window, std::span<const CommandEntry> table, LayoutFinder findLayout);

    QAction *action(const QString &id) const;
    /// A menu or pop-up menu of the layouts, built on first request.
    QMenu *menu(const QString &id);
    /// A named separator of a menu ("-Name" in a layout).
    QAction *separator(const QString &id) const;
    /// Fills a toolbar with a layout's placements, by the layout's id.
    void fillToolbar(QToolBar *toolbar, const QString &layoutId);
    void fillToolbar(QToolBar *toolbar, std::span<const CommandPlacement> items);
    QList<QAction *> allActions() const { return m_actions.values(); }
    /// Enables, or checks, a command: every placement of it follows.  A
    /// placement the user checks or unchecks takes the others along too.
    void setEnabled(const char *command, bool enabled) const;
    void setChecked(const char *command, bool checked) const;
    /// Shows or hides every placement of a command.
    void setVisible(const char *command, bool visible) const;
    /// The command's hint in the status bar and tooltip of every placement.
    void setHint(const char *command, const QString &hint) const;
    /// The shortcuts registered for the window's commands that work
    /// wherever the focus is in it (not those of one part).
    QList<QKeySequence> liveShortcuts() const;

    /// The tag of an action (the number commands sharing one handler use).
    static int tagOf(const QAction *action);

    /// Runs handler whenever one of the command's placements (menu item,
    /// button, pop-up item, its key) is triggered, for as long as context
    /// lives; what the handler throws reaches the general error handler.
    /// Each command is bound once.
    void bind(const char *command, QObject *context, std::function<void()> handler);
    /// The placements of a command; asserts it has some.
    QList<QAction *> placements(const char *command) const;
    template <typename C>
    void bind(const char *command, C *receiver, void (C::*handler)())
    {
        bind(command, receiver, [receiver, handler] { (receiver->*handler)(); });
    }
    /// The same for a family of commands ("html.format": html.format.bold,
    /// html.format.italic, ...) that one handler tells apart by their tag.
    void bindTagged(const char *family, QObject *context, std::function<void(int tag)> handler);
    template <typename C>
    void bindTagged(const char *family, C *receiver, void (C::*handler)(int))
    {
        bindTagged(family, receiver, [receiver, handler](int tag) { (receiver->*handler)(tag); });
    }
    /// The placements of a command, in table order.
    QList<QAction *> commandItems(const QString &command) const { return m_commands.value(command); }
    /// The command key of a placement; empty for actions not made here.
    QString commandOf(const QAction *action) const { return m_commandOf.value(action); }
    /// The commands of items that work (not pending) that nothing is bound to.
    QStringList unboundCommands() const;

private:
    QMenu *buildMenu(const MenuLayout &layout, QWidget *parent);
    void addItems(QMenu *menu, const MenuLayout &layout);
    /// Puts a menu's item in, in its place, or takes it out, as it is shown
    /// or hidden.
    void placeInMenu(QMenu *menu, QAction *item);

    QWidget *m_window;
    LayoutFinder m_findLayout;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, QAction *> m_separators;
    QHash<const QMenu *, QList<QAction *>> m_menuItems;  // every item of a menu, shown or not, in order
    QHash<QString, QList<QAction *>> m_commands;  // command key -> its items
    QHash<const QAction *, QString> m_commandOf;   // item -> its command key
    QSet<QString> m_bound;
    bool m_syncingChecks = false;
};
