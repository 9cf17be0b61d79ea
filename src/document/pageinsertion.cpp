#include "document/pageinsertion.h"

#include <QHash>

#include <algorithm>
#include <optional>

namespace {

/// One tag of the page, start or end.
struct Tag {
    qsizetype start = 0;
    qsizetype end = 0;  // just after its '>'
    QString name;       // lower case
    QString writtenName;
    bool closing = false;
    bool selfClosing = false;
    std::optional<QString> id;
};

bool isNameStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isNameChar(QChar c)
{
    return isNameStart(c) || (c >= u'0' && c <= u'9') || c == u'-' || c == u':' || c == u'_' || c == u'.';
}

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

bool isRawTextElement(const QString &name)
{
    static const QStringList raw{QStringLiteral("script"),   QStringLiteral("style"),   QStringLiteral("title"),
                                 QStringLiteral("textarea"), QStringLiteral("xmp"),     QStringLiteral("iframe"),
                                 QStringLiteral("noembed"),  QStringLiteral("noframes")};
    return raw.contains(name);
}

bool isVoidElement(const QString &name)
{
    static const QStringList voids{QStringLiteral("area"),  QStringLiteral("base"),  QStringLiteral("br"),
                                   QStringLiteral("col"),   QStringLiteral("embed"), QStringLiteral("hr"),
                                   QStringLiteral("img"),   QStringLiteral("input"), QStringLiteral("link"),
                                   QStringLiteral("meta"),  QStringLiteral("param"), QStringLiteral("source"),
                                   QStringLiteral("track"), QStringLiteral("wbr")};
    return voids.contains(name);
}

/// Walks the tags of a page as a browser reads them: comments, <!...>
/// and <?...> are passed over, and the text of a raw-text element (a
/// script, a style) runs to its own end tag whatever it holds.
class TagWalker {
public:
    explicit TagWalker(const QString &page) : m_page(page) {}

    bool next(Tag &tag)
    {
        const qsizetype size = m_page.size();
        while (m_pos < size) {
            const qsizetype at = m_page.indexOf(u'<', m_pos);
            if (at < 0 || at + 1 >= size) {
                m_pos = size;
                return false;
            }
            const QChar c = m_page[at + 1];
            if (QStringView(m_page).mid(at, 4) == u"<!--") {
                const qsizetype close = m_page.indexOf(QStringLiteral("-->"), at + 4);
                m_pos = close < 0 ? size : close + 3;
            } else if (c == u'!' || c == u'?') {
                const qsizetype close = m_page.indexOf(u'>', at);
                if (m_doctypeEnd < 0 && QStringView(m_page).mid(at, 9).compare(u"<!doctype", Qt::CaseInsensitive) == 0)
                    m_doctypeEnd = close < 0 ? size : close + 1;
                m_pos = close < 0 ? size : close + 1;
            } else if (c == u'/' && at + 2 < size && isNameStart(m_page[at + 2])) {
                readEndTag(at, tag);
                return true;
            } else if (isNameStart(c)) {
                readStartTag(at, tag);
                return true;
            } else {
                m_pos = at + 1;
            }
        }
        return false;
    }

    /// Just after the first <!DOCTYPE ...> passed so far; -1 before one.
    qsizetype doctypeEnd() const { return m_doctypeEnd; }

private:
    qsizetype nameEnd(qsizetype from) const
    {
        qsizetype i = from;
        while (i < m_page.size() && isNameChar(m_page[i]))
            ++i;
        return i;
    }

    void readEndTag(qsizetype at, Tag &tag)
    {
        const qsizetype end = nameEnd(at + 2);
        tag = Tag();
        tag.start = at;
        tag.closing = true;
        tag.writtenName = m_page.mid(at + 2, end - at - 2);
        tag.name = tag.writtenName.toLower();
        const qsizetype close = m_page.indexOf(u'>', end);
        tag.end = close < 0 ? m_page.size() : close + 1;
        m_pos = tag.end;
    }

    void readStartTag(qsizetype at, Tag &tag)
    {
        const qsizetype size = m_page.size();
        qsizetype i = nameEnd(at + 1);
        tag = Tag();
        tag.start = at;
        tag.writtenName = m_page.mid(at + 1, i - at - 1);
        tag.name = tag.writtenName.toLower();
        tag.end = size;
        while (i < size) {
            if (m_page[i] == u'>') {
                tag.end = i + 1;
                tag.selfClosing = m_page[i - 1] == u'/';
                break;
            }
            if (isSpace(m_page[i]) || m_page[i] == u'/') {
                ++i;
                continue;
            }
            const qsizetype nameStart = i;
            while (i < size && !isSpace(m_page[i]) && m_page[i] != u'=' && m_page[i] != u'>' && m_page[i] != u'/')
                ++i;
            const QStringView attribute = QStringView(m_page).mid(nameStart, i - nameStart);
            while (i < size && isSpace(m_page[i]))
                ++i;
            QString value;
            if (i < size && m_page[i] == u'=') {
                ++i;
                while (i < size && isSpace(m_page[i]))
                    ++i;
                if (i < size && (m_page[i] == u'"' || m_page[i] == u'\'')) {
                    const qsizetype close = m_page.indexOf(m_page[i], i + 1);
                    const qsizetype valueEnd = close < 0 ? size : close;
                    value = m_page.mid(i + 1, valueEnd - i - 1);
                    i = close < 0 ? size : close + 1;
                } else {
                    const qsizetype valueStart = i;
                    while (i < size && !isSpace(m_page[i]) && m_page[i] != u'>')
                        ++i;
                    value = m_page.mid(valueStart, i - valueStart);
                }
            }
            if (!tag.id && attribute.compare(u"id", Qt::CaseInsensitive) == 0)
                tag.id = value;
        }
        m_pos = tag.end;
        if (isRawTextElement(tag.name))
            m_pos = rawTextEnd(tag.end, tag.name);
    }

