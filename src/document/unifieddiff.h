#pragma once
// A unified diff of two texts, line by line, for showing a change before
// it is written: "---" and "+++" name the two versions, each "@@" hunk
// gives its lines in both with a few unchanged lines around them.
//
// Lines are compared without their line breaks (CR LF, LF and CR all end
// a line), so a change of line breaks alone shows no lines.

#include <QString>

struct UnifiedDiffOptions {
    QString oldName;
    QString newName;
    int context = 3;  // unchanged lines shown before and after each change
};

/// The diff, its lines ended by LF; empty when the texts have the same
/// lines.
QString unifiedDiff(const QString &oldText, const QString &newText, const UnifiedDiffOptions &options);
