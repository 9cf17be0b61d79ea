#pragma once
// TFSelectDlg, "List of choices": a select list's name, size and options.

#include "wizards/formselect.h"

#include <QDialog>

class HelpSystem;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

class TFSelectDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TFSelectDlg(HelpSystem &help, QWidget *parent = nullptr);

    SelectListOptions options() const;

    // The option list's commands.
    void Przycisk_DodajClick();
    void Przycisk_UsunClick();
    void Przycisk_WyczyscClick();
    void BTN_SortClick();
    void MoveUpButtonClick();
    void MoveDownButtonClick();
    /// The option edit shows the selected entry, or nothing.
    void UpdateTextBoxes();

private:
    QStringList entries() const;
    void setEntries(const QStringList &entries, int selected);
    void moveSelected(int step);

    QLineEdit *m_name;
    QSpinBox *m_size;
    QCheckBox *m_multiple;
    QLineEdit *m_option;
    QLineEdit *m_value;
    QListWidget *m_list;
};
