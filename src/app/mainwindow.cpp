#include "app/mainwindow.h"

#include "analysis/elementlistcontroller.h"
#include "analysis/elementlistview.h"
#include "analysis/languagetreecontroller.h"
#include "analysis/languagetreewidget.h"
#include "app/actiontable.h"
#include "app/helpcontroller.h"
#include "app/resourcetabs.h"
#include "app/viewcontroller.h"
#include "app/viewsettings.h"
#include "doctor/doctorcontroller.h"
#include "document/documentcontroller.h"
#include "document/editcontroller.h"
#include "document/recoverycontroller.h"
#include "document/scripteditors.h"
#include "document/scripttext.h"
#include "editor/editoroptionsdialog.h"
#include "editor/editorsettingsfile.h"
#include "editor/highlightscheme.h"
#include "editor/schemelexer.h"
#include "editor/scripteditor.h"
#include "library/builtin/builtinlibrary.h"
#include "library/libraryfinder.h"
#include "library/librarypeek.h"
#include "library/libraryservice.h"
#include "library/userlibrarycontroller.h"
#include "library/userlibrarytree.h"
#include "platform/errors.h"
#include "platform/prompter.h"
#include "platform/savefile.h"
#include "platform/textfile.h"
#include "preview/browserloader.h"
#include "preview/internalbrowser.h"
#include "preview/previewconsole.h"
#include "preview/previewcontroller.h"
#include "preview/previewpane.h"
#include "widgets/accessiblenames.h"
#include "widgets/actions.h"
#include "widgets/colourbutton.h"
#include "widgets/dockabletoolbar.h"
#include "widgets/handcursor.h"
#include "widgets/panecycle.h"
#include "widgets/panels.h"
#include "widgets/scrollingpanel.h"
#include "widgets/statuspanels.h"
#include "wizards/htmlwizards.h"
#include "wizards/scriptwizards.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

/// The editor area: a main window of its own inside the splitter, for the
/// two vertical toolbars.  Its toolbar areas offer the window's menu.
class EditorArea final : public QMainWindow {
public:
    EditorArea(QMainWindow *window, QWidget *parent) : QMainWindow(parent), m_window(window) {}
    QMenu *createPopupMenu() override { return m_window->createPopupMenu(); }

private:
    QMainWindow *m_window;
};

// The user library's open categories, "row:name" each.
const QString kOpenCategoriesKey = QStringLiteral("View/User_library_open");

// Where the window stands and how large it is when it is not maximised.
const QRect kDesignGeometry(50, 50, 550, 400);

} // namespace

