#pragma once
// Placeholders of the built-in templates that a generated script still
// holds, found by their form rather than from the generator's own list: a
// bracketed name ("[tekst]") or an angle-bracketed one with an underscore
// ("<tu_dac_skrypt>").  The scripts' own array indices look the same and
// are let through.

#include <QRegularExpression>
#include <QStringList>

inline QStringList leftPlaceholders(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("\\[[A-Za-z_][A-Za-z0-9_]*\\]|<[a-z]+_[a-z_]+>"));
    static const QStringList indices{QStringLiteral("[i]"),     QStringLiteral("[x]"),    QStringLiteral("[line]"),
                                     QStringLiteral("[lineNo]"), QStringLiteral("[pick]"), QStringLiteral("[place]"),
                                     QStringLiteral("[shownNo]")};
    QStringList left;
    for (auto it = form.globalMatch(text); it.hasNext();) {
        const QString found = it.next().captured();
        if (!indices.contains(found) && !left.contains(found))
            left << found;
    }
    return left;
}
