#include "document/recoverycontroller.h"

#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "platform/prompter.h"

#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace {

// The first lines of each fragment that hold anything, for the question.
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
                                                              : QStringLiteral("\r\n    ") + lines.join(QStringLiteral("\r\n    ")));
    }
    return shown.join(QStringLiteral("\r\n"));
}

} // namespace

RecoveryController::RecoveryController(Prompter &prompter, ScriptEditors &editors, const QString &folder,
                                       qint64 processId, QObject *parent)
    : QObject(parent), m_prompter(prompter), m_editors(editors), m_files(folder, processId)
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
        const SaveResult result = m_files.write(RecoveryFiles::encode(script));
        QMetaObject::invokeMethod(this, [this, result, generation] { writeFinished(result, generation); },
                                  Qt::QueuedConnection);
    });
}

void RecoveryController::writeFinished(const SaveResult &result, quint64 generation)
{
    m_writing = false;
    if (generation != m_generation) {
        // Given up while it was being written.
        m_files.remove();
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
    // A write that was running has put the file back after forget().
    m_files.remove();
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
                                  .arg(QDir::toNativeSeparators(m_files.ownPath()), reason));
}

void RecoveryController::offerOrphans()
{
    if (!m_files.enabled() || !m_editors.exist())
        return;
    QList<OrphanedScript> orphans = m_files.takeOrphans();
    bool restored = false;
    for (OrphanedScript &orphan : orphans) {
        if (restored) {
            RecoveryFiles::keep(orphan);
            continue;
        }
        QMessageBox box(QMessageBox::Question, QStringLiteral("Recover unsaved script"),
                        QStringLiteral("Quillon did not close properly and kept a script that had not been saved "
                                       "(written %1):\r\n\r\n%2\r\n\r\nDo you want to restore it into the editors?")
                            .arg(QLocale().toString(orphan.written, QLocale::ShortFormat), firstLines(orphan.script)),
                        QMessageBox::NoButton, m_prompter.parentWindow());
        box.setObjectName(QStringLiteral("RecoveryBox"));
        box.addButton(QStringLiteral("&Restore"), QMessageBox::YesRole)->setObjectName(QStringLiteral("restore"));
        box.addButton(QStringLiteral("&Later"), QMessageBox::NoRole)->setObjectName(QStringLiteral("later"));
        box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole)->setObjectName(QStringLiteral("discard"));
        box.setEscapeButton(box.buttons().at(1));
        m_prompter.execDialog(box);
        const QString chosen = box.clickedButton() ? box.clickedButton()->objectName() : QString();
        if (chosen == QLatin1String("restore")) {
            restored = restore(orphan);
        } else if (chosen == QLatin1String("discard")) {
            RecoveryFiles::discard(orphan);
        } else {
            RecoveryFiles::keep(orphan);
        }
    }
}

bool RecoveryController::restore(OrphanedScript &orphan)
{
    if (m_editors.isModified() && !askToReplaceScript(m_prompter)) {
        RecoveryFiles::keep(orphan);
        return false;
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
    return true;
}