TVM_Quillon_MF::TVM_Quillon_MF(const AppConfig &config, QWidget *parent) : QMainWindow(parent), m_config(config)
{
    Q_ASSERT(config.prompter && config.shell && config.browsers && config.help);
    setObjectName(QStringLiteral("VM_Quillon_MF"));
    setWindowTitle(applicationTitle());
    setWindowIcon(appIcon(QStringLiteral("quillon")));
    m_config.prompter->setParentWindow(this);

    m_actions = new ActionRegistry(this, actionTable(), findLayout);
    m_editors = new ScriptEditors(this);
    m_status = new StatusPanels(statusBar());
    statusBar()->setObjectName(QStringLiteral("StatusBar"));

    buildMenusAndToolbars();
    buildCentre();

    // Hints of every action and widget under the mouse go to the status
    // bar's last panel.
    qApp->installEventFilter(this);

    // The seams the controllers are given: the window's services first,
    // then each part's interfaces as soon as the part is made.  Every one
    // is set before the window can be shown, so before any command runs.
    m_libraries = new LibraryService(this);
    m_colourSettings = openSettings();
    m_colourSettings->beginGroup(viewSettingsGroup());
    m_customColours = std::make_unique<CustomColours>(m_colourSettings.get());
    m_ports.prompter = m_config.prompter;
    m_ports.help = m_config.help;
    m_ports.shell = m_config.shell;
    m_ports.browsers = m_config.browsers;
    m_ports.actions = m_actions;
    m_ports.editors = m_editors;
    m_ports.status = m_status;
    m_ports.libraries = m_libraries;
    m_ports.libraryTexts = m_libraries;
    m_ports.customColours = m_customColours.get();

    QList<QMenu *> editorMenus;
    for (const char *id : {"MMNU_Tools", "MMNU_Find", "MMNU_Edit", "MMNU_HTML"})
        editorMenus << m_actions->menu(QString::fromLatin1(id));
    ViewController::Parts parts;
    parts.resourceTabs = m_resourceTabs;
    parts.mainBook = m_mainBook;
    parts.previewPage = m_previewPage;
    parts.mainToolbar = m_mainToolbar;
    parts.scriptToolbar = m_scriptToolbar;
    parts.htmlToolbar = m_htmlToolbar;
    parts.menuBarHolder = m_menuBarHolder;
    parts.editorMenus = editorMenus;
    m_view = new ViewController(m_ports, parts, this);
    m_ports.menus = m_view;

    m_builtIn = new BuiltInLibrary(
        {m_resourceTabs->builtInLayout(), m_resourceTabs->builtInStrip(), m_noteBook, m_splitter2}, m_ports, this);
    m_ports.settingsPages = m_builtIn;
    m_ports.selection = m_builtIn;
    // The settings pages give way to whatever another tab shows.
    connect(m_resourceTabs, &QTabWidget::currentChanged, m_builtIn, [this] { m_builtIn->hideSettingsPages(); });
    m_help = new HelpController(m_ports, this);

    PreviewController::Pages pages;
    pages.mainBook = m_mainBook;
    pages.editorPage = m_editorPage;
    pages.previewPage = m_previewPage;
    pages.tempFolder = m_config.tempFolder;
    pages.internalBrowserAllowed = m_config.internalBrowserAllowed;
    pages.statusBar = statusBar();
    pages.besideSplitter = m_besideSplitter;
    pages.viewSettings = [this] {
        std::unique_ptr<QSettings> store = openSettings();
        store->beginGroup(viewSettingsGroup());
        return store;
    };
    m_preview = new PreviewController(m_ports, pages, this);
    m_ports.pages = m_preview;
    m_ports.preview = m_preview;
    connect(m_view, &ViewController::previewRequested, m_preview, &PreviewController::POP_PodgladClick);

    m_edit = new EditController(m_ports, this);
    m_ports.drops = m_edit;
    m_ports.insertion = m_edit;
    m_document = new DocumentController(m_ports, this);
    m_ports.document = m_document;
    connect(m_document, &DocumentController::fileChanged, this, [this] {
        setWindowTitle(m_document->windowTitle());
        setWindowModified(m_editors->exist() && m_editors->isModified());
    });
    if (!m_config.printFolder.isEmpty())
        m_document->setPrintFolder(m_config.printFolder);
    m_document->setSettingsStore(pages.viewSettings);
    m_userLibrary =
        new UserLibraryController(m_ports, m_config.userLibraryFolder, m_resourceTabs->userLibraryLayout(), this);
    m_ports.treeClipboard = m_userLibrary;
    m_builtIn->attachCommands();
    // One search field over both libraries' trees, and a look at the
    // selected script below the user library's.
    QSplitter *libraries = m_resourceTabs->librariesSplitter();
    m_finder = new LibraryFinder(m_ports, m_userLibrary->store(), {m_userLibrary->tree(), m_builtIn->tree()},
                                 qobject_cast<QBoxLayout *>(libraries->parentWidget()->layout()), this);
    connect(m_userLibrary, &UserLibraryController::treeRebuilt, m_finder, &LibraryFinder::refilter);
    // The Libraries tab, reached with F6 or by its tab, starts at the find
    // field above its trees.
    m_resourceTabs->widget(0)->setFocusProxy(m_finder->field());
    // Tab goes from each tree or list to the buttons of its strip; in the
    // Libraries tab from the field down: the built-in library and its
    // buttons, then the user library and its.
    QWidget::setTabOrder(m_finder->field(), m_builtIn->tree());
    QWidget *afterBuiltIn = tabThroughStrip(m_builtIn->tree(), m_resourceTabs->builtInStrip());
    if (auto *userStrip = findChild<QToolBar *>(QStringLiteral("PNL_UserStrip"))) {
        QWidget::setTabOrder(afterBuiltIn, m_userLibrary->tree());
        tabThroughStrip(m_userLibrary->tree(), userStrip);
    }
    if (auto *strip = findChild<QToolBar *>(QStringLiteral("PNL_LanguagesStrip")))
        tabThroughStrip(m_resourceTabs->languageTree(), strip);
    if (auto *strip = findChild<QToolBar *>(QStringLiteral("PNL_FunctionsStrip")))
        tabThroughStrip(m_resourceTabs->functionList(), strip);
    auto *peek = new LibraryPeek(
        *m_editors, m_userLibrary->store(), m_userLibrary->tree(), m_builtIn->tree(),
        [this] { return m_builtIn->peekScript(); }, m_userLibrary->treeSplitter(), this);
    connect(m_builtIn, &BuiltInLibrary::settingsEdited, peek, &LibraryPeek::refreshBuiltIn);
    // A file saved with Save as may have gone into the library's folder.
    connect(m_document, &DocumentController::saveAsDone, m_userLibrary, &UserLibraryController::Okresl_Skrypty);
    new HtmlWizards(m_ports, this);
    new ScriptWizards(m_ports, this);
    m_recovery = new RecoveryController(m_ports, m_config.recoveryFolder, QCoreApplication::applicationPid(), this);
    connect(m_recovery, &RecoveryController::restored, m_document, &DocumentController::HEAD_EDChange);
    new ElementListController(m_ports, m_resourceTabs->functionList(), m_resourceTabs, this);
    new LanguageTreeController(m_ports, m_resourceTabs->languageTree(), m_resourceTabs, this);
    m_doctor = new DoctorController(m_ports, m_resourceTabs->problemsLayout(), this);
    Q_ASSERT(m_ports.complete());

    // F6 goes round the panes in screen order, each time to the pane's
    // first control (the page itself in the preview).
    auto *panes = new PaneCycle(
        {[this]() -> QWidget * { return m_resourceTabs->isVisible() ? m_resourceTabs->currentWidget() : nullptr; },
         [this]() -> QWidget * { return m_noteBook->isVisible() ? m_noteBook->currentWidget() : nullptr; },
         [this]() -> QWidget * { return m_editors->head(); }, [this]() -> QWidget * { return m_editors->body(); },
         [this]() -> QWidget * {
             PreviewPane *pane = m_preview->pane();
             return pane && pane->browser() ? pane->browser()->widget() : nullptr;
         },
         [this]() -> QWidget * { return m_preview->pane() ? m_preview->pane()->console() : nullptr; }},
        this);
    m_actions->bind("view.nextPane", panes, [panes] { static_cast<void>(panes->next()); });
    m_actions->bind("view.previousPane", panes, [panes] { static_cast<void>(panes->previous()); });
    // Ctrl+Page Down and Up turn the resource tabs' pages while the focus
    // is in them; the focus goes to the first control of the page shown.
    const auto turnResourceTabs = [this](int step) {
        const int count = m_resourceTabs->count();
        const bool inside = m_resourceTabs->isAncestorOf(QApplication::focusWidget());
        const bool onTabs = QApplication::focusWidget() == m_resourceTabs->tabBar();
        m_resourceTabs->setCurrentIndex((m_resourceTabs->currentIndex() + step + count) % count);
        if (inside && !onTabs)
            if (QWidget *first = PaneCycle::focusTarget(m_resourceTabs->currentWidget()))
                first->setFocus(Qt::TabFocusReason);
    };
    for (const char *command : {"view.nextResourceTab", "view.previousResourceTab"})
        for (QAction *item : m_actions->placements(command))
            if (!item->shortcut().isEmpty())
                m_resourceTabs->addAction(item);
    m_actions->bind("view.nextResourceTab", this, [turnResourceTabs] { turnResourceTabs(1); });
    m_actions->bind("view.previousResourceTab", this, [turnResourceTabs] { turnResourceTabs(-1); });
    m_actions->bind("app.close", this, [this] { close(); });
    m_actions->bind("editor.settings", this, [this] { showEditorOptions(); });

    // The first preview must not make the window anew (it would come back
    // unmaximised).
    if (m_config.internalBrowserAllowed)
        prepareWindowForInternalBrowser(this);
    setGeometry(kDesignGeometry);
    LoadViewSettings();
}

