#pragma once
// TFInneDlg, "Form elements": one INPUT element, its kind chosen in a
// list; only the fields that suit the kind are shown.

#include "wizards/formelements.h"

#include <QDialog>

class HelpSystem;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;
class QTreeWidget;

class TFInneDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TFInneDlg(HelpSystem &help, QWidget *parent = nullptr);

    FormElementOptions options() const;
    /// The element text; empty when no kind is chosen.
    QString Parametry() const;

    /// Shows the fields of the chosen kind (all of them when none is).
    void Ustaw_Pola();

private:
    std::optional<FormElementKind> chosenKind() const;

    QTreeWidget *m_kinds;
    QFormLayout *m_fields;
    QLineEdit *m_name;
    QLineEdit *m_value;
    QSpinBox *m_maxLength;
    QSpinBox *m_size;
    QCheckBox *m_checked;
    QCheckBox *m_tab;
    QComboBox *m_align;
    QCheckBox *m_hotkey;
    QComboBox *m_key;
    QLineEdit *m_image;
};
