#pragma once
// The narrow interfaces the command controllers get through their
// constructors.  Each is implemented by the part of the window that owns
// the thing (the preview its tabs, the built-in library its settings pages,
// the view its menus, the editing commands the drops), so no controller
// reaches another through the main window.

#include <QString>

#include <functional>

class QObject;
class ScriptEditor;

/// Makes the Editor page active (and the editor menus work).
class EditorPageSwitch {
public:
    virtual ~EditorPageSwitch() = default;
    virtual void showEditorPage() = 0;
};

/// The built-in scripts' settings pages under the editors.
class SettingsPages {
public:
    virtual ~SettingsPages() = default;
    virtual void hideSettingsPages() = 0;
};

/// The Script, Search, Edit and HTML menus, switched as a group.
class EditorMenus {
public:
    virtual ~EditorMenus() = default;
    virtual void setEditorMenusEnabled(bool enabled) = 0;
};

/// Trees whose nodes may be dropped on the editors.
class DropTargets {
public:
    virtual ~DropTargets() = default;
    /// hasSelection says whether a drop is accepted; onDrop handles it on
    /// the editor dropped on.
    virtual void registerDropSource(QObject *source, std::function<bool()> hasSelection,
                                    std::function<void(ScriptEditor *target)> onDrop) = 0;
};

/// Showing a script in action, for the libraries' Preview buttons.
class ScriptPreview {
public:
    virtual ~ScriptPreview() = default;
    /// Whether previews go to the embedded browser.
    virtual bool internalBrowserExists() const = 0;
    /// The editors' script in the default browser.
    virtual void previewEditorsInDefaultBrowser() = 0;
    /// Makes the Preview tab active.
    virtual void enterPreviewTab() = 0;
    /// Shows a pair of fragments on the Preview tab; libraryScript names the
    /// library script they are, empty for the editors' script.
    virtual void ShowInInternalBrowser(const QString &head, const QString &body, const QString &libraryScript) = 0;
};

/// Where the library HEAD and BODY texts are kept (the texts every library
/// command reads); Open keeps the fragments of the file it read there too.
class LibraryTextsKeeper {
public:
    virtual ~LibraryTextsKeeper() = default;
    virtual void keepLibraryTexts(const QString &head, const QString &body) = 0;
};

/// Inserting text into the current editor, for the wizards and the trees.
class TextInsertion {
public:
    virtual ~TextInsertion() = default;
    /// Puts opening before and closing after the selection of the current
    /// editor (selecting it again) or, without a selection, both around the
    /// caret; then gives that editor the focus.
    virtual void WrapAndInsert(const QString &opening, const QString &closing) = 0;
    /// Splits a template at its first ".." and wraps with the two halves.
    virtual void InsertTemplate(const QString &templateText) = 0;
};