TVM_Quillon_MF::~TVM_Quillon_MF()
{
    qApp->removeEventFilter(this);
}

void TVM_Quillon_MF::buildMenusAndToolbars()
{
    // The menu bar is a dockable bar of its own in the top dock, above the
    // main toolbar.
    auto *menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("MainMenu1"));
    menuBar->setNativeMenuBar(false);
    for (const MenuLayout &layout : mainMenuLayout())
        menuBar->addMenu(m_actions->menu(QString::fromLatin1(layout.id)));
    m_menuBarHolder = new QToolBar(QStringLiteral("Main Menu Bar"), this);
    m_menuBarHolder->setObjectName(QStringLiteral("MainMenu981"));
    m_menuBarHolder->setMovable(true);
    m_menuBarHolder->setFloatable(true);
    m_menuBarHolder->addWidget(menuBar);
    addToolBar(Qt::TopToolBarArea, m_menuBarHolder);
    addToolBarBreak(Qt::TopToolBarArea);

    m_mainToolbar = new DockableToolBar(QStringLiteral("MainToolbar"), QStringLiteral("Main toolbar"), this);
    m_actions->fillToolbar(m_mainToolbar, QStringLiteral("MainToolbar"));
    m_mainToolbar->setIconSize(QSize(22, 22));
    addToolBar(Qt::TopToolBarArea, m_mainToolbar);
}

