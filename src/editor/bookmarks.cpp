#include "editor/bookmarks.h"

#include "editor/scripteditor.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kMarginWidth = 16;
constexpr int kFirstMarker = 0;  // marker kFirstMarker + n is bookmark n

// The image of bookmark n in the margin: its digit on a small blue tile.
QPixmap bookmarkPixmap(int number)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x1e, 0x5a, 0xa8));
    p.setBrush(QColor(0x42, 0x8b, 0xe6));
    p.drawRoundedRect(QRectF(0.5, 0.5, 13, 13), 3, 3);
    QFont font;
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 14, 14), Qt::AlignCenter, QString::number(number));
    return pixmap;
}

bool inRange(int number)
{
    return number >= 0 && number < EditorBookmarks::kCount;
}

} // namespace

EditorBookmarks::EditorBookmarks(ScriptEditor &editor, int margin) : m_editor(editor)
{
    m_handles.fill(-1);
    m_editor.setMarginType(margin, QsciScintilla::SymbolMargin);
    m_editor.setMarginWidth(margin, kMarginWidth);
    m_editor.setMarginSensitivity(margin, true);
    int mask = 0;
    for (int n = 0; n < kCount; ++n) {
        m_editor.markerDefine(bookmarkPixmap(n), kFirstMarker + n);
        mask |= 1 << (kFirstMarker + n);
    }
    m_editor.setMarginMarkerMask(margin, mask);
}

void EditorBookmarks::set(int number)
{
    if (!inRange(number))
        return;
    int &handle = m_handles[size_t(number)];
    if (handle >= 0)
        m_editor.markerDeleteHandle(handle);
    handle = m_editor.markerAdd(m_editor.caretLine() - 1, kFirstMarker + number);
    m_columns[size_t(number)] = m_editor.caretColumn();
}

void EditorBookmarks::go(int number)
{
    if (!has(number))
        return;
    const int line = m_editor.markerLine(m_handles[size_t(number)]);
    m_editor.setCaretLineColumn(line + 1, m_columns[size_t(number)]);
    m_editor.ensureCursorVisible();
}

bool EditorBookmarks::has(int number) const
{
    return inRange(number) && m_handles[size_t(number)] >= 0 && m_editor.markerLine(m_handles[size_t(number)]) >= 0;
}

void EditorBookmarks::clear()
{
    for (int n = 0; n < kCount; ++n)
        m_editor.markerDeleteAll(kFirstMarker + n);
    m_handles.fill(-1);
}
