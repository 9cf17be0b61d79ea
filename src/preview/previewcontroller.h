#pragma once
// The preview commands: the editors' script (or a library script) as a
// page, shown on the Preview tab's embedded browser or in the desktop's
// default browser.

#include "platform/webbrowsers.h"
#include "ports/ports.h"
#include "preview/consolemessage.h"
#include "preview/livereload.h"
#include "preview/previewpage.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class ActionRegistry;
class DesktopShell;
class InternalBrowserFactory;
class LibraryService;
class Prompter;
class ScriptEditors;
class PreviewFile;
class PreviewPane;
class QLabel;
class QSettings;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QWidget;

class PreviewController final : public QObject,
                                public EditorPageSwitch,
                                public ScriptPreview,
                                private LiveReloadTarget {
    Q_OBJECT
public:
    /// The window's pages the preview switches between, and its settings.
    struct Pages {
        QTabWidget *mainBook = nullptr;
        QWidget *editorPage = nullptr;   // TAB_Glowny
        QWidget *previewPage = nullptr;  // TAB_Preview
        QString tempFolder;              // where the private preview folder is made
        bool internalBrowserAllowed = true;
        QStatusBar *statusBar = nullptr;  // where the preview's error count shows
        /// Holds MainBook; the preview beside the editors stands to its right.
        QSplitter *besideSplitter = nullptr;
        /// The view settings, opened at the program's key: the browsers
        /// chosen for the drop-downs are kept there.  Unset: not kept.
        std::function<std::unique_ptr<QSettings>()> viewSettings;
    };

    /// The browsers are looked up once, when a preview drop-down first
    /// opens: its items show only for what the desktop has, two of them at
    /// most (the user's choice when more are installed).
    PreviewController(const Ports &ports, const Pages &parts, QObject *parent = nullptr);
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
    /// The library drop-down's "default system browser": the script of the
    /// focused library tree, or the editors' when no tree has the focus.
    void POP_PRev_SystemClick();
    /// The library drop-down's browser items; tag 1 or 2 names the browser.
    void PMNU_Prev_MSIEClick(int tag);
    /// "Preview edited"'s browser items: the editors' script.
    void POP_Prev_Ed_MsieClick(int tag);
    /// "Browsers ...": which two of the installed browsers the drop-downs
    /// offer; the choice is kept in the view settings.
    void chooseBrowsers();
    /// The user picked a page of MainBook.
    void MainBookChange(int index);

    /// Makes the Preview tab active and switches the four menus off.
    void enterPreviewTab() override;
    /// Makes the Editor tab active and switches the four menus on.
    void leavePreviewTab();
    void showEditorPage() override { leavePreviewTab(); }
    void previewEditorsInDefaultBrowser() override { Przycisk_OKClick(); }
    /// Shows a pair of fragments on the Preview tab (the checks for scripts
    /// that close their window included); errors are swallowed.  The
    /// console starts empty for the new page.
    void ShowInInternalBrowser(const QString &head, const QString &body,
                               const QString &libraryScript) override;
    /// Opens a file with the default browser; a failure is reported.
    void OpenInDefaultBrowser(const QString &path);
    /// Writes the preview page: its path, or why it could not be written.
    /// pageFolder: the folder the page's relative addresses start from
    /// (that of the document's file); empty for the page's own.
    PreviewWrite WritePreviewPage(const QString &head, const QString &body, const QString &pageFolder = QString());

    PreviewPane *pane() const { return m_pane; }

    /// "Preview beside editors": the preview pane moves from the Preview
    /// tab to the right of the editors and follows every change.
    void setPreviewBeside(bool on);
    bool previewBeside() const { return m_beside; }
    /// The embedded browser's loads and its watch over the page shown
    /// (beside the editors it also follows the typing).
    LiveReload &liveReload() { return m_live; }

signals:
    /// A page loaded beside the editors (ok: it loaded without error).
    void livePageLoaded(bool ok);

private:
    /// The page's path, or empty after the reason was shown in a box.
    QString writePageOrSayWhy(const QString &head, const QString &body, const QString &pageFolder);
    /// The folder of the document's file; empty when it has none.
    QString documentFolder() const;
    void DetectBrowsers(ActionRegistry &actions);
    /// The drop-downs' browser items for the browsers offered.
    void showBrowserItems();
    QStringList savedBrowserChoice() const;
    void saveBrowserChoice(const QStringList &ids);
    /// Brings the browser forward; here there is nothing to bring: true
    /// when a browser is set.
    bool ActivateBrowser() const;
    /// Hands the address (and the same page as path) to browser, which is
    /// the one set; false when it could not be started.  One that fails at
    /// once is reported when it has.
    bool OpenUrlInBrowser(const InstalledBrowser &browser, const QString &address, const QString &path);
    void reportBrowserFailure(const QString &program, const QString &errorOutput);
    /// The script of the focused library into head and body, or the
    /// editors' when no library tree has the focus; false when the library
    /// could not give it (it has said why).  pageFolder: the document's
    /// folder for the editors' script, else empty.
    bool scriptOfFocusedSource(QString &head, QString &body, QString &pageFolder);
    void previewInBrowser(int tag, const QString &head, const QString &body, const QString &pageFolder);
    void refuse();
    void warnOfClose();
    void focusCurrentEditor();
    void setPageQuietly(QWidget *page);
    void dropInternalBrowser();
    void showErrorCount(int errors);
    /// Puts the caret on a line of HEAD or BODY in the Editor tab.
    void goToPlace(const ScriptPlace &place);
    void togglePreviewBeside();
    /// The pane into holder's layout (the Preview tab or the side page).
    void placePane(QWidget *holder);
    /// Switches the toggle off for good, saying why in its hint.
    void disablePreviewBeside(const QString &reason);
    /// A line of ours in the console.
    void tellConsole(ConsoleLevel level, const QString &text);
    void pageLoaded(bool ok);

    // The loads of the embedded browser, as LiveReload drives them: a
    // load of the Preview tab waits in m_pendingLoad, beside the editors
    // the editors' script is loaded.
    void askPage(std::function<void()> answered) override;
    void endStuckPage() override;
    void loadPage() override;
    /// Runs load once the page shown has answered or was ended.
    void loadWhenFree(std::function<void()> load);
    void loadEditorsBeside();

    const Ports &m_ports;  // its menus and selection are read when used
    Prompter &m_prompter;
    ScriptEditors &m_editors;
    DesktopShell &m_shell;
    WebBrowsers &m_browsers;
    LibraryService &m_libraries;
    /// Every browser installed, by name, and those of tags 1 and 2.
    QList<InstalledBrowser> m_installed;
    QList<InstalledBrowser> m_offered;
    QString m_serviceApplication;
    bool m_browsersDetected = false;
    Pages m_parts;
    std::unique_ptr<PreviewFile> m_file;
    PreviewPane *m_pane = nullptr;
    PreviewPageLines m_pageLines;  // of the page last written for the Preview tab
    QLabel *m_errorLabel = nullptr;
    InternalBrowserFactory *m_factory = nullptr;
    bool m_available = false;
    bool m_switching = false;

    ActionRegistry &m_actions;
    LiveReload m_live;
    bool m_beside = false;
    QWidget *m_sidePage = nullptr;   // the pane's place beside the editors
    QList<int> m_besideSizes;        // the splitter as the user left it, for the run
    QList<QMetaObject::Connection> m_editorChanges;
    bool m_stuckPageEnded = false;   // the page before the one loading was ended
    std::function<void()> m_pendingLoad;  // the Preview tab's load waiting for the page
};
