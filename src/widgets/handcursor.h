#pragma once
// The hand-point cursor over buttons and tabs.

class QWidget;

/// The hand-point setting (on unless the view settings turn it off).
bool handPointSetting();
void setHandPointSetting(bool on);

/// Gives every toolbar button, tab bar and colour button inside window the
/// hand-point cursor when on, else the default arrow.
void ApplyHandCursor(QWidget *window, bool on);
/// ApplyHandCursor with the current setting; every dialog calls it once
/// its controls exist.
void applyHandCursorSetting(QWidget *window);
