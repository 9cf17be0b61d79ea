#include "wizards/formtextarea.h"

QStringList textareaWrapItems()
{
    return {QStringLiteral("off"), QStringLiteral("virtual"), QStringLiteral("physical")};
}

QString buildTextareaOpening(const TextareaOptions &options)
{
    QString tag = QStringLiteral("<TEXTAREA");
    if (!options.name.isEmpty())
        tag += QStringLiteral(" NAME=\"%1\"").arg(options.name);
    if (options.columns != 0)
        tag += QStringLiteral(" COLS=\"%1\"").arg(options.columns);
    if (options.rows != 0)
        tag += QStringLiteral(" ROWS=\"%1\"").arg(options.rows);
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
