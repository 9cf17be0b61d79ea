#include "widgets/panecycle.h"

#include <QApplication>
#include <QWidget>

PaneCycle::PaneCycle(std::vector<Pane> panes, QObject *parent) : QObject(parent), m_panes(std::move(panes)) {}

bool PaneCycle::next()
{
    return move(1);
}

bool PaneCycle::previous()
{
    return move(-1);
}

QWidget *PaneCycle::focusTarget(QWidget *pane)
{
    if (!pane || !pane->isVisible() || !pane->isEnabled())
        return nullptr;
    QWidget *self = pane->focusProxy() ? pane->focusProxy() : pane;
    if (self->focusPolicy() & Qt::TabFocus)
        return self;
    // The first child the Tab key would reach that is a place to work in
    // (a field, a list: a click gives it the focus too), else the first
    // button there.
    QWidget *button = nullptr;
    for (QWidget *w = pane->nextInFocusChain(); w && w != pane; w = w->nextInFocusChain()) {
        if (!pane->isAncestorOf(w) || !w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (w->focusPolicy() & Qt::ClickFocus)
            return w;
        if (!button)
            button = w;
    }
    return button;
}

bool PaneCycle::move(int step)
{
    const int count = int(m_panes.size());
    if (count == 0)
        return false;
    const QWidget *focused = QApplication::focusWidget();
    int current = -1;
    for (int i = 0; i < count && current < 0; ++i) {
        const QWidget *pane = m_panes[size_t(i)]();
        if (pane && focused && (pane == focused || pane->isAncestorOf(focused)))
            current = i;
    }
    int at = current < 0 ? (step > 0 ? -1 : count) : current;
    for (int tried = 0; tried < count; ++tried) {
        at = (at + step + count) % count;
        if (at == current)
            break;
        if (QWidget *target = focusTarget(m_panes[size_t(at)]())) {
            target->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}
