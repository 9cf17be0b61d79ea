#include "doctor/finding.h"

#include <algorithm>
#include <tuple>

QByteArray applyEdits(QByteArrayView text, std::vector<TextEdit> edits)
{
    std::sort(edits.begin(), edits.end(), [](const TextEdit &a, const TextEdit &b) { return a.start < b.start; });
    QByteArray out;
    out.reserve(text.size());
    qsizetype done = 0;
    for (const TextEdit &edit : edits) {
        out.append(text.sliced(done, edit.start - done));
        out.append(edit.text);
        done = edit.start + edit.length;
    }
    out.append(text.sliced(done));
    return out;
}

void sortFindings(std::vector<Finding> &findings)
{
    std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) {
        return std::tuple(a.start, a.end, static_cast<int>(a.kind)) <
               std::tuple(b.start, b.end, static_cast<int>(b.kind));
    });
}
