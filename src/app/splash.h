#pragma once
// TRunDlg, the splash window shown while the main window is made.

#include <QSplashScreen>

class TRunDlg final : public QSplashScreen {
    Q_OBJECT
public:
    TRunDlg();
    /// The splash picture, drawn by the program.
    static QPixmap picture(qreal devicePixelRatio = 1.0);
};
