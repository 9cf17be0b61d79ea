#pragma once
// The list page of the built-in scripts: links, the smart button's links
// or citations, edited in a grid with a button column.

#include "library/builtin/builtinpagekit.h"
#include "library/builtin/builtinsettings.h"

class QGroupBox;
class QLabel;
class QTableWidget;

/// TAB_Lista: links, the smart button's links or citations.
class ListPage final : public BuiltInSettingsPage {
    Q_OBJECT
public:
    ListPage(ListSettings &settings, const Ports &ports, QWidget *parent = nullptr);
    void refresh() override;

    QTableWidget *grid() const { return m_grid; }

    // The grid's buttons.
    void BTN_Odnosnik_DodajClick();
    void BTN_Odnosnik_UsunClick();
    void BTN_Odnosnik_EdytujClick();
    void BTN_Odnosnik_SkasujClick();

private:
    bool citations() const { return m_settings.mode == ListMode::Citations; }
    int currentRow() const;
    void showRows(int current);
    ListSettings &m_settings;
    const Ports &m_ports;
    QGroupBox *m_group;
    QLabel *m_firstLabel;
    QLabel *m_secondLabel;
    QLineEdit *m_firstEdit;
    QLineEdit *m_secondEdit;
    QTableWidget *m_grid;
};