void TVM_Quillon_MF::buildCentre()
{
    auto *centre = new QWidget(this);
    centre->setObjectName(QStringLiteral("Chwytak_Centre"));
    auto *row = new QHBoxLayout(centre);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    m_splitter3 = new QSplitter(Qt::Horizontal, centre);
    m_splitter3->setObjectName(QStringLiteral("Splitter3"));
    m_splitter3->setHandleWidth(3);
    m_splitter3->setChildrenCollapsible(false);

    m_resourceTabs = new ResourceTabs(*m_actions, m_splitter3);

    // The editor area has the two vertical toolbars at its sides, so it is
    // a main window of its own inside the splitter.
    m_editorArea = new EditorArea(this, m_splitter3);
    m_editorArea->setWindowFlags(Qt::Widget);  // a QMainWindow is always made as a window
    m_editorArea->setObjectName(QStringLiteral("PNL_Edytor_Host"));
    m_scriptToolbar = new DockableToolBar(QStringLiteral("ScriptToolbar"), QStringLiteral("Scripting toolbar"), m_editorArea);
    m_scriptToolbar->setOrientation(Qt::Vertical);
    m_actions->fillToolbar(m_scriptToolbar, QStringLiteral("ScriptToolbar"));
    m_scriptToolbar->setIconSize(QSize(20, 20));
    m_editorArea->addToolBar(Qt::LeftToolBarArea, m_scriptToolbar);
    m_htmlToolbar = new DockableToolBar(QStringLiteral("HTMLToolbar"), QStringLiteral("HTML toolbar"), m_editorArea);
    m_htmlToolbar->setOrientation(Qt::Vertical);
    m_actions->fillToolbar(m_htmlToolbar, QStringLiteral("HTMLToolbar"));
    m_htmlToolbar->setIconSize(QSize(20, 20));
    m_editorArea->addToolBar(Qt::RightToolBarArea, m_htmlToolbar);

    auto *editorPanel = new QWidget(m_editorArea);
    editorPanel->setObjectName(QStringLiteral("PNL_Edytor"));
    auto *editorColumn = new QVBoxLayout(editorPanel);
    editorColumn->setContentsMargins(0, 0, 0, 0);
    editorColumn->setSpacing(0);
    // The preview beside the editors stands to MainBook's right when the
    // user asks for it; until then MainBook is the splitter's only part.
    m_besideSplitter = new QSplitter(Qt::Horizontal, editorPanel);
    m_besideSplitter->setObjectName(QStringLiteral("SplitterPreviewBeside"));
    m_besideSplitter->setHandleWidth(3);
    m_besideSplitter->setChildrenCollapsible(false);
    m_mainBook = new QTabWidget(m_besideSplitter);
    m_mainBook->setObjectName(QStringLiteral("MainBook"));
    m_mainBook->setStatusTip(QStringLiteral("Select a tab"));
    m_mainBook->setIconSize(QSize(16, 16));
    m_mainBook->setDocumentMode(true);
    m_editorPage = buildEditorPage();
    m_mainBook->addTab(m_editorPage, appIcon(QStringLiteral("FUNKCJA2")), QStringLiteral("Editor"));
    m_previewPage = new QWidget(m_mainBook);
    m_previewPage->setObjectName(QStringLiteral("TAB_Preview"));
    m_mainBook->addTab(m_previewPage, appIcon(QStringLiteral("PODGLAD")), QStringLiteral("Preview"));
    m_mainBook->setTabVisible(1, false);
    // In a narrow window the editors give way before the panels at their
    // sides: room for the Editor tab is enough, the tab bar scrolls.
    m_mainBook->setMinimumWidth(m_mainBook->tabBar()->tabRect(0).width());
    m_besideSplitter->addWidget(m_mainBook);
    editorColumn->addWidget(m_besideSplitter, 1);

    // The built-in scripts' settings pages stand under the editors when a
    // built-in script is chosen; hidden until then.
    m_noteBook = new QStackedWidget(editorPanel);
    m_noteBook->setObjectName(QStringLiteral("NoteBook"));
    m_noteBook->hide();
    // A page wider than the window scrolls sideways instead of widening it.
    editorColumn->addWidget(new ScrollingPanel(m_noteBook, editorPanel));
    m_editorArea->setCentralWidget(editorPanel);

    m_splitter3->addWidget(m_resourceTabs);
    m_splitter3->addWidget(m_editorArea);
    m_splitter3->setStretchFactor(0, 0);
    m_splitter3->setStretchFactor(1, 1);
    // The design's 250 pixels, or what the tabs and their buttons need (the
    // splitter never gives them less).
    m_splitter3->setSizes({qMax(250, m_resourceTabs->minimumSizeHint().width()), 800});
    row->addWidget(m_splitter3, 1);

    m_panel3 = buildRightPanel();
    row->addWidget(m_panel3);
    setCentralWidget(centre);
}

