#pragma once
// TDlg_Rename: the small prompt for a name (a script's name, a button's
// caption): a caption, a label and one edit line.

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;

class TDlg_Rename final : public QDialog {
    Q_OBJECT
public:
    TDlg_Rename(const QString &caption, const QString &label, const QString &text, QWidget *parent = nullptr);

    QString text() const;
    QLineEdit *edit() const { return m_edit; }

    /// Shows the prompt through the prompter; the edited text on OK.
    static std::optional<QString> ask(class Prompter &prompter, const QString &caption, const QString &label,
                                      const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_label;
    QLineEdit *m_edit;
};
