#include "app/helpcontroller.h"

#include "app/aboutdialog.h"
#include "app/actiontable.h"
#include "platform/errors.h"
#include "platform/helpsystem.h"
#include "platform/prompter.h"
#include "widgets/actions.h"

#include <QAction>
#include <QMenu>

HelpController::HelpController(ActionRegistry &actions, Prompter &prompter, DesktopShell &shell, HelpSystem &help,
                               QObject *parent)
    : QObject(parent), m_actions(actions), m_prompter(prompter), m_shell(shell), m_help(help)
{
    actions.bind("help.contents", this, [this] { m_help.showContents(); });
    actions.bind("help.keywordSearch", this, [this] { m_help.showKeywordSearch(QString()); });
    actions.bind("help.helpOnHelp", this, [this] { m_help.showHelpOnHelp(); });
    actions.bind("help.shortcuts", this, [this] { m_help.ShowHelpTopic(320); });
    actions.bind("help.librariesTab", this, [this] { m_help.ShowHelpTopic(400); });
    actions.bind("help.functionsTab", this, [this] { m_help.ShowHelpTopic(497); });
    actions.bind("help.languagesTab", this, [this] { m_help.ShowHelpTopic(497); });
    actions.bind("help.about", this, [this] { about(); });

    ActionRegistry *registry = &actions;
    help.setGeneratedPage(QStringLiteral("shortcuts.html"), [registry] { return shortcutsPage(*registry); });
}

void HelpController::about()
{
    TAboutDlg dialog(m_shell, m_prompter, m_prompter.parentWindow());
    m_prompter.execDialog(dialog);
}

namespace {

/// The key cell of a row, in a cell the help's stylesheet keeps on one
/// line: a narrow column would otherwise break a key name anywhere
/// ("Ctrl+Shift+S" above "pace").  The spaces of a key (those between the
/// keys of a sequence) are non-breaking; "+" never offers a break.
QString keyCell(const QString &key)
{
    QString joined = key.toHtmlEscaped();
    joined.replace(u' ', QChar::Nbsp);
    return QStringLiteral("<td class=\"key\"><kbd>%1</kbd></td>").arg(joined);
}

QString plainCaption(const QAction *action)
{
    QString caption = action->text();
    caption = caption.section(u'\t', 0, 0);
    caption.remove(u'&');
    return caption;
}

void listMenu(const QMenu *menu, const QString &path, QString &rows)
{
    const auto items = menu->actions();
    for (const QAction *action : items) {
        if (action->isSeparator())
            continue;
        if (const QMenu *sub = action->menu()) {
            listMenu(sub, path + QStringLiteral(" › ") + plainCaption(sub->menuAction()), rows);
            continue;
        }
        QString key = action->shortcut().toString(QKeySequence::NativeText);
        if (key.isEmpty())
            key = action->text().section(u'\t', 1, 1);  // a key shown for another entry
        if (key.isEmpty())
            continue;
        rows += QStringLiteral("<tr>%1<td>%2</td><td>%3</td><td>%4</td></tr>\n")
                    .arg(keyCell(key), path.toHtmlEscaped(), plainCaption(action).toHtmlEscaped(),
                         action->statusTip().toHtmlEscaped());
    }
}

} // namespace

QString HelpController::shortcutsPage(const ActionRegistry &actions)
{
    QString rows;
    auto &registry = const_cast<ActionRegistry &>(actions);
    for (const MenuLayout &layout : mainMenuLayout()) {
        const QMenu *menu = registry.menu(QString::fromLatin1(layout.id));
        listMenu(menu, plainCaption(menu->menuAction()), rows);
    }
    // Keys that only the editors' pop-up menu carries.
    if (const QMenu *popup = registry.menu(QStringLiteral("POPMENU"))) {
        QString popupRows;
        const auto items = popup->actions();
        for (const QAction *action : items) {
            if (action->isSeparator() || action->menu() || action->shortcut().isEmpty())
                continue;
            popupRows += QStringLiteral("<tr>%1<td>%2</td><td>%3</td><td>%4</td></tr>\n")
                             .arg(keyCell(action->shortcut().toString(QKeySequence::NativeText)),
                                  QStringLiteral("Editor pop-up menu"), plainCaption(action).toHtmlEscaped(),
                                  action->statusTip().toHtmlEscaped());
        }
        rows += popupRows;
    }
    return QStringLiteral(
               "<html><head><title>Keyboard shortcuts</title></head><body>"
               "<h1>Keyboard shortcuts</h1>"
               "<p>Every key below works wherever the focus is in the main window. Commands of the "
               "Edit, Search, HTML and Script menus work while the Editor tab is showing.</p>"
               "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">"
               "<tr><th>Key</th><th>Menu</th><th>Command</th><th>What it does</th></tr>\n%1</table>"
               "</body></html>")
        .arg(rows);
}