QWidget *TVM_Quillon_MF::buildEditorPage()
{
    auto *page = new QWidget(m_mainBook);
    page->setObjectName(QStringLiteral("TAB_Glowny"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    m_splitter2 = new QSplitter(Qt::Vertical, page);
    m_splitter2->setObjectName(QStringLiteral("Splitter2"));
    m_splitter2->setHandleWidth(3);
    m_splitter2->setChildrenCollapsible(false);
    m_headPanel = makeCaptionedPanel(QStringLiteral("PNL_HEAD"),
                                     QStringLiteral("This part should be put in the <HEAD> section of your HTML page"),
                                     m_splitter2, nullptr);
    m_bodyPanel = makeCaptionedPanel(QStringLiteral("PNL_BODY"),
                                     QStringLiteral("This part should be put at the caret position of your HTML page"),
                                     m_splitter2, nullptr);
    m_headPanel->setMinimumHeight(50);
    m_bodyPanel->setMinimumHeight(50);
    m_splitter2->addWidget(m_headPanel);
    m_splitter2->addWidget(m_bodyPanel);
    m_splitter2->setStretchFactor(0, 0);
    m_splitter2->setStretchFactor(1, 1);
    m_splitter2->setSizes({130, 400});
    layout->addWidget(m_splitter2);
    return page;
}

QWidget *TVM_Quillon_MF::buildRightPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel3"));
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(3, 4, 3, 4);
    column->setSpacing(4);
    const auto bigButton = [&](const char *id, const char *menuId) {
        auto *button = new QToolButton(panel);
        button->setObjectName(QString::fromLatin1(id));
        button->setDefaultAction(m_actions->action(QString::fromLatin1(id)));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(32, 32));
        button->setAutoRaise(false);
        // A click leaves the keyboard focus where it was ("Copy script from
        // library" asks which library tree has it); Tab reaches the button.
        button->setFocusPolicy(Qt::TabFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setMinimumHeight(64);
        if (menuId) {
            button->setMenu(m_actions->menu(QString::fromLatin1(menuId)));
            button->setPopupMode(QToolButton::MenuButtonPopup);
        }
        column->addWidget(button);
        return button;
    };
    bigButton("Przycisk_OK", "POP_PRev_Ed");
    bigButton("BTN_DoSchowka", "POP_Clip");
    column->addStretch(1);
    bigButton("Przycisk_Anuluj", nullptr);
    bigButton("Przycisk_Pomoc", nullptr);
    // The design's 80 pixels, or what the widest button needs for its
    // caption, icon and arrow in the current font.
    panel->setFixedWidth(qMax(80, column->minimumSize().width()));
    return panel;
}

QMenu *TVM_Quillon_MF::createPopupMenu()
{
    return m_view->createToolbarMenu(this);
}

void TVM_Quillon_MF::showMaximizedAtStart()
{
    if (QScreen *where = screen()) {
        setGeometry(where->availableGeometry());
        m_designSizeOnRestore = true;
    }
    showMaximized();
}

void TVM_Quillon_MF::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !m_designSizeOnRestore)
        return;
    const Qt::WindowStates before = static_cast<QWindowStateChangeEvent *>(event)->oldState();
    if ((before & Qt::WindowMaximized) && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen |
                                                             Qt::WindowMinimized))) {
        m_designSizeOnRestore = false;
        // After the window manager has placed the window at its old size;
        // on a small screen at a large scale the design size is cut down to
        // the screen.
        QTimer::singleShot(0, this, [this] {
            const QScreen *where = screen();
            setGeometry(where ? fitToScreens(kDesignGeometry, {where->availableGeometry()}) : kDesignGeometry);
        });
    }
}

void TVM_Quillon_MF::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        firstShow();
    }
}

