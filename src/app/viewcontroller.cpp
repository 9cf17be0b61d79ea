#include "app/viewcontroller.h"

#include "platform/errors.h"
#include "widgets/actions.h"
#include "widgets/dockabletoolbar.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSplitter>
#include <QTabWidget>

namespace {
const char *const kLiveShortcut = "quillonLiveShortcut";
/// Commands that work on the editors though their menu item stands
/// elsewhere (Wordwrap is in the View menu).
constexpr const char *kOtherEditorCommands[] = {"view.wordWrap"};
/// Commands in those menus that take the whole script, whatever page
/// shows: their buttons stay on while the preview does.
constexpr const char *kScriptCommands[] = {"clipboard.fromEditors", "clipboard.fromLibrary"};

void collectCommands(const ActionRegistry &actions, const QMenu *menu, QStringList &commands)
{
    const auto items = menu->actions();
    for (QAction *item : items) {
        if (const QMenu *sub = item->menu())
            collectCommands(actions, sub, commands);
        else if (const QString command = actions.commandOf(item); !command.isEmpty() && !commands.contains(command))
            commands << command;
    }
}
} // namespace

ViewController::ViewController(const Ports &ports, const Parts &parts, QObject *parent)
    : QObject(parent), m_actions(*ports.actions), m_parts(parts)
{
    ActionRegistry &a = m_actions;
    a.bind("view.mainToolbar", this, &ViewController::toggleMainToolbar);
    a.bind("view.scriptToolbar", this, &ViewController::toggleScriptToolbar);
    a.bind("view.htmlToolbar", this, &ViewController::toggleHtmlToolbar);
    a.bind("view.resourceTabs", this, &ViewController::toggleResourceTabs);

    // The check marks follow the bars, whatever shows or hides them (a
    // floating bar's close box, or the window manager closing it).
    connect(parts.mainToolbar, &DockableToolBar::shownChanged, this,
            [this](bool shown) { m_actions.setChecked("view.mainToolbar", shown); });
    connect(parts.scriptToolbar, &DockableToolBar::shownChanged, this,
            [this](bool shown) { m_actions.setChecked("view.scriptToolbar", shown); });
    connect(parts.htmlToolbar, &DockableToolBar::shownChanged, this,
            [this](bool shown) { m_actions.setChecked("view.htmlToolbar", shown); });

    // Every item of the editor menus' commands (the toolbar buttons and the
    // editors' pop-up items too) goes off with the menus.  The group keeps
    // what each item was set to meanwhile (the status read-out keeps setting
    // Undo, Cut and Paste) and gives it back when the menus come on again;
    // items switched off for good stay off.
    m_editorItems = new QActionGroup(this);
    m_editorItems->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    QStringList commands;
    for (const QMenu *menu : parts.editorMenus)
        collectCommands(a, menu, commands);
    for (const char *command : kOtherEditorCommands)
        commands << QString::fromLatin1(command);
    for (const char *command : kScriptCommands)
        commands.removeAll(QString::fromLatin1(command));
    for (const QString &command : std::as_const(commands))
        for (QAction *item : a.commandItems(command))
            m_editorItems->addAction(item);

    if (parts.menuBarHolder)
        connect(parts.menuBarHolder, &QToolBar::topLevelChanged, this, [this](bool floating) {
            if (!floating)
                guarded([this] { menuBarDocked(); })();
        });
}

void ViewController::setToolbarVisible(DockableToolBar *bar, const char *command, bool visible)
{
    bar->setVisible(visible);
    m_actions.setChecked(command, visible);
}

void ViewController::toggleMainToolbar()
{
    setToolbarShown(0, m_parts.mainToolbar->isHidden());
}

void ViewController::toggleScriptToolbar()
{
    setToolbarShown(1, m_parts.scriptToolbar->isHidden());
}

void ViewController::toggleHtmlToolbar()
{
    setToolbarShown(2, m_parts.htmlToolbar->isHidden());
}

void ViewController::setToolbarShown(int toolbar, bool visible)
{
    switch (toolbar) {
    case 0:
        setToolbarVisible(m_parts.mainToolbar, "view.mainToolbar", visible);
        break;
    case 1:
        setToolbarVisible(m_parts.scriptToolbar, "view.scriptToolbar", visible);
        break;
    case 2:
        setToolbarVisible(m_parts.htmlToolbar, "view.htmlToolbar", visible);
        break;
    default:
        break;
    }
}

void ViewController::toggleResourceTabs()
{
    setResourceTabsShown(m_parts.resourceTabs->isHidden());
}

void ViewController::setResourceTabsShown(bool visible)
{
    QWidget *tabs = m_parts.resourceTabs;
    const bool wasHidden = tabs->isHidden();
    // The splitter gives a hidden panel no width at all: the width is kept
    // here for when the tabs come back.
    if (!visible && tabs->isVisible())
        m_resourceTabsWidth = tabs->width();
    tabs->setVisible(visible);
    if (visible && wasHidden)
        applyResourceTabsWidth();
    m_actions.setChecked("view.resourceTabs", visible);
}

int ViewController::resourceTabsWidth() const
{
    return m_parts.resourceTabs->isVisible() ? m_parts.resourceTabs->width() : m_resourceTabsWidth;
}

void ViewController::setResourceTabsWidth(int width)
{
    m_resourceTabsWidth = width;
    applyResourceTabsWidth();
}

void ViewController::applyResourceTabsWidth()
{
    // The tabs stand first in the splitter beside the editor area.
    auto *splitter = qobject_cast<QSplitter *>(m_parts.resourceTabs->parentWidget());
    if (!splitter || m_resourceTabsWidth <= 0)
        return;
    const QList<int> sizes = splitter->sizes();
    int total = 0;
    for (int size : sizes)
        total += size;
    if (total <= 0)
        total = splitter->width();
    splitter->setSizes({m_resourceTabsWidth, qMax(1, total - m_resourceTabsWidth)});
}

QMenu *ViewController::createToolbarMenu(QWidget *parent) const
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("ToolbarAreaMenu"));
    menu->addActions(m_actions.menu(QStringLiteral("MMNU_W_Toolbars"))->actions());
    return menu;
}

bool ViewController::previewPageActive() const
{
    return m_parts.previewPage && m_parts.mainBook->currentWidget() == m_parts.previewPage;
}

void ViewController::setEditorMenusEnabled(bool enabled)
{
    m_menusEnabled = enabled;
    m_editorItems->setEnabled(enabled);
    for (QMenu *menu : m_parts.editorMenus) {
        menu->menuAction()->setEnabled(enabled);
        menu->setEnabled(enabled);
        // A disabled menu's keys do nothing either: its commands would act
        // on editors that are not on the screen.
        setShortcutsLive(menu, enabled);
    }
}

void ViewController::setShortcutsLive(QMenu *menu, bool live)
{
    const auto items = menu->actions();
    for (QAction *action : items) {
        if (QMenu *sub = action->menu()) {
            setShortcutsLive(sub, live);
            continue;
        }
        if (live) {
            const QVariant stored = action->property(kLiveShortcut);
            if (stored.isValid()) {
                action->setShortcut(stored.value<QKeySequence>());
                action->setProperty(kLiveShortcut, QVariant());
            }
        } else if (!action->shortcut().isEmpty()) {
            action->setProperty(kLiveShortcut, QVariant::fromValue(action->shortcut()));
            action->setShortcut(QKeySequence());
        }
    }
}

void ViewController::menuBarDocked()
{
    if (previewPageActive()) {
        emit previewRequested();
        setEditorMenusEnabled(!previewPageActive());
    } else {
        setEditorMenusEnabled(true);
    }
}
