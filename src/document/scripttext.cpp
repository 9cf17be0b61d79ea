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
        if (body > head)
            out.head = piece(text, start, qMax<qsizetype>(body - start, 0));
    } else if (head >= 0) {
        out.head = piece(text, head + kHeadMarker.size() + 2);
    }
    if (body >= 0)
        out.body = piece(text, body + kBodyMarker.size() + 2);
    else if (head < 0)
        out.body = text;
    return out;
}

ScriptFragments readScriptBytes(const QByteArray &bytes)
{
    return splitScriptText(decodeText(joinLinesWithCrLf(bytes)));
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
