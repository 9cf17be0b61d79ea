// The user library's commands that carry scripts in and out: export to a
// library archive, import from one, and script files dropped from the file
// manager (the rest of the controller is in userlibrarycontroller.cpp).
#include "library/importclashdialog.h"
#include "library/libraryarchive.h"
#include "library/libraryimport.h"
#include "library/userlibrary.h"
#include "library/userlibrarycontroller.h"
#include "library/userlibrarytree.h"
#include "platform/prompter.h"
#include "platform/savefile.h"
#include "platform/textfile.h"
#include "widgets/busycursor.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTreeWidgetItem>

namespace {

const QString kErrorCaption = QStringLiteral("Error!");

QStringList archiveFilters()
{
    return {QStringLiteral("Script archives (*.zip)"), QStringLiteral("All files (*)")};
}

/// A proposed file name made of a script's or a category's name.
QString archiveFileName(const QString &name)
{
    QString file = name.trimmed();
    for (QChar &c : file)
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            c = u'_';
    return (file.isEmpty() ? QStringLiteral("scripts") : file) + QStringLiteral(".zip");
}

QString countText(int count, const QString &one, const QString &many)
{
    return count == 1 ? one : many.arg(count);
}

}  // namespace

// --- export ---------------------------------------------------------------------------------

void UserLibraryController::exportSelected()
{
    refreshFromDisk();
    std::vector<const LibraryNode *> chosen;
    for (QTreeWidgetItem *item : m_tree->selectedItems())
        if (const LibraryNode *node = nodeOf(item))
            chosen.push_back(node);
    QString proposed = QStringLiteral("user-scripts.zip");
    if (chosen.size() == 1)
        proposed = archiveFileName(chosen.front()->text);
    exportScripts(chosen, proposed);
}

void UserLibraryController::exportLibrary()
{
    refreshFromDisk();
    exportScripts({}, QStringLiteral("user-scripts.zip"));
}

void UserLibraryController::exportScripts(const std::vector<const LibraryNode *> &chosen, const QString &proposedName)
{
    Prompter &prompter = *m_ports.prompter;
    // What cannot be made is said before a file is asked for.
    const ExportGather gathered = gatherForExport(*m_store, chosen);
    if (!gathered.ok) {
        prompter.ShowMessageBox(IconError, kErrorCaption, gathered.error);
        return;
    }
    const ArchiveWrite archive = writeLibraryArchive(gathered.contents);
    if (!archive.ok) {
        prompter.ShowMessageBox(IconError, kErrorCaption, archive.error);
        return;
    }

    FileDialogRequest request;
    request.caption = chosen.empty() ? QStringLiteral("Export library") : QStringLiteral("Export scripts");
    request.filters = archiveFilters();
    request.fileName = proposedName;
    request.directory = m_archiveFolder;
    const QString path = prompter.getSaveFileName(request);
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) &&
        prompter.AskYesNo(QStringLiteral("Confirm export"),
                          QStringLiteral("The file %1 already exists.\r\nDo you want to replace it?")
                              .arg(QDir::toNativeSeparators(path))) != AnswerYes)
        return;
    const SaveResult saved = saveFileAtomically(path, archive.bytes, SaveDurability::Sync, LinkPolicy::Follow);
    if (!saved.ok) {
        prompter.ShowMessageBox(IconError, kErrorCaption,
                                QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(path)) +
                                    (saved.error.isEmpty() ? QString() : QStringLiteral("\r\n") + saved.error));
        return;
    }
    m_archiveFolder = QFileInfo(path).absolutePath();
}

// --- import ---------------------------------------------------------------------------------

std::optional<QHash<QString, ClashChoice>> UserLibraryController::askAboutClashes(const ArchiveContents &import)
{
    const QStringList clashes = importClashes(import, *m_store);
    QSet<QString> importNames;
    for (const ArchiveCategory &category : import.categories)
        for (const ArchiveScript &script : category.scripts)
            importNames.insert(script.name.toCaseFolded());
    QHash<QString, ClashChoice> choices;
    for (qsizetype i = 0; i < clashes.size(); ++i) {
        const QString &name = clashes[i];
        TDlg_ImportClash dialog(name, duplicateScriptName(name, m_store->tree(), importNames),
                                int(clashes.size() - i - 1), m_ports.prompter->parentWindow());
        if (m_ports.prompter->execDialog(dialog) != QDialog::Accepted)
            return std::nullopt;
        choices.insert(name, dialog.choice());
        if (dialog.forAll()) {
            for (qsizetype j = i + 1; j < clashes.size(); ++j)
                choices.insert(clashes[j], dialog.choice());
            break;
        }
    }
    return choices;
}

