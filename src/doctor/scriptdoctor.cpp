#include "doctor/scriptdoctor.h"

#include "editor/schemelexer.h"
#include "editor/scripteditor.h"

#include <QColor>
#include <Qsci/qsciscintilla.h>
#include <QToolTip>

#include <algorithm>

namespace {

// Container indicators (8 to 31 are ours) and markers beside the
// bookmarks' 0 to 9, in the bookmarks' margin.
constexpr int kErrorIndicator = 20;
constexpr int kWarningIndicator = 21;
constexpr int kHintIndicator = 22;
constexpr int kErrorMarker = 20;
constexpr int kWarningMarker = 21;
constexpr int kSymbolMargin = 1;
constexpr int kDwellMs = 400;

int indicatorOf(FindingKind kind)
{
    switch (kind) {
    case FindingKind::Error:
        return kErrorIndicator;
    case FindingKind::Warning:
        return kWarningIndicator;
    case FindingKind::Hint:
        break;
    }
    return kHintIndicator;
}

long colourRef(QColor colour)
{
    // Scintilla's colours are 0xBBGGRR.
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

void defineIndicator(ScriptEditor &editor, int indicator, int style, QColor colour, int alpha)
{
    editor.SendScintilla(QsciScintillaBase::SCI_INDICSETSTYLE, indicator, style);
    editor.SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, indicator, colourRef(colour));
    editor.SendScintilla(QsciScintillaBase::SCI_INDICSETALPHA, indicator, alpha);
    editor.SendScintilla(QsciScintillaBase::SCI_INDICSETUNDER, indicator, 1L);
}

void defineMarker(ScriptEditor &editor, int marker, int symbol, QColor colour)
{
    editor.SendScintilla(QsciScintillaBase::SCI_MARKERDEFINE, marker, symbol);
    editor.SendScintilla(QsciScintillaBase::SCI_MARKERSETFORE, marker, colourRef(colour.darker(140)));
    editor.SendScintilla(QsciScintillaBase::SCI_MARKERSETBACK, marker, colourRef(colour));
}

// A point (an error at a line's end) is drawn over the character before
// it, or after it at the very start.
std::pair<int, int> drawnRange(const Finding &finding, int length)
{
    int start = std::clamp(finding.start, 0, length);
    int end = std::clamp(finding.end, start, length);
    if (end == start) {
        if (start > 0)
            --start;
        else if (end < length)
            ++end;
    }
    return {start, end};
}

}  // namespace

ScriptDoctor::ScriptDoctor(ScriptEditor &editor, int fragment, QObject *parent)
    : QObject(parent), m_editor(editor), m_fragment(fragment)
{
    defineIndicator(editor, kErrorIndicator, QsciScintillaBase::INDIC_SQUIGGLE, QColor(0xd0, 0x10, 0x10), 255);
    defineIndicator(editor, kWarningIndicator, QsciScintillaBase::INDIC_DASH, QColor(0xc0, 0x70, 0x00), 255);
    defineIndicator(editor, kHintIndicator, QsciScintillaBase::INDIC_DOTS, QColor(0x80, 0x80, 0x80), 120);
    defineMarker(editor, kErrorMarker, QsciScintillaBase::SC_MARK_CIRCLE, QColor(0xe0, 0x30, 0x30));
    defineMarker(editor, kWarningMarker, QsciScintillaBase::SC_MARK_SMALLRECT, QColor(0xe0, 0x90, 0x20));
    const long mask = editor.SendScintilla(QsciScintillaBase::SCI_GETMARGINMASKN, kSymbolMargin);
    editor.SendScintilla(QsciScintillaBase::SCI_SETMARGINMASKN, kSymbolMargin,
                         mask | (1L << kErrorMarker) | (1L << kWarningMarker));
    editor.SendScintilla(QsciScintillaBase::SCI_SETMOUSEDWELLTIME, kDwellMs);

    m_pause.setSingleShot(true);
    m_pause.setInterval(kPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &ScriptDoctor::examineSoon);
    // Counted as each change is made, not when the editor reports it, so
    // a result that was on its way meanwhile is known to be old.
    connect(&editor, &QsciScintillaBase::SCN_MODIFIED, this, [this](int, int type, const char *, int) {
        if (type & (QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE)) {
            ++m_generation;
            m_pause.start();
        }
    });
    connect(&editor, &QsciScintillaBase::SCN_DWELLSTART, this, &ScriptDoctor::showToolTip);
    connect(&editor, &QsciScintillaBase::SCN_DWELLEND, this, [] { QToolTip::hideText(); });
    connect(&editor, &QsciScintilla::cursorPositionChanged, this, &ScriptDoctor::noteCaret);
    m_pause.start();
}

void ScriptDoctor::examineSoon()
{
    m_pause.stop();
    ExaminationRequest request;
    request.fragment = m_fragment;
    request.generation = m_generation;
    request.text = m_editor.textBytes().toByteArray();
    request.kind = schemeSourceKind(m_editor);
    emit wanted(request);
}

void ScriptDoctor::show(const ExaminationResult &result)
{
    if (result.fragment != m_fragment || result.generation != m_generation)
        return;
    const bool same = current() && result.findings == m_findings;
    m_findings = result.findings;
    m_shownGeneration = result.generation;
    if (same)
        return;
    draw();
    noteCaret();
    emit findingsChanged();
}

