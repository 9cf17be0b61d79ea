#pragma once
// TIdzDoDlg: asks for the line to jump to, 1 to the editor's line count.

#include <QDialog>

class QSpinBox;

class TIdzDoDlg final : public QDialog {
    Q_OBJECT
public:
    TIdzDoDlg(int lineCount, int currentLine, QWidget *parent = nullptr);
    int lineNumber() const;
    QSpinBox *numberField() const { return m_number; }

private:
    QSpinBox *m_number;
};
