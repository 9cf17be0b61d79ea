#pragma once
// A frame in the selection colour around the control that has the
// keyboard focus, for the controls most styles mark faintly or not at all:
// the editors, trees, lists and tables, push and tool buttons, and the
// current tab of a tab bar.  Fields, spin boxes, combo boxes, check boxes
// and radio buttons keep the marks their style draws.

class QApplication;
class QWidget;

/// Whether a control gets the frame while it has the focus.
bool takesFocusRing(const QWidget *control);

/// Follows the focus in every window of the application from now on.
void showFocusRings(QApplication *application);
