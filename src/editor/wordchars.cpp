#include "editor/wordchars.h"

namespace {

bool isPolishLetter(char16_t u)
{
    switch (u) {
    case u'Ś': case u'Ź': case u'ś': case u'ź': case u'Ł': case u'Ą':
    case u'Ż': case u'ł': case u'ą': case u'ż': case u'Ć': case u'Ę':
    case u'Ń': case u'Ó': case u'ć': case u'ę': case u'ń': case u'ó':
        return true;
    default:
        return false;
    }
}

} // namespace

bool fn_CharStartsWord(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == u'_' || isPolishLetter(u);
}

bool fn_CharIsInWord(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || fn_CharStartsWord(c);
}
