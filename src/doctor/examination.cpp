#include "doctor/examination.h"

#include "doctor/oldcode.h"
#include "doctor/syntaxcheck.h"

std::vector<Finding> examineFragment(QByteArrayView text, SourceKind kind, JsSyntaxChecker &checker)
{
    std::vector<Finding> findings = findSyntaxErrors(text, kind, checker);
    std::vector<Finding> old = findOldCode(text, kind);
    findings.insert(findings.end(), std::make_move_iterator(old.begin()), std::make_move_iterator(old.end()));
    sortFindings(findings);
    return findings;
}

ExaminationWorker::ExaminationWorker(std::shared_ptr<LatestGenerations> latest) : m_latest(std::move(latest)) {}

ExaminationWorker::~ExaminationWorker() = default;

void ExaminationWorker::examine(const ExaminationRequest &request)
{
    if (request.fragment < 0 || request.fragment > 1 || request.generation < (*m_latest)[request.fragment].load())
        return;
    if (!m_checker)
        m_checker = std::make_unique<JsSyntaxChecker>();
    ExaminationResult result;
    result.fragment = request.fragment;
    result.generation = request.generation;
    result.findings = examineFragment(request.text, request.kind, *m_checker);
    emit examined(result);
}
