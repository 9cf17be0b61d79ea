#pragma once
// The eight formatting commands of the HTML menu and toolbar: each puts a
// pair of tags around the selection.

#include <QString>

#include <optional>

struct HtmlTagPair {
    QString opening;
    QString closing;
};

/// The tags of formatting command tag (1 bold, 2 italic, 3 underline,
/// 4 strike, 5 align left, 6 centre, 7 align right, 8 preformatted);
/// nothing for another number.
std::optional<HtmlTagPair> htmlFormatTags(int tag);
