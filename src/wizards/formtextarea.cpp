#include "wizards/formtextarea.h"

#include "wizards/htmlattribute.h"

QStringList textareaWrapItems()
{
    return {QStringLiteral("off"), QStringLiteral("virtual"), QStringLiteral("physical")};
}

QString buildTextareaOpening(const TextareaOptions &options)
{
    QString tag = QStringLiteral("<TEXTAREA");
    if (!options.name.isEmpty())
        tag += htmlAttribute("NAME", options.name);
    if (options.columns != 0)
        tag += htmlAttribute("COLS", QString::number(options.columns));
    if (options.rows != 0)
        tag += htmlAttribute("ROWS", QString::number(options.rows));
    switch (options.wrap) {
    case TextareaWrap::Off:
        tag += QStringLiteral(" WRAP=\"OFF\"");
        break;
    case TextareaWrap::Virtual:
        tag += QStringLiteral(" WRAP=\"VIRTUAL\"");
        break;
    case TextareaWrap::Physical:
        tag += QStringLiteral(" WRAP=\"PHYSICAL\"");
        break;
    case TextareaWrap::Unset:
        break;
    }
    return tag + QStringLiteral(">") + options.text;
}

QString textareaClosingTag()
{
    return QStringLiteral("</TEXTAREA>");
}
