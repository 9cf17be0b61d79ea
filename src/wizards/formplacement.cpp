#include "wizards/formplacement.h"

#include "editor/positions.h"
#include "wizards/formbuilder.h"
#include "wizards/formtextarea.h"

#include <QList>
#include <QRegularExpression>

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

PlacedText inNewForm(const QString &formTag, const QString &element, const QString &after)
{
    return {formTag + kLineBreak + element + after + kLineBreak + formClosingTag(),
            positionLength(formTag) + 1, positionLength(element)};
}

} // namespace

bool insideForm(QStringView text, int line)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QList<QStringView> lines = text.split(lineBreak);
    const QLatin1String opening("<FORM ");
    const QLatin1String closing("</FORM>");
    line = qBound(0, line, int(lines.size()) - 1);
    for (int i = line; i >= 0; --i) {
        if (lines[i].contains(closing))
            return false;
        if (lines[i].contains(opening))
            return true;
    }
    for (int i = line; i < lines.size(); ++i) {
        if (lines[i].contains(opening))
            return false;
        if (lines[i].contains(closing))
            return true;
    }
    return false;
}

PlacedText formWithContents(const QString &formTag, const QString &contents)
{
    const QString text = formTag + kLineBreak + contents + kLineBreak + formClosingTag();
    return {text, positionLength(text), 0};
}

PlacedText selectListAlone(const QString &lines)
{
    return {lines, 0, positionLength(lines)};
}

PlacedText selectListInForm(const QString &formTag, const QString &lines)
{
    return inNewForm(formTag, lines, QString());
}

PlacedText textareaInForm(const QString &formTag, const QString &opening)
{
    PlacedText placed = inNewForm(formTag, opening, textareaClosingTag());
    placed.selectFrom += placed.selectLength;
    placed.selectLength = 0;
    return placed;
}

PlacedText elementInForm(const QString &formTag, const QString &element)
{
    return inNewForm(formTag, element, QString());
}
