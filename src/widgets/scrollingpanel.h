#pragma once
// A panel that holds one widget at its natural height and lets it scroll
// sideways when the window is narrower than the widget wants, so that
// showing the widget never widens the window; on a screen too low for it
// (a large scale) the panel leaves the window room for the editors, and the
// widget scrolls up and down as well.  The panel shows while its
// widget does.

#include <QScrollArea>

class ScrollingPanel final : public QScrollArea {
    Q_OBJECT
public:
    /// Takes content into the panel; the panel is shown and hidden with it.
    explicit ScrollingPanel(QWidget *content, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// The height the content wants, with the scroll bar's when it shows,
    /// as far as the screen leaves room for it.
    int contentHeight() const;
};
