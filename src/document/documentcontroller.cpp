#include "document/documentcontroller.h"

#include "document/documentfile.h"
#include "document/pageinsertcontroller.h"
#include "document/scripteditors.h"
#include "document/scripttext.h"
#include "editor/editorprinting.h"
#include "editor/schemelexer.h"
#include "editor/scripteditor.h"
#include "platform/errors.h"
#include "platform/prompter.h"
#include "platform/savefile.h"
#include "platform/textfile.h"
#include "ports/ports.h"
#include "widgets/actions.h"
#include "widgets/busycursor.h"
#include "widgets/statuspanels.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <optional>

namespace {

const QString kNotSavedQuestion = QStringLiteral("Current script is not saved, continue ?");
const QString kRecentFilesKey = QStringLiteral("File/Recent");
const QString kLastFolderKey = QStringLiteral("File/Last_folder");

void putCaretOnStartLine(ScriptEditor *body)
{
    // The caret goes to its line whether or not the editor can take the
    // focus now.
    static_cast<void>(body->focusEditor());
    body->setCaretLineColumn(3, 1);
}

} // namespace

DocumentController::DocumentController(const Ports &ports, QObject *parent)
    : QObject(parent), m_ports(ports), m_prompter(*ports.prompter), m_actions(*ports.actions),
      m_editors(*ports.editors), m_status(*ports.status)
{
    ActionRegistry &actions = m_actions;
    actions.bind("file.new", this, &DocumentController::newScript);
    actions.bind("file.open", this, &DocumentController::openScript);
    actions.bind("file.save", this, [this] { static_cast<void>(save()); });
    actions.bind("file.saveAs", this, &DocumentController::saveAs);
    actions.bind("file.print", this, &DocumentController::print);
    actions.bind("file.printerSetup", this, &DocumentController::printerSetup);
    actions.bind("clipboard.fromEditors", this, &DocumentController::copyFromEditor);
    actions.bindTagged("file.recent", this, &DocumentController::openRecentFile);
    showRecentFiles();
    new PageInsertController(
        ports,
        [this] {
            const QString suffix = QFileInfo(m_path).suffix().toLower();
            const bool html = suffix == u"html" || suffix == u"htm";
            return OpenDocumentFile{m_path, m_file && html && !m_file->form().markers};
        },
        this);

    // Asking the clipboard for its text can mean a round trip to another
    // program, so its state is kept up to date as it changes instead of
    // being asked after every key.
    if (QClipboard *clipboard = QGuiApplication::clipboard()) {
        connect(clipboard, &QClipboard::dataChanged, this, &DocumentController::updateClipboardState);
        updateClipboardState();
    }
    // The toolbar's Undo, Redo, Cut, Copy and Paste start disabled, and so do
    // the same commands in the menus, until the first read-out.
    enableEditCommands(false, false, false, false);
}

DocumentController::~DocumentController() = default;

void DocumentController::attachEditors()
{
    ScriptEditors &editors = m_editors;
    connect(qApp, &QApplication::focusChanged, this, &DocumentController::followClipboardFocus);
    // Another script in the editors is no longer the file's.
    connect(&editors, &ScriptEditors::scriptReplaced, this, [this] {
        if (!m_settingScript)
            forgetFile();
    });
    for (ScriptEditor *editor : {editors.head(), editors.body()}) {
        connect(editor, &ScriptEditor::changed, this, &DocumentController::HEAD_EDChange);
        connect(editor, &ScriptEditor::keyDown, this, &DocumentController::HEAD_EDChange);
        connect(editor, &ScriptEditor::keyPressed, this, &DocumentController::HEAD_EDChange);
        connect(editor, &ScriptEditor::mouseDown, this, &DocumentController::HEAD_EDChange);
        // A selection made by a command (Select all, a search) enables Cut
        // and Copy at once, not only after the next key.
        connect(editor, &QsciScintilla::selectionChanged, this, &DocumentController::updateSelectionCommands);
        // A caret a command moves (an insertion, a jump, a restored script)
        // shows in the read-out once the command is done and the focus is
        // where it leaves it.
        connect(editor, &QsciScintilla::cursorPositionChanged, this, [this] {
            if (m_caretReadOutPending)
                return;
            m_caretReadOutPending = true;
            QTimer::singleShot(0, this, &DocumentController::updateCaretReadOut);
        });
    }
}

