#pragma once
// The script doctor in one editor: after a pause in typing the fragment is
// looked at (off the GUI thread, through whoever connects to wanted()), and
// what comes back is drawn: an error squiggled, old browser code
// underlined with dashes, a hint dotted faintly; a mark in the gutter on
// each line with an error or a warning; the message in a tooltip over it.

#include "doctor/examination.h"

#include <QObject>
#include <QTimer>

#include <optional>
#include <vector>

class ScriptEditor;

class ScriptDoctor final : public QObject {
    Q_OBJECT
public:
    /// How long typing must pause before the fragment is looked at.
    static constexpr int kPauseMs = 300;

    ScriptDoctor(ScriptEditor &editor, int fragment, QObject *parent = nullptr);

    ScriptEditor &editor() const { return m_editor; }
    int fragment() const { return m_fragment; }

    /// What the last look found, by place; its places hold while current().
    const std::vector<Finding> &findings() const { return m_findings; }
    /// Whether the findings belong to the text as it is now.
    bool current() const { return m_shownGeneration == m_generation; }
    /// The edit count of the text: one up at every change.
    quint64 generation() const { return m_generation; }

    /// Takes a look's result; one of an older text is dropped.
    void show(const ExaminationResult &result);
    /// Looks now instead of after the pause (the request goes out at once).
    void examineSoon();

    /// The messages of what is drawn at a byte position, one a line.
    QString messageAt(int position) const;
    /// Moves the caret to the next (or previous) error after (before) it,
    /// round the end; false when there is none.
    bool goToError(bool forward);
    /// Selects what a finding marks and gives the editor the focus.
    void goTo(const Finding &finding);
    /// Makes the fixes of these findings as one undo step; false, changing
    /// nothing, when the findings are not current or none has a fix.
    bool applyFixes(const std::vector<Finding> &findings);

signals:
    /// A look at the text is wanted.
    void wanted(const ExaminationRequest &request);
    void findingsChanged();
    /// The message of what is under the caret, empty when nothing is.
    void caretMessageChanged(const QString &message);

private:
    void draw();
    void noteCaret();
    void showToolTip(int position, int x, int y);

    ScriptEditor &m_editor;
    int m_fragment;
    QTimer m_pause;
    quint64 m_generation = 0;
    quint64 m_shownGeneration = ~quint64(0);
    std::vector<Finding> m_findings;
    QString m_caretMessage;
};

/// The edits of the findings' fixes together, or nothing when two overlap.
std::optional<std::vector<TextEdit>> combinedFixes(const std::vector<Finding> &findings);
