#include "preview/previewcontroller.h"

#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "library/libraryservice.h"
#include "platform/errors.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "platform/webbrowsers.h"
#include "preview/browseraddress.h"
#include "preview/browserchoicedialog.h"
#include "preview/browserloader.h"
#include "preview/internalbrowser.h"
#include "preview/previewconsole.h"
#include "preview/previewpage.h"
#include "preview/previewpane.h"
#include "widgets/actions.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

PreviewController::PreviewController(const Ports &ports, const Pages &parts, QObject *parent)
    : QObject(parent), m_ports(ports), m_prompter(*ports.prompter), m_editors(*ports.editors), m_shell(*ports.shell),
      m_browsers(*ports.browsers), m_libraries(*ports.libraries), m_parts(parts),
      m_file(std::make_unique<PreviewFile>(parts.tempFolder)), m_actions(*ports.actions), m_live(*this)
{
    ActionRegistry &actions = m_actions;
    actions.bind("preview.editors", this, &PreviewController::POP_PodgladClick);
    actions.bind("view.editorTab", this, &PreviewController::Showeditortab1Click);
    actions.bind("preview.editorsInDefaultBrowser", this, &PreviewController::Przycisk_OKClick);
    actions.bind("preview.libraryInDefaultBrowser", this, &PreviewController::POP_PRev_SystemClick);
    actions.bindTagged("preview.libraryInBrowser", this, &PreviewController::PMNU_Prev_MSIEClick);
    actions.bindTagged("preview.editorsInBrowser", this, &PreviewController::POP_Prev_Ed_MsieClick);
    actions.bind("preview.chooseBrowsers", this, &PreviewController::chooseBrowsers);
    actions.bind("view.previewBeside", this, &PreviewController::togglePreviewBeside);
    connect(&m_live, &LiveReload::stuckPageEnded, this, [this](bool reloading) {
        if (reloading)
            m_stuckPageEnded = true;  // said on the new page, whose load clears the console
        else
            tellConsole(ConsoleLevel::Error,
                        QStringLiteral("Stopped: the page did not answer for a second (a loop that never ends?). ") +
                            (m_beside ? QStringLiteral("The next change loads it again.")
                                      : QStringLiteral("Refresh loads it again.")));
    });
    // The browsers are looked up when a preview drop-down first opens (the
    // only way to their items), so the start does not wait for the lookup.
    for (const char *menu : {"Pop_Prev", "POP_PRev_Ed"})
        connect(actions.menu(QString::fromLatin1(menu)), &QMenu::aboutToShow, this,
                [this] { DetectBrowsers(m_actions); });

    connect(parts.mainBook, &QTabWidget::currentChanged, this, guarded([this](int index) {
                if (!m_switching)
                    MainBookChange(index);
            }));
}

PreviewController::~PreviewController() = default;

