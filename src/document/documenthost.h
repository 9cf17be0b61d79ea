#pragma once
// What the document and editing commands need from the window around
// them: the window answers these, the commands stay free of its layout.

#include <QString>

#include <optional>

class ActionRegistry;
class Prompter;
class ScriptEditors;
class StatusPanels;

/// The two libraries a script can come from.
enum class LibraryKind { User, BuiltIn };

/// The result of the last successful GetLibraryScript: the library HEAD
/// text and library BODY text every consumer reads.
struct LibraryTexts {
    QString head;
    QString body;
};

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    virtual Prompter &prompter() = 0;
    virtual ActionRegistry &actions() = 0;
    virtual ScriptEditors &editors() = 0;
    virtual StatusPanels &statusPanels() = 0;

    /// Makes the Editor page active and enables the Script, Search, Edit and
    /// HTML menus.
    virtual void showEditorPage() = 0;
    /// Hides the built-in scripts' settings pages under the editors.
    virtual void hideSettingsPages() = 0;
    /// Rebuilds the user-library tree from its folder.
    virtual void rebuildUserLibrary() = 0;
    /// The library whose tree has the keyboard focus, if any.
    virtual std::optional<LibraryKind> focusedLibrary() const = 0;
    /// Produces the script selected in a library into libraryTexts();
    /// false (after its own message, where it has one) when it cannot.
    virtual bool GetLibraryScript(LibraryKind library) = 0;
    virtual LibraryTexts &libraryTexts() = 0;
};