void ScriptDoctor::draw()
{
    const int length = static_cast<int>(m_editor.textBytes().size());
    for (const int indicator : {kErrorIndicator, kWarningIndicator, kHintIndicator}) {
        m_editor.SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, indicator);
        m_editor.SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, 0L, static_cast<long>(length));
    }
    m_editor.SendScintilla(QsciScintillaBase::SCI_MARKERDELETEALL, kErrorMarker);
    m_editor.SendScintilla(QsciScintillaBase::SCI_MARKERDELETEALL, kWarningMarker);
    for (const Finding &finding : m_findings) {
        const auto [start, end] = drawnRange(finding, length);
        if (end > start) {
            m_editor.SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, indicatorOf(finding.kind));
            m_editor.SendScintilla(QsciScintillaBase::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(start),
                                   static_cast<long>(end - start));
        }
        if (finding.kind != FindingKind::Hint) {
            const long line =
                m_editor.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(start));
            m_editor.SendScintilla(QsciScintillaBase::SCI_MARKERADD, static_cast<unsigned long>(line),
                                   finding.kind == FindingKind::Error ? kErrorMarker : kWarningMarker);
        }
    }
}

QString ScriptDoctor::messageAt(int position) const
{
    if (!current())
        return {};
    const int length = static_cast<int>(m_editor.textBytes().size());
    QStringList messages;
    for (const Finding &finding : m_findings) {
        const auto [start, end] = drawnRange(finding, length);
        if (position >= start && position < std::max(end, start + 1))
            messages << finding.message;
    }
    return messages.join(u'\n');
}

void ScriptDoctor::showToolTip(int position, int x, int y)
{
    if (position < 0)
        return;
    const QString message = messageAt(position);
    if (!message.isEmpty())
        QToolTip::showText(m_editor.viewport()->mapToGlobal(QPoint(x, y)), message, m_editor.viewport());
}

void ScriptDoctor::noteCaret()
{
    // The caret may stand just after what is marked, or select it.
    const int caret = static_cast<int>(m_editor.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS));
    const int anchor = static_cast<int>(m_editor.SendScintilla(QsciScintillaBase::SCI_GETANCHOR));
    QString message = messageAt(std::min(caret, anchor));
    if (message.isEmpty() && caret > 0 && caret == anchor)
        message = messageAt(caret - 1);
    if (message == m_caretMessage)
        return;
    m_caretMessage = message;
    emit caretMessageChanged(message);
}

bool ScriptDoctor::goToError(bool forward)
{
    if (!current())
        return false;
    std::vector<const Finding *> errors;
    for (const Finding &finding : m_findings) {
        if (finding.kind == FindingKind::Error)
            errors.push_back(&finding);
    }
    if (errors.empty())
        return false;
    const int caret = static_cast<int>(m_editor.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS));
    const int anchor = static_cast<int>(m_editor.SendScintilla(QsciScintillaBase::SCI_GETANCHOR));
    const int from = std::min(caret, anchor);
    const Finding *target = nullptr;
    if (forward) {
        const auto next =
            std::find_if(errors.begin(), errors.end(), [from](const Finding *f) { return f->start > from; });
        target = next != errors.end() ? *next : errors.front();
    } else {
        const auto previous =
            std::find_if(errors.rbegin(), errors.rend(), [from](const Finding *f) { return f->start < from; });
        target = previous != errors.rend() ? *previous : errors.back();
    }
    goTo(*target);
    return true;
}

void ScriptDoctor::goTo(const Finding &finding)
{
    const int length = static_cast<int>(m_editor.textBytes().size());
    const int start = std::clamp(finding.start, 0, length);
    const int end = std::clamp(finding.end, start, length);
    m_editor.SendScintilla(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(start), static_cast<long>(end));
    m_editor.SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
    m_editor.setFocus(Qt::OtherFocusReason);
    noteCaret();
}

std::optional<std::vector<TextEdit>> combinedFixes(const std::vector<Finding> &findings)
{
    std::vector<TextEdit> edits;
    for (const Finding &finding : findings)
        edits.insert(edits.end(), finding.fix.begin(), finding.fix.end());
    std::sort(edits.begin(), edits.end(), [](const TextEdit &a, const TextEdit &b) { return a.start < b.start; });
    for (size_t i = 1; i < edits.size(); ++i) {
        if (edits[i].start < edits[i - 1].start + edits[i - 1].length)
            return std::nullopt;
    }
    return edits;
}

bool ScriptDoctor::applyFixes(const std::vector<Finding> &findings)
{
    if (!current())
        return false;
    // Fixes that would overlap are made one by one, the first of them now;
    // the look that follows offers the rest again.
    std::vector<Finding> taken;
    for (const Finding &finding : findings) {
        if (finding.fix.empty())
            continue;
        taken.push_back(finding);
        if (!combinedFixes(taken))
            taken.pop_back();
    }
    const std::optional<std::vector<TextEdit>> edits = combinedFixes(taken);
    if (!edits || edits->empty())
        return false;
    m_editor.beginUndoAction();
    // From the last to the first, so that each place still holds.
    for (auto edit = edits->rbegin(); edit != edits->rend(); ++edit) {
        m_editor.SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, static_cast<unsigned long>(edit->start),
                               static_cast<long>(edit->start) + edit->length);
        m_editor.SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(edit->text.size()),
                               edit->text.constData());
    }
    m_editor.endUndoAction();
    examineSoon();
    return true;
}