void PreviewController::setUpPreviewTab()
{
    const int index = m_parts.mainBook->indexOf(m_parts.previewPage);
    m_available = m_parts.internalBrowserAllowed && internalBrowserAvailable();
    m_parts.mainBook->setTabVisible(index, m_available);
    if (!m_available) {
        QString reason = QStringLiteral("The embedded browser is switched off.");
        if (m_parts.internalBrowserAllowed)
            loadInternalBrowser(&reason);  // loads nothing: it only says why not
        disablePreviewBeside(reason);
        return;
    }
    // The pane and its address strip are cheap; the browser inside it is
    // made on the first preview.
    m_pane = new PreviewPane(
        [this]() -> InternalBrowserFactory * {
            if (!m_factory) {
                QString error;
                m_factory = loadInternalBrowser(&error);
            }
            return m_factory;
        },
        m_parts.previewPage);
    auto *layout = new QVBoxLayout(m_parts.previewPage);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pane);
    // A page that asks to close its window is told no, and stays.
    m_pane->setCloseRequestHandler([this] { guarded([this] { warnOfClose(); })(); });
    m_pane->setLoadFinishedHandler([this](bool ok) { guarded([this, ok] { pageLoaded(ok); })(); });
    // The strip's loads and Stop are watched as the previews are.
    m_pane->setLoadGate([this](std::function<void()> load) { loadWhenFree(std::move(load)); });
    m_pane->setStoppedHandler([this] { m_live.checkNow(); });

    PreviewConsole *console = m_pane->console();
    m_pane->setConsoleMessageHandler(
        [this, console](const PageMessage &message) { console->addMessage(m_pageLines.locate(message)); });
    connect(console, &PreviewConsole::errorCountChanged, this, &PreviewController::showErrorCount);
    connect(console, &PreviewConsole::placeActivated, this, guarded([this](const ScriptPlace &place) { goToPlace(place); }));
    if (m_parts.statusBar) {
        m_errorLabel = new QLabel(m_parts.statusBar);
        m_errorLabel->setObjectName(QStringLiteral("StatusPreviewErrors"));
        m_errorLabel->setTextFormat(Qt::PlainText);
        m_errorLabel->setContentsMargins(4, 0, 4, 0);
        m_parts.statusBar->addPermanentWidget(m_errorLabel);
        m_errorLabel->hide();
    }
}

void PreviewController::showErrorCount(int errors)
{
    const int index = m_parts.mainBook->indexOf(m_parts.previewPage);
    m_parts.mainBook->setTabText(index, errors > 0 ? QStringLiteral("Preview (%1)").arg(errors)
                                                   : QStringLiteral("Preview"));
    m_parts.mainBook->setTabToolTip(index, previewErrorSummary(errors));
    if (m_errorLabel) {
        m_errorLabel->setText(previewErrorSummary(errors));
        m_errorLabel->setVisible(errors > 0);
    }
}

void PreviewController::goToPlace(const ScriptPlace &place)
{
    if (!place.inEditors() || !m_editors.exist())
        return;
    ScriptEditor *editor =
        place.fragment == ScriptPlace::Fragment::Head ? m_editors.head() : m_editors.body();
    leavePreviewTab();
    editor->setCaretLineColumn(place.line, 1);
    m_editors.setCurrent(editor);
    // Left by the Preview tab, the editor is shown and can take the focus.
    static_cast<void>(editor->focusEditor());
}

bool PreviewController::internalBrowserExists() const
{
    return m_available;
}

void PreviewController::setPageQuietly(QWidget *page)
{
    m_switching = true;
    m_parts.mainBook->setCurrentWidget(page);
    m_switching = false;
}

PreviewWrite PreviewController::WritePreviewPage(const QString &head, const QString &body, const QString &pageFolder)
{
    return m_file->WritePreviewPage(head, body, pageFolder);
}

QString PreviewController::documentFolder() const
{
    return m_ports.document ? m_ports.document->documentFolder() : QString();
}

QString PreviewController::writePageOrSayWhy(const QString &head, const QString &body, const QString &pageFolder)
{
    const PreviewWrite page = WritePreviewPage(head, body, pageFolder);
    if (!page.ok())
        m_prompter.ShowMessageBox(IconError, applicationTitle(), page.error);
    return page.path;
}

void PreviewController::focusCurrentEditor()
{
    if (ScriptEditor *editor = m_editors.current())
        static_cast<void>(editor->focusEditor());
}

void PreviewController::warnOfClose()
{
    if (m_beside) {
        // Beside the editors no box may stop the typing.
        tellConsole(ConsoleLevel::Warning,
                    QStringLiteral("The page asked to close its window; beside the editors it stays shown."));
        return;
    }
    m_prompter.ShowMessageBox(IconWarning, QStringLiteral("Warning!!"),
                              QStringLiteral("You should view this script using external browser!"));
}

void PreviewController::refuse()
{
    warnOfClose();
    Showeditortab1Click();
}

