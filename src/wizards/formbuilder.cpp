#include "wizards/formbuilder.h"

namespace {

QString attribute(const char *name, const QString &value)
{
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), value);
}

} // namespace

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
        tag += attribute("ACTION", options.action);
        // A method means nothing without an address to send to.
        if (!options.method.isEmpty())
            tag += attribute("METHOD", options.method);
    }
    if (!options.encoding.isEmpty())
        tag += attribute("ENCTYPE", options.encoding);
    if (!options.target.isEmpty())
        tag += attribute("TARGET", options.target);
    return tag + QStringLiteral(" >");
}

QString formClosingTag()
{
    return QStringLiteral("</FORM>");
}
