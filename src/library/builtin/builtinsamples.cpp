#include "library/builtin/builtinsamples.h"

namespace {

void fillTexts(BuiltInSettings &s, const QString &text)
{
    s.list.firstEdit = text;
    s.list.secondEdit = text;
    for (ListRow &row : s.list.rows)
        row = {text, text};
    s.scroll.statusText = text;
    s.scroll.fieldText = text;
    s.printer.setText(text);
    s.navigator.backCaption = text;
    s.navigator.mainCaption = text;
    s.navigator.forwardCaption = text;
    s.navigator.url = text;
    s.animText.text = text;
    s.dayTime.texts.fill(text);
    s.day.texts.fill(text);
    s.headliner.title = text;
    for (Headline &headline : s.headliner.rows) {
        headline.text = text;
        headline.url = text;
        headline.frame = text;
    }
}

} // namespace

BuiltInSettings sampleBuiltInSettings(int id, const std::optional<QString> &text)
{
    BuiltInSettings settings;
    selectBuiltInScript(settings, id);
    // The colour buttons start silver and unchosen: a fade from a pale
    // yellow to a light blue shows the script at work.
    settings.colours.startColour = 0xFFF8C0;
    settings.colours.endColour = 0xA0C8F0;
    settings.colours.startChosen = true;
    settings.colours.endChosen = true;
    if (text)
        fillTexts(settings, *text);
    return settings;
}
