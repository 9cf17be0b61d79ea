#pragma once
// Word characters of the script editors.
//
// A character is inside a word when it is a digit, an ASCII letter, the
// underscore or one of the 18 Polish letters (Ś Ź ś ź Ł Ą Ż ł ą ż Ć Ę Ń Ó ć
// ę ń ó).  A word may start with any of them except a digit.  The editors
// ask these rules wherever they decide word boundaries, whole-word search
// included.

#include <QChar>

bool fn_CharIsInWord(QChar c);
bool fn_CharStartsWord(QChar c);
