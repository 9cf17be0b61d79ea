#include "widgets/dockabletoolbar.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QStyle>

DockableToolBar::DockableToolBar(const QString &objectName, const QString &caption, QWidget *parent)
    : QToolBar(caption, parent)
{
    setObjectName(objectName);
    setMovable(true);
    setFloatable(true);
    setAllowedAreas(Qt::AllToolBarAreas);
    setToolTip(QString());

    m_closeSeparator = new QAction(this);
    m_closeSeparator->setSeparator(true);
    m_close = new QAction(style()->standardIcon(QStyle::SP_TitleBarCloseButton), tr("Close toolbar"), this);
    m_close->setObjectName(objectName + QStringLiteral("_Close"));
    m_close->setStatusTip(tr("Close the toolbar"));
    m_close->setToolTip(m_close->statusTip());
    connect(m_close, &QAction::triggered, this, &QWidget::hide);
    connect(this, &QToolBar::topLevelChanged, this, &DockableToolBar::updateCloseBox);
}

bool DockableToolBar::event(QEvent *event)
{
    // Only a show or hide of the bar itself comes as ...ToParent; a close by
    // the window manager is a hide of the bar.  Docking and floating hide
    // and show the bar at once, which ends where it began.
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
        emit shownChanged(event->type() == QEvent::ShowToParent);
    return QToolBar::event(event);
}

void DockableToolBar::updateCloseBox(bool floating)
{
    // The close box always stands last, after the bar's own buttons.
    removeAction(m_closeSeparator);
    removeAction(m_close);
    if (floating) {
        addAction(m_closeSeparator);
        addAction(m_close);
    }
}
