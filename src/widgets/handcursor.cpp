#include "widgets/handcursor.h"

#include <QTabBar>
#include <QToolButton>
#include <QWidget>

namespace {
bool g_handPoint = true;
} // namespace

bool handPointSetting()
{
    return g_handPoint;
}

void setHandPointSetting(bool on)
{
    g_handPoint = on;
}

void ApplyHandCursor(QWidget *window, bool on)
{
    if (!window)
        return;
    const auto apply = [on](QWidget *w) {
        if (on)
            w->setCursor(Qt::PointingHandCursor);
        else
            w->unsetCursor();
    };
    const auto buttons = window->findChildren<QToolButton *>();
    for (QToolButton *button : buttons)
        apply(button);
    const auto tabs = window->findChildren<QTabBar *>();
    for (QTabBar *tab : tabs)
        apply(tab);
}

void applyHandCursorSetting(QWidget *window)
{
    ApplyHandCursor(window, g_handPoint);
}
