#include "document/recoverycontroller.h"

#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "platform/prompter.h"
#include "ports/ports.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// The first lines of each fragment that hold anything, for the list.
QString firstLines(const ScriptFragments &script)
{
    constexpr int kLines = 3;
    constexpr int kWidth = 72;
    QStringList shown;
    const std::pair<const char *, const QString *> fragments[] = {{"HEAD", &script.head}, {"BODY", &script.body}};
    for (const auto &[name, text] : fragments) {
        QStringList lines;
        const QStringList all = text->split(QStringLiteral("\r\n"));
        for (const QString &line : all) {
            const QString trimmed = line.trimmed();
            if (trimmed.isEmpty())
                continue;
            if (lines.size() == kLines) {
                lines << QStringLiteral("...");
                break;
            }
            lines << (trimmed.size() > kWidth ? trimmed.left(kWidth - 3) + QStringLiteral("...") : trimmed);
        }
        shown << QStringLiteral("%1: %2").arg(QLatin1String(name),
                                              lines.isEmpty() ? QStringLiteral("(empty)")
                                                              : QStringLiteral("\n    ") + lines.join(QStringLiteral("\n    ")));
    }
    return shown.join(u'\n');
}

} // namespace

RecoveryController::RecoveryController(const Ports &ports, const QString &folder, qint64 processId, QObject *parent)
    : QObject(parent), m_prompter(*ports.prompter), m_editors(*ports.editors), m_files(folder, processId)
{
    m_quiet.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, &RecoveryController::startWrite);
    m_worker.setMaxThreadCount(1);
}

RecoveryController::~RecoveryController()
{
    m_worker.waitForDone();
}

void RecoveryController::attachEditors()
{
    if (!m_files.enabled())
        return;
    for (ScriptEditor *editor : {m_editors.head(), m_editors.body()}) {
        connect(editor, &ScriptEditor::changed, this, &RecoveryController::textChanged);
        // New, Open, Save as and the library bring the editors back to
        // unmodified; the script is then saved or given up on purpose.
        connect(editor, &QsciScintilla::modificationChanged, this, [this] {
            QTimer::singleShot(0, this, &RecoveryController::modificationChanged);
        });
    }
}

void RecoveryController::textChanged()
{
    if (!m_editors.isModified())
        return;
    // Each change puts the write off by the quiet time, but never further
    // than the longest wait after the first change not yet written.
    if (!m_pendingSince.isValid())
        m_pendingSince.start();
    const qint64 left = kLongestWaitMs - m_pendingSince.elapsed();
    m_quiet.start(int(std::clamp<qint64>(left, 0, kQuietMs)));
}

void RecoveryController::modificationChanged()
{
    if (m_files.enabled() && m_editors.exist() && !m_editors.isModified())
        forget();
}

void RecoveryController::writeNow()
{
    if (m_quiet.isActive() || m_editors.isModified()) {
        m_quiet.stop();
        startWrite();
    }
}

void RecoveryController::startWrite()
{
    if (!m_editors.exist())
        return;
    if (!m_editors.isModified()) {
        forget();
        return;
    }
    if (m_writing) {
        m_writeAgain = true;
        return;
    }
    const SaveResult claimed = m_files.claim();
    if (!claimed) {
        reportOnce(claimed.error);
        return;
    }
    m_pendingSince.invalidate();
    // Only the copy of the two texts is taken here; encoding and writing
    // run on the worker.
    const ScriptFragments script{m_editors.head()->wholeText(), m_editors.body()->wholeText()};
    const quint64 generation = m_generation;
    m_writing = true;
    m_worker.start([this, script, generation] {
        const QByteArray bytes = RecoveryFiles::encode(script);
        const bool fits = RecoveryFiles::fits(bytes);
        const SaveResult result = fits ? m_files.write(bytes) : SaveResult{};
        QMetaObject::invokeMethod(this, [this, result, fits, generation] { writeFinished(result, fits, generation); },
                                  Qt::QueuedConnection);
    });
}

void RecoveryController::writeFinished(const SaveResult &result, bool fits, quint64 generation)
{
    m_writing = false;
    if (generation != m_generation) {
        // Given up while it was being written.
        m_files.remove();
    } else if (!fits) {
        reportTooLarge();
    } else if (result) {
        m_failureReported = false;
    } else {
        reportOnce(result.error);
    }
    emit writeEnded(bool(result));
    if (m_writeAgain) {
        m_writeAgain = false;
        startWrite();
    }
}

void RecoveryController::forget()
{
    ++m_generation;
    m_tooLargeReported = false;
    m_quiet.stop();
    m_writeAgain = false;
    m_pendingSince.invalidate();
    m_files.remove();
}

void RecoveryController::closedCleanly()
{
    if (!m_files.enabled())
        return;
    forget();
    m_worker.waitForDone();
    // A write that was running has put the file back after forget(); the
    // lock goes with the file.
    m_files.release();
}

