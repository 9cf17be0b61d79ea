#include "document/pageinsertcontroller.h"

#include "document/documentfile.h"
#include "document/linkedundo.h"
#include "document/pageinsertdialog.h"
#include "document/pageinsertion.h"
#include "document/scripteditors.h"
#include "document/unifieddiff.h"
#include "editor/scripteditor.h"
#include "platform/errors.h"
#include "platform/prompter.h"
#include "platform/savefile.h"
#include "platform/textfile.h"
#include "ports/ports.h"
#include "widgets/actions.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString shownName(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool samePath(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

}  // namespace

bool askToWriteInUtf8(Prompter &prompter, const QString &fileName, const QString &unencodable)
{
    QStringList shown;
    for (const QChar c : unencodable)
        shown << QStringLiteral("%1 (U+%2)").arg(c, QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
    return prompter.AskYesNo(QStringLiteral("Confirm!"),
                             QStringLiteral("%1 is written in Windows-1250, which cannot hold these characters: "
                                            "%2.\r\nSave the file in UTF-8 instead?")
                                 .arg(fileName, shown.join(QStringLiteral(", ")))) == AnswerYes;
}

PageInsertController::PageInsertController(const Ports &ports, std::function<OpenDocumentFile()> document,
                                           QObject *parent)
    : QObject(parent), m_prompter(*ports.prompter), m_editors(*ports.editors), m_document(std::move(document))
{
    ports.actions->bind("file.insertIntoPage", this, &PageInsertController::insertIntoPage);
}

void PageInsertController::insertIntoPage()
{
    if (!m_editors.exist())
        return;
    const OpenDocumentFile document = m_document();
    const QString openPage = document.isPage ? QFileInfo(document.path).fileName() : QString();
    PageInsertDialog dialog(
        m_prompter, openPage,
        [](const QString &path) {
            const TextFileRead file = readFileBytes(path);
            return file.ok() ? elementsWithId(decodeText(file.bytes)) : QList<PageElement>();
        },
        m_prompter.parentWindow());
    if (m_prompter.execDialog(dialog) != QDialog::Accepted)
        return;
    const PageInsertChoice choice = dialog.choice();
    if (choice.openPage) {
        insertIntoOpenPage();
        return;
    }
    if (choice.path.isEmpty())
        return;
    if (!document.path.isEmpty() && samePath(choice.path, document.path)) {
        // Written behind the editors' back, the file would be overwritten
        // by the next Save.
        if (document.isPage) {
            insertIntoOpenPage();
            return;
        }
        m_prompter.ShowMessageBox(IconInformation, QStringLiteral("Information"),
                                  QStringLiteral("%1 is the script open in the editors, not a page to insert it into.")
                                      .arg(shownName(choice.path)));
        return;
    }
    insertIntoFile(choice.path, choice.place);
}

void PageInsertController::insertIntoOpenPage()
{
    ScriptEditor &head = *m_editors.head();
    ScriptEditor &body = *m_editors.body();
    const QString fragment = head.wholeText();
    if (fragment.isEmpty()) {
        m_prompter.ShowMessageBox(IconInformation, QStringLiteral("Information"),
                                  QStringLiteral("The HEAD editor is empty: there is nothing to put into the page."));
        return;
    }
    const QString page = body.wholeText();
    const PageInsertResult result = ::insertIntoPage(page, {fragment, QString(), BodyPlace()});
    const QString diff =
        unifiedDiff(page, result.text,
                    {QStringLiteral("page in the editors"), QStringLiteral("page in the editors, HEAD put in"), 3});
    PageDiffDialog dialog(QStringLiteral("The HEAD fragment moves from the HEAD editor into the page's head, as "
                                         "below. Nothing is written to disk; Undo takes the change back in one step."),
                          diff, QStringLiteral("&Insert"), m_prompter.parentWindow());
    if (m_prompter.execDialog(dialog) != QDialog::Accepted)
        return;
    const auto emptyHead = [](ScriptEditor &editor) {
        editor.SendScintilla(QsciScintillaBase::SCI_DELETERANGE, 0L,
                             editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
    };
    const auto addToPage = [&page, &result](ScriptEditor &editor) {
        // The editor counts in UTF-8 bytes; the last addition goes in first
        // so that the places before it stay where they are.
        for (auto addition = result.added.crbegin(); addition != result.added.crend(); ++addition) {
            const long at = long(QStringView(page).first(addition->at).toUtf8().size());
            editor.SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, at, addition->text.toUtf8().constData());
        }
    };
    editBothAsOneStep(m_editors, emptyHead, addToPage);
}

void PageInsertController::insertIntoFile(const QString &path, const BodyPlace &place)
{
    const QString name = shownName(path);
    const TextFileRead file = readFileBytes(path);
    if (!file.ok()) {
        const QString why = unreadableReason(file);
        m_prompter.ShowMessageBox(IconError, applicationTitle(),
                                  QStringLiteral("Cannot open file %1").arg(name) +
                                      (why.isEmpty() ? QString() : QStringLiteral("\r\n") + why));
        return;
    }
    if (file.bytes.contains('\0')) {
        m_prompter.ShowMessageBox(
            IconInformation, QStringLiteral("Information"),
            QStringLiteral("%1 holds a NUL byte: it is not a page the script can go into.").arg(name));
        return;
    }
    const QString page = decodeText(file.bytes);
    const PageInsertResult result =
        ::insertIntoPage(page, {m_editors.head()->wholeText(), m_editors.body()->wholeText(), place});
    if (!result.ok) {
        m_prompter.ShowMessageBox(IconInformation, QStringLiteral("Information"), result.error);
        return;
    }
    if (result.added.isEmpty()) {
        m_prompter.ShowMessageBox(IconInformation, QStringLiteral("Information"),
                                  QStringLiteral("Both editors are empty: there is nothing to put into the page."));
        return;
    }
    const QString backup = path + u'~';
    const QString fileName = QFileInfo(path).fileName();
    PageDiffDialog dialog(
        QStringLiteral("The script goes into %1 as below. Before the page is written, its present "
                       "version is kept as %2.")
            .arg(name, QFileInfo(backup).fileName()),
        unifiedDiff(page, result.text, {fileName, fileName + QStringLiteral(" (with the script)"), 3}),
        QStringLiteral("&Write"), m_prompter.parentWindow());
    if (m_prompter.execDialog(dialog) != QDialog::Accepted)
        return;

    FileForm::Encoding encoding = fileFormOf(file.bytes).encoding;
    FileBytes bytes = encodeFileText(result.text, encoding);
    if (!bytes.unencodable.isEmpty()) {
        if (!askToWriteInUtf8(m_prompter, name, bytes.unencodable))
            return;
        encoding = FileForm::Encoding::Utf8;
        bytes = encodeFileText(result.text, encoding);
    }
    // The page's present bytes are in hand beside it before it changes.
    const SaveResult kept = saveFileAtomically(backup, file.bytes);
    if (!kept) {
        m_prompter.ShowMessageBox(IconError, applicationTitle(),
                                  QStringLiteral("Cannot create file %1\r\n%2\r\nThe page was not changed.")
                                      .arg(shownName(backup), kept.error));
        return;
    }
    const SaveResult saved = saveFileAtomically(path, bytes.bytes);
    if (!saved)
        m_prompter.ShowMessageBox(IconError, applicationTitle(),
                                  QStringLiteral("Cannot create file %1").arg(name) +
                                      (saved.error.isEmpty() ? QString() : QStringLiteral("\r\n") + saved.error));
}
