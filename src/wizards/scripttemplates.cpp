#include "wizards/scripttemplates.h"

#include "editor/positions.h"

#include <QRegularExpression>

namespace {

const QString kBreak = QStringLiteral("\r\n");

/// A skeleton whose caret goes to the end of its first line.
TemplateText caretAfterFirstLine(const QString &text)
{
    const qsizetype firstBreak = text.indexOf(kBreak);
    return {text, firstBreak < 0 ? 0 : positionLength(QStringView(text).mid(firstBreak))};
}

} // namespace

int screenColumn(QStringView textBeforeCaret, int tabWidth)
{
    const int width = qMax(1, tabWidth);
    int column = 0;  // 0-based
    for (QChar c : textBeforeCaret)
        column = c == u'\t' ? (column / width + 1) * width : column + 1;
    return column + 1;
}

QStringView lineBefore(QStringView text, int position)
{
    qsizetype end = 0;
    for (int p = 0; p < position && end < text.size(); ++p)
        end += text.mid(end, 2) == u"\r\n" ? 2 : 1;
    qsizetype start = end;
    while (start > 0 && text[start - 1] != u'\n' && text[start - 1] != u'\r')
        --start;
    return text.mid(start, end - start);
}

QString indentationFor(int column)
{
    return QString(qMax(0, column - 1), u' ');
}

QStringList memoLines(QStringView text)
{
    if (text.isEmpty())
        return {};
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.toString().split(lineBreak);
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::optional<TemplateText> statementTemplate(int tag, const QString &indentation)
{
    const QString closing = kBreak + indentation + QStringLiteral("}");
    switch (tag) {
    case TagFunction:
        return caretAfterFirstLine(QStringLiteral("function name(){") + closing);
    case TagFor:
        return caretAfterFirstLine(QStringLiteral("for ( ; ; ) {") + closing);
    case TagIf:
        return caretAfterFirstLine(QStringLiteral("if ( ) {") + closing);
    case TagWhile:
        return caretAfterFirstLine(QStringLiteral("while ( condition ) {") + closing);
    case TagWith:
        return caretAfterFirstLine(QStringLiteral("with ( Object ) {") + closing);
    case TagIfElse:
        return caretAfterFirstLine(QStringLiteral("if ( ) {") + closing + kBreak + indentation +
                                   QStringLiteral("else {") + closing);
    case TagSwitch: {
        QString text = QStringLiteral("switch ( expression ) {");
        const auto line = [&](const char *literal) { text += kBreak + indentation + QLatin1String(literal); };
        for (int branch = 0; branch < 2; ++branch) {
            line("    case label :");
            line("       statement;");
            line("       break;");
        }
        line("    default :");
        line("       statement;");
        // The caret waits after the default branch's statement.
        const int caretBack = positionLength(closing);
        text += closing;
        return TemplateText{text, caretBack};
    }
    default:
        return std::nullopt;
    }
}

// --- script header ------------------------------------------------------------

QStringList scriptLanguages()
{
    return {QStringLiteral("JavaScript"), QStringLiteral("JavaScript1.1"), QStringLiteral("JavaScript1.2"),
            QStringLiteral("JScript"),    QStringLiteral("LiveScript"),    QStringLiteral("VBScript")};
}

QStringList scriptTypes()
{
    return {QStringLiteral("text/javascript"), QStringLiteral("text/tcl"), QStringLiteral("text/vbscript")};
}

QString typeForLanguage(const QString &language, const QString &type)
{
    const QString lower = language.toLower();
    if (lower.contains(QLatin1String("vbscript")))
        return QStringLiteral("text/vbscript");
    if (lower.contains(QLatin1String("javascript")))
        return QStringLiteral("text/javascript");
    return type;
}

QString scriptHeaderTag(const ScriptHeaderOptions &options)
{
    QString tag = QStringLiteral("<SCRIPT");
    if (!options.type.isEmpty())
        tag += QStringLiteral(" TYPE=\"") + options.type + u'"';
    if (!options.language.isEmpty())
        tag += QStringLiteral(" LANGUAGE=\"") + options.language + u'"';
    return tag + u'>';
}

TemplateText scriptHeaderBlock(const ScriptHeaderOptions &options, const QString &indentation)
{
    const QString tag = scriptHeaderTag(options);
    const bool vbScript = tag.toLower().contains(QLatin1String("vbscript"));
    const QStringList comments = memoLines(options.comments);
    const QString marker = vbScript ? QStringLiteral("'") : QStringLiteral("// ");
    const QString closingMarker = vbScript ? QStringLiteral("'-->") : QStringLiteral("//-->");

    QString text = tag + kBreak + indentation + QStringLiteral("<!--") + kBreak;
    if (vbScript || !comments.isEmpty()) {
        text += indentation;
        for (const QString &comment : comments)
            text += marker + comment + kBreak + indentation;
    }
    text += kBreak + indentation + closingMarker + kBreak + indentation + QStringLiteral("</SCRIPT>");

    // Back over "</SCRIPT>", the closing comment line and two positions more:
    // into the block's empty line.
    const int width = int(indentation.size());
    const int caretBack = 9 + width + 1 + int(closingMarker.size()) + width + 2;
    return {text, caretBack};
}

// --- NOSCRIPT and comments ------------------------------------------------------

QString defaultNoScriptText()
{
    return QStringLiteral("This page uses scripts. If you want to see its power, please download \r\n"
                          "the latest version of Netscape Navigator or Microsoft Internet \r\n"
                          "Explorer.");
}

QString noScriptElement(QStringView memoText)
{
    return QStringLiteral("<NOSCRIPT>") + memoLines(memoText).join(kBreak) + QStringLiteral("</NOSCRIPT>");
}

QString commentLines(const CommentOptions &options, const QString &indentation)
{
    const QString marker = options.style == CommentStyle::VBScript ? QStringLiteral("'") : QStringLiteral("//");
    QString text;
    for (const QString &line : memoLines(options.text))
        text += marker + line + kBreak + indentation;
    return text;
}
