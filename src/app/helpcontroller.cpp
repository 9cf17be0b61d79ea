#include "app/helpcontroller.h"

#include "app/aboutdialog.h"
#include "app/actiontable.h"
#include "doctor/oldcode.h"
#include "platform/errors.h"
#include "platform/helpsystem.h"
#include "platform/prompter.h"
#include "ports/ports.h"
#include "widgets/actions.h"

#include <QKeySequence>

HelpController::HelpController(const Ports &ports, QObject *parent)
    : QObject(parent), m_actions(*ports.actions), m_prompter(*ports.prompter), m_shell(*ports.shell),
      m_help(*ports.help)
{
    ActionRegistry &actions = m_actions;
    actions.bind("help.contents", this, [this] { m_help.showContents(); });
    actions.bind("help.keywordSearch", this, [this] { m_help.showKeywordSearch(QString()); });
    actions.bind("help.helpOnHelp", this, [this] { m_help.showHelpOnHelp(); });
    actions.bind("help.shortcuts", this, [this] { m_help.ShowHelpTopic(320); });
    actions.bind("help.librariesTab", this, [this] { m_help.ShowHelpTopic(400); });
    actions.bind("help.functionsTab", this, [this] { m_help.ShowHelpTopic(497); });
    actions.bind("help.languagesTab", this, [this] { m_help.ShowHelpTopic(497); });
    actions.bind("help.about", this, [this] { about(); });

    actions.bind("help.doctor", this, [this] { m_help.ShowHelpTopic(330); });

    m_help.setGeneratedPage(QStringLiteral("shortcuts.html"), [] { return shortcutsPage(); });
    m_help.setGeneratedPage(QStringLiteral("oldcode.html"), [] { return oldCodeHelpPage(); });
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

QString plainCaption(const char *caption)
{
    return QString::fromUtf8(caption).remove(u'&');
}

/// The key an item shows after a tab in its caption ("&Rename\tF2"): a
/// key the tree or list the command acts on takes itself.
QString keyInCaption(const char *caption)
{
    return QString::fromUtf8(caption).section(u'\t', 1).trimmed();
}

QString row(const CommandEntry &entry, const QString &path)
{
    QString hint = QString::fromUtf8(entry.hint);
    QString key = QString::fromLatin1(entry.shortcut);
    if (key.isEmpty()) {
        key = keyInCaption(entry.caption);
        hint += QStringLiteral(" (in the tree or list it acts on)");
    }
    const QString caption = plainCaption(entry.caption).section(u'\t', 0, 0);
    return QStringLiteral("<tr>%1<td>%2</td><td>%3</td><td>%4</td></tr>\n")
        .arg(keyCell(QKeySequence(key).toString(QKeySequence::NativeText)), path.toHtmlEscaped(),
             caption.toHtmlEscaped(), hint.toHtmlEscaped());
}

/// The rows of a layout's items that have a key, submenus included.  A key
/// only shown beside an item belongs to another entry and is listed there.
void listLayout(const MenuLayout &layout, const QString &path, bool withShownKeys, QString &rows)
{
    for (const CommandPlacement &placement : layout.items) {
        const char *item = placement.id;
        if (item[0] == '-')
            continue;
        if (item[0] == '>') {
            const MenuLayout *sub = findLayout(QString::fromLatin1(item + 1));
            Q_ASSERT(sub);
            listLayout(*sub, path + QStringLiteral(" › ") + plainCaption(sub->caption), withShownKeys, rows);
            continue;
        }
        const CommandEntry *entry = findCommand(QString::fromLatin1(item));
        Q_ASSERT(entry);
        const bool hasKey = entry->shortcut[0] || !keyInCaption(entry->caption).isEmpty();
        if (!hasKey || (entry->flags & Hidden) || (!withShownKeys && (entry->flags & ShortcutShownOnly)))
            continue;
        rows += row(*entry, path);
    }
}

} // namespace

QString HelpController::shortcutsPage()
{
    // Made from the command table, not from the live actions: the keys of
    // the editor menus are taken off while the Preview tab shows.
    QString rows;
    for (const MenuLayout &layout : mainMenuLayout())
        listLayout(layout, plainCaption(layout.caption), true, rows);
    // Keys that only the editors' pop-up menu carries.
    if (const MenuLayout *popup = findLayout(QStringLiteral("POPMENU")))
        listLayout(*popup, QStringLiteral("Editor pop-up menu"), false, rows);
    return QStringLiteral("<html><head><title>Keyboard shortcuts</title></head><body>"
                          "<h1>Keyboard shortcuts</h1>"
                          "<p>Every key below works wherever the focus is in the main window, unless what it does "
                          "names the part where it works. Commands of the Edit, Search, HTML and Script menus work "
                          "while the Editor tab is showing. In the built-in library, Space on a script shows its "
                          "settings under the editors, and F6 goes on to them.</p>"
                          "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">"
                          "<tr><th>Key</th><th>Menu</th><th>Command</th><th>What it does</th></tr>\n%1</table>"
                          "</body></html>")
        .arg(rows);
}
