#include "widgets/colourbutton.h"

#include "platform/prompter.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace {

const QString kCustomColoursKey = QStringLiteral("CustomColors");

}  // namespace

CustomColours::CustomColours(QSettings *settings) : m_settings(settings)
{
    for (int i = 0; i < kCount; ++i)
        m_colours << QColor(Qt::white);
    if (!m_settings)
        return;
    const QStringList stored = m_settings->value(kCustomColoursKey).toStringList();
    for (int i = 0; i < kCount && i < stored.size(); ++i) {
        const QColor colour = QColor::fromString(stored.at(i));
        if (colour.isValid())
            m_colours[i] = colour;
    }
}

void CustomColours::setColours(const QList<QColor> &colours)
{
    if (colours.size() != kCount || colours == m_colours)
        return;
    m_colours = colours;
    if (!m_settings)
        return;
    QStringList stored;
    for (const QColor &colour : std::as_const(m_colours))
        stored << colour.name();
    m_settings->setValue(kCustomColoursKey, stored);
}

std::optional<QColor> chooseColourInDialog(Prompter &prompter, CustomColours &custom, const QColor &current)
{
    for (int i = 0; i < CustomColours::kCount; ++i)
        QColorDialog::setCustomColor(i, custom.colours().at(i));
    QColorDialog dialog(current, prompter.parentWindow());
    dialog.setObjectName(QStringLiteral("ColorDialog"));
    const int result = prompter.execDialog(dialog);
    QList<QColor> after;
    for (int i = 0; i < CustomColours::kCount; ++i)
        after << QColorDialog::customColor(i);
    custom.setColours(after);
    if (result != QDialog::Accepted || !dialog.currentColor().isValid())
        return std::nullopt;
    return dialog.currentColor();
}

const std::array<QColor, 20> &ColourButton::paletteColours()
{
    static const std::array<QColor, 20> colours{
        QColor(QRgb(0xFFFFFFFF)), QColor(QRgb(0xFFFF0000)), QColor(QRgb(0xFF00FF00)), QColor(QRgb(0xFF0000FF)),
        QColor(QRgb(0xFF000000)), QColor(QRgb(0xFF800000)), QColor(QRgb(0xFF008000)), QColor(QRgb(0xFF000080)),
        QColor(QRgb(0xFFC0C0C0)), QColor(QRgb(0xFFFFFF00)), QColor(QRgb(0xFF00FFFF)), QColor(QRgb(0xFFFF00FF)),
        QColor(QRgb(0xFF808080)), QColor(QRgb(0xFF808000)), QColor(QRgb(0xFF008080)), QColor(QRgb(0xFF800080)),
        QColor(QRgb(0xFFFFA500)), QColor(QRgb(0xFFFFC0CB)), QColor(QRgb(0xFFA52A2A)), QColor(QRgb(0xFFF5DEB3)),
    };
    return colours;
}

ColourButton::ColourButton(QWidget *parent) : QToolButton(parent), m_colour(QRgb(0xFFC0C0C0))
{
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(40, 16));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("ColourPalette"));
    auto *holder = new QWidget(m_menu);
    auto *column = new QVBoxLayout(holder);
    column->setContentsMargins(4, 4, 4, 4);
    auto *grid = new QGridLayout;
    grid->setSpacing(2);
    for (int i = 0; i < int(paletteColours().size()); ++i) {
        const QColor colour = paletteColours()[std::size_t(i)];
        auto *cell = new QToolButton(holder);
        cell->setObjectName(QStringLiteral("PaletteColour%1").arg(i));
        cell->setAutoRaise(true);
        QPixmap swatch(16, 16);
        swatch.fill(colour);
        QPainter(&swatch).drawRect(0, 0, 15, 15);
        cell->setIcon(swatch);
        cell->setToolTip(colour.name());
        connect(cell, &QToolButton::clicked, this, [this, colour] {
            m_menu->close();
            pick(colour);
        });
        grid->addWidget(cell, i / 4, i % 4);
    }
    column->addLayout(grid);
    auto *other = new QPushButton(QStringLiteral("&Other"), holder);
    other->setObjectName(QStringLiteral("PaletteOther"));
    connect(other, &QPushButton::clicked, this, [this] {
        m_menu->close();
        chooseOther();
    });
    column->addWidget(other);
    auto *action = new QWidgetAction(m_menu);
    action->setDefaultWidget(holder);
    m_menu->addAction(action);
    setMenu(m_menu);
    updateSwatch();
}

void ColourButton::setColour(const QColor &colour)
{
    m_colour = colour;
    updateSwatch();
}

void ColourButton::setOtherColourChooser(std::function<std::optional<QColor>(const QColor &)> chooser)
{
    m_chooser = std::move(chooser);
}

void ColourButton::pick(const QColor &colour)
{
    setColour(colour);
    emit colourPicked(colour);
}

void ColourButton::chooseOther()
{
    if (!m_chooser)
        return;
    if (const std::optional<QColor> chosen = m_chooser(m_colour))
        pick(*chosen);
}

void ColourButton::updateSwatch()
{
    QPixmap swatch(iconSize());
    swatch.fill(m_colour);
    QPainter painter(&swatch);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    painter.end();
    setIcon(swatch);
}
