#pragma once
// Small string helpers shared by the generators and their neighbours:
// placeholders, splitting and replacing, file-name extensions, hexadecimal
// pairs and text files read as lines.

#include <QList>
#include <QString>

#include <optional>

/// One placeholder of a template and the text that takes its place.
struct Placeholder {
    QString name;
    QString value;
    /// Match the name ignoring the case of ASCII letters.
    bool ignoreCase = false;
};

/// Replaces every occurrence of placeholder in text by value and returns
/// the number of replacements.  The scan goes on after each inserted value,
/// so a value holding the placeholder is inserted once and not expanded
/// again.  An empty placeholder replaces nothing.
int ReplacePlaceholder(QString &text, const QString &placeholder, const QString &value, bool ignoreCase = false);

/// Replaces several placeholders in one scan: an inserted value is never
/// scanned again, so a value holding another placeholder stays as typed.
/// Where two names match at one place the earlier in the list wins.
/// Returns the number of replacements.
int ReplacePlaceholders(QString &text, const QList<Placeholder> &placeholders);

/// Splits text at the first occurrence of separator (case-sensitive):
/// before and after it.  Without one, before is the whole text, after is
/// empty and the result is false.
bool SplitOnSeparator(const QString &text, const QString &separator, QString &before, QString &after);

/// text with every occurrence of search replaced, left to right, without
/// rescanning the replacements.  An empty search text changes nothing.
QString ReplaceAllText(const QString &text, const QString &search, const QString &replacement);

/// Deletes the first occurrence of part in text, letter case ignored;
/// whether there was one.
bool DeleteTextNoCase(QString &text, const QString &part);

/// fileName with its extension replaced by extension, or extension
/// appended when it has none; "." is put before an extension that lacks
/// it.  An empty extension removes the name's extension.
QString ChangeExtension(const QString &fileName, const QString &extension);

/// The byte written as two hexadecimal digits (either case); a character
/// that is not a digit counts as 16.
int HexPairToByte(QChar high, QChar low);

/// The text of a file (or of a resource) read as lines and joined with
/// CR LF; UTF-8 when valid, else Windows-1250.  Nothing when it cannot be
/// read.
std::optional<QString> LoadTextFile(const QString &path);
