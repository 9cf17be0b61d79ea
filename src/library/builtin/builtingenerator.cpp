#include "library/builtin/builtingenerator.h"

#include "library/builtin/builtincatalogue.h"
#include "library/builtin/builtinlists.h"
#include "platform/texthelpers.h"

#include <QDir>
#include <QHash>

#include <algorithm>
#include <array>

// The templates live in the core library's resources; a static library
// registers them only when asked.
static void registerTemplateResources()
{
    Q_INIT_RESOURCE(builtintemplates);
}

namespace {

const QString kCrLf = QStringLiteral("\r\n");
/// Where a code-built script's generated lines go in its template.
const QString kLinesMarker = QStringLiteral("[linie]\r\n");

const QString kStatusLineNotice =
    QStringLiteral("This script operates on the browser status line which isn't visible in the internal preview. "
                   "Use external browser!\r\n");

const QString kScriptStart = QStringLiteral("<SCRIPT TYPE=\"text/javascript\">\r\n");
const QString kScriptEnd = QStringLiteral("</SCRIPT>\r\n");

/// A template of the resources by name ("05.head"); the resources are part
/// of the program, so a missing one is a build fault and reads as empty.
const QString &templateText(const QString &name)
{
    static const QHash<QString, QString> templates = [] {
        registerTemplateResources();
        QHash<QString, QString> texts;
        const QDir folder(QStringLiteral(":/builtin"));
        for (const QString &file : folder.entryList(QDir::Files))
            texts.insert(file, LoadTextFile(folder.filePath(file)).value_or(QString()));
        return texts;
    }();
    static const QString none;
    const auto found = templates.constFind(name);
    return found == templates.constEnd() ? none : *found;
}

QString templateFor(int id, const char *part)
{
    return templateText(QStringLiteral("%1.%2").arg(id, 2, 10, QLatin1Char('0')).arg(QLatin1String(part)));
}

/// A template with its generated lines in place of the marker.
QString withLines(const QString &name, const QString &lines)
{
    QString text = templateText(name);
    ReplacePlaceholder(text, kLinesMarker, lines);
    return text;
}

bool isAsciiAlnum(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

/// Whether the & at i would start a character reference.
bool startsReference(const QString &value, qsizetype i)
{
    return i + 1 < value.size() && (isAsciiAlnum(value[i + 1]) || value[i + 1] == u'#');
}

// Shorthands for the places a value lands in.
QString js(const QString &value, QChar quote = u'"')
{
    return escapeForJsString(value, quote);
}

/// HTML text written by document.write from a string in quote.
QString writtenText(const QString &value, QChar quote = u'"')
{
    return escapeForJsString(escapeForHtmlText(value), quote);
}

/// A double-quoted attribute written by document.write from a string in quote.
QString writtenAttribute(const QString &value, QChar quote = u'\'')
{
    return escapeForJsString(escapeForHtmlAttribute(value), quote);
}

QString number(qsizetype n)
{
    return QString::number(n);
}

// --- the templates' placeholders ----------------------------------------------

QList<Placeholder> animatedText(const BuiltInSettings &s)
{
    const QString &text = s.animText.text;
    return {
        {QStringLiteral("[anim_tekst_male]"), js(text.toLower())},
        {QStringLiteral("[anim_tekst_duze]"), js(text.toUpper())},
        {QStringLiteral("[dlugosc]"), number(text.size())},
    };
}

QList<Placeholder> smartButton(const BuiltInSettings &s)
{
    QString lines;
    for (int n = 1; n <= s.list.rows.size(); ++n) {
        const ListRow &row = s.list.rows[n - 1];
        lines += QStringLiteral("lineArr[%1] = \"").arg(n) + js(row.first) + QStringLiteral("\"\r\n");
        lines += QStringLiteral("urlArr[%1] = \"").arg(n) + js(row.second) + QStringLiteral("\"\r\n");
    }
    return {{QStringLiteral("[lista_argumentow]"), lines}};
}

QList<Placeholder> citations(const BuiltInSettings &s)
{
    QString lines;
    for (int i = 0; i < s.list.rows.size(); ++i) {
        const ListRow &row = s.list.rows[i];
        lines += QStringLiteral("quotes[%1] = \"").arg(i) + writtenText(row.second) + QStringLiteral("\";\r\n");
        lines += QStringLiteral("authors[%1] = \"").arg(i) + writtenText(row.first) + QStringLiteral("\";\r\n");
    }
    return {
        {QStringLiteral("[ile_elementow]"), number(s.list.rows.size())},
        {QStringLiteral("[cytaty]"), lines},
    };
}

// --- Headliner ------------------------------------------------------------------

/// The effect as the script names it; an empty or unknown one shows the
/// headline still, as "Static" does.
QString effectName(const QString &effect)
{
    const int found = findChoiceIgnoringCase(headlineEffects(), effect);
    return headlineEffects().at(found < 0 ? 0 : found);
}

/// The wait as a JavaScript number; one that is not a whole number of
/// milliseconds waits the dialog's default.
QString waitNumber(const QString &wait)
{
    bool ok = false;
    const int ms = wait.trimmed().toInt(&ok);
    return QString::number(ok && ms >= 0 ? ms : kDefaultHeadlineWait);
}

QList<Placeholder> headlinerPlaceholders(const HeadlinerSettings &headliner)
{
    QString lines = QStringLiteral("lineMax=%1\r\nlines=new Array(lineMax)\r\n").arg(headliner.rows.size());
    for (int n = 1; n <= headliner.rows.size(); ++n) {
        const Headline &h = headliner.rows[n - 1];
        lines += QStringLiteral("lines[%1]=new Line(\"").arg(n) + js(h.text) + QStringLiteral("\", \"") + js(h.url) +
                 QStringLiteral("\", \"") + js(h.frame) + QStringLiteral("\", ") + effectName(h.effect) +
                 QStringLiteral(", ") + waitNumber(h.wait) + QStringLiteral(")\r\n");
    }
    return {
        {QStringLiteral("<tu_dac_skrypt>"), lines, true},
        {QStringLiteral("<nazwa_skryptu>"), escapeForHtmlAttribute(headliner.title), true},
    };
}

QList<Placeholder> placeholdersOf(int id, const BuiltInSettings &s)
{
    const auto &t = s.dayTime.texts;
    const QString &anim = s.animText.text;
    switch (id) {
    case 5:
        return animatedText(s);
    case 7:
        return {{QStringLiteral("[animowany_tekst]"), js(anim)}};
    case 9:
        return smartButton(s);
    case 10:
        return {
            {QStringLiteral("[przed_5]"), writtenText(t[0])},  {QStringLiteral("[przed_8]"), writtenText(t[1])},
            {QStringLiteral("[przed_12]"), writtenText(t[2])}, {QStringLiteral("[przed_18]"), writtenText(t[3])},
            {QStringLiteral("[po_18]"), writtenText(t[4])},
        };
    case 11:
        return {
            {QStringLiteral("[tekst_wiadomosci]"), js(t[0])},
            {QStringLiteral("[start_btn]"), escapeForHtmlAttribute(t[1])},
            {QStringLiteral("[slow_btn]"), escapeForHtmlAttribute(t[2])},
            {QStringLiteral("[fast_btn]"), escapeForHtmlAttribute(t[3])},
            {QStringLiteral("[pause_btn]"), escapeForHtmlAttribute(t[4])},
        };
    case 12:
        return citations(s);
    case 20:
        return {{QStringLiteral("[tekst]"), js(anim)}};
    case 21:
        return {
            {QStringLiteral("[info]"),
             escapeForHtmlAttribute(escapeForJsString(t[0], u'\'', ScriptPlace::Attribute))},
            {QStringLiteral("[przycisk]"), escapeForHtmlAttribute(t[1])},
        };
    case 22: {
        const auto &d = s.day.texts;
        return {
            {QStringLiteral("[poniedzialek]"), writtenText(d[0])}, {QStringLiteral("[wtorek]"), writtenText(d[1])},
            {QStringLiteral("[sroda]"), writtenText(d[2])},        {QStringLiteral("[czwartek]"), writtenText(d[3])},
            {QStringLiteral("[piatek]"), writtenText(d[4])},       {QStringLiteral("[weekend]"), writtenText(d[5])},
        };
    }
    case 23:
        return {{QStringLiteral("[tekst]"), writtenText(anim)}};
    case 25:
        return {
            {QStringLiteral("[tekst]"), escapeForHtmlAttribute(t[1])},
            {QStringLiteral("[e_mail]"),
             escapeForHtmlAttribute(escapeForJsString(t[0], u'\'', ScriptPlace::Attribute))},
        };
    case 30:
        return {{QStringLiteral("[tekst]"), escapeForHtmlText(anim)}};
    case 31:
        return {
            {QStringLiteral("[pytanie]"), js(t[3])},
            {QStringLiteral("[tekst1]"), escapeForHtmlText(t[0])},
            {QStringLiteral("[tekst2]"), escapeForHtmlText(t[1])},
            {QStringLiteral("[tekst3]"), escapeForHtmlText(t[2])},
        };
    case 33: {
        const AnimTextSettings &a = s.animText;
        const QString date =
            monthNames()[std::clamp(a.month, 0, 11)] + u' ' + number(a.day) + QStringLiteral(", ") + number(a.year);
        return {
            {QStringLiteral("[data_urodzin]"), js(date)},
            {QStringLiteral("[zdarzenie]"), writtenText(anim)},
        };
    }
    case 34:
        return headlinerPlaceholders(s.headliner);
    default:
        return {};
    }
}

GeneratedScript fromTemplates(int id, const BuiltInSettings &settings)
{
    GeneratedScript script{templateFor(id, "head"), templateFor(id, "body")};
    if (id == 7 || id == 20 || id == 27)
        script.body.prepend(kStatusLineNotice);
    const QList<Placeholder> placeholders = placeholdersOf(id, settings);
    if (!placeholders.isEmpty()) {
        ReplacePlaceholders(script.head, placeholders);
        ReplacePlaceholders(script.body, placeholders);
    }
    return script;
}

} // namespace

// --- escaping ---------------------------------------------------------------------

QString escapeForJsString(const QString &value, QChar quote, ScriptPlace place)
{
    QString out;
    out.reserve(value.size() + 8);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\' || c == quote) {
            out += u'\\';
            out += c;
        } else if (c == u'\r') {
            out += QStringLiteral("\\r");
        } else if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else if (c == QChar(0x2028) || c == QChar(0x2029)) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16);
        } else if (c == u'<' && place == ScriptPlace::Block &&
                   (QStringView(value).mid(i + 1, 7).compare(u"/script", Qt::CaseInsensitive) == 0 ||
                    QStringView(value).mid(i + 1, 3) == u"!--")) {
            // "</script" would end the script element, "<!--" confuse its end.
            out += u'<';
            out += u'\\';
        } else {
            out += c;
        }
    }
    return out;
}