void TVM_Quillon_MF::firstShow()
{
    // 1. The user library tree, 2. the Preview tab, 3. the editors.
    m_userLibrary->Okresl_Skrypty();
    {
        const std::unique_ptr<QSettings> store = openSettings();
        store->beginGroup(viewSettingsGroup());
        m_userLibrary->setOpenCategories(store->value(kOpenCategoriesKey).toStringList());
    }
    // What start-up has to tell comes once the window is up, not over the
    // splash.
    if (!m_config.startupNotices.isEmpty())
        QTimer::singleShot(0, this, [this] {
            for (const StartupNotice &notice : std::as_const(m_config.startupNotices))
                prompter().ShowMessageBox(notice.icon, notice.title, notice.text);
        });
    m_preview->setUpPreviewTab();

    m_editors->create(m_headPanel, m_bodyPanel);
    ScriptEditor *head = m_editors->head();
    ScriptEditor *body = m_editors->body();
    head->setStatusTip(QStringLiteral("Editor of the HEAD fragment"));
    body->setStatusTip(QStringLiteral("Editor of the BODY fragment"));
    head->setAccessibleName(QStringLiteral("HEAD fragment"));
    body->setAccessibleName(QStringLiteral("BODY fragment"));
    // The editors came after the window showed: they and the rest are
    // named for screen readers now.
    m_resourceTabs->setAccessibleName(QStringLiteral("Resource tabs"));
    nameForAssistiveTechnology(this);
    const QList<QKeySequence> keys = m_actions->liveShortcuts();
    for (ScriptEditor *editor : {head, body}) {
        installScheme(*editor, *m_editorSettings);
        applyEditorOptions(*editor, *m_editorSettings);
        editor->setPopupMenu(m_actions->menu(QStringLiteral("POPMENU")));
        editor->reserveKeys(keys);
        editor->setWholeText(startupScriptText());
        editor->show();
    }
    m_edit->attachEditors();
    m_document->attachEditors();
    // The title's modified mark (shown while the document has a file).
    for (ScriptEditor *editor : {head, body})
        connect(editor, &ScriptEditor::changed, this, [this] { setWindowModified(m_editors->isModified()); });
    m_recovery->attachEditors();
    // The file of the command line is read once the window is up, as Open
    // would, and before the offer of work a crash left behind, which may
    // then replace it.
    if (!m_config.startupFile.isEmpty())
        QTimer::singleShot(0, this, guarded([this] { static_cast<void>(m_document->openFile(m_config.startupFile)); }));
    // Work a crash left behind is offered once the window and the
    // start-up notices are up.
    QTimer::singleShot(0, m_recovery, &RecoveryController::offerOrphans);

    // 4. The focus in BODY_ED, at the empty line inside the block.
    // The window is up by now; the caret goes to its line all the same.
    static_cast<void>(body->focusEditor());
    body->setCaretLineColumn(3, 1);
    // 5. The Wordwrap marks follow BODY_ED.
    m_actions->setChecked("view.wordWrap", body->wordWrapOn());

    applyHandCursorSetting(this);
}

void TVM_Quillon_MF::closeEvent(QCloseEvent *event)
{
    if (m_editors->isModified() &&
        prompter().AskYesNo(QStringLiteral("Confirm!"), QStringLiteral("Current script is not saved, continue ?")) != AnswerYes) {
        event->ignore();
        return;
    }
    m_recovery->closedCleanly();
    SaveViewSettings();
    event->accept();
}

bool TVM_Quillon_MF::event(QEvent *event)
{
    // The first embedded browser turns the window into one drawn with
    // OpenGL, and its native window is made anew: the new one takes the
    // keyboard the old one had.
    if (event->type() == QEvent::WinIdChange && m_shown && isVisible())
        QTimer::singleShot(0, this, [this] { activateWindow(); });
    return QMainWindow::event(event);
}

bool TVM_Quillon_MF::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        // Hints of this window's actions and widgets, wherever they come
        // from (menus and floating toolbars are windows of their own).
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && (widget == this || isAncestorOf(widget) || widget->window()->parentWidget() == this ||
                       qobject_cast<QMenu *>(widget))) {
            m_status->showHint(static_cast<QStatusTipEvent *>(event)->tip());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}


// --- view settings ----------------------------------------------------------------------

