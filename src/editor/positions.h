#pragma once
// How many caret positions a text takes in an editor: one per character,
// a line break (CR LF, a lone CR or a lone LF, which the editor turns into
// CR LF) counting as one.

#include <QStringView>

int positionLength(QStringView text);
