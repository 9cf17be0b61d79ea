#pragma once
// TDlg_ImportClash: the question an import asks about a script whose name
// the library already has: replace it, keep both (the imported one under a
// new name) or skip it, for this script or for all the clashes left.
// Cancel ends the import with nothing changed.

#include "library/libraryimport.h"

#include <QDialog>

class QCheckBox;

class TDlg_ImportClash final : public QDialog {
    Q_OBJECT
public:
    /// name clashes; copyName is what Keep both would call the imported
    /// script; othersLeft the clashes still to come after this one.
    TDlg_ImportClash(const QString &name, const QString &copyName, int othersLeft, QWidget *parent = nullptr);

    ClashChoice choice() const { return m_choice; }
    /// Whether the choice stands for the clashes left too.
    bool forAll() const;
    /// Chooses and closes the dialog with OK, as a button does.
    void choose(ClashChoice choice, bool forAll = false);

private:
    ClashChoice m_choice = ClashChoice::Skip;
    QCheckBox *m_forAll = nullptr;
};
