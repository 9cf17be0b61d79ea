#include "wizards/formbuilder.h"

#include "wizards/htmlattribute.h"

QStringList formActionItems()
{
    return {QStringLiteral("mailto:"), QStringLiteral("http://"),  QStringLiteral("ftp://"),
            QStringLiteral("news:"),   QStringLiteral("telnet://"), QStringLiteral("gopher://"),
            QStringLiteral("nntp://"), QStringLiteral("wais://"),   QStringLiteral("newsrc://"),
            QStringLiteral("file://")};
}

QStringList formMethodItems()
{
    return {QStringLiteral("GET"), QStringLiteral("POST")};
}

QStringList formEncodingItems()
{
    return {QStringLiteral("text/plain"), QStringLiteral("application/x-www-form-urlencoded"),
            QStringLiteral("multipart/form-data")};
}

QStringList formTargetItems()
{
    return {QStringLiteral("_blank"), QStringLiteral("_self"), QStringLiteral("_parent"), QStringLiteral("_top")};
}

QString formOpeningTag(const FormOptions &options)
{
    QString tag = QStringLiteral("<FORM");
    if (!options.action.isEmpty()) {
        tag += htmlAttribute("ACTION", options.action);
        // A method means nothing without an address to send to.
        if (!options.method.isEmpty())
            tag += htmlAttribute("METHOD", options.method);
    }
    if (!options.encoding.isEmpty())
        tag += htmlAttribute("ENCTYPE", options.encoding);
    if (!options.target.isEmpty())
        tag += htmlAttribute("TARGET", options.target);
    return tag + QStringLiteral(" >");
}

QString formClosingTag()
{
    return QStringLiteral("</FORM>");
}
