#include "library/librarypeek.h"

#include "document/scripteditors.h"
#include "document/scripttext.h"
#include "editor/schemelexer.h"
#include "editor/scripteditor.h"
#include "library/userlibrary.h"
#include "library/userlibrarytree.h"

#include <QSplitter>
#include <QTreeWidget>

LibraryPeek::LibraryPeek(ScriptEditors &editors, UserLibraryStore &store, UserLibraryTree *userTree,
                         QTreeWidget *builtInTree, BuiltInText builtInText, QSplitter *holder, QObject *parent)
    : QObject(parent), m_editors(editors), m_store(store), m_userTree(userTree), m_builtInTree(builtInTree),
      m_builtInText(std::move(builtInText))
{
    m_view = new ScriptEditor(holder);
    m_view->setObjectName(QStringLiteral("MEM_Podglad"));
    m_view->setReadOnly(true);
    m_view->setAccessibleName(QStringLiteral("Selected script"));
    m_view->setStatusTip(QStringLiteral("The selected library script, as it would be loaded"));
    m_view->setFocusPolicy(Qt::ClickFocus);
    // Line numbers come with a script to show.
    m_view->setLineNumbersShown(false);
    m_view->setMarginWidth(1, 0);
    holder->addWidget(m_view);
    holder->setStretchFactor(0, 3);
    holder->setStretchFactor(1, 2);

    connect(userTree, &QTreeWidget::itemSelectionChanged, this, &LibraryPeek::showUserSelection);
    connect(userTree, &QTreeWidget::currentItemChanged, this, &LibraryPeek::showUserSelection);
    connect(builtInTree, &QTreeWidget::itemSelectionChanged, this, &LibraryPeek::showBuiltInSelection);
}

void LibraryPeek::show(const std::optional<LibraryTexts> &texts, const QString &note)
{
    // Drawn as the fragment editors are, once they exist.
    if (!m_schemed && m_editors.exist()) {
        shareScheme(*m_editors.head(), *m_view);
        // A narrow panel: long lines wrap, and no room goes to bookmarks.
        m_view->setWrapMode(QsciScintilla::WrapWord);
        m_view->setMarginWidth(1, 0);
        m_schemed = true;
    }
    m_view->setReadOnly(false);
    QString text = note;
    if (texts) {
        // As the file holds it: a stored HEAD already ends with the line
        // break written before the BODY marker.
        const QString head = texts->head.endsWith(QStringLiteral("\r\n")) ? texts->head.chopped(2) : texts->head;
        text = composeScriptFile(head, texts->body);
    }
    m_view->setWholeText(text);
    m_view->setReadOnly(true);
    // Numbered as the editors number the lines once loaded; nothing shown,
    // no number.
    m_view->setLineNumbersShown(!text.isEmpty());
}

void LibraryPeek::showUserSelection()
{
    m_showsBuiltIn = false;
    const QTreeWidgetItem *item = m_userTree->selectedItem();
    if (!UserLibraryTree::isScript(item)) {
        show(std::nullopt, QString());
        return;
    }
    const ScriptTexts::Entry *entry = m_store.scriptText(item->text(0));
    if (!entry) {
        show(std::nullopt, QStringLiteral("// The file of this script is missing or cannot be read."));
        return;
    }
    show(LibraryTexts{entry->head, entry->body}, QString());
}

void LibraryPeek::showBuiltInSelection()
{
    const QTreeWidgetItem *item = m_builtInTree->currentItem();
    m_showsBuiltIn = item && item->isSelected();
    if (!m_showsBuiltIn) {
        show(std::nullopt, QString());
        return;
    }
    const std::optional<LibraryTexts> texts = m_builtInText ? m_builtInText() : std::nullopt;
    show(texts, QStringLiteral("// The script isn't configured! Please correct settings."));
}

void LibraryPeek::refreshBuiltIn()
{
    if (m_showsBuiltIn)
        showBuiltInSelection();
}
