#pragma once
// F6 and Shift+F6: the keyboard focus goes from pane to pane of the window
// in screen order, as desktop programs do, skipping panes that are hidden.

#include <QObject>

#include <functional>
#include <vector>

class QWidget;

class PaneCycle final : public QObject {
    Q_OBJECT
public:
    /// Each pane is asked for its widget when the focus moves (nullptr or a
    /// hidden widget: the pane is not there now).
    using Pane = std::function<QWidget *()>;
    explicit PaneCycle(std::vector<Pane> panes, QObject *parent = nullptr);

    /// Gives the focus to the next (or the previous) pane there is after
    /// the one holding it; from outside every pane, to the first (or the
    /// last).  False when no pane can take it.
    bool next();
    bool previous();

    /// The widget of pane that takes the focus: the pane itself when it
    /// takes it, else the first of its fields and lists in the focus
    /// chain, else its first button; nullptr for a pane hidden or off.
    static QWidget *focusTarget(QWidget *pane);

private:
    bool move(int step);

    std::vector<Pane> m_panes;
};
