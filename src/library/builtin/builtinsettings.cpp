#include "library/builtin/builtinsettings.h"

#include <algorithm>

namespace {

int lengthWithin(const QString &text, int low, int high)
{
    return std::clamp(int(text.size()), low, high);
}

QList<ListRow> defaultLinks()
{
    return {
        {QStringLiteral("Example home page"), QStringLiteral("https://example.com/")},
        {QStringLiteral("Example software site"), QStringLiteral("https://example.org/")},
    };
}

QList<ListRow> defaultCitations()
{
    return {
        {QStringLiteral("Mark Twain"),
         QStringLiteral("Always do right. This will gratify some people and astonish the rest.")},
        {QStringLiteral("Oscar Wilde"), QStringLiteral("I can resist everything except temptation.")},
        {QStringLiteral("Benjamin Franklin"), QStringLiteral("Fish and visitors stink after three days.")},
        {QStringLiteral("Ambrose Bierce"),
         QStringLiteral("Patience: a minor form of despair, disguised as a virtue.")},
        {QStringLiteral("Jonathan Swift"),
         QStringLiteral("Every man desires to live long, but no man would be old.")},
        {QStringLiteral("Jerome K. Jerome"),
         QStringLiteral("I like work: it fascinates me. I can sit and look at it for hours.")},
    };
}

} // namespace

void PrinterSettings::setText(const QString &newText)
{
    text = newText;
    if (fitWidth)
        width = lengthWithin(text, kMinWidth, kMaxWidth);
}

void PrinterSettings::setFitWidth(bool checked)
{
    fitWidth = checked;
    width = lengthWithin(text, kMinWidth, kMaxWidth);
}

const std::array<QString, 12> &monthNames()
{
    static const std::array<QString, 12> names{
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December"),
    };
    return names;
}

QList<Headline> HeadlinerSettings::defaultHeadlines()
{
    const QString product = QStringLiteral("https://example.com/quillon/");
    return {
        {QStringLiteral("Velmora presents"), QStringLiteral("https://example.com/"),
         QStringLiteral("TypeWriter"), QString(), QStringLiteral("1000")},
        {QStringLiteral("Quillon 98 - DHTML editor"), product, QStringLiteral("Scroll"), QString(),
         QStringLiteral("1500")},
        {QStringLiteral("Do you really need something more?"), product, QStringLiteral("Expand"), QString(),
         QStringLiteral("3000")},
    };
}

ListSettings listSettingsFor(int id)
{
    ListSettings list;
    list.firstHeader = QStringLiteral("Description");
    list.secondHeader = QStringLiteral("URL");
    if (id == 9) {
        list.mode = ListMode::SmartButton;
        list.groupCaption = QStringLiteral(" Jump to an address assigned to the button ");
        list.editsShown = false;
        list.rows = defaultLinks();
        list.rows.append({QStringLiteral("Example search engine"), QStringLiteral("https://example.net/")});
    } else if (id == 12) {
        list.mode = ListMode::Citations;
        list.groupCaption = QStringLiteral(" Random citations ");
        list.firstLabel = QStringLiteral("Author");
        list.secondLabel = QStringLiteral("Citation text");
        list.firstHeader = QStringLiteral("Author");
        list.secondHeader = QStringLiteral("Citation");
        list.rows = defaultCitations();
    } else {
        list.mode = ListMode::Links;
        list.groupCaption = QStringLiteral("  Jump to an address choosed from the list  ");
        list.firstLabel = QStringLiteral("Description");
        list.secondLabel = QStringLiteral("Text on button");
        list.firstEdit = QStringLiteral("Select a page ...");
        list.secondEdit = QStringLiteral("Go there ...");
        list.rows = defaultLinks();
    }
    return list;
}

AnimTextSettings animTextSettingsFor(int id, const AnimTextSettings &current)
{
    AnimTextSettings anim = current;
    anim.dateShown = false;
    switch (id) {
    case 23:
        anim.label = QStringLiteral("Description");
        anim.text = QStringLiteral("Last modification date");
        break;
    case 30:
        anim.label = QStringLiteral("Cool text (works only on CSS capable browsers)");
        anim.text = QStringLiteral("Put your text here ...");
        break;
    case 33:
        anim.label = QStringLiteral("How many days left to ...");
        anim.text = QStringLiteral("year 2000");
        anim.dateShown = true;
        anim.month = 0;
        break;
    default:  // 5, 7, 20
        anim.label = QStringLiteral("Animation text");
        anim.text = QStringLiteral("Put your text here ...");
        break;
    }
    return anim;
}

DayTimeSettings dayTimeSettingsFor(int id)
{
    DayTimeSettings page;
    switch (id) {
    case 11:
        page.labels = {QStringLiteral("Message text"), QStringLiteral("\"Start\" button description"),
                       QStringLiteral("\"Slower\" button description"),
                       QStringLiteral("\"Faster\" button description"),
                       QStringLiteral("\"Pause\" button description")};
        page.texts = {QStringLiteral("Isn't JavaScript powerful ?!"), QStringLiteral("Start"),
                      QStringLiteral("Slower"), QStringLiteral("Faster"), QStringLiteral("Pause/Reset")};
        page.shown = 5;
        break;
    case 21:
        page.labels = {QStringLiteral("Message text"), QStringLiteral("Button text"), {}, {}, {}};
        page.texts = {QStringLiteral("Welcome here!"), QStringLiteral("I N F O R M A T I O N"), {}, {}, {}};
        page.shown = 2;
        break;
    case 25:
        page.labels = {QStringLiteral("E-mail"), QStringLiteral("Button text"), {}, {}, {}};
        page.texts = {QStringLiteral("name@example.com"), QStringLiteral("Mail me please!"), {}, {}, {}};
        page.shown = 2;
        break;
    case 31:
        page.labels = {QStringLiteral("First text"), QStringLiteral("Second text"), QStringLiteral("Third text"),
                       QStringLiteral("Question after finishing script"), {}};
        page.texts = {QStringLiteral("THIS"), QStringLiteral("IS"), QStringLiteral("COOL"),
                      QStringLiteral("Do you want to repeat the show ?"), {}};
        page.shown = 4;
        break;
    default:  // 10
        page.labels = {QStringLiteral("This text will be displayed before 5 AM"),
                       QStringLiteral("This text will be displayed before 8 AM"),
                       QStringLiteral("This text will be displayed before 0 PM"),
                       QStringLiteral("This text will be displayed before 6 PM"),
                       QStringLiteral("This text will be displayed after 6 PM")};
        page.texts = {QStringLiteral("Late night surfing?"), QStringLiteral("You got up early!"),
                      QStringLiteral("What a pleasant morning!"),
                      QStringLiteral("Disconnect now - a boss is coming!"),
                      QStringLiteral("It's going to be a nice evening!")};
        page.shown = 5;
        break;
    }
    return page;
}

void selectBuiltInScript(BuiltInSettings &settings, int id)
{
    switch (id) {
    case 0:
    case 9:
    case 12:
        settings.list = listSettingsFor(id);
        break;
    case 5:
    case 7:
    case 20:
    case 23:
    case 30:
    case 33:
        settings.animText = animTextSettingsFor(id, settings.animText);
        break;
    case 10:
    case 11:
    case 21:
    case 25:
    case 31:
        settings.dayTime = dayTimeSettingsFor(id);
        break;
    default:
        break;
    }
}
