#pragma once
// Small building blocks of the window: captioned panels and button strips.

#include <QString>

#include <span>

class ActionRegistry;
class QDialog;
class QDialogButtonBox;
class QLabel;
class QToolBar;
class QVBoxLayout;
class QWidget;

/// A panel with a centred caption line at its top; widgets go into the
/// returned layout under the caption.
QWidget *makeCaptionedPanel(const QString &objectName, const QString &caption, QWidget *parent,
                            QVBoxLayout **contents, QLabel **captionLabel = nullptr);

/// A strip of small buttons for the given action ids ("-" a separator).
QToolBar *makeButtonStrip(const QString &objectName, ActionRegistry &actions, std::span<const char *const> ids,
                          QWidget *parent);

/// The "&OK" and "&Cancel" buttons of the program's dialogs (with their
/// glyphs "OK" and "ANULUJ"), wired to accept and reject; OK is the default.
QDialogButtonBox *makeOkCancelButtons(QDialog *dialog);