    /// Where the end tag of a raw-text element begins (the end of the page
    /// when it has none).
    qsizetype rawTextEnd(qsizetype from, const QString &name) const
    {
        const QString closing = QStringLiteral("</") + name;
        for (qsizetype at = m_page.indexOf(closing, from, Qt::CaseInsensitive); at >= 0;
             at = m_page.indexOf(closing, at + 2, Qt::CaseInsensitive)) {
            const qsizetype after = at + closing.size();
            if (after >= m_page.size() || isSpace(m_page[after]) || m_page[after] == u'/' || m_page[after] == u'>')
                return at;
        }
        return m_page.size();
    }

    const QString &m_page;
    qsizetype m_pos = 0;
    qsizetype m_doctypeEnd = -1;
};

/// The tags insertIntoPage places things by.
struct PageLandmarks {
    std::optional<Tag> html, headStart, headEnd, bodyStart, bodyEnd, htmlEnd, firstTag;
    qsizetype doctypeEnd = -1;
};

PageLandmarks landmarksOf(const QString &page)
{
    PageLandmarks marks;
    TagWalker walker(page);
    Tag tag;
    const auto keepFirst = [&tag](std::optional<Tag> &slot) {
        if (!slot)
            slot = tag;
    };
    while (walker.next(tag)) {
        if (!tag.closing)
            keepFirst(marks.firstTag);
        if (tag.name == u"html")
            keepFirst(tag.closing ? marks.htmlEnd : marks.html);
        else if (tag.name == u"head")
            keepFirst(tag.closing ? marks.headEnd : marks.headStart);
        else if (tag.name == u"body")
            keepFirst(tag.closing ? marks.bodyEnd : marks.bodyStart);
    }
    marks.doctypeEnd = walker.doctypeEnd();
    return marks;
}

/// The fragment with the page's line breaks.
QString withLineBreaks(const QString &fragment, const QString &lineBreak)
{
    QString text = fragment;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (lineBreak != u"\n")
        text.replace(u'\n', lineBreak);
    return text;
}

QString endedWith(const QString &text, const QString &lineBreak)
{
    return text.endsWith(lineBreak) ? text : text + lineBreak;
}

QString withoutFinalBreak(const QString &text, const QString &lineBreak)
{
    return text.endsWith(lineBreak) ? text.chopped(lineBreak.size()) : text;
}

/// A fragment put before a tag at at: on a line of its own before the
/// tag's line when only blanks stand before the tag there, else on a line
/// of its own just before the tag.
PageAddition beforeTag(const QString &page, qsizetype at, const QString &fragment, const QString &lineBreak)
{
    qsizetype lineStart = at;
    while (lineStart > 0 && (page[lineStart - 1] == u' ' || page[lineStart - 1] == u'\t'))
        --lineStart;
    if (lineStart == 0 || page[lineStart - 1] == u'\n' || page[lineStart - 1] == u'\r')
        return {lineStart, endedWith(fragment, lineBreak)};
    return {at, lineBreak + endedWith(fragment, lineBreak)};
}

/// A fragment on a line of its own after at.
PageAddition afterPlace(qsizetype at, const QString &fragment, const QString &lineBreak)
{
    return {at, lineBreak + withoutFinalBreak(fragment, lineBreak)};
}

PageAddition headAddition(const QString &page, const PageLandmarks &marks, const QString &fragment,
                          const QString &lineBreak)
{
    if (marks.headEnd)
        return beforeTag(page, marks.headEnd->start, fragment, lineBreak);
    // A head that is never closed ends where the body starts.
    if (marks.headStart && marks.bodyStart && marks.headStart->start < marks.bodyStart->start)
        return beforeTag(page, marks.bodyStart->start, fragment, lineBreak);
    if (marks.headStart)
        return afterPlace(marks.headStart->end, fragment, lineBreak);
    // No head at all: one is made, in the case the page writes its tags in.
    const std::optional<Tag> &model = marks.html ? marks.html : marks.firstTag;
    const bool upper = model && model->writtenName == model->writtenName.toUpper();
    const QString open = upper ? QStringLiteral("<HEAD>") : QStringLiteral("<head>");
    const QString close = upper ? QStringLiteral("</HEAD>") : QStringLiteral("</head>");
    const QString head = open + lineBreak + endedWith(fragment, lineBreak) + close;
    if (marks.html)
        return {marks.html->end, lineBreak + head};
    if (marks.doctypeEnd >= 0)
        return {marks.doctypeEnd, lineBreak + head};
    return {0, head + lineBreak};
}

bool insideTag(const QString &page, qsizetype offset)
{
    TagWalker walker(page);
    Tag tag;
    while (walker.next(tag)) {
        if (tag.start >= offset)
            return false;
        if (offset < tag.end)
            return true;
    }
    return false;
}

std::optional<PageAddition> bodyAddition(const QString &page, const PageLandmarks &marks, const BodyPlace &place,
                                         const QString &fragment, const QString &lineBreak, QString &error)
{
    switch (place.kind) {
    case BodyPlace::BeforeBodyEnd:
        if (marks.bodyEnd)
            return beforeTag(page, marks.bodyEnd->start, fragment, lineBreak);
        if (marks.htmlEnd)
            return beforeTag(page, marks.htmlEnd->start, fragment, lineBreak);
        if (page.isEmpty() || page.endsWith(u'\n') || page.endsWith(u'\r'))
            return PageAddition{page.size(), fragment};
        return PageAddition{page.size(), lineBreak + fragment};
    case BodyPlace::AfterElement:
        for (const PageElement &element : elementsWithId(page))
            if (element.id == place.id)
                return afterPlace(element.after, fragment, lineBreak);
        error = QStringLiteral("The page has no element with the id \"%1\".").arg(place.id);
        return std::nullopt;
    case BodyPlace::AtOffset:
        if (place.offset < 0 || place.offset > page.size()) {
            error = QStringLiteral("The place for the BODY fragment is outside the page.");
            return std::nullopt;
        }
        if (insideTag(page, place.offset)) {
            error = QStringLiteral("The place for the BODY fragment is inside a tag.");
            return std::nullopt;
        }
        return PageAddition{place.offset, fragment};
    }
    return std::nullopt;
}

}  // namespace

