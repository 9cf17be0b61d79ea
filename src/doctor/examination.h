#pragma once
// One look at a fragment by the script doctor, and the worker that takes
// those looks off the GUI thread.
//
// The editors ask after a pause in typing; a look at a large script takes
// a while, and the user may type again meanwhile, so a request that a
// newer one of the same editor has overtaken is dropped unread.

#include "doctor/finding.h"
#include "doctor/jssyntax.h"
#include "editor/highlightscheme.h"

#include <QByteArray>
#include <QObject>

#include <array>
#include <atomic>
#include <memory>
#include <vector>

/// The syntax errors and the old browser code of one fragment, by place.
std::vector<Finding> examineFragment(QByteArrayView text, SourceKind kind, JsSyntaxChecker &checker);

struct ExaminationRequest {
    int fragment = 0;        // 0 HEAD, 1 BODY
    quint64 generation = 0;  // the text's edit count when it was taken
    QByteArray text;
    SourceKind kind = SourceKind::Html;
};

struct ExaminationResult {
    int fragment = 0;
    quint64 generation = 0;
    std::vector<Finding> findings;
};

/// The newest generation asked for, per fragment, shared by the asking
/// side and the worker.
using LatestGenerations = std::array<std::atomic<quint64>, 2>;

class ExaminationWorker final : public QObject {
    Q_OBJECT
public:
    explicit ExaminationWorker(std::shared_ptr<LatestGenerations> latest);
    ~ExaminationWorker() override;

    /// Runs in the worker's thread (a queued call).
    void examine(const ExaminationRequest &request);

signals:
    void examined(const ExaminationResult &result);

private:
    std::shared_ptr<LatestGenerations> m_latest;
    std::unique_ptr<JsSyntaxChecker> m_checker;  // made in the worker's thread
};

Q_DECLARE_METATYPE(ExaminationRequest)
Q_DECLARE_METATYPE(ExaminationResult)