void PreviewController::dropInternalBrowser()
{
    // The browser could not be made after all: from now on every preview
    // goes to the default browser, as when there never was one.
    if (m_beside)
        setPreviewBeside(false);
    QString reason;
    loadInternalBrowser(&reason);
    disablePreviewBeside(reason.isEmpty() ? QStringLiteral("The embedded browser could not be started.") : reason);
    m_available = false;
    leavePreviewTab();
    m_parts.mainBook->setTabVisible(m_parts.mainBook->indexOf(m_parts.previewPage), false);
}

void PreviewController::enterPreviewTab()
{
    // Beside the editors the preview is always in sight: the editors stay.
    if (m_beside)
        return;
    setPageQuietly(m_parts.previewPage);
    m_ports.menus->setEditorMenusEnabled(false);
}

void PreviewController::ShowInInternalBrowser(const QString &head, const QString &body,
                                              const QString &libraryScript)
{
    enterPreviewTab();
    // Errors of the embedded preview are not reported; the Preview tab stays
    // as it is.
    // The editors' script is the document's: its file's relative
    // addresses lead where they do from the file's folder.
    const QString folder = libraryScript.isEmpty() ? documentFolder() : QString();
    const PreviewWrite page = WritePreviewPage(head, body, folder);
    if (!page.ok())
        return;
    {
        const QString &path = page.path;
        // Messages of the last page go with it, and the new page's lines are
        // told apart from now on.
        m_pageLines = PreviewPageLines(head, body, QUrl::fromLocalFile(path).toString(), libraryScript);
        if (m_pane)
            m_pane->console()->clear();
        // Only "Browser exit" is refused before it runs; any other script
        // that closes its window is stopped when it asks to.
        if (m_ports.selection->isBrowserExitSelected()) {
            refuse();
            return;
        }
        if (!m_pane || !m_pane->ensureBrowser()) {
            dropInternalBrowser();
            OpenInDefaultBrowser(path);
            return;
        }
        // The load waits for the page shown to answer (or to be ended); a
        // newer preview asked for meanwhile takes its place.
        loadWhenFree([this, path, folder] {
            try {
                m_pane->console()->clear();
                m_pane->showFile(path, true, folder);
                // The page takes the keys now (the editors it replaced are hidden).
                if (m_pane->browser()->widget())
                    m_pane->browser()->widget()->setFocus(Qt::OtherFocusReason);
            } catch (const std::exception &) {
            }
        });
    }
}

void PreviewController::POP_PodgladClick()
{
    ScriptEditors &editors = m_editors;
    if (!editors.exist())
        return;
    if (m_beside) {
        // The side pane is there already: load now and take the keys.
        m_live.reloadNow();
        if (m_pane->browser() && m_pane->browser()->widget())
            m_pane->browser()->widget()->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_available)
        ShowInInternalBrowser(editors.head()->wholeText(), editors.body()->wholeText(), QString());
    else
        Przycisk_OKClick();
}

void PreviewController::leavePreviewTab()
{
    setPageQuietly(m_parts.editorPage);
    m_ports.menus->setEditorMenusEnabled(true);
}

void PreviewController::Showeditortab1Click()
{
    leavePreviewTab();
    focusCurrentEditor();
}

void PreviewController::MainBookChange(int index)
{
    if (m_parts.mainBook->widget(index) == m_parts.previewPage)
        POP_PodgladClick();
    m_ports.menus->setEditorMenusEnabled(m_parts.mainBook->currentWidget() != m_parts.previewPage);
}

void PreviewController::Przycisk_OKClick()
{
    ScriptEditors &editors = m_editors;
    if (!editors.exist())
        return;
    if (const QString path =
            writePageOrSayWhy(editors.head()->wholeText(), editors.body()->wholeText(), documentFolder());
        !path.isEmpty())
        OpenInDefaultBrowser(path);
}

void PreviewController::OpenInDefaultBrowser(const QString &path)
{
    const int code = m_shell.openPath(path);
    if (code < 32)
        m_prompter.ShowMessageBox(
            IconError, QStringLiteral("Error!"),
            QStringLiteral("Cannot run the default system browser - error code %1").arg(code));
}