void DocumentController::updateCaretReadOut()
{
    m_caretReadOutPending = false;
    if (!m_editors.exist())
        return;
    const ScriptEditor *editor = m_editors.focused();
    m_status.setText(StatusPanels::Line, QStringLiteral("line ") + QString::number(editor->caretLine()));
    m_status.setText(StatusPanels::Column, QStringLiteral("col ") + QString::number(editor->caretColumn()));
    m_status.setText(StatusPanels::Modified,
                     editor->modifiedState() ? QStringLiteral("modified") : QStringLiteral("no changes"));
}

void DocumentController::followClipboardFocus()
{
    const bool tree = m_ports.treeClipboard && m_ports.treeClipboard->hasClipboardFocus();
    if (tree == m_treeHasClipboard)
        return;
    m_treeHasClipboard = tree;
    if (tree) {
        m_actions.setEnabled("edit.cut", true);
        m_actions.setEnabled("edit.paste", true);
        return;
    }
    updateSelectionCommands();
    updateClipboardState();
}

void DocumentController::updateSelectionCommands()
{
    ScriptEditors &editors = m_editors;
    if (!editors.exist() || m_treeHasClipboard)
        return;
    const bool selected = editors.focused()->hasSelectedText();
    m_actions.setEnabled("edit.cut", selected);
    m_actions.setEnabled("edit.copy", selected);
}

void DocumentController::updateClipboardState()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    m_clipboardHasText = data && data->hasText();
    if (m_editors.exist() && !m_treeHasClipboard)
        m_actions.setEnabled("edit.paste", m_clipboardHasText);
}

void DocumentController::enableEditCommands(bool cut, bool paste, bool undo, bool redo)
{
    const ActionRegistry &a = m_actions;
    if (!m_treeHasClipboard) {
        a.setEnabled("edit.cut", cut);
        a.setEnabled("edit.paste", paste);
    }
    a.setEnabled("edit.copy", cut);
    a.setEnabled("edit.undo", undo);
    a.setEnabled("edit.redo", redo);
}

void DocumentController::HEAD_EDChange()
{
    ScriptEditors &editors = m_editors;
    if (!editors.exist())
        return;
    ScriptEditor *editor = editors.focused();
    editors.setCurrent(editor);

    enableEditCommands(editor->hasSelectedText(), m_clipboardHasText, editor->isUndoAvailable(),
                       editor->isRedoAvailable());

    m_actions.setChecked("view.wordWrap", editors.head()->wordWrapOn());

    m_status.setText(StatusPanels::Mode, editor->insertMode() ? QStringLiteral("insert") : QStringLiteral("overwrite"));
    updateCaretReadOut();
}

// --- New and Open --------------------------------------------------------------

void DocumentController::newScript()
{
    m_ports.pages->showEditorPage();
    ScriptEditors &editors = m_editors;
    if (!editors.isModified() ||
        m_prompter.AskYesNo(QStringLiteral("Confirm!"), kNotSavedQuestion) == AnswerYes) {
        editors.setScript(newScriptText(), newScriptText());
    }
    putCaretOnStartLine(editors.body());
}

