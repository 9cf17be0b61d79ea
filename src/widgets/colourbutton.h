#pragma once
// The colour-picker button: it shows its colour, and its drop-down offers
// a palette of 20 colours (4 columns by 5 rows) and "&Other" for the
// colour dialog.  The dialog's 16 custom colours are shared by every
// button and kept in the program's settings.

#include <QColor>
#include <QList>
#include <QToolButton>

#include <array>
#include <functional>
#include <optional>

class Prompter;
class QMenu;
class QSettings;

/// The colour dialog's 16 custom colours, white until the user sets them.
class CustomColours {
public:
    static constexpr int kCount = 16;
    /// settings: where they are kept between runs; null keeps them for the
    /// run only.
    explicit CustomColours(QSettings *settings = nullptr);

    const QList<QColor> &colours() const { return m_colours; }
    /// Takes new colours and writes them to the settings when they changed.
    void setColours(const QList<QColor> &colours);

private:
    QSettings *m_settings;
    QList<QColor> m_colours;
};

/// The colour dialog through the prompter, starting at current and
/// offering the custom colours (which keep what the user set in it); the
/// colour chosen, or nothing when cancelled.
std::optional<QColor> chooseColourInDialog(Prompter &prompter, CustomColours &custom, const QColor &current);

class ColourButton final : public QToolButton {
    Q_OBJECT
public:
    explicit ColourButton(QWidget *parent = nullptr);

    /// The palette, row by row.
    static const std::array<QColor, 20> &paletteColours();

    QColor colour() const { return m_colour; }
    /// Shows colour without counting as a pick.
    void setColour(const QColor &colour);
    /// What "&Other" asks for a colour; without one "&Other" does nothing.
    void setOtherColourChooser(std::function<std::optional<QColor>(const QColor &current)> chooser);
    /// The drop-down holding the palette's cells and "&Other".
    QMenu *paletteMenu() const { return m_menu; }

signals:
    /// The user picked a colour, from the palette or the colour dialog.
    void colourPicked(const QColor &colour);

private:
    void pick(const QColor &colour);
    void chooseOther();
    void updateSwatch();

    QColor m_colour;
    QMenu *m_menu;
    std::function<std::optional<QColor>(const QColor &)> m_chooser;
};
