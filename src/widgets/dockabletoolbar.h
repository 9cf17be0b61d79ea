#pragma once
// A toolbar that can be docked on any side or float.  While it floats it
// carries a close box of its own.  Whatever shows or hides the bar itself
// (its close box, the window manager closing the floating bar, a command)
// says so (shownChanged), so the menus' check marks follow; the bar going
// out of sight with its window (minimised, closed) is not a change.

#include <QToolBar>

class DockableToolBar final : public QToolBar {
    Q_OBJECT
public:
    DockableToolBar(const QString &objectName, const QString &caption, QWidget *parent = nullptr);

    /// The close box shown while floating.
    QAction *closeAction() const { return m_close; }

signals:
    void shownChanged(bool shown);

protected:
    bool event(QEvent *event) override;

private:
    void updateCloseBox(bool floating);

    QAction *m_closeSeparator;
    QAction *m_close;
};