// --- the preview beside the editors ----------------------------------------------------

void PreviewController::togglePreviewBeside()
{
    setPreviewBeside(!m_beside);
}

void PreviewController::disablePreviewBeside(const QString &reason)
{
    const QString hint = QStringLiteral("Preview beside editors needs the embedded browser. ") + reason;
    m_actions.setEnabled("view.previewBeside", false);
    m_actions.setChecked("view.previewBeside", false);
    m_actions.setHint("view.previewBeside", hint);
}

void PreviewController::placePane(QWidget *holder)
{
    // Adding the pane to another layout takes it out of the one it was in:
    // the one browser moves, it is not made twice.
    holder->layout()->addWidget(m_pane);
    m_pane->show();
}

void PreviewController::setPreviewBeside(bool on)
{
    if (on && (!m_available || !m_pane || !m_parts.besideSplitter || !m_editors.exist()))
        on = false;
    m_actions.setChecked("view.previewBeside", on);
    if (on == m_beside)
        return;
    QSplitter *splitter = m_parts.besideSplitter;
    const int previewIndex = m_parts.mainBook->indexOf(m_parts.previewPage);
    if (on) {
        if (!m_pane->ensureBrowser()) {
            dropInternalBrowser();
            return;
        }
        if (!m_sidePage) {
            m_sidePage = new QWidget(splitter);
            m_sidePage->setObjectName(QStringLiteral("PNL_PreviewBeside"));
            auto *layout = new QVBoxLayout(m_sidePage);
            layout->setContentsMargins(0, 0, 0, 0);
            splitter->addWidget(m_sidePage);
            splitter->setStretchFactor(0, 1);
            splitter->setStretchFactor(1, 1);
        }
        m_beside = true;
        // The editors come forward (their menus on) and the tab goes.
        if (m_parts.mainBook->currentWidget() == m_parts.previewPage)
            leavePreviewTab();
        m_parts.mainBook->setTabVisible(previewIndex, false);
        placePane(m_sidePage);
        m_sidePage->show();
        const int width = splitter->width();
        splitter->setSizes(m_besideSizes.size() == 2 ? m_besideSizes : QList<int>{width / 2, width - width / 2});
        m_pane->browser()->setDialogsShown(false);
        // A new run: its pages may open a few windows in all.
        m_pane->browser()->startWindowCount();
        for (ScriptEditor *editor : {m_editors.head(), m_editors.body()})
            m_editorChanges << connect(editor, &ScriptEditor::changed, &m_live, &LiveReload::changed);
        m_pendingLoad = nullptr;
        m_live.start();
        focusCurrentEditor();
    } else {
        m_beside = false;
        m_live.stop();
        m_pendingLoad = nullptr;
        // The page stays in sight, on the Preview tab.
        m_live.watch();
        for (const QMetaObject::Connection &connection : std::as_const(m_editorChanges))
            disconnect(connection);
        m_editorChanges.clear();
        m_besideSizes = splitter->sizes();
        if (m_pane->browser())
            m_pane->browser()->setDialogsShown(true);
        placePane(m_parts.previewPage);
        if (m_sidePage)
            m_sidePage->hide();
        m_parts.mainBook->setTabVisible(previewIndex, m_available);
        m_ports.menus->setEditorMenusEnabled(true);
    }
}

void PreviewController::tellConsole(ConsoleLevel level, const QString &text)
{
    if (!m_pane)
        return;
    ConsoleMessage message;
    message.level = level;
    message.text = text;
    m_pane->console()->addMessage(message);
}

void PreviewController::askPage(std::function<void()> answered)
{
    InternalBrowser *browser = m_pane ? m_pane->browser() : nullptr;
    if (!browser) {
        answered();
        return;
    }
    browser->askPage(std::move(answered));
}