QString escapeForHtmlAttribute(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'"')
            out += QStringLiteral("&quot;");
        else if (c == u'&' && startsReference(value, i))
            out += QStringLiteral("&amp;");
        else
            out += c;
    }
    return out;
}

QString escapeForHtmlText(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'&' && startsReference(value, i)) {
            out += QStringLiteral("&amp;");
        } else if (c == u'<' && i + 1 < value.size() &&
                   (value[i + 1].isLetter() || value[i + 1] == u'/' || value[i + 1] == u'!' ||
                    value[i + 1] == u'?')) {
            out += QStringLiteral("&lt;");
        } else {
            out += c;
        }
    }
    return out;
}

// --- the code-built scripts ---------------------------------------------------------

GeneratedScript BuildFadeScript(const ColourSettings &colours)
{
    // The colour (0xRRGGBB) is written as six digits in the byte order of
    // its value in memory, blue first, and read back a pair at a time.
    auto rgb = [](quint32 colour) {
        const QString digits = QStringLiteral("%1%2%3")
                                   .arg(colour & 0xFF, 2, 16, QLatin1Char('0'))
                                   .arg((colour >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
                                   .arg((colour >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
        return std::array<int, 3>{HexPairToByte(digits[4], digits[5]), HexPairToByte(digits[2], digits[3]),
                                  HexPairToByte(digits[0], digits[1])};
    };
    const auto s = rgb(colours.startColour);
    const auto e = rgb(colours.endColour);
    auto call = [&](const std::array<int, 3> &from, const std::array<int, 3> &to) {
        return QStringLiteral("        fade(%1,%2,%3,%4,%5,%6,%7);\r\n")
            .arg(from[0])
            .arg(from[1])
            .arg(from[2])
            .arg(to[0])
            .arg(to[1])
            .arg(to[2])
            .arg(colours.speed);
    };
    GeneratedScript script;
    script.head = templateText(QStringLiteral("04.head")) + QStringLiteral("function fadein() {\r\n") + call(s, e) +
                  QStringLiteral("}\r\n\r\nfunction fadeout() {") + call(e, s) +
                  QStringLiteral("}\r\n//-->\r\n</script>\r\n");
    script.body = templateText(QStringLiteral("04.body"));
    return script;
}

GeneratedScript BuildJumpListScript(const ListSettings &list)
{
    QString lines;
    lines += QStringLiteral("document.write('<option value=\"none\">") + writtenText(list.firstEdit, u'\'') +
             QStringLiteral("');\r\n");
    lines += QStringLiteral("document.write('<option value=\"none\">--------');\r\n");
    for (const ListRow &row : list.rows) {
        lines += QStringLiteral("document.write('<option value=\"") + writtenAttribute(row.second) +
                 QStringLiteral("\">") + writtenText(row.first, u'\'') + QStringLiteral("');\r\n");
    }
    lines += QStringLiteral("document.write('</select>');\r\n");
    lines += QStringLiteral("document.write('<INPUT TYPE=\"button\" VALUE=\"") + writtenAttribute(list.secondEdit) +
             QStringLiteral("\" onclick=\"go()\">'") + QStringLiteral(");\r\n");

    GeneratedScript script;
    script.head = templateText(QStringLiteral("00.head"));
    script.body = kScriptStart +
                  QStringLiteral("document.write('<FORM NAME=\"selecter\"><SELECT NAME=\"select1\" SIZE=\"1\">');\r\n") +
                  lines + QStringLiteral("document.write('</form>');\r\n") + kScriptEnd;
    return script;
}

GeneratedScript BuildStatusScrollerScript(const ScrollSettings &scroll)
{
    static const std::array<int, ScrollSettings::kSpeedCount> delays{90, 70, 50, 30, 10};
    const int delay = scroll.speed >= 0 && scroll.speed < ScrollSettings::kSpeedCount ? delays[scroll.speed] : 50;
    const QString lines = QStringLiteral("var DELAY    = %1").arg(delay) + kCrLf + QStringLiteral("var MESSAGE  = \"") +
                          js(scroll.statusText) + QStringLiteral("\"") + kCrLf;
    GeneratedScript script;
    script.head = withLines(QStringLiteral("01status.head"), lines);
    script.body = kStatusLineNotice + kScriptStart + QStringLiteral("scroller();\r\n") + kScriptEnd;
    return script;
}

GeneratedScript BuildFieldScrollerScript(const ScrollSettings &scroll)
{
    const QString line = QStringLiteral("        var i,k,msg=\"") + QString(21, u' ') + js(scroll.fieldText) +
                         QString(13, u' ') + QStringLiteral("\";") + kCrLf;
    GeneratedScript script;
    script.head = withLines(QStringLiteral("01field.head"), line);
    script.body = kScriptStart +
                  QStringLiteral("document.write('<FORM NAME=\"marqueeform\"><INPUT TYPE=\"text\" NAME=\"marquee\" "
                                 "SIZE=\"%1\" TITLE=\"Click to pause or go on\" "
                                 "ONCLICK=\"pauseOrGoOn()\"></FORM>');\r\n")
                      .arg(scroll.fieldWidth) +
                  QStringLiteral("marquee();\r\n") + kScriptEnd;
    return script;
}

GeneratedScript BuildTypewriterScript(const PrinterSettings &printer)
{
    const QString line = QStringLiteral("    \"") + js(printer.text) + QStringLiteral("\"") + kCrLf;
    const qsizetype size = printer.fitWidth ? printer.text.size() : printer.width;
    GeneratedScript script;
    script.head = withLines(QStringLiteral("02.head"), line);
    script.body = kScriptStart +
                  QStringLiteral("document.write('<FORM NAME=\"tickform\"><INPUT TYPE=\"text\" NAME=\"tickfield\" "
                                 "SIZE=\"%1\">');\r\n")
                      .arg(size) +
                  QStringLiteral("document.write('</FORM>');\r\ntextticker();\r\n") + kScriptEnd;
    return script;
}

GeneratedScript BuildNavigatorScript(const NavigatorSettings &navigator)
{
    // The address lands in a string inside an event attribute inside the
    // written text: escaped for each, innermost first.
    const QString address =
        writtenAttribute(escapeForJsString(navigator.url, u'\'', ScriptPlace::Attribute));
    auto button = [](const QString &caption, const QString &action) -> QString {
        return QStringLiteral("document.write('<INPUT TYPE=\"button\" VALUE=\"") + writtenAttribute(caption) +
               QStringLiteral("\" ONCLICK=\"") + action + QStringLiteral("\">');\r\n");
    };
    GeneratedScript script;
    script.body = kScriptStart +
                  QStringLiteral("document.write('<FORM NAME=\"History\" STYLE=\"text-align: center\">');\r\n") +
                  button(navigator.backCaption, QStringLiteral("history.back()")) +
                  button(navigator.mainCaption, QStringLiteral("location.href=\\'") + address + QStringLiteral("\\'")) +
                  button(navigator.forwardCaption, QStringLiteral("history.forward()")) +
                  QStringLiteral("document.write('</FORM>');\r\n") + kScriptEnd;
    return script;
}

// --- dispatch -----------------------------------------------------------------------

std::optional<GeneratedScript> generateBuiltInScript(int id, const BuiltInSettings &settings)
{
    switch (id) {
    case 0:
        if (settings.list.rows.isEmpty() || settings.list.rows.first().first.isEmpty())
            return std::nullopt;
        return BuildJumpListScript(settings.list);
    case 1:
        if (settings.scroll.statusLine && !settings.scroll.statusText.isEmpty())
            return BuildStatusScrollerScript(settings.scroll);
        if (!settings.scroll.fieldText.isEmpty())
            return BuildFieldScrollerScript(settings.scroll);
        return std::nullopt;
    case 2:
        if (settings.printer.text.isEmpty())
            return std::nullopt;
        return BuildTypewriterScript(settings.printer);
    case 3:
        if (settings.navigator.url.isEmpty())
            return std::nullopt;
        return BuildNavigatorScript(settings.navigator);
    case 4:
        if (!settings.colours.startChosen || !settings.colours.endChosen)
            return std::nullopt;
        return BuildFadeScript(settings.colours);
    default:
        if (id < 0 || id >= kBuiltInScriptCount)
            return std::nullopt;
        return fromTemplates(id, settings);
    }
}
