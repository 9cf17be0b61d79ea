#include "document/scripttext.h"

#include "platform/textfile.h"

QString composeScriptFile(const QString &head, const QString &body)
{
    return kHeadMarker + u"\r\n" + head + u"\r\n" + kBodyMarker + u"\r\n" + body;
}

namespace {

// Copy of the text from position from, at most count characters; nothing
// for a negative count or a start past the end.
QString piece(const QString &text, qsizetype from, qsizetype count = -1)
{
    if (from < 0 || from >= text.size())
        return {};
    if (count < 0)
        return text.mid(from);
    return count == 0 ? QString() : text.mid(from, count);
}

} // namespace

ScriptFragments splitScriptText(const QString &text)
{
    const qsizetype head = text.indexOf(kHeadMarker);
    const qsizetype body = text.indexOf(kBodyMarker);
    ScriptFragments out;
    if (head >= 0 && body >= 0) {
        const qsizetype start = head + kHeadMarker.size() + 2;
        // The line break the writer puts before the BODY marker is not HEAD's.
        qsizetype end = body;
        if (end - 2 >= start && QStringView(text).sliced(end - 2, 2) == u"\r\n")
            end -= 2;
        if (body > head)
            out.head = piece(text, start, qMax<qsizetype>(end - start, 0));
    } else if (head >= 0) {
        out.head = piece(text, head + kHeadMarker.size() + 2);
    }
    if (body >= 0)
        out.body = piece(text, body + kBodyMarker.size() + 2);
    else if (head < 0)
        out.body = text;
    return out;
}

namespace {

// Byte offset of the position two characters (UTF-16 units, as the text
// split counts them) after from.
qsizetype skipTwoCharacters(const QByteArray &bytes, qsizetype from, bool utf8)
{
    if (!utf8)
        return from + 2;
    qsizetype at = from;
    int units = 0;
    while (units < 2 && at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        units += length == 4 ? 2 : 1;
        at += length;
    }
    return at;
}

} // namespace

ScriptFragments readScriptBytes(const QByteArray &bytes)
{
    // The markers are plain ASCII, so the text is split while still bytes
    // and only the two fragments are decoded: a large file is read once.
    QByteArray text = joinLinesWithCrLf(bytes);
    // Joining ends the last line with CR LF; a file whose text did not end
    // with a line break gets none, so what was written comes back as it was.
    const qsizetype nul = bytes.indexOf('\0');
    const QByteArrayView raw = nul >= 0 ? QByteArrayView(bytes).first(nul) : QByteArrayView(bytes);
    if (!raw.isEmpty() && !raw.endsWith('\n') && !raw.endsWith('\r') && text.endsWith("\r\n"))
        text.chop(2);
    const bool utf8 = text.isValidUtf8();
    const auto decode = [&](qsizetype from, qsizetype to) -> QString {
        if (from < 0 || from >= text.size() || to <= from)
            return {};
        const QByteArrayView piece = QByteArrayView(text).sliced(from, qMin(to, text.size()) - from);
        return utf8 ? QString::fromUtf8(piece) : decodeWindows1250(piece.toByteArray());
    };
    static const QByteArray headMarker = kHeadMarker.toLatin1();
    static const QByteArray bodyMarker = kBodyMarker.toLatin1();
    qsizetype bomSkip = utf8 && text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const qsizetype head = text.indexOf(headMarker, bomSkip);
    const qsizetype body = text.indexOf(bodyMarker, bomSkip);
    ScriptFragments out;
    if (head >= 0 && body >= 0) {
        const qsizetype start = skipTwoCharacters(text, head + headMarker.size(), utf8);
        // The line break the writer puts before the BODY marker is not HEAD's.
        const qsizetype end = body - 2 >= start && text.sliced(body - 2, 2) == "\r\n" ? body - 2 : body;
        if (body > head)
            out.head = decode(start, end);
    } else if (head >= 0) {
        out.head = decode(skipTwoCharacters(text, head + headMarker.size(), utf8), text.size());
    }
    if (body >= 0)
        out.body = decode(skipTwoCharacters(text, body + bodyMarker.size(), utf8), text.size());
    else if (head < 0)
        out.body = decode(bomSkip, text.size());
    return out;
}

QString composeClipboardText(const QString &head, const QString &body)
{
    return kClipboardHeadComment + u"\r\n" + head + u"\r\n" + kClipboardBodyComment + u"\r\n" + body;
}

QString startupScriptText()
{
    return QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!-- \r\n\r\n// -->\r\n</SCRIPT>");
}

QString newScriptText()
{
    return QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!--\r\n\r\n//-->\r\n</SCRIPT>");
}