QList<PageElement> elementsWithId(const QString &page)
{
    QList<PageElement> found;
    // Per tag name, the elements still open: the index of each in found, or
    // -1 for one without an id (it still pairs with an end tag).
    QHash<QString, QList<qsizetype>> open;
    TagWalker walker(page);
    Tag tag;
    while (walker.next(tag)) {
        if (tag.closing) {
            QList<qsizetype> &stack = open[tag.name];
            if (stack.isEmpty())
                continue;
            const qsizetype index = stack.takeLast();
            if (index >= 0)
                found[index].after = tag.end;
            continue;
        }
        qsizetype index = -1;
        if (tag.id) {
            index = found.size();
            found.append({tag.name, *tag.id, tag.start, tag.end});
        }
        if (!tag.selfClosing && !isVoidElement(tag.name))
            open[tag.name].append(index);
    }
    return found;
}

QString pageLineBreak(const QString &page)
{
    qsizetype crlf = 0, lf = 0, cr = 0;
    for (qsizetype i = 0; i < page.size(); ++i) {
        if (page[i] == u'\r') {
            if (i + 1 < page.size() && page[i + 1] == u'\n') {
                ++crlf;
                ++i;
            } else {
                ++cr;
            }
        } else if (page[i] == u'\n') {
            ++lf;
        }
    }
    if (lf > crlf && lf >= cr)
        return QStringLiteral("\n");
    if (cr > crlf && cr > lf)
        return QStringLiteral("\r");
    return QStringLiteral("\r\n");
}

PageInsertResult insertIntoPage(const QString &page, const PageInsertOptions &options)
{
    PageInsertResult result;
    const QString lineBreak = pageLineBreak(page);
    const PageLandmarks marks = landmarksOf(page);
    if (!options.head.isEmpty())
        result.added.append(headAddition(page, marks, withLineBreaks(options.head, lineBreak), lineBreak));
    if (!options.body.isEmpty()) {
        const std::optional<PageAddition> body =
            bodyAddition(page, marks, options.place, withLineBreaks(options.body, lineBreak), lineBreak, result.error);
        if (!body) {
            result.added.clear();
            return result;
        }
        // At one place the HEAD fragment comes first.
        if (!result.added.isEmpty() && body->at < result.added.first().at)
            result.added.prepend(*body);
        else
            result.added.append(*body);
    }
    qsizetype from = 0;
    for (const PageAddition &addition : std::as_const(result.added)) {
        result.text += QStringView(page).mid(from, addition.at - from);
        result.text += addition.text;
        from = addition.at;
    }
    result.text += QStringView(page).mid(from);
    result.ok = true;
    return result;
}