namespace {

// The panel sizes of the design are for a 100 % scale.
int scaled(int pixels, const QWidget *window)
{
    const QScreen *where = window->screen();
    const qreal factor = where ? where->logicalDotsPerInch() / 96.0 : 1.0;
    return qRound(pixels * qMax<qreal>(factor, 1.0));
}

const char *const kDockNames[] = {"Chwytak", "ChwytakScript", "ChwytakScript2"};

// Where a bar stands, by the name of its dock: the main window's top, the
// editor area's left and right; other places by area.
QString dockName(QMainWindow *owner, QToolBar *bar, bool editorArea)
{
    if (bar->isFloating())
        return {};
    switch (owner->toolBarArea(bar)) {
    case Qt::TopToolBarArea:
        return editorArea ? QStringLiteral("ChwytakScript_Top") : QString::fromLatin1(kDockNames[0]);
    case Qt::LeftToolBarArea:
        return editorArea ? QString::fromLatin1(kDockNames[1]) : QStringLiteral("Chwytak_Left");
    case Qt::RightToolBarArea:
        return editorArea ? QString::fromLatin1(kDockNames[2]) : QStringLiteral("Chwytak_Right");
    default:
        return editorArea ? QStringLiteral("ChwytakScript_Bottom") : QStringLiteral("Chwytak_Bottom");
    }
}

} // namespace

std::unique_ptr<QSettings> TVM_Quillon_MF::openSettings() const
{
    if (m_config.settingsFile.isEmpty())
        return std::make_unique<QSettings>();
    return std::make_unique<QSettings>(m_config.settingsFile, QSettings::IniFormat);
}

void TVM_Quillon_MF::LoadViewSettings()
{
    ViewSettings defaults;
    defaults.headSize = scaled(defaults.headSize, this);
    defaults.resourceSize = scaled(defaults.resourceSize, this);
    defaults.librariesSize = scaled(defaults.librariesSize, this);
    const std::unique_ptr<QSettings> store = openSettings();
    const ViewSettings view = loadViewSettings(*store, defaults);

    m_startMaximized = view.maximized;
    m_startBounds = QRect(view.left, view.top, view.width, view.height);
    // The bars' places as they were left, then which of them show.
    store->beginGroup(viewSettingsGroup());
    restoreState(QByteArray::fromHex(store->value(QStringLiteral("View/Toolbars/Layout")).toByteArray()));
    m_editorArea->restoreState(
        QByteArray::fromHex(store->value(QStringLiteral("View/Toolbars/EditorLayout")).toByteArray()));
    store->endGroup();
    for (int bar = 0; bar < 3; ++bar)
        if (view.toolbars[bar])
            m_view->setToolbarShown(bar, view.toolbars[bar]->visible);
    m_panel3->setVisible(view.userLibrary);
    m_splitter2->setSizes({view.headSize, qMax(1, m_splitter2->height() - view.headSize)});
    setHandPointSetting(view.handPoint);
    ApplyHandCursor(this, view.handPoint);
    m_view->setResourceTabsWidth(view.resourceSize);
    m_resourceTabs->setCurrentIndex(view.activeTab);
    m_view->setResourceTabsShown(view.resourceVisible);
    QSplitter *libraries = m_resourceTabs->librariesSplitter();
    libraries->setSizes({view.librariesSize, qMax(1, libraries->height() - view.librariesSize)});
    loadEditorSettings();
}

bool TVM_Quillon_MF::SaveViewSettings()
{
    ViewSettings view;
    const QRect bounds = geometry();
    view.left = bounds.left();
    view.top = bounds.top();
    view.width = bounds.width();
    view.height = bounds.height();
    view.maximized = isMaximized();
    const std::pair<QMainWindow *, QToolBar *> bars[4] = {
        {this, m_mainToolbar}, {m_editorArea, m_scriptToolbar}, {m_editorArea, m_htmlToolbar}, {this, m_menuBarHolder}};
    for (int i = 0; i < 4; ++i) {
        auto [owner, bar] = bars[i];
        ToolbarPlace place;
        place.visible = !bar->isHidden();
        place.dockedTo = dockName(owner, bar, owner == m_editorArea);
        if (bar->isFloating()) {
            place.floatLeft = bar->x();
            place.floatTop = bar->y();
        }
        view.toolbars[i] = place;
    }
    view.userLibrary = !m_panel3->isHidden();
    view.headSize = m_splitter2->sizes().value(0);
    view.handPoint = handPointSetting();
    // Hidden, the tabs keep the width they last had on the screen.
    view.resourceSize = m_view->resourceTabsWidth();
    view.activeTab = m_resourceTabs->currentIndex();
    view.resourceVisible = !m_resourceTabs->isHidden();
    view.librariesSize = m_resourceTabs->librariesSplitter()->sizes().value(0);

    const std::unique_ptr<QSettings> store = openSettings();
    store->beginGroup(viewSettingsGroup());
    store->setValue(QStringLiteral("View/Toolbars/Layout"), QString::fromLatin1(saveState().toHex()));
    store->setValue(QStringLiteral("View/Toolbars/EditorLayout"), QString::fromLatin1(m_editorArea->saveState().toHex()));
    // The user library's open categories, as the user left them (not as a
    // search opened them).
    m_finder->clear();
    store->setValue(kOpenCategoriesKey, m_userLibrary->openCategories());
    store->endGroup();
    bool saved = saveViewSettings(*store, view);
    if (!saved)
        prompter().ShowMessageBox(IconError, QStringLiteral("Error"),
                                  QStringLiteral("Cannot save the window's settings in %1.")
                                      .arg(QDir::toNativeSeparators(store->fileName())));
    return saveEditorSettings() && saved;
}

