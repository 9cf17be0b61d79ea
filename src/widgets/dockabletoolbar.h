#pragma once
// A toolbar that can be docked on any side or float.  While it floats it
// carries a close box of its own; closing it there hides the bar and says
// so (closedByUser), so the menus can clear its check marks.

#include <QToolBar>

class DockableToolBar final : public QToolBar {
    Q_OBJECT
public:
    DockableToolBar(const QString &objectName, const QString &caption, QWidget *parent = nullptr);

    /// The close box shown while floating.
    QAction *closeAction() const { return m_close; }

signals:
    void closedByUser();

private:
    void updateCloseBox(bool floating);

    QAction *m_closeSeparator;
    QAction *m_close;
};
