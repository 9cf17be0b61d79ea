#pragma once
// What the built-in scripts are generated from: one plain value per
// settings page, with the pages' defaults and ranges.  The pages under the
// editors show and edit these values; the generator reads only them.
// Nothing here is stored between runs.
//
// Pages shared by several scripts (the list, the animated text, the
// day-time page) are set up anew each time one of their scripts is
// selected (selectBuiltInScript); the other pages keep what the user
// entered for the whole run.

#include <QList>
#include <QString>

#include <array>

/// One data row of the list grid LST_Odnosnik: a description and an
/// address (links), or an author and a quotation (citations).
struct ListRow {
    QString first;
    QString second;
    friend bool operator==(const ListRow &, const ListRow &) = default;
};

enum class ListMode { Links, SmartButton, Citations };

/// TAB_Lista: the group, the two labelled edits and the grid.
struct ListSettings {
    ListMode mode = ListMode::Links;
    QString groupCaption;
    /// Whether LBL_Opis/Edit_Lista_Opis and LBL_NaPrzycisk/Edit_Lista_Przycisk show.
    bool editsShown = true;
    QString firstLabel;   // LBL_Opis
    QString secondLabel;  // LBL_NaPrzycisk
    QString firstEdit;    // Edit_Lista_Opis: the list's description, or a new row's author
    QString secondEdit;   // Edit_Lista_Przycisk: the button's text, or a new row's quotation
    QString firstHeader;
    QString secondHeader;
    /// The data rows; never empty (an empty list is one row of empty cells).
    QList<ListRow> rows{ListRow{}};
};

/// TAB_Scroll: the status-line and the text-field variants of "Scroll".
struct ScrollSettings {
    static constexpr int kMinWidth = 0;
    static constexpr int kMaxWidth = 255;
    /// LST_Scroll1_Speed's items, slowest first.
    static constexpr int kSpeedCount = 5;

    bool statusLine = false;  // CHK_Scr1 checked (else CHK_SCR2)
    QString statusText = QStringLiteral("Please insert a text here");  // EDT_Scroll1
    int speed = -1;  // LST_Scroll1_Speed: 0 "very slow" .. 4 "very fast", -1 none chosen
    QString fieldText = QStringLiteral("Please insert a text here");  // EDT_Scroll2
    int fieldWidth = 60;  // Spin_Scroll_Szer
};

/// TAB_Drukarz: the typewriter ("Printing text").
struct PrinterSettings {
    static constexpr int kMinWidth = 0;
    static constexpr int kMaxWidth = 70;

    QString text = QStringLiteral("Please insert a text here");  // EDT_Drukarz, never holds '"'
    int width = 30;         // Spin_Drukarz_Szer
    bool fitWidth = false;  // Check_Drukarz "Fit width"

    /// EDT_Drukarz changed to text: "Fit width" checked makes the width
    /// follow the text's length (held within the range).
    void setText(const QString &newText);
    /// "Fit width" clicked, whichever state it takes: the width becomes the
    /// text's length once (held within the range).
    void setFitWidth(bool checked);
};

/// Tab_Nawigator: the captions of the three buttons and the main page.
struct NavigatorSettings {
    QString backCaption = QStringLiteral("<<");         // Przycisk1
    QString mainCaption = QStringLiteral("Main page");  // Przycisk2
    QString forwardCaption = QStringLiteral(">>");      // Przycisk3
    QString url = QStringLiteral("https://example.com/");  // LST_URLe
};

/// TAB_Kolory: "Flashing background".  Colours are 0xRRGGBB.
struct ColourSettings {
    static constexpr quint32 kSilver = 0xC0C0C0;
    static constexpr int kMinSpeed = 2;
    static constexpr int kMaxSpeed = 255;

    quint32 startColour = kSilver;  // Przycisk_Tlo_Kolor1
    quint32 endColour = kSilver;    // Przycisk_Tlo_Kolor2
    /// Set the first time the user picks a colour with the matching button;
    /// never reset during the run.
    bool startChosen = false;
    bool endChosen = false;
    int speed = 50;  // Spin_Speed: the fade's number of steps
};

/// TAB_AnimTekst: a text and, for "How many days left to...", a date.
struct AnimTextSettings {
    static constexpr int kMinDay = 1;
    static constexpr int kMaxDay = 31;
    static constexpr int kMinYear = 1930;
    static constexpr int kMaxYear = 3000;

    QString label;  // Label12
    QString text;   // EDT_AnimTekst
    bool dateShown = false;
    int day = 1;     // UP_Day
    int month = 0;   // Date_Month: 0 "January" .. 11 "December"
    int year = 2000; // Up_Year
};

/// The English month names of Date_Month, January first.
const std::array<QString, 12> &monthNames();

/// TAB_PoraDnia: five labelled edits, of which the first `shown` show.
struct DayTimeSettings {
    std::array<QString, 5> labels;  // lb1 .. lb5
    std::array<QString, 5> texts;   // EDT_Przed5, EDT_PRzed8, EDT_Przed12, EDT_Przed18, EDT_Po18
    int shown = 5;
};

/// Tab_Day: the texts of the weekdays, Monday first; the last is the weekend's.
struct DaySettings {
    std::array<QString, 6> texts{
        QStringLiteral("We've got Monday today! This will be good week, I hope so!"),
        QStringLiteral("It's Tuesday. Monday is fortunately the past."),
        QStringLiteral("Wednesday, are your week also good?"),
        QStringLiteral("It's Thursday, weekend is near."),
        QStringLiteral("Magnificent, it's Friday!"),
        QStringLiteral("We've got a weekend! Feel free and rest well!"),
    };
};

/// One item of LST_HEadLiner, its five columns as the list shows them.
struct Headline {
    QString text;
    QString url;
    QString effect;  // "Static", "TypeWriter", "Blink", "Expand", "Scroll" or empty
    QString frame;
    QString wait;    // milliseconds as a decimal number
    friend bool operator==(const Headline &, const Headline &) = default;
};

/// TAB_HeadLiner.
struct HeadlinerSettings {
    QString title = QStringLiteral("Please wait. Loading ...");  // EDT_HeadL_Name
    QList<Headline> rows = defaultHeadlines();

    static QList<Headline> defaultHeadlines();
};

/// Every settings page, as the generator reads them.
struct BuiltInSettings {
    ListSettings list;
    ScrollSettings scroll;
    PrinterSettings printer;
    NavigatorSettings navigator;
    ColourSettings colours;
    AnimTextSettings animText;
    DayTimeSettings dayTime;
    DaySettings day;
    HeadlinerSettings headliner;
};

/// TAB_Lista as script 0, 9 or 12 sets it up (any other id: as 0).
ListSettings listSettingsFor(int id);
/// Label12 and EDT_AnimTekst as script 5, 7, 20, 23, 30 or 33 sets them up;
/// the day and the year keep the values of current.
AnimTextSettings animTextSettingsFor(int id, const AnimTextSettings &current);
/// TAB_PoraDnia as script 10, 11, 21, 25 or 31 sets it up (any other id: as 10).
DayTimeSettings dayTimeSettingsFor(int id);

/// Selecting script id in the built-in tree: the shared page it uses is set
/// up for it; the script's own pages keep their values.
void selectBuiltInScript(BuiltInSettings &settings, int id);
