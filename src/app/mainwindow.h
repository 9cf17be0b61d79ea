#pragma once
// TVM_Quillon_MF, the one main window: it owns the menus, toolbars,
// resource tabs, the two fragment editors, the Preview tab and the status
// bar, and hands the work to one controller per subsystem.

#include "app/appconfig.h"
#include "ports/ports.h"

#include <QMainWindow>

#include <memory>

class ActionRegistry;
class BuiltInLibrary;
class CustomColours;
class QSettings;
class LibraryService;
class Prompter;
class DocumentController;
class DoctorController;
class DockableToolBar;
struct EditorSettings;
class EditorSettingsFile;
class EditController;
class HelpController;
class PreviewController;
class QLabel;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QToolBar;
class QToolButton;
class RecoveryController;
class ResourceTabs;
class ScriptEditors;
class StatusPanels;
class LibraryFinder;
class UserLibraryController;
class ViewController;

class TVM_Quillon_MF final : public QMainWindow {
    Q_OBJECT
public:
    explicit TVM_Quillon_MF(const AppConfig &config, QWidget *parent = nullptr);
    ~TVM_Quillon_MF() override;

    /// Shows the window maximised and laid out once, at its final size: it
    /// takes the work area of its screen before it is shown, which it fills
    /// when no window manager maximises it.  The first time it leaves the
    /// maximised state it goes back to its design size.
    void showMaximizedAtStart();
    /// Shows the window as the view settings left it: maximised (restoring
    /// to the design size), or normal at the bounds kept.
    void showAtStart();
    /// The window's arrangement, read at creation and written at close.
    void LoadViewSettings();
    /// False when the settings could not be written (the user was told).
    bool SaveViewSettings();
    /// The program's settings store (the file of the configuration, or the
    /// system's store).
    std::unique_ptr<QSettings> openSettings() const;

    Prompter &prompter() const { return *m_config.prompter; }
    ActionRegistry &actions() const { return *m_actions; }
    ScriptEditors &editors() const { return *m_editors; }
    StatusPanels &statusPanels() const { return *m_status; }
    LibraryService &libraries() const { return *m_libraries; }
    /// The seams the controllers were given, every one set.
    const Ports &ports() const { return m_ports; }

    // The parts, for the controllers and the tests.
    ViewController &view() const { return *m_view; }
    EditController &editing() const { return *m_edit; }
    DocumentController &document() const { return *m_document; }
    RecoveryController &recovery() const { return *m_recovery; }
    DoctorController &doctor() const { return *m_doctor; }
    PreviewController &preview() const { return *m_preview; }
    UserLibraryController &userLibrary() const { return *m_userLibrary; }
    LibraryFinder &libraryFinder() const { return *m_finder; }
    BuiltInLibrary &builtInLibrary() const { return *m_builtIn; }
    ResourceTabs *resourceTabs() const { return m_resourceTabs; }
    QTabWidget *mainBook() const { return m_mainBook; }
    QWidget *editorPage() const { return m_editorPage; }
    QWidget *previewPage() const { return m_previewPage; }
    QStackedWidget *noteBook() const { return m_noteBook; }
    DockableToolBar *mainToolbar() const { return m_mainToolbar; }
    DockableToolBar *scriptToolbar() const { return m_scriptToolbar; }
    DockableToolBar *htmlToolbar() const { return m_htmlToolbar; }
    QToolBar *menuBarHolder() const { return m_menuBarHolder; }
    QWidget *rightPanel() const { return m_panel3; }
    const AppConfig &config() const { return m_config; }
    /// The editors' styles and keys (editsett.dat in the library's folder).
    const EditorSettings &editorSettings() const { return *m_editorSettings; }
    QString editorSettingsPath() const;

    /// The menu of the toolbar areas: the View menu's toolbar toggles.
    QMenu *createPopupMenu() override;

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenusAndToolbars();
    void buildCentre();
    QWidget *buildEditorPage();
    QWidget *buildRightPanel();
    void firstShow();
    void loadEditorSettings();
    bool saveEditorSettings();
    void applyEditorSettings();
    void showEditorOptions();

    AppConfig m_config;
    ActionRegistry *m_actions = nullptr;
    StatusPanels *m_status = nullptr;
    ScriptEditors *m_editors = nullptr;
    LibraryService *m_libraries = nullptr;
    Ports m_ports;  // filled as the parts are made; the controllers keep it

    QToolBar *m_menuBarHolder = nullptr;   // MainMenu981
    DockableToolBar *m_mainToolbar = nullptr;
    DockableToolBar *m_scriptToolbar = nullptr;
    DockableToolBar *m_htmlToolbar = nullptr;
    ResourceTabs *m_resourceTabs = nullptr;  // PGC_Lib
    QSplitter *m_splitter3 = nullptr;
    QMainWindow *m_editorArea = nullptr;     // PNL_Edytor with the two vertical toolbars
    QSplitter *m_besideSplitter = nullptr;  // MainBook and the preview beside it
    QTabWidget *m_mainBook = nullptr;
    QWidget *m_editorPage = nullptr;         // TAB_Glowny
    QWidget *m_previewPage = nullptr;        // TAB_Preview
    QStackedWidget *m_noteBook = nullptr;
    QWidget *m_headPanel = nullptr;          // PNL_HEAD
    QWidget *m_bodyPanel = nullptr;          // PNL_BODY
    QSplitter *m_splitter2 = nullptr;
    QWidget *m_panel3 = nullptr;

    ViewController *m_view = nullptr;
    DocumentController *m_document = nullptr;
    EditController *m_edit = nullptr;
    HelpController *m_help = nullptr;
    PreviewController *m_preview = nullptr;
    UserLibraryController *m_userLibrary = nullptr;
    LibraryFinder *m_finder = nullptr;
    BuiltInLibrary *m_builtIn = nullptr;
    RecoveryController *m_recovery = nullptr;
    DoctorController *m_doctor = nullptr;
    std::unique_ptr<QSettings> m_colourSettings;  // the colour buttons' custom colours
    std::unique_ptr<CustomColours> m_customColours;
    std::unique_ptr<EditorSettings> m_editorSettings;
    std::unique_ptr<EditorSettingsFile> m_editorSettingsFile;
    bool m_shown = false;
    bool m_designSizeOnRestore = false;
    bool m_startMaximized = true;
    QRect m_startBounds;
};
