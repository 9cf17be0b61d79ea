#include "preview/consolemessage.h"

#include <QUrl>

namespace {

QString lineLabel(const QString &where, int line)
{
    return QStringLiteral("%1, line %2").arg(where).arg(line);
}

/// Addresses compared as the browser writes them (a file address may come
/// with or without an empty host).
bool sameAddress(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    const QUrl left(a);
    const QUrl right(b);
    return left.isValid() && right.isValid() && left.adjusted(QUrl::RemoveFragment | QUrl::RemoveQuery) ==
                                                    right.adjusted(QUrl::RemoveFragment | QUrl::RemoveQuery);
}

} // namespace

int countLineBreaks(const QString &text)
{
    int breaks = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            ++breaks;
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n') {
            ++breaks;
        }
    }
    return breaks;
}

QString previewErrorSummary(int errors)
{
    if (errors <= 0)
        return QString();
    return errors == 1 ? QStringLiteral("1 error in preview") : QStringLiteral("%1 errors in preview").arg(errors);
}

PreviewPageLines::PreviewPageLines(const QString &head, const QString &body, const QString &pageAddress,
                                   const QString &libraryScript)
    : m_headBreaks(countLineBreaks(head)), m_bodyBreaks(countLineBreaks(body)), m_address(pageAddress),
      m_libraryScript(libraryScript)
{
}

ScriptPlace PreviewPageLines::placeOf(int line, const QString &source) const
{
    ScriptPlace place;
    if (m_headBreaks < 0 || !sameAddress(source, m_address)) {
        if (!source.isEmpty())
            place.label = line > 0 ? lineLabel(source, line) : source;
        return place;
    }
    // Page line n + 1, after the n line breaks of HEAD, holds HEAD's last
    // line (empty when HEAD ends with a break), "</HEAD><BODY>" and BODY's
    // first line.
    const int bodyStart = m_headBreaks + 1;
    const int pageLines = bodyStart + m_bodyBreaks;
    if (line >= 1 && line < bodyStart) {
        place.fragment = ScriptPlace::Fragment::Head;
        place.line = line;
    } else if (line >= bodyStart && line <= pageLines) {
        place.fragment = ScriptPlace::Fragment::Body;
        place.line = line - bodyStart + 1;
    } else {
        place.label = line > 0 ? lineLabel(QStringLiteral("preview page"), line) : QString();
        return place;
    }
    place.label = lineLabel(place.fragment == ScriptPlace::Fragment::Head ? QStringLiteral("HEAD")
                                                                          : QStringLiteral("BODY"),
                            place.line);
    if (!m_libraryScript.isEmpty()) {
        // The editors hold something else: the place names the script and
        // leads nowhere.
        place.label = QStringLiteral("library script \"%1\", %2").arg(m_libraryScript, place.label);
        place.fragment = ScriptPlace::Fragment::None;
    }
    return place;
}

ConsoleMessage PreviewPageLines::locate(const PageMessage &message) const
{
    return {message.level, message.text, placeOf(message.line, message.source)};
}
