#include "platform/texthelpers.h"

#include "platform/textfile.h"

#include <QFile>

#include <algorithm>

namespace {

char16_t foldAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
}

bool matchesAt(const QString &text, qsizetype at, const Placeholder &placeholder)
{
    const qsizetype n = placeholder.name.size();
    if (n == 0 || at + n > text.size())
        return false;
    const char16_t *t = reinterpret_cast<const char16_t *>(text.constData()) + at;
    const char16_t *p = reinterpret_cast<const char16_t *>(placeholder.name.constData());
    for (qsizetype i = 0; i < n; ++i) {
        if (placeholder.ignoreCase ? foldAscii(t[i]) != foldAscii(p[i]) : t[i] != p[i])
            return false;
    }
    return true;
}

int hexDigit(QChar c)
{
    const char16_t d = foldAscii(c.unicode());
    if (d >= u'0' && d <= u'9')
        return d - u'0';
    if (d >= u'a' && d <= u'f')
        return d - u'a' + 10;
    return 16;
}

} // namespace

int ReplacePlaceholders(QString &text, const QList<Placeholder> &placeholders)
{
    int count = 0;
    QString result;
    qsizetype copied = 0;  // text before this is in result
    for (qsizetype at = 0; at < text.size();) {
        const Placeholder *found = nullptr;
        for (const Placeholder &placeholder : placeholders) {
            if (matchesAt(text, at, placeholder)) {
                found = &placeholder;
                break;
            }
        }
        if (!found) {
            ++at;
            continue;
        }
        if (count == 0)
            result.reserve(text.size() + found->value.size());
        result.append(QStringView(text).mid(copied, at - copied));
        result.append(found->value);
        at += found->name.size();
        copied = at;
        ++count;
    }
    if (count > 0) {
        result.append(QStringView(text).mid(copied));
        text = std::move(result);
    }
    return count;
}

int ReplacePlaceholder(QString &text, const QString &placeholder, const QString &value, bool ignoreCase)
{
    return ReplacePlaceholders(text, {Placeholder{placeholder, value, ignoreCase}});
}

bool SplitOnSeparator(const QString &text, const QString &separator, QString &before, QString &after)
{
    const qsizetype at = separator.isEmpty() ? -1 : text.indexOf(separator);
    if (at < 0) {
        before = text;
        after.clear();
        return false;
    }
    before = text.left(at);
    after = text.mid(at + separator.size());
    return true;
}

QString ReplaceAllText(const QString &text, const QString &search, const QString &replacement)
{
    QString before;
    QString rest;
    if (!SplitOnSeparator(text, search, before, rest))
        return text;
    QString result = before;
    QString remaining = rest;
    while (SplitOnSeparator(remaining, search, before, rest)) {
        result += replacement + before;
        remaining = rest;
    }
    return result + replacement + remaining;
}

bool DeleteTextNoCase(QString &text, const QString &part)
{
    if (part.isEmpty())
        return false;
    const qsizetype at = text.indexOf(part, 0, Qt::CaseInsensitive);
    if (at < 0)
        return false;
    text.remove(at, part.size());
    return true;
}

QString ChangeExtension(const QString &fileName, const QString &extension)
{
    const qsizetype nameStart =
        std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\')) + 1;
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString stem = dot >= nameStart ? fileName.left(dot) : fileName;
    if (extension.isEmpty())
        return stem;
    if (extension.startsWith(u'.'))
        return stem + extension;
    return stem + u'.' + extension;
}

int HexPairToByte(QChar high, QChar low)
{
    return hexDigit(high) * 16 + hexDigit(low);
}

std::optional<QString> LoadTextFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxTextFileBytes)
        return std::nullopt;
    QByteArray bytes = file.read(kMaxTextFileBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxTextFileBytes)
        return std::nullopt;
    return decodeText(joinLinesWithCrLf(std::move(bytes)));
}
