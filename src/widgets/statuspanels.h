#pragma once
// The five panels of the main window's status bar: 0 modified state,
// 1 caret line, 2 caret column, 3 insert/overwrite, 4 the hint.

#include <QObject>
#include <QString>

#include <array>

class QLabel;
class QStatusBar;

class StatusPanels final : public QObject {
    Q_OBJECT
public:
    enum Panel { Modified = 0, Line = 1, Column = 2, Mode = 3, Hint = 4 };

    /// Adds the five panels, with their first texts, to the status bar.
    explicit StatusPanels(QStatusBar *bar);

    void setText(Panel panel, const QString &text);
    QString text(Panel panel) const;
    /// Shows a hint: "Hint: " followed by the hint, each CR LF (and any
    /// other line break) joined by one space.
    void showHint(const QString &hint);
    QLabel *label(Panel panel) const { return m_labels[panel]; }

    /// The hint as the panel shows it.
    static QString hintText(const QString &hint);

private:
    std::array<QLabel *, 5> m_labels{};
};
