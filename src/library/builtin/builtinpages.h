#pragma once
// The built-in scripts' settings pages under the editors, one class per
// kind of page.  Each shows and edits one part of the BuiltInSettings the
// built-in library owns; none keeps settings of its own.  refresh() shows
// the values again after selecting a script set the page up.  The list
// and headliner pages have units of their own (builtinlistpage.h,
// builtinheadlinerpage.h); this one holds the simple pages.

#include "library/builtin/builtinpagekit.h"
#include "library/builtin/builtinsettings.h"

#include <array>

class ColourButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

/// TAB_Scroll.
class ScrollPage final : public BuiltInSettingsPage {
    Q_OBJECT
public:
    ScrollPage(ScrollSettings &settings, QWidget *parent = nullptr);
    void refresh() override;

private:
    ScrollSettings &m_settings;
    QRadioButton *m_statusOption;
    QRadioButton *m_fieldOption;
    QLineEdit *m_statusText;
    QComboBox *m_speed;
    QLineEdit *m_fieldText;
    QSpinBox *m_width;
};

/// EDT_Drukarz: a double quote typed or pasted is refused with a warning.
class QuotelessEdit final : public QLineEdit {
    Q_OBJECT
public:
    QuotelessEdit(Prompter &prompter, QWidget *parent = nullptr);

private:
    void dropQuotes(const QString &text);
    Prompter &m_prompter;
};

/// TAB_Drukarz.
class PrinterPage final : public BuiltInSettingsPage {
    Q_OBJECT
public:
    PrinterPage(PrinterSettings &settings, Prompter &prompter, QWidget *parent = nullptr);
    void refresh() override;

private:
    PrinterSettings &m_settings;
    QuotelessEdit *m_text;
    QSpinBox *m_width;
    QCheckBox *m_fit;
};

/// Tab_Nawigator.
class NavigatorPage final : public BuiltInSettingsPage {
    Q_OBJECT
public:
    NavigatorPage(NavigatorSettings &settings, Prompter &prompter, QWidget *parent = nullptr);
    void refresh() override;

private:
    void renameButton(int which);
    NavigatorSettings &m_settings;
    Prompter &m_prompter;
    std::array<QPushButton *, 3> m_buttons{};
    AddressEdit *m_url;
};

/// TAB_Kolory.
class ColoursPage final : public BuiltInSettingsPage {
    Q_OBJECT
public:
    ColoursPage(ColourSettings &settings, const Ports &ports, QWidget *parent = nullptr);
    void refresh() override;

private:
    ColourSettings &m_settings;
    ColourButton *m_start;
    ColourButton *m_end;
    QSpinBox *m_speed;
};

/// TAB_Pusty.
class EmptyPage final : public BuiltInSettingsPage {
    Q_OBJECT
public:
    explicit EmptyPage(QWidget *parent = nullptr);
};

/// TAB_AnimTekst.
class AnimTextPage final : public BuiltInSettingsPage {
    Q_OBJECT
public:
    AnimTextPage(AnimTextSettings &settings, QWidget *parent = nullptr);
    void refresh() override;

private:
    AnimTextSettings &m_settings;
    QLabel *m_label;
    QLineEdit *m_text;
    QWidget *m_date;
    QSpinBox *m_day;
    QComboBox *m_month;
    QSpinBox *m_year;
};

/// TAB_PoraDnia.
class DayTimePage final : public BuiltInSettingsPage {
    Q_OBJECT
public:
    DayTimePage(DayTimeSettings &settings, QWidget *parent = nullptr);
    void refresh() override;

private:
    DayTimeSettings &m_settings;
    std::array<QLabel *, 5> m_labels{};
    std::array<QLineEdit *, 5> m_edits{};
};

/// Tab_Day.
class DayPage final : public BuiltInSettingsPage {
    Q_OBJECT
public:
    DayPage(DaySettings &settings, QWidget *parent = nullptr);
    void refresh() override;

private:
    DaySettings &m_settings;
    std::array<QLineEdit *, 6> m_edits{};
};
