#pragma once
// A look at the selected library script without loading it: its HEAD and
// BODY, read-only and highlighted as the editors are, with line numbers,
// below the user library's tree.  A user script shows its stored text (from the store's
// copy in memory), a built-in script the text its current settings make.

#include "library/libraryservice.h"

#include <QObject>

#include <functional>
#include <optional>

class QSplitter;
class QTreeWidget;
class ScriptEditor;
class ScriptEditors;
class UserLibraryStore;
class UserLibraryTree;

class LibraryPeek final : public QObject {
    Q_OBJECT
public:
    /// The selected built-in script as its settings make it; nothing when
    /// none is selected or its settings cannot make it.
    using BuiltInText = std::function<std::optional<LibraryTexts>()>;

    LibraryPeek(ScriptEditors &editors, UserLibraryStore &store, UserLibraryTree *userTree, QTreeWidget *builtInTree,
                BuiltInText builtInText, QSplitter *holder, QObject *parent = nullptr);

    ScriptEditor *view() const { return m_view; }

    /// Shows the script selected in the user tree (nothing for a category).
    void showUserSelection();
    /// Shows the script selected in the built-in tree.
    void showBuiltInSelection();
    /// Shows the built-in script anew (its settings changed), when it is
    /// the one shown.
    void refreshBuiltIn();

private:
    void show(const std::optional<LibraryTexts> &texts, const QString &note);

    ScriptEditors &m_editors;
    UserLibraryStore &m_store;
    UserLibraryTree *m_userTree;
    QTreeWidget *m_builtInTree;
    BuiltInText m_builtInText;
    ScriptEditor *m_view;
    bool m_schemed = false;
    bool m_showsBuiltIn = false;  // the script shown is the built-in tree's
};
