#include "widgets/statuspanels.h"

#include "platform/texthelpers.h"

#include <QLabel>
#include <QStatusBar>

StatusPanels::StatusPanels(QStatusBar *bar) : QObject(bar)
{
    struct Design {
        const char *name;
        int width;
        Qt::Alignment align;
        const char *text;
    };
    static const Design designs[5] = {
        {"StatusModified", 90, Qt::AlignCenter, "no changes"},
        {"StatusLine", 60, Qt::AlignLeft | Qt::AlignVCenter, "line "},
        {"StatusColumn", 60, Qt::AlignLeft | Qt::AlignVCenter, "col"},
        {"StatusMode", 60, Qt::AlignCenter, "insert"},
        {"StatusHint", 50, Qt::AlignLeft | Qt::AlignVCenter, "Hint: "},
    };
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 5; ++i) {
        auto *label = new QLabel(QString::fromLatin1(designs[i].text), bar);
        label->setObjectName(QString::fromLatin1(designs[i].name));
        label->setAlignment(designs[i].align);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(4, 0, 4, 0);
        // The widths are in the design's 96-dpi pixels; the last panel takes
        // the rest of the bar.
        const int width = qRound(designs[i].width * label->logicalDpiX() / 96.0);
        label->setMinimumWidth(width);
        label->setTextFormat(Qt::PlainText);
        bar->addWidget(label, i < 4 ? 0 : 1);
        m_labels[i] = label;
    }
}

void StatusPanels::setText(Panel panel, const QString &text)
{
    if (m_labels[panel]->text() != text)
        m_labels[panel]->setText(text);
}

QString StatusPanels::text(Panel panel) const
{
    return m_labels[panel]->text();
}

QString StatusPanels::hintText(const QString &hint)
{
    // A hint's line breaks become spaces; a lone CR or LF too.
    QString joined = ReplaceAllText(hint, QStringLiteral("\r\n"), QStringLiteral(" "));
    joined = ReplaceAllText(joined, QStringLiteral("\r"), QStringLiteral(" "));
    joined = ReplaceAllText(joined, QStringLiteral("\n"), QStringLiteral(" "));
    return QStringLiteral("Hint: ") + joined;
}

void StatusPanels::showHint(const QString &hint)
{
    setText(Hint, hintText(hint));
}
