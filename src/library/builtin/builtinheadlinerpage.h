#pragma once
// The headliner page of the built-in scripts: the headline title and the
// list of headlines with their effects.

#include "library/builtin/builtinpagekit.h"
#include "library/builtin/builtinsettings.h"

class QTreeWidget;

/// TAB_HeadLiner.
class HeadlinerPage final : public BuiltInSettingsPage {
    Q_OBJECT
public:
    HeadlinerPage(HeadlinerSettings &settings, const Ports &ports, QWidget *parent = nullptr);
    void refresh() override;

    QTreeWidget *list() const { return m_list; }

    void BTN_Head_AdClick();
    void BTN_Head_DelClick();
    void BTN_Head_EditClick();
    void BTN_Head_ClearClick();

private:
    int selectedRow() const;
    void showRows(int current);
    HeadlinerSettings &m_settings;
    const Ports &m_ports;
    QLineEdit *m_title;
    QTreeWidget *m_list;
};
