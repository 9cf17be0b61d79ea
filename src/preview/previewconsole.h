#pragma once
// The console under the preview: the messages of the shown page with their
// level, text and place in the script, a level filter and Clear.  A message
// with a place in the editors is activated (double click or Enter) to go
// there.  The console can be folded down to its title strip.

#include "preview/consolemessage.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class PreviewConsole final : public QWidget {
    Q_OBJECT
public:
    /// The most messages kept; older ones go first.
    static constexpr int kMaxMessages = 1000;

    explicit PreviewConsole(QWidget *parent = nullptr);

    void addMessage(const ConsoleMessage &message);
    /// Removes every message; the error count starts again at 0.
    void clear();
    /// Errors since the last clear.
    int errorCount() const { return m_errors; }

    bool isCollapsed() const { return m_collapsed; }
    void setCollapsed(bool collapsed);
    bool errorsOnly() const;
    void setErrorsOnly(bool on);

    QTreeWidget *messageList() const { return m_list; }

signals:
    void errorCountChanged(int errors);
    void placeActivated(const ScriptPlace &place);
    void collapsedChanged(bool collapsed);

private:
    void activate(QTreeWidgetItem *item);
    void applyFilter();
    void showErrorsInTitle();
    QIcon levelIcon(ConsoleLevel level) const;

    QToolButton *m_fold = nullptr;
    QLabel *m_title = nullptr;
    QComboBox *m_filter = nullptr;
    QTreeWidget *m_list = nullptr;
    int m_errors = 0;
    bool m_collapsed = false;
};