ImportOutcome UserLibraryController::importContents(const ArchiveContents &import, const NodeRef &into)
{
    const QStringList clashes = importClashes(import, *m_store);
    const std::optional<QHash<QString, ClashChoice>> choices = askAboutClashes(import);
    if (!choices)
        return {};
    // Another copy may have changed the library while the questions were
    // open: go on only when what was asked about still holds.
    const HeldChange held = holdChange({into});
    if (!held)
        return {};
    LibraryNode *target = held.nodes[0];
    if (held.reloaded() && importClashes(import, *m_store) != clashes) {
        reportChangedMeanwhile();
        return {};
    }
    ImportOutcome outcome;
    {
        const BusyCursor busy(import.scriptCount() > 20);
        outcome = importIntoLibrary(*m_store, import, *choices, target);
    }
    if (!outcome.ok) {
        m_ports.prompter->ShowMessageBox(IconError, kErrorCaption,
                                         outcome.error + QStringLiteral("\r\nNothing was imported."));
        return outcome;
    }
    rebuildTree(outcome.scripts.empty() ? selectedRef() : m_store->refOf(outcome.scripts.front()));
    // The categories that got scripts are shown open.
    for (const LibraryNode *script : outcome.scripts)
        if (QTreeWidgetItem *item = itemOf(script); item && item->parent())
            item->parent()->setExpanded(true);
    return outcome;
}

void UserLibraryController::importArchive()
{
    refreshFromDisk();
    if (refusedForUnreadableIndex())
        return;
    Prompter &prompter = *m_ports.prompter;
    FileDialogRequest request;
    request.caption = QStringLiteral("Import scripts");
    request.filters = archiveFilters();
    request.directory = m_archiveFolder;
    const QString path = prompter.getOpenFileName(request);
    if (path.isEmpty())
        return;
    m_archiveFolder = QFileInfo(path).absolutePath();
    const QString shown = QDir::toNativeSeparators(path);

    const ArchiveLimits limits;
    const TextFileRead file = readFileBytes(path, limits.maxArchiveBytes, LinkPolicy::Follow);
    if (!file.ok()) {
        prompter.ShowMessageBox(IconError, kErrorCaption,
                                QStringLiteral("Cannot open file %1\r\n%2").arg(shown, unreadableReason(file)));
        return;
    }
    ArchiveRead read;
    {
        const BusyCursor busy(file.bytes.size() > qsizetype(1024) * 1024);
        read = readLibraryArchive(file.bytes, limits);
    }
    if (!read.ok) {
        prompter.ShowMessageBox(
            IconError, kErrorCaption,
            QStringLiteral("The archive %1 cannot be imported: %2.\r\nNothing was changed.").arg(shown, read.error));
        return;
    }
    if (read.contents.categories.empty()) {
        prompter.ShowMessageBox(IconInformation, QStringLiteral("Information"),
                                QStringLiteral("The archive %1 holds no scripts.").arg(shown));
        return;
    }
    const ImportOutcome outcome = importContents(read.contents, NodeRef());
    if (!outcome.ok)
        return;
    QStringList parts;
    if (outcome.replaced > 0)
        parts << QStringLiteral("%1 replaced").arg(outcome.replaced);
    if (outcome.kept > 0)
        parts << countText(outcome.kept, QStringLiteral("1 kept as a copy under a new name"),
                           QStringLiteral("%1 kept as copies under new names"));
    if (outcome.skipped > 0)
        parts << QStringLiteral("%1 skipped").arg(outcome.skipped);
    const int imported = outcome.added + outcome.replaced;
    const QString text = imported == 1
                             ? QStringLiteral("1 script was imported from %1").arg(shown)
                             : QStringLiteral("%1 scripts were imported from %2").arg(QString::number(imported), shown);
    prompter.ShowMessageBox(
        IconInformation, QStringLiteral("Information"),
        text + (parts.isEmpty() ? QString() : QStringLiteral(": ") + parts.join(QStringLiteral(", "))) + u'.');
}

void UserLibraryController::importDroppedFiles(const NodeRef &category, const QStringList &paths)
{
    refreshFromDisk();
    if (refusedForUnreadableIndex())
        return;
    const LibraryNode *target = m_store->resolve(category);
    if (!target || !target->isCategory())
        return;
    Prompter &prompter = *m_ports.prompter;
    ArchiveContents import;
    import.categories.push_back({target->text, {}});
    for (const QString &path : paths) {
        DroppedScript dropped = scriptFromDroppedFile(path);
        if (!dropped.ok) {
            prompter.ShowMessageBox(
                IconError, kErrorCaption,
                QStringLiteral("Cannot open file %1\r\n%2").arg(QDir::toNativeSeparators(path), dropped.error));
            continue;
        }
        // A file whose name the rules refuse is said so, and left out.
        if (reportNameProblem(checkScriptName(dropped.script.name)))
            continue;
        import.categories.front().scripts.push_back(std::move(dropped.script));
    }
    if (import.categories.front().scripts.empty())
        return;
    importContents(import, m_store->refOf(target));
}
