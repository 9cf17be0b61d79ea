#pragma once
// What the command controllers are given through their constructors: one
// Ports naming every seam of the window, and the narrow interfaces among
// them.  Each interface is implemented by the part of the window that owns
// the thing (the preview its tabs, the built-in library its settings pages
// and selection, the view its menus, the editing commands the drops), so no
// controller reaches another through the main window.

#include <QString>

#include <functional>

class ActionRegistry;
class CustomColours;
class DesktopShell;
class HelpSystem;
class LibraryService;
class Prompter;
class QObject;
class ScriptEditor;
class ScriptEditors;
class StatusPanels;
class WebBrowsers;

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

/// What the embedded preview asks of the built-in library's selection.
class LibrarySelection {
public:
    virtual ~LibrarySelection() = default;
    /// Whether the selected built-in script is one the embedded browser
    /// refuses to show (it closes its window).
    virtual bool isBrowserExitSelected() const = 0;
};

/// Where the document in the editors has its file, so that its preview
/// finds what the file's relative addresses lead to.
class DocumentPlace {
public:
    virtual ~DocumentPlace() = default;
    /// The folder of the document's file; empty when it has none.
    virtual QString documentFolder() const = 0;
};

/// A part besides the editors whose own Cut and Paste the Edit menu's are
/// while it has the focus (the user library's tree moves its nodes so).
class TreeClipboard {
public:
    virtual ~TreeClipboard() = default;
    /// Whether Cut and Paste go to the part now.
    virtual bool hasClipboardFocus() const = 0;
    virtual void cutSelection() = 0;
    virtual void pasteCut() = 0;
};

/// Every seam a controller may need, one pointer each.  The main window
/// owns one Ports and fills it as it makes its parts, all of it before it
/// is shown, so no command runs with a member missing; complete() says
/// whether every member is set.
///
/// The services come first: the window has them before it makes any part,
/// so a part may take a reference to one in its constructor.  The
/// interfaces after them are implemented by parts, and a part may be made
/// before one whose interface it uses (the built-in library comes before
/// the editing commands that take its drags): a part keeps the Ports
/// itself, which lives as long as the window, and reads such a member when
/// it uses it, in its constructor only when the implementer is made first.
struct Ports {
    // The services.
    Prompter *prompter = nullptr;
    HelpSystem *help = nullptr;
    DesktopShell *shell = nullptr;
    WebBrowsers *browsers = nullptr;
    ActionRegistry *actions = nullptr;
    ScriptEditors *editors = nullptr;
    StatusPanels *status = nullptr;
    LibraryService *libraries = nullptr;
    /// The colour dialogs' custom colours, kept between runs.
    CustomColours *customColours = nullptr;

    // The interfaces the parts implement for each other.
    EditorPageSwitch *pages = nullptr;           // the preview
    SettingsPages *settingsPages = nullptr;      // the built-in library
    EditorMenus *menus = nullptr;                // the view
    DropTargets *drops = nullptr;                // the editing commands
    ScriptPreview *preview = nullptr;            // the preview
    LibraryTextsKeeper *libraryTexts = nullptr;  // the library service
    TextInsertion *insertion = nullptr;          // the editing commands
    LibrarySelection *selection = nullptr;       // the built-in library
    DocumentPlace *document = nullptr;           // the document
    TreeClipboard *treeClipboard = nullptr;      // the user library

    bool complete() const
    {
        return prompter && help && shell && browsers && actions && editors && status && libraries && customColours &&
               pages && settingsPages && menus && drops && preview && libraryTexts && insertion && selection &&
               document && treeClipboard;
    }
};
