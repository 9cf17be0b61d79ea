#pragma once
// Keeps the editors' unsaved work across a crash.
//
// While either editor is modified, both fragments are written to this
// copy's recovery file a few seconds after the last change, and at least
// every half minute while the typing goes on.  The write runs on a worker
// thread: the window only takes a copy of the two texts.  When the script
// is saved or deliberately given up (New, Open, Save as, Save to library,
// a clean close) the file goes; a script too large for the file is said
// once, and the last copy that fitted stays.  At start the recovery files
// of copies that are gone are offered back in one list.

#include "document/recoveryfiles.h"

#include <QElapsedTimer>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

class Prompter;
class ScriptEditors;
struct Ports;

class RecoveryController final : public QObject {
    Q_OBJECT
public:
    /// folder ends with "/"; an empty folder switches recovery off.
    RecoveryController(const Ports &ports, const QString &folder, qint64 processId, QObject *parent = nullptr);
    ~RecoveryController() override;

    /// Follows the editors once they exist.
    void attachEditors();
    /// Offers back, in one list, the work of copies that are gone.  Once
    /// one is restored the others stay for a later start.
    void offerOrphans();
    /// The window closes as the user asked: this copy's file goes.
    void closedCleanly();

    /// Writes at once what a pending change would write later; for the
    /// tests and the benchmark.
    void writeNow();
    QString recoveryFilePath() const { return m_files.ownPath(); }
    /// After the last change: the quiet time before a write, and the
    /// longest a change waits while typing goes on.
    static constexpr int kQuietMs = 3000;
    static constexpr int kLongestWaitMs = 30000;

signals:
    /// A write of the recovery file has ended.
    void writeEnded(bool ok);
    /// A script was restored into the editors.
    void restored();

private:
    void textChanged();
    void modificationChanged();
    void startWrite();
    void writeFinished(const SaveResult &result, bool fits, quint64 generation);
    void forget();
    void reportOnce(const QString &reason);
    void reportTooLarge();
    QString ownPathOrFolder() const;
    void restore(OrphanedScript &orphan);

    Prompter &m_prompter;
    ScriptEditors &m_editors;
    RecoveryFiles m_files;
    QTimer m_quiet;
    QElapsedTimer m_pendingSince;
    QThreadPool m_worker;
    bool m_writing = false;
    bool m_writeAgain = false;
    // Bumped whenever the file is given up, so a write that was running
    // then does not bring it back.
    quint64 m_generation = 0;
    bool m_failureReported = false;
    bool m_tooLargeReported = false;
};