void PreviewController::loadWhenFree(std::function<void()> load)
{
    m_pendingLoad = std::move(load);
    m_live.reloadNow();
}

void PreviewController::endStuckPage()
{
    if (m_pane && m_pane->browser())
        m_pane->browser()->endStuckPage();
}

void PreviewController::loadPage()
{
    const bool ended = std::exchange(m_stuckPageEnded, false);
    if (std::function<void()> load = std::exchange(m_pendingLoad, nullptr))
        load();
    else
        loadEditorsBeside();
    if (ended)
        tellConsole(ConsoleLevel::Error,
                    QStringLiteral("Stopped the last page: it did not answer for a second (a loop that never ends?)."));
}

void PreviewController::loadEditorsBeside()
{
    if (!m_beside || !m_pane || !m_pane->browser())
        return;
    const QString head = m_editors.head()->wholeText();
    const QString body = m_editors.body()->wholeText();
    m_pane->console()->clear();
    const QString folder = documentFolder();
    const PreviewWrite page = WritePreviewPage(head, body, folder);
    if (!page.ok()) {
        // Said where the user looks, without a box in the way of the keys.
        tellConsole(ConsoleLevel::Error, page.error);
        return;
    }
    const QString &path = page.path;
    m_pageLines = PreviewPageLines(head, body, QUrl::fromLocalFile(path).toString());
    // The same address again: the browser takes it as a reload and keeps
    // the page's scroll position.  The windows its pages open count for
    // the whole run, not for each reload.
    m_pane->showFile(path, false, folder);
}

void PreviewController::pageLoaded(bool ok)
{
    if (m_beside)
        emit livePageLoaded(ok);
}

// --- external browsers ---------------------------------------------------------------

namespace {
// Where the browsers chosen for tags 1 and 2 are kept.
constexpr const char *kBrowserChoiceKeys[] = {"View/Browser_1", "View/Browser_2"};
} // namespace

void PreviewController::DetectBrowsers(ActionRegistry &actions)
{
    if (m_browsersDetected)
        return;
    m_browsersDetected = true;
    const BrowserLookup found = m_browsers.findBrowsers();
    actions.action(QStringLiteral("POP_PRev_System"))->setVisible(found.defaultBrowser);
    m_installed = found.browsers;
    m_offered = offeredBrowsers(m_installed, savedBrowserChoice());
    // A choice only when there is one to make.
    actions.setVisible("preview.chooseBrowsers", m_installed.size() > 2);
    showBrowserItems();
}

void PreviewController::showBrowserItems()
{
    const char *libraryItems[] = {"PMNU_Prev_MSIE", "PMNU_Prev_NN"};
    const char *editorItems[] = {"POP_Prev_Ed_Msie", "POP_Prev_Ed_NN"};
    for (int slot = 0; slot < 2; ++slot) {
        const bool there = slot < m_offered.size();
        for (const char *id : {libraryItems[slot], editorItems[slot]}) {
            QAction *item = m_actions.action(QString::fromLatin1(id));
            item->setVisible(there);
            if (there) {
                item->setText(m_offered[slot].name);
                item->setStatusTip(QStringLiteral("Preview in %1").arg(m_offered[slot].name));
            }
        }
    }
    for (const char *id : {"PMNU_Prev_Kreska", "POP_Prev_Ed_Kreska"})
        if (QAction *line = m_actions.separator(QString::fromLatin1(id)))
            line->setVisible(!m_offered.isEmpty());
}

QStringList PreviewController::savedBrowserChoice() const
{
    QStringList ids;
    if (!m_parts.viewSettings)
        return ids;
    const std::unique_ptr<QSettings> store = m_parts.viewSettings();
    for (const char *key : kBrowserChoiceKeys)
        ids << store->value(QString::fromLatin1(key)).toString();
    return ids;
}

