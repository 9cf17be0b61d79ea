#pragma once
// Dialogs that fit the screen they open on: one larger than the screen's
// free area (a large scale on a small screen) is cut down to it and moved
// wholly onto it; when its controls cannot be squeezed that far, they
// scroll inside it while its OK and Cancel row stays in view.

class QApplication;
class QRect;
class QWidget;

/// Fits dialog into area (the free area of its screen, the window frame
/// left out): smaller and moved as needed, its contents scrolling when
/// they need more than area.  A dialog that fits is left as it is.
void fitDialogToArea(QWidget *dialog, const QRect &area);

/// Fits every dialog of the application to its screen as it shows.
void fitDialogsAsTheyShow(QApplication *application);
