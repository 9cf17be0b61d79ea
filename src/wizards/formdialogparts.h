#pragma once
// Pieces the HTML wizards' dialogs share: their OK, Cancel and Help
// buttons, their picture, and spin controls with a named edit box.

#include <QString>

#include <functional>

class QDialog;
class QLabel;
class QSpinBox;
class QWidget;

/// A row of "Przycisk_OK", "Przycisk_Anuluj" and "Przycisk_Pomoc".  OK accepts,
/// Cancel rejects and Help (or F1 anywhere in the dialog) calls help.  With enterConfirms false no button
/// is a default one, so Enter stays with the edits, lists and memos.
QWidget *makeWizardButtons(QDialog *dialog, bool enterConfirms, std::function<void()> help);

/// The dialog's picture, carrying its hint.
QLabel *makeWizardPicture(QWidget *parent, const QString &iconName, const QString &hint);

/// A spin control named spinName whose edit box is named editName; a
/// number typed out of range gives way to the last valid one.
QSpinBox *makeWizardSpin(QWidget *parent, const char *spinName, const char *editName, int minimum, int maximum,
                         int step, int value);

/// Makes dialog block only the windows it stands on, so a help topic
/// opened from it can be read and scrolled while it is open.
void keepHelpReachable(QDialog *dialog);

/// Escape without modifiers rejects the dialog, whichever of its controls
/// has the focus (editors take the key for themselves otherwise).
void rejectOnEscape(QDialog *dialog, QWidget *control);