void DocumentController::openScript()
{
    m_ports.pages->showEditorPage();
    // The editors keep the script until the chosen file has been read:
    // a cancelled dialog or a file that cannot be read changes nothing.
    if (!askToReplaceScript(m_prompter))
        return;

    FileDialogRequest request;
    request.caption = QStringLiteral("Select a script file");
    request.filters = QStringList{QStringLiteral("Script files (*.js)"), QStringLiteral("HTML documents (*.htm *.html)"),
                                  QStringLiteral("Text files (*.txt)"), QStringLiteral("CSS files (*.css)"),
                                  QStringLiteral("All files (*)")};
    const QString path = m_prompter.getOpenFileName(request);
    if (path.isEmpty())
        return;

    static_cast<void>(openFile(path));
}

bool DocumentController::openFile(const QString &path)
{
    std::optional<BusyCursor> busy(std::in_place, takesAWhileToOpen(path));
    const TextFileRead file = readFileBytes(path);
    if (!file.ok()) {
        busy.reset();
        const QString why = unreadableReason(file);
        m_prompter.ShowMessageBox(IconError, applicationTitle(),
                                  QStringLiteral("Cannot open file %1").arg(path) +
                                      (why.isEmpty() ? QString() : QStringLiteral("\r\n") + why));
        return false;
    }

    auto opened = std::make_unique<DocumentFile>(file.bytes);
    const ScriptFragments fragments = opened->fragments();
    m_settingScript = true;
    m_editors.setScript(fragments.head, fragments.body);
    m_settingScript = false;
    m_ports.libraryTexts->keepLibraryTexts(fragments.head, fragments.body);
    m_file = std::move(opened);
    m_path = QFileInfo(path).absoluteFilePath();
    colourByKindOfFile();
    rememberFile(m_path);
    emit fileChanged();
    return true;
}

void DocumentController::colourByKindOfFile()
{
    // A script file's fragments are parts of a page; a file without the
    // markers is what its name says it is.
    const bool alone = m_file && !m_file->form().markers && !m_path.isEmpty();
    setSchemeSourceKind(*m_editors.body(), alone ? sourceKindOfFile(m_path) : SourceKind::Html);
    setSchemeSourceKind(*m_editors.head(), SourceKind::Html);
}

// --- recent files ----------------------------------------------------------------

void DocumentController::setSettingsStore(std::function<std::unique_ptr<QSettings>()> store)
{
    m_store = std::move(store);
    const std::unique_ptr<QSettings> settings = m_store();
    m_recent = RecentFiles(settings->value(kRecentFilesKey).toStringList());
    if (m_lastFolder.isEmpty())
        m_lastFolder = settings->value(kLastFolderKey).toString();
    showRecentFiles();
}

