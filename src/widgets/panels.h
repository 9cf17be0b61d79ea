#pragma once
// Small building blocks of the window: captioned panels and button strips.

#include <QString>

#include <span>

class ActionRegistry;
class QDialog;
class QDialogButtonBox;
class QKeyEvent;
class QLabel;
class QSize;
class QToolBar;
class QVBoxLayout;
class QWidget;

/// A panel with a centred caption line at its top; widgets go into the
/// returned layout under the caption.
QWidget *makeCaptionedPanel(const QString &objectName, const QString &caption, QWidget *parent,
                            QVBoxLayout **contents, QLabel **captionLabel = nullptr);

/// A strip of small buttons: the placements of the layout named objectName.
QToolBar *makeButtonStrip(const QString &objectName, ActionRegistry &actions, QWidget *parent);
/// Tab goes from before through the strip's buttons, in their order, and
/// on to what came after before.  The strip's last button (before when it
/// has none).
QWidget *tabThroughStrip(QWidget *before, QToolBar *strip);

/// The "&OK" and "&Cancel" buttons of the program's dialogs (with their
/// glyphs "OK" and "ANULUJ"), wired to accept and reject; OK is the default.
QDialogButtonBox *makeOkCancelButtons(QDialog *dialog);

/// Gives a dialog at least its design's client area and centres it on the
/// screen of its parent.
void sizeAndCentreDialog(QDialog *dialog, QSize design);

/// Enter confirms and Escape cancels wherever the focus is, unless Shift,
/// Ctrl or Alt is held; true when the key was one of them.
bool enterAcceptsEscapeRejects(QDialog *dialog, const QKeyEvent *event);
