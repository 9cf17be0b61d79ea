#include "wizards/htmlformat.h"

std::optional<HtmlTagPair> htmlFormatTags(int tag)
{
    switch (tag) {
    case 1:
        return HtmlTagPair{QStringLiteral("<B>"), QStringLiteral("</B>")};
    case 2:
        return HtmlTagPair{QStringLiteral("<I>"), QStringLiteral("</I>")};
    case 3:
        return HtmlTagPair{QStringLiteral("<U>"), QStringLiteral("</U>")};
    case 4:
        return HtmlTagPair{QStringLiteral("<STRIKE>"), QStringLiteral("</STRIKE>")};
    case 5:
        return HtmlTagPair{QStringLiteral("<P ALIGN=\"LEFT\">"), QStringLiteral("</P>")};
    case 6:
        return HtmlTagPair{QStringLiteral("<CENTER>"), QStringLiteral("</CENTER>")};
    case 7:
        return HtmlTagPair{QStringLiteral("<P ALIGN=\"RIGHT\">"), QStringLiteral("</P>")};
    case 8:
        return HtmlTagPair{QStringLiteral("<PRE>"), QStringLiteral("</PRE>")};
    default:
        return std::nullopt;
    }
}