void RecoveryController::reportOnce(const QString &reason)
{
    if (m_failureReported)
        return;
    m_failureReported = true;
    m_prompter.ShowMessageBox(IconWarning, QStringLiteral("Warning!"),
                              QStringLiteral("Cannot keep a copy of the unsaved script in %1:\r\n%2\r\n"
                                             "Should Quillon stop unexpectedly, the changes would be lost: "
                                             "save the script to keep them.")
                                  .arg(QDir::toNativeSeparators(ownPathOrFolder()), reason));
}

QString RecoveryController::ownPathOrFolder() const
{
    return m_files.ownPath().isEmpty() ? m_files.folder() : m_files.ownPath();
}

void RecoveryController::reportTooLarge()
{
    // Said once for each script: typing on past the size asks nothing more.
    if (m_tooLargeReported)
        return;
    m_tooLargeReported = true;
    m_prompter.ShowMessageBox(
        IconWarning, QStringLiteral("Warning!"),
        QStringLiteral("The unsaved script is larger than %1 MiB, too large for a copy in %2.\r\n"
                       "Should Quillon stop unexpectedly, only the last copy kept before it grew past that size "
                       "could be restored: save the script to keep the changes.")
            .arg(RecoveryFiles::kMaxFileBytes / (1024 * 1024))
            .arg(QDir::toNativeSeparators(ownPathOrFolder())));
}

void RecoveryController::offerOrphans()
{
    if (!m_files.enabled() || !m_editors.exist())
        return;
    QStringList unreadable;
    QList<OrphanedScript> orphans = m_files.takeOrphans(&unreadable);
    if (!unreadable.isEmpty()) {
        m_prompter.ShowMessageBox(IconWarning, QStringLiteral("Warning!"),
                                  QStringLiteral("Cannot read the unsaved work that Quillon kept in:\r\n%1\r\n"
                                                 "The files are left where they are.")
                                      .arg(unreadable.join(QStringLiteral("\r\n"))));
    }
    // Newest first: the work of the last crash is the one selected.
    std::reverse(orphans.begin(), orphans.end());
    const auto keepAll = [&orphans] {
        for (OrphanedScript &orphan : orphans)
            RecoveryFiles::keep(orphan);
        orphans.clear();
    };
    // Discard takes the files chosen out of the list and asks again about
    // the rest; Restore and Later end it.
    while (!orphans.isEmpty()) {
        RecoveryListRequest request;
        request.title = QStringLiteral("Recover unsaved script");
        request.text = orphans.size() == 1
                           ? QStringLiteral("Quillon did not close properly and kept a script that had not been saved. "
                                            "Restore it into the editors, discard it, or decide later.")
                           : QStringLiteral("Quillon did not close properly and kept %1 scripts that had not been "
                                            "saved. Restore one into the editors, discard those selected, or decide "
                                            "later.")
                                 .arg(orphans.size());
        for (const OrphanedScript &orphan : std::as_const(orphans))
            request.entries.append({QFileInfo(orphan.path).fileName(), orphan.written, firstLines(orphan.script)});
        RecoveryListAnswer answer = m_prompter.chooseRecovery(request);
        QList<int> rows = answer.selected;
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        rows.removeIf([&orphans](int row) { return row < 0 || row >= orphans.size(); });
        if (answer.action == RecoveryListAnswer::Discard && !rows.isEmpty()) {
            for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
                RecoveryFiles::discard(orphans[*row]);
                orphans.removeAt(*row);
            }
        } else if (answer.action == RecoveryListAnswer::Restore && rows.size() == 1) {
            OrphanedScript chosen = orphans.takeAt(rows.first());
            keepAll();
            restore(chosen);
        } else {
            keepAll();
        }
    }
}

void RecoveryController::restore(OrphanedScript &orphan)
{
    if (m_editors.isModified() && !askToReplaceScript(m_prompter)) {
        RecoveryFiles::keep(orphan);
        return;
    }
    // Loaded as a change of the editors, so the script counts as modified
    // (and Undo goes back to the empty editors).
    const QString texts[] = {orphan.script.head, orphan.script.body};
    ScriptEditor *editors[] = {m_editors.head(), m_editors.body()};
    for (int i = 0; i < 2; ++i) {
        editors[i]->empty();
        editors[i]->beginUndoAction();
        editors[i]->replaceSelection(texts[i]);
        editors[i]->endUndoAction();
        editors[i]->setCaretPosition(0);
    }
    m_editors.announceScriptReplaced();
    emit restored();
    // The old file goes only once this copy's own holds the script.
    m_quiet.stop();
    m_worker.waitForDone();
    const SaveResult claimed = m_files.claim();
    const SaveResult written =
        claimed ? m_files.write(RecoveryFiles::encode({editors[0]->wholeText(), editors[1]->wholeText()})) : claimed;
    if (written) {
        RecoveryFiles::discard(orphan);
    } else {
        reportOnce(written.error);
        RecoveryFiles::keep(orphan);
    }
}
