#include "document/documentfile.h"

#include "platform/textfile.h"

#include <QList>

#include <algorithm>

namespace {

/// The lines of bytes, each with its own line break (CR LF, LF or CR); the
/// last one has none, and is empty when the bytes end in a line break.
QList<QByteArrayView> linesOf(QByteArrayView bytes)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        else if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines << bytes.sliced(start, i + 1 - start);
        start = i + 1;
    }
    lines << bytes.sliced(start);
    return lines;
}

/// The editors' text as lines without their CR LF, split the same way.
QList<QStringView> linesOf(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype at = text.indexOf(u"\r\n"); at >= 0; at = text.indexOf(u"\r\n", start)) {
        lines << text.sliced(start, at - start);
        start = at + 2;
    }
    lines << text.sliced(start);
    return lines;
}

QByteArrayView lineBreakOf(QByteArrayView line)
{
    if (line.endsWith("\r\n"))
        return line.last(2);
    if (line.endsWith('\n') || line.endsWith('\r'))
        return line.last(1);
    return {};
}

QByteArray lineBreakBytes(FileForm::LineBreak lineBreak)
{
    switch (lineBreak) {
    case FileForm::LineBreak::Lf:
        return "\n";
    case FileForm::LineBreak::Cr:
        return "\r";
    case FileForm::LineBreak::CrLf:
        break;
    }
    return "\r\n";
}

QByteArray encodeLine(QStringView line, FileForm::Encoding encoding, QString &unencodable)
{
    if (encoding == FileForm::Encoding::Windows1250)
        return encodeWindows1250(line, &unencodable);
    return line.toUtf8();
}

}  // namespace

FileForm fileFormOf(const QByteArray &bytes)
{
    FileForm form;
    const qsizetype nul = bytes.indexOf('\0');
    const QByteArrayView text = nul >= 0 ? QByteArrayView(bytes).first(nul) : QByteArrayView(bytes);
    if (text.isValidUtf8())
        form.encoding = text.startsWith("\xEF\xBB\xBF") ? FileForm::Encoding::Utf8WithBom : FileForm::Encoding::Utf8;
    else
        form.encoding = FileForm::Encoding::Windows1250;
    qsizetype crlf = 0, lf = 0, cr = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++crlf;
                ++i;
            } else {
                ++cr;
            }
        } else if (text[i] == '\n') {
            ++lf;
        }
    }
    if (lf > crlf && lf >= cr)
        form.lineBreak = FileForm::LineBreak::Lf;
    else if (cr > crlf && cr > lf)
        form.lineBreak = FileForm::LineBreak::Cr;
    form.markers = text.contains(kHeadMarker.toLatin1()) || text.contains(kBodyMarker.toLatin1());
    return form;
}

FileBytes composeFileBytes(const ScriptFragments &fragments, const FileForm &form)
{
    QString text = form.markers ? composeScriptFile(fragments.head, fragments.body) : fragments.body;
    // The editors' text has CR LF throughout.
    if (form.lineBreak == FileForm::LineBreak::Lf)
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    else if (form.lineBreak == FileForm::LineBreak::Cr)
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    return encodeFileText(text, form.encoding);
}

FileBytes encodeFileText(const QString &text, FileForm::Encoding encoding)
{
    FileBytes out;
    switch (encoding) {
    case FileForm::Encoding::Utf8:
        out.bytes = text.toUtf8();
        break;
    case FileForm::Encoding::Utf8WithBom:
        out.bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        break;
    case FileForm::Encoding::Windows1250:
        out.bytes = encodeWindows1250(text, &out.unencodable);
        break;
    }
    return out;
}

DocumentFile::DocumentFile(QByteArray bytes)
    : m_bytes(std::move(bytes)), m_fragments(readScriptBytes(m_bytes)), m_form(fileFormOf(m_bytes)), m_bytesForm(m_form)
{
}

FileBytes DocumentFile::bytesFor(const ScriptFragments &now) const
{
    if (m_bytesForm != m_form)
        return composeFileBytes(now, m_form);
    if (now == m_fragments)
        return {m_bytes, QString()};
    if (!m_form.markers && now.head == m_fragments.head)
        if (std::optional<FileBytes> kept = keepingUntouchedLines(now.body))
            return *kept;
    return composeFileBytes(now, m_form);
}

std::optional<FileBytes> DocumentFile::keepingUntouchedLines(const QString &body) const
{
    // The lines before and after the edited ones are written as the file
    // had them, line breaks and all; only the lines between are written
    // anew, in the file's encoding, each with the line break of the line it
    // took the place of (the file's usual one where lines were added).
    if (m_bytes.contains('\0'))
        return std::nullopt;
    const QList<QByteArrayView> file = linesOf(QByteArrayView(m_bytes));
    const QList<QStringView> old = linesOf(QStringView(m_fragments.body));
    const QList<QStringView> now = linesOf(QStringView(body));
    if (file.size() != old.size())
        return std::nullopt;
    const qsizetype common = std::min(old.size(), now.size());
    qsizetype before = 0;
    while (before < common - 1 && old[before] == now[before])
        ++before;
    qsizetype after = 0;
    while (after < common - before && old[old.size() - 1 - after] == now[now.size() - 1 - after])
        ++after;

    FileBytes out;
    out.bytes.reserve(m_bytes.size() + body.size() - m_fragments.body.size() + 16);
    for (qsizetype i = 0; i < before; ++i)
        out.bytes += file[i];
    if (before == 0 && m_form.encoding == FileForm::Encoding::Utf8WithBom)
        out.bytes += "\xEF\xBB\xBF";
    const QByteArray usual = lineBreakBytes(m_form.lineBreak);
    const qsizetype oldEnd = old.size() - after;
    const qsizetype nowEnd = now.size() - after;
    for (qsizetype i = before; i < nowEnd; ++i) {
        QStringView line = now[i];
        if (i == 0 && m_form.encoding == FileForm::Encoding::Utf8WithBom && line.startsWith(QChar(0xFEFF)))
            line = line.sliced(1);
        out.bytes += encodeLine(line, m_form.encoding, out.unencodable);
        if (i + 1 < now.size()) {
            const QByteArrayView own = i < oldEnd ? lineBreakOf(file[i]) : QByteArrayView();
            out.bytes += own.isEmpty() ? QByteArrayView(usual) : own;
        }
    }
    for (qsizetype i = oldEnd; i < old.size(); ++i)
        out.bytes += file[i];
    return out;
}

void DocumentFile::saved(QByteArray bytes, const ScriptFragments &now)
{
    m_bytes = std::move(bytes);
    m_fragments = now;
    m_bytesForm = m_form;
}
