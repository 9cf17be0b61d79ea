#pragma once
// The select-list builder: a SELECT element with one OPTION line per entry.
//
// An entry is the option's text alone, or the text, the separator " :V="
// and the option's value.

#include <QString>
#include <QStringList>

struct SelectListOptions {
    static constexpr int kMinSize = 1;
    static constexpr int kMaxSize = 100;

    QString name;  // empty: no NAME
    int size = 8;
    bool multiple = false;
    QStringList entries;
};

/// " :V=", between an option's text and its value.
QString optionValueSeparator();

/// The entry for an option: the text alone when value is empty, else text,
/// separator and value.  Empty when text is empty (nothing to add).
QString selectListEntry(const QString &text, const QString &value);

/// The SELECT tag line, one line per entry indented by four spaces, and
/// "</SELECT>"; every line ends with CR LF.  An entry's value is what
/// follows its first separator.
QString buildSelectList(const SelectListOptions &options);

/// Orders the entries by their whole text, ignoring case.
void sortSelectEntries(QStringList &entries);

/// Swaps the entry at index with its neighbour step (-1 above, +1 below);
/// returns where the entry now stands (index when it cannot move).
int moveSelectEntry(QStringList &entries, int index, int step);