void DocumentController::openRecentFile(int index)
{
    const QString path = m_recent.paths().value(index);
    if (path.isEmpty())
        return;
    m_ports.pages->showEditorPage();
    if (!QFileInfo::exists(path)) {
        m_recent.remove(path);
        recentFilesChanged();
        m_prompter.ShowMessageBox(IconWarning, applicationTitle(),
                                  QStringLiteral("The file %1 is no longer there.\r\n"
                                                 "It has been taken off the list of recent files.")
                                      .arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (!askToReplaceScript(m_prompter))
        return;
    static_cast<void>(openFile(path));
}

void DocumentController::rememberFile(const QString &path)
{
    m_recent.add(path);
    recentFilesChanged();
}

void DocumentController::recentFilesChanged()
{
    showRecentFiles();
    // Kept at once: a run that ends badly still leaves the list.
    if (!m_store)
        return;
    const std::unique_ptr<QSettings> settings = m_store();
    settings->setValue(kRecentFilesKey, m_recent.paths());
    settings->setValue(kLastFolderKey, m_lastFolder);
}

void DocumentController::showRecentFiles()
{
    const QStringList &paths = m_recent.paths();
    const QString home = QDir::homePath();
    for (int i = 0; i < RecentFiles::kMost; ++i) {
        const QByteArray command = "file.recent." + QByteArray::number(i + 1);
        for (QAction *item : m_actions.placements(command.constData())) {
            item->setVisible(i < paths.size());
            if (i < paths.size()) {
                item->setText(recentFileCaption(i, paths[i], home));
                item->setStatusTip(QDir::toNativeSeparators(paths[i]));
                item->setToolTip(QDir::toNativeSeparators(paths[i]));
            }
        }
    }
    if (QMenu *menu = m_actions.menu(QStringLiteral("MMNU_F_Recent")))
        menu->setEnabled(!paths.isEmpty());
}

void DocumentController::forgetFile()
{
    if (m_path.isEmpty())
        return;
    m_path.clear();
    m_file.reset();
    colourByKindOfFile();
    emit fileChanged();
}

QString DocumentController::documentFolder() const
{
    return m_path.isEmpty() ? QString() : QFileInfo(m_path).absolutePath();
}

QString DocumentController::windowTitle() const
{
    if (m_path.isEmpty())
        return applicationTitle();
    const QFileInfo info(m_path);
    // The dash of a title, as desktops write one.
    return info.fileName() + QStringLiteral("[*] \u2014 ") + shownFolder(info.absolutePath(), QDir::homePath()) +
           QStringLiteral(" \u2014 ") + applicationTitle();
}

// --- Save ----------------------------------------------------------------------

bool DocumentController::save()
{
    if (m_path.isEmpty() || !m_file) {
        saveAs();
        return !m_path.isEmpty() && !m_editors.isModified();
    }
    ScriptEditors &editors = m_editors;
    const ScriptFragments now{editors.head()->wholeText(), editors.body()->wholeText()};
    FileForm form = m_file->form();
    const QString name = QDir::toNativeSeparators(m_path);
    if (!form.markers && !now.head.isEmpty() && now.head != m_file->fragments().head) {
        // A page or a plain script file has no place for a HEAD fragment.
        if (m_prompter.AskYesNo(QStringLiteral("Confirm!"),
                                QStringLiteral("%1 has no section markers, so the HEAD fragment has no place in it.\r\n"
                                               "Save it as a script file, with the markers before HEAD and BODY?")
                                    .arg(name)) != AnswerYes)
            return false;
        form.markers = true;
    }
    DocumentFile target = *m_file;
    target.setForm(form);
    FileBytes bytes = target.bytesFor(now);
    if (!bytes.unencodable.isEmpty()) {
        if (!askToWriteInUtf8(m_prompter, name, bytes.unencodable))
            return false;
        form.encoding = FileForm::Encoding::Utf8;
        target.setForm(form);
        bytes = target.bytesFor(now);
    }
    if (!writeFile(m_path, bytes.bytes))
        return false;
    m_file->setForm(form);
    m_file->saved(bytes.bytes, now);
    colourByKindOfFile();
    editors.head()->clearModifiedState();
    editors.body()->clearModifiedState();
    emit fileChanged();
    return true;
}

bool DocumentController::writeFile(const QString &path, const QByteArray &bytes)
{
    // A save cut short (the program killed while it wrote) left its
    // temporary file beside the file it was saving: those of copies that
    // are gone are cleared from the folder this save writes into (beside
    // the file a link leads to, as the save itself).
    const QString resolved = QFileInfo(path).canonicalFilePath();
    removeStaleTemporaryFiles(QFileInfo(resolved.isEmpty() ? path : resolved).path(),
                              StaleTemporaries::OfGoneProcesses);
    const SaveResult saved = saveFileAtomically(path, bytes);
    if (saved)
        return true;
    // Nothing claims to be saved: the modified state stays as it was.
    m_prompter.ShowMessageBox(IconError, applicationTitle(),
                              QStringLiteral("Cannot create file %1").arg(path) +
                                  (saved.error.isEmpty() ? QString() : QStringLiteral("\r\n") + saved.error));
    return false;
}

// --- Save as -------------------------------------------------------------------

void DocumentController::saveAs()
{
    ScriptEditors &editors = m_editors;
    const ScriptFragments now{editors.head()->wholeText(), editors.body()->wholeText()};
    const QString text = composeScriptFile(now.head, now.body);

    FileDialogRequest request;
    request.caption = QStringLiteral("Save as");
    request.filters = QStringList{QStringLiteral("All files (*)")};
    // The document's own name and folder, else the folder Save as went to last.
    request.fileName = m_path.isEmpty() ? QStringLiteral("script.js") : QFileInfo(m_path).fileName();
    request.directory = m_path.isEmpty() ? m_lastFolder : QFileInfo(m_path).absolutePath();
    const QString path = m_prompter.getSaveFileName(request);
    if (!path.isEmpty() && replaceExistingFile(path)) {
        const QByteArray bytes = encodeText(text);
        // Nothing claims to be saved on failure: the modified state and the
        // library tree stay as they were.
        if (!writeFile(path, bytes))
            return;
        editors.head()->clearModifiedState();
        editors.body()->clearModifiedState();
        m_lastFolder = QFileInfo(path).absolutePath();
        // The file written is the document's from now on.
        m_file = std::make_unique<DocumentFile>(bytes);
        m_path = QFileInfo(path).absoluteFilePath();
        colourByKindOfFile();
        rememberFile(m_path);
        emit fileChanged();
    }
    emit saveAsDone();
}

bool DocumentController::replaceExistingFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    return m_prompter.AskYesNo(QStringLiteral("Confirm Save as"),
                                      QStringLiteral("The file %1 already exists.\r\nDo you want to replace it?")
                                          .arg(QDir::toNativeSeparators(path))) == AnswerYes;
}

// --- clipboard -------------------------------------------------------------------

void DocumentController::copyFromEditor()
{
    ScriptEditors &editors = m_editors;
    QGuiApplication::clipboard()->setText(composeClipboardText(editors.head()->wholeText(), editors.body()->wholeText()));
}

// --- printing --------------------------------------------------------------------

QPrinter &DocumentController::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void DocumentController::printerSetup()
{
    QPrintDialog dialog(&printer(), m_prompter.parentWindow());
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog"));
    dialog.setWindowTitle(QStringLiteral("Printer setup"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    // The dialog only keeps the settings for Print: its button must not
    // promise a printout.
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>())
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("&OK"));
    m_prompter.execDialog(dialog);
}

void DocumentController::print()
{
    ScriptEditor *editor = m_editors.focused();
    if (!editor)
        return;
    if (m_prompter.AskYesNo(QString(), QStringLiteral("Print current script?")) != AnswerYes)
        return;
    QPrinter &target = printer();
    // Without a printer installed the only target is a PDF file.  Print
    // still prints at once: into a new file of the print folder, which the
    // user is told of.  A file chosen in Printer setup is used as it is.
    QString madeFile;
    if (target.outputFormat() == QPrinter::PdfFormat && target.outputFileName().isEmpty()) {
        madeFile = unusedPrintFile();
        target.setOutputFileName(madeFile);
    }
    editor->setDefBackColor(Qt::white);
    const bool printed = printWholeText(*editor, target);
    if (!madeFile.isEmpty())
        target.setOutputFileName(QString());
    if (!printed) {
        m_prompter.ShowMessageBox(IconError, QStringLiteral("Error!"),
                                  QStringLiteral("The script could not be printed."));
        return;
    }
    if (!madeFile.isEmpty())
        m_prompter.ShowMessageBox(IconInformation, QStringLiteral("Information"),
                                  QStringLiteral("No printer is installed: the script was printed to the file %1.")
                                      .arg(QDir::toNativeSeparators(madeFile)));
}

QString DocumentController::unusedPrintFile() const
{
    QString folder = m_printFolder;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QDir dir(folder);
    QString path = dir.filePath(QStringLiteral("Quillon script.pdf"));
    for (int n = 2; QFileInfo(path).exists() || QFileInfo(path).isSymLink(); ++n)
        path = dir.filePath(QStringLiteral("Quillon script (%1).pdf").arg(n));
    return path;
}
