#pragma once
// The preview commands: the editors' script (or a library script) as a
// page, shown on the Preview tab's embedded browser or in the desktop's
// default browser.

#include "document/ports.h"

#include <QObject>
#include <QString>

#include <memory>

class ActionRegistry;
class DesktopShell;
class InternalBrowserFactory;
class LibrarySelection;
class Prompter;
class ScriptEditors;
class PreviewFile;
class PreviewPane;
class QTabWidget;
class QWidget;

class PreviewController final : public QObject, public EditorPageSwitch, public ScriptPreview {
    Q_OBJECT
public:
    /// The window's pages the preview switches between, and its settings.
    struct Pages {
        QTabWidget *mainBook = nullptr;
        QWidget *editorPage = nullptr;   // TAB_Glowny
        QWidget *previewPage = nullptr;  // TAB_Preview
        QString tempFolder;              // where the private preview folder is made
        bool internalBrowserAllowed = true;
    };

    PreviewController(Prompter &prompter, ActionRegistry &actions, ScriptEditors &editors, DesktopShell &shell,
                      EditorMenus &menus, const LibrarySelection &selection, const Pages &pages,
                      QObject *parent = nullptr);
    ~PreviewController() override;

    /// The start-up probe: decides whether the embedded browser exists and
    /// shows or hides the Preview tab accordingly.  The browser itself is
    /// made on the first preview.
    void setUpPreviewTab();
    /// Whether previews go to the embedded browser (the Preview tab shows).
    bool internalBrowserExists() const override;

    /// F11: the editors' script, in the embedded browser when there is one.
    void POP_PodgladClick();
    /// F12: back to the Editor tab.
    void Showeditortab1Click();
    /// "Preview edited": the editors' script in the default browser.
    void Przycisk_OKClick();
    /// The user picked a page of MainBook.
    void MainBookChange(int index);

    /// Makes the Preview tab active and switches the four menus off.
    void enterPreviewTab() override;
    /// Makes the Editor tab active and switches the four menus on.
    void leavePreviewTab();
    void showEditorPage() override { leavePreviewTab(); }
    void previewEditorsInDefaultBrowser() override { Przycisk_OKClick(); }
    /// Shows a pair of fragments on the Preview tab (the checks for scripts
    /// that close their window included); errors are swallowed.
    void ShowInInternalBrowser(const QString &head, const QString &body) override;
    /// Opens a file with the default browser; a failure is reported.
    void OpenInDefaultBrowser(const QString &path);
    /// Writes the preview page and returns its path; throws on failure.
    QString WritePreviewPage(const QString &head, const QString &body);

    PreviewPane *pane() const { return m_pane; }

private:
    void refuse();
    void warnOfClose();
    void focusCurrentEditor();
    void setPageQuietly(QWidget *page);
    void dropInternalBrowser();

    Prompter &m_prompter;
    ScriptEditors &m_editors;
    DesktopShell &m_shell;
    EditorMenus &m_menus;
    const LibrarySelection &m_selection;
    Pages m_parts;
    std::unique_ptr<PreviewFile> m_file;
    PreviewPane *m_pane = nullptr;
    InternalBrowserFactory *m_factory = nullptr;
    bool m_available = false;
    bool m_switching = false;
};
