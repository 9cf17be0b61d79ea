#include "editor/keyclashes.h"

#include <QStringList>

#include <algorithm>

namespace {

/// One chord, its modifiers sorted and every part in upper case:
/// "shift+ctrl+s" and "Ctrl+Shift+S" read alike.  A "+" standing for the
/// key itself ("Ctrl++") stays the key.
QString normalChord(const QString &chord)
{
    QString text = chord.trimmed().toUpper();
    QString key;
    if (text.endsWith(QStringLiteral("++"))) {
        key = QStringLiteral("+");
        text.chop(2);
    } else if (text == u"+") {
        return text;
    } else {
        const qsizetype plus = text.lastIndexOf(u'+');
        key = text.mid(plus + 1);
        text = plus < 0 ? QString() : text.left(plus);
    }
    QStringList modifiers = text.isEmpty() ? QStringList() : text.split(u'+');
    std::sort(modifiers.begin(), modifiers.end());
    modifiers << key;
    return modifiers.join(u'+');
}

/// The chords of a key sequence ("Ctrl+K, I": two).  A chord whose key
/// is the comma ("Ctrl+,") is one chord.
QStringList chords(const QString &key)
{
    QStringList parts;
    const QStringList pieces = key.split(QStringLiteral(", "));
    for (const QString &piece : pieces)
        if (!piece.trimmed().isEmpty())
            parts << normalChord(piece);
    return parts;
}

}  // namespace

QString windowCommandTaking(const QString &key, std::span<const WindowKey> windowKeys)
{
    const QStringList typed = chords(key);
    if (typed.isEmpty())
        return {};
    for (const WindowKey &window : windowKeys) {
        const QStringList taken = chords(window.key);
        if (taken.isEmpty())
            continue;
        const qsizetype common = std::min(typed.size(), taken.size());
        if (std::equal(typed.cbegin(), typed.cbegin() + common, taken.cbegin()))
            return window.command;
    }
    return {};
}

std::vector<KeyClash> findKeyClashes(const std::array<std::array<QString, 2>, kEditorCommandCount> &keys,
                                     std::span<const WindowKey> windowKeys)
{
    std::vector<KeyClash> clashes;
    for (int command = 0; command < kEditorCommandCount; ++command)
        for (int slot = 0; slot < 2; ++slot) {
            const QString &key = keys[size_t(command)][size_t(slot)];
            const QString taker = windowCommandTaking(key, windowKeys);
            if (!taker.isEmpty())
                clashes.push_back({command, slot, key, taker});
        }
    return clashes;
}
