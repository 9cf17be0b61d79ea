#include "library/builtin/builtinlists.h"

#include <algorithm>

int addListRow(QList<ListRow> &rows, const ListRow &row)
{
    if (rows.size() == 1 && rows.front().first.isEmpty()) {
        rows.front() = row;
        return 0;
    }
    rows.append(row);
    return int(rows.size()) - 1;
}

void deleteListRow(QList<ListRow> &rows, int index)
{
    if (index < 0 || index >= rows.size())
        return;
    rows.removeAt(index);
    if (rows.isEmpty())
        rows.append(ListRow{});
}

void clearListRows(QList<ListRow> &rows)
{
    rows = {ListRow{}};
}

CitationProblem citationProblem(const QString &author, const QString &quotation)
{
    if (author.isEmpty())
        return CitationProblem::NoAuthor;
    if (quotation.isEmpty())
        return CitationProblem::NoQuotation;
    return CitationProblem::None;
}

QString citationProblemText(CitationProblem problem)
{
    switch (problem) {
    case CitationProblem::NoAuthor:
        return QStringLiteral("I need author's name");
    case CitationProblem::NoQuotation:
        return QStringLiteral("I need citation");
    case CitationProblem::None:
        break;
    }
    return {};
}

bool isCompleteLink(const QString &description, const QString &address)
{
    return !description.isEmpty() && !address.isEmpty();
}

const QStringList &headlineEffects()
{
    static const QStringList effects{QStringLiteral("Static"), QStringLiteral("TypeWriter"), QStringLiteral("Blink"),
                                     QStringLiteral("Expand"), QStringLiteral("Scroll")};
    return effects;
}

const QStringList &headlineFrames()
{
    static const QStringList frames{QStringLiteral("new_window"), QStringLiteral("top"), QStringLiteral("self"),
                                    QStringLiteral("parent")};
    return frames;
}

int parseHeadlineWait(const QString &text)
{
    bool number = false;
    const int wait = text.trimmed().toInt(&number);
    if (!number)
        return kDefaultHeadlineWait;
    return std::clamp(wait, kMinHeadlineWait, kMaxHeadlineWait);
}

int findChoiceIgnoringCase(const QStringList &choices, const QString &text)
{
    if (text.isEmpty())
        return -1;
    for (int i = 0; i < choices.size(); ++i)
        if (choices.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

HeadlineFields headlineFieldsFor(const Headline &headline)
{
    HeadlineFields fields;
    fields.text = headline.text;
    fields.url = headline.url;
    fields.effect = findChoiceIgnoringCase(headlineEffects(), headline.effect);
    const int frame = findChoiceIgnoringCase(headlineFrames(), headline.frame);
    fields.frame = frame < 0 ? QString() : headlineFrames().at(frame);
    fields.wait = parseHeadlineWait(headline.wait);
    return fields;
}

Headline headlineFrom(const HeadlineFields &fields)
{
    Headline headline;
    headline.text = fields.text;
    headline.url = fields.url;
    headline.effect = fields.effect >= 0 && fields.effect < headlineEffects().size()
                          ? headlineEffects().at(fields.effect)
                          : QString();
    headline.frame = fields.frame;
    headline.wait = QString::number(fields.wait);
    return headline;
}
