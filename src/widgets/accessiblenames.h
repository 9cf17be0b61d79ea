#pragma once
// Names and descriptions for assistive technology (screen readers): every
// control the keyboard reaches is named by its caption, by the label that
// stands for it, or by its hint, and described by its hint.  A combo box or
// field is named by its label, never by the value it holds.

class QObject;
class QWidget;

/// Names the controls of root and of everything inside it that have no
/// name of their own yet.  Safe to call again when controls were added.
void nameForAssistiveTechnology(QWidget *root);

/// Names the controls of every window as it is shown: one object for the
/// application, installed on it.
void nameWindowsAsTheyShow(QObject *application);
