#include "document/unifieddiff.h"

#include <QList>
#include <QStringView>

#include <algorithm>
#include <vector>

namespace {

QList<QStringView> linesOf(const QString &text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(QStringView(text).mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(QStringView(text).mid(start));
    return lines;
}

enum class Op { Same, Removed, Added };

struct Edit {
    Op op;
    qsizetype oldLine;  // 0-based, in the old text (Same and Removed)
    qsizetype newLine;  // 0-based, in the new text (Same and Added)
};

/// Past this many changed lines the middle is shown as removed and added
/// whole: the search would take too much memory for what it shows.
constexpr qsizetype kMaxSearchedEdits = 2000;

/// The shortest edit script of a and b (Myers' search), or nothing when it
/// is longer than kMaxSearchedEdits.
std::vector<Edit> shortestEdits(const QList<QStringView> &a, const QList<QStringView> &b, qsizetype a0, qsizetype b0)
{
    const qsizetype n = a.size(), m = b.size();
    const qsizetype limit = std::min(n + m, kMaxSearchedEdits);
    std::vector<qsizetype> v(size_t(2 * limit + 3), 0);
    const qsizetype offset = limit + 1;
    std::vector<std::vector<qsizetype>> trace;  // v[-d..d] after each step d
    qsizetype found = -1;
    for (qsizetype d = 0; d <= limit && found < 0; ++d) {
        for (qsizetype k = -d; k <= d; k += 2) {
            qsizetype x = (k == -d || (k != d && v[size_t(offset + k - 1)] < v[size_t(offset + k + 1)]))
                              ? v[size_t(offset + k + 1)]
                              : v[size_t(offset + k - 1)] + 1;
            qsizetype y = x - k;
            while (x < n && y < m && a[x] == b[y]) {
                ++x;
                ++y;
            }
            v[size_t(offset + k)] = x;
            if (x >= n && y >= m)
                found = d;
        }
        trace.emplace_back(v.begin() + offset - d, v.begin() + offset + d + 1);
    }
    std::vector<Edit> edits;
    if (found < 0)
        return edits;
    qsizetype x = n, y = m;
    for (qsizetype d = found; d >= 0; --d) {
        const qsizetype k = x - y;
        qsizetype prevX = 0, prevY = 0;
        if (d > 0) {
            const std::vector<qsizetype> &before = trace[size_t(d - 1)];
            const auto at = [&before, d](qsizetype kk) { return before[size_t(kk + d - 1)]; };
            const qsizetype prevK = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? k + 1 : k - 1;
            prevX = at(prevK);
            prevY = prevX - prevK;
        }
        while (x > prevX && y > prevY) {
            --x;
            --y;
            edits.push_back({Op::Same, a0 + x, b0 + y});
        }
        if (d == 0)
            break;
        if (x == prevX)
            edits.push_back({Op::Added, a0 + x, b0 + prevY});
        else
            edits.push_back({Op::Removed, a0 + prevX, b0 + y});
        x = prevX;
        y = prevY;
    }
    std::reverse(edits.begin(), edits.end());
    return edits;
}

std::vector<Edit> editsOf(const QList<QStringView> &a, const QList<QStringView> &b)
{
    // The lines both start and end with are passed over before the search.
    qsizetype head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    qsizetype tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const QList<QStringView> midA = a.mid(head, a.size() - head - tail);
    const QList<QStringView> midB = b.mid(head, b.size() - head - tail);

    std::vector<Edit> edits;
    for (qsizetype i = 0; i < head; ++i)
        edits.push_back({Op::Same, i, i});
    std::vector<Edit> middle = shortestEdits(midA, midB, head, head);
    if (middle.empty() && (!midA.isEmpty() || !midB.isEmpty())) {
        for (qsizetype i = 0; i < midA.size(); ++i)
            middle.push_back({Op::Removed, head + i, head});
        for (qsizetype i = 0; i < midB.size(); ++i)
            middle.push_back({Op::Added, head + midA.size(), head + i});
    }
    edits.insert(edits.end(), middle.begin(), middle.end());
    for (qsizetype i = 0; i < tail; ++i)
        edits.push_back({Op::Same, a.size() - tail + i, b.size() - tail + i});
    return edits;
}

QString range(qsizetype first, qsizetype count)
{
    // An empty range names the line before it.
    const qsizetype start = count == 0 ? first : first + 1;
    if (count == 1)
        return QString::number(start);
    return QString::number(start) + u',' + QString::number(count);
}

}  // namespace

QString unifiedDiff(const QString &oldText, const QString &newText, const UnifiedDiffOptions &options)
{
    const QList<QStringView> a = linesOf(oldText);
    const QList<QStringView> b = linesOf(newText);
    const std::vector<Edit> edits = editsOf(a, b);
    const qsizetype context = std::max(0, options.context);

    QString out;
    size_t i = 0;
    while (i < edits.size()) {
        while (i < edits.size() && edits[i].op == Op::Same)
            ++i;
        if (i == edits.size())
            break;
        // A hunk: from context lines before this change to context lines
        // after the last change that lies within twice the context of the
        // one before it.
        const size_t first = i >= size_t(context) ? i - size_t(context) : 0;
        size_t last = i;  // the last change of the hunk
        for (size_t j = i + 1; j < edits.size(); ++j) {
            if (edits[j].op == Op::Same)
                continue;
            if (j - last - 1 > size_t(2 * context))
                break;
            last = j;
        }
        const size_t end = std::min(edits.size(), last + 1 + size_t(context));
        qsizetype oldCount = 0, newCount = 0;
        QString body;
        for (size_t j = first; j < end; ++j) {
            const Edit &edit = edits[j];
            if (edit.op == Op::Same) {
                body += u' ' + a[edit.oldLine].toString() + u'\n';
                ++oldCount;
                ++newCount;
            } else if (edit.op == Op::Removed) {
                body += u'-' + a[edit.oldLine].toString() + u'\n';
                ++oldCount;
            } else {
                body += u'+' + b[edit.newLine].toString() + u'\n';
                ++newCount;
            }
        }
        if (out.isEmpty())
            out = QStringLiteral("--- ") + options.oldName + QStringLiteral("\n+++ ") + options.newName + u'\n';
        out += QStringLiteral("@@ -") + range(edits[first].oldLine, oldCount) + QStringLiteral(" +") +
               range(edits[first].newLine, newCount) + QStringLiteral(" @@\n") + body;
        i = end;
    }
    return out;
}
