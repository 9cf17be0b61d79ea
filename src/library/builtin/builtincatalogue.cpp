#include "library/builtin/builtincatalogue.h"

namespace {
using P = BuiltInPage;
constexpr std::array<BuiltInScriptInfo, kBuiltInScriptCount> kCatalogue{{
    {"Jump from list", P::List, true},
    {"Scroll", P::Scroll, true},
    {"Printing text", P::Printer, true},
    {"Site navigator", P::Navigator, false},
    {"Flashing background", P::Colours, true},
    {"Animated text", P::AnimText, true},
    {"Background color selection 1", P::Empty, false},
    {"Animated status line", P::AnimText, true},
    {"Animated button", P::Empty, true},
    {"Smart button", P::List, true},
    {"What day-time?", P::DayTime, false},
    {"Steering scroll", P::DayTime, true},
    {"Citations", P::List, false},
    {"Funny button", P::Empty, true},
    {"Browser exit", P::Empty, true},
    {"Proffesional calculator", P::Empty, true},
    {"Simple calculator", P::Empty, true},
    {"Background colors changing", P::Empty, false},
    {"Random background colors1", P::Empty, true},
    {"Random background colors2", P::Empty, true},
    {"Bounded text", P::AnimText, true},
    {"Information", P::DayTime, false},
    {"Day of week", P::Day, false},
    {"Last modified", P::AnimText, false},
    {"Current date", P::Empty, true},
    {"Mail me!", P::DayTime, false},
    {"Background color selection 2", P::Empty, true},
    {"Status line clock", P::Empty, true},
    {"Time and date in the fields", P::Empty, true},
    {"Bannermania", P::Empty, true},
    {"Cool Text", P::AnimText, true},
    {"Cool Scroll", P::DayTime, true},
    {"Clock (uses CSS)", P::Empty, true},
    {"How many days left to...", P::AnimText, false},
    {"Headliner", P::Headliner, true},
}};
} // namespace

const std::array<BuiltInScriptInfo, kBuiltInScriptCount> &builtInCatalogue()
{
    return kCatalogue;
}

BuiltInPage builtInPageOf(int id)
{
    if (id < 0 || id >= kBuiltInScriptCount)
        return BuiltInPage::Empty;
    return kCatalogue[size_t(id)].page;
}

QStringList builtInScriptNames()
{
    QStringList names;
    names.reserve(kBuiltInScriptCount);
    for (const BuiltInScriptInfo &script : kCatalogue)
        names << QString::fromLatin1(script.name);
    return names;
}
