#pragma once
// TFTextDlg, "Textarea": a textarea's name, size, wrapping and default text.

#include "wizards/formtextarea.h"

#include <QDialog>

class HelpSystem;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

class TFTextDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TFTextDlg(HelpSystem &help, QWidget *parent = nullptr);

    TextareaOptions options() const;

private:
    QLineEdit *m_name;
    QSpinBox *m_columns;
    QSpinBox *m_rows;
    QComboBox *m_wrap;
    QPlainTextEdit *m_text;
};
