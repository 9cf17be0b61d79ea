#include "wizards/windowwizard.h"

namespace {

/// 'text', with the comma and space that end an argument.
QString quotedArgument(const QString &text)
{
    return u'\'' + text + QStringLiteral("', ");
}

} // namespace

QString windowOpenCall(const WindowOptions &options)
{
    QString call = QStringLiteral("window.open(");
    call += quotedArgument(options.url);
    call += quotedArgument(options.title);
    call += u'\'';

    const std::pair<bool, const char *> features[] = {
        {options.toolbar, "toolbar,"},       {options.menu, "menubar,"},
        {options.scrollbars, "scrollbars,"}, {options.resizable, "resizable,"},
        {options.statusLine, "status,"},     {options.location, "location,"},
        {options.directories, "directories,"}, {options.history, "copyhistory,"},
    };
    for (const auto &[checked, keyword] : features)
        if (checked)
            call += QLatin1String(keyword);
    if (options.height != 0)
        call += QStringLiteral("height=%1,").arg(options.height);
    if (options.width != 0)
        call += QStringLiteral("width=%1").arg(options.width);
    if (call.endsWith(u','))
        call.chop(1);
    return call + QStringLiteral("');");
}
