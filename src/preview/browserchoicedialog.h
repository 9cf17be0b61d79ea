#pragma once
// The choice of the two browsers the preview drop-downs offer, when the
// desktop has more than two.

#include "platform/webbrowsers.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class QComboBox;
class QPushButton;

class BrowserChoiceDialog final : public QDialog {
    Q_OBJECT
public:
    /// installed: every browser, by name; offered: the two offered now.
    BrowserChoiceDialog(const QList<InstalledBrowser> &installed, const QList<InstalledBrowser> &offered,
                        QWidget *parent = nullptr);
    /// The entry ids of the first and the second browser chosen.
    QStringList chosenIds() const;
    /// The list of the first (0) or the second (1) browser.
    QComboBox *choice(int slot) const { return m_choices[slot]; }
    QPushButton *okButton() const { return m_ok; }

private:
    void checkChoice();

    QList<InstalledBrowser> m_installed;
    QComboBox *m_choices[2] = {};
    QPushButton *m_ok = nullptr;
};