void PreviewController::saveBrowserChoice(const QStringList &ids)
{
    if (!m_parts.viewSettings)
        return;
    const std::unique_ptr<QSettings> store = m_parts.viewSettings();
    for (int slot = 0; slot < 2; ++slot)
        store->setValue(QString::fromLatin1(kBrowserChoiceKeys[slot]), ids.value(slot));
    store->sync();
    if (store->status() != QSettings::NoError)
        m_prompter.ShowMessageBox(IconError, QStringLiteral("Error"),
                                  QStringLiteral("Cannot save the window's settings in %1.")
                                      .arg(QDir::toNativeSeparators(store->fileName())));
}

void PreviewController::chooseBrowsers()
{
    DetectBrowsers(m_actions);
    if (m_installed.size() < 2)
        return;
    BrowserChoiceDialog dialog(m_installed, m_offered, m_prompter.parentWindow());
    if (m_prompter.execDialog(dialog) != QDialog::Accepted)
        return;
    const QStringList ids = dialog.chosenIds();
    m_offered = offeredBrowsers(m_installed, ids);
    showBrowserItems();
    saveBrowserChoice(ids);
}

bool PreviewController::ActivateBrowser() const
{
    return !m_serviceApplication.isEmpty();
}

bool PreviewController::OpenUrlInBrowser(const InstalledBrowser &browser, const QString &address,
                                         const QString &path)
{
    if (!ActivateBrowser())
        return false;
    const QPointer<PreviewController> self(this);
    const QString program = m_serviceApplication;
    return m_browsers.launch(browser, {NormalizeUrl(address), path}, [self, program](const BrowserStart &start) {
        if (self && start.failed)
            self->reportBrowserFailure(program, start.errorOutput);
    });
}

void PreviewController::reportBrowserFailure(const QString &program, const QString &errorOutput)
{
    QString text = QStringLiteral("Browser: ") + program + QStringLiteral("\r\n") +
                   QStringLiteral("Cannot run the browser for some reason!");
    // What it said of its failure, when it said anything.
    if (!errorOutput.isEmpty())
        text += QStringLiteral("\r\n\r\n") + errorOutput;
    m_prompter.ShowMessageBox(IconError, QStringLiteral("Error"), text);
}

bool PreviewController::scriptOfFocusedSource(QString &head, QString &body, QString &pageFolder)
{
    pageFolder.clear();
    if (const std::optional<LibraryKind> library = m_libraries.focusedLibrary()) {
        if (!m_libraries.GetLibraryScript(*library))
            return false;
        head = m_libraries.texts().head;
        body = m_libraries.texts().body;
        return true;
    }
    if (!m_editors.exist())
        return false;
    head = m_editors.head()->wholeText();
    body = m_editors.body()->wholeText();
    pageFolder = documentFolder();
    return true;
}

void PreviewController::POP_PRev_SystemClick()
{
    QString head;
    QString body;
    QString folder;
    if (scriptOfFocusedSource(head, body, folder))
        if (const QString path = writePageOrSayWhy(head, body, folder); !path.isEmpty())
            OpenInDefaultBrowser(path);
}

void PreviewController::PMNU_Prev_MSIEClick(int tag)
{
    QString head;
    QString body;
    QString folder;
    if (scriptOfFocusedSource(head, body, folder))
        previewInBrowser(tag, head, body, folder);
}

void PreviewController::POP_Prev_Ed_MsieClick(int tag)
{
    if (m_editors.exist())
        previewInBrowser(tag, m_editors.head()->wholeText(), m_editors.body()->wholeText(), documentFolder());
}

void PreviewController::previewInBrowser(int tag, const QString &head, const QString &body, const QString &pageFolder)
{
    if (tag != 1 && tag != 2)
        return;
    const InstalledBrowser browser = m_offered.value(tag - 1);
    m_serviceApplication = browser.executable;
    const QString path = writePageOrSayWhy(head, body, pageFolder);
    if (path.isEmpty())
        return;
    if (!OpenUrlInBrowser(browser, BrowserFileUrl(path), path))
        reportBrowserFailure(m_serviceApplication, QString());
}