// --- the editors' styles and keys ---------------------------------------------------

QString TVM_Quillon_MF::editorSettingsPath() const
{
    return QDir(m_config.userLibraryFolder).filePath(QStringLiteral("editsett.dat"));
}

void TVM_Quillon_MF::loadEditorSettings()
{
    m_editorSettings = std::make_unique<EditorSettings>(defaultEditorSettings());
    m_editorSettingsFile.reset();
    if (m_config.userLibraryFolder.isEmpty())
        return;
    // No file yet is the first start, not an error; a file that cannot be
    // read leaves the built-in settings in place.
    m_editorSettingsFile = std::make_unique<EditorSettingsFile>(editorSettingsPath());
    m_editorSettingsFile->load(*m_editorSettings);
    const QString message = m_editorSettingsFile->loadMessage();
    if (!message.isEmpty())
        prompter().ShowMessageBox(IconError, QStringLiteral("Error!"), message);
}

bool TVM_Quillon_MF::saveEditorSettings()
{
    if (!m_editorSettingsFile || !m_editorSettings)
        return true;
    // Word wrap is switched in the editors; the file keeps their state.
    if (m_editors->exist())
        m_editorSettings->wordWrap = m_editors->body()->wordWrapOn();
    const SaveResult saved = m_editorSettingsFile->save(*m_editorSettings);
    if (saved.ok)
        return true;
    prompter().ShowMessageBox(
        IconError, QStringLiteral("Error!"),
        QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(editorSettingsPath())) +
            (saved.error.isEmpty() ? QString() : QStringLiteral("\r\n") + saved.error));
    return false;
}

void TVM_Quillon_MF::applyEditorSettings()
{
    if (!m_editors->exist())
        return;
    for (ScriptEditor *editor : {m_editors->head(), m_editors->body()}) {
        applyScheme(*editor, *m_editorSettings);
        applyEditorOptions(*editor, *m_editorSettings);
    }
    m_actions->setChecked("view.wordWrap", m_editorSettings->wordWrap);
}

void TVM_Quillon_MF::showEditorOptions()
{
    // Word wrap may have been switched in the editors since.
    if (m_editors->exist())
        m_editorSettings->wordWrap = m_editors->body()->wordWrapOn();
    EditorOptionsDialog dialog(*m_editorSettings, prompter(), *m_customColours, this);
    // The keys of the window's commands win over the editors' own (they
    // are taken from the editors): the dialog says which command has one.
    std::vector<WindowKey> windowKeys;
    for (const CommandEntry &entry : actionTable())
        if (entry.shortcut[0] && !(entry.flags & (ShortcutShownOnly | PartShortcut)))
            windowKeys.push_back({QString::fromLatin1(entry.shortcut),
                                  QString::fromUtf8(entry.caption).section(u'\t', 0, 0).remove(u'&').trimmed()});
    dialog.setWindowKeys(std::move(windowKeys));
    ApplyHandCursor(&dialog, handPointSetting());
    if (prompter().execDialog(dialog) == QDialog::Accepted) {
        *m_editorSettings = dialog.settings();
        applyEditorSettings();
    }
    // Whichever way the dialog closed, every setting is written.
    SaveViewSettings();
}

void TVM_Quillon_MF::showAtStart()
{
    if (m_startMaximized) {
        showMaximizedAtStart();
        return;
    }
    // The place it was left at may be on a screen that has gone, or too
    // large for the screen at today's scale.
    QList<QRect> areas;
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens)
        areas << screen->availableGeometry();
    const int primary = int(screens.indexOf(QGuiApplication::primaryScreen()));
    setGeometry(fitToScreens(m_startBounds, areas, primary < 0 ? 0 : primary));
    show();
}
