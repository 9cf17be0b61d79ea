#pragma once
// TRunDlg, the splash window shown while the main window is made.

#include <QFont>
#include <QRect>
#include <QSplashScreen>
#include <QString>

class TRunDlg final : public QSplashScreen {
    Q_OBJECT
public:
    TRunDlg();
    /// The splash picture, drawn by the program.
    static QPixmap picture(qreal devicePixelRatio = 1.0);

    /// How the subtitle is drawn: whole, in the largest size up to the
    /// designed one that fits the fonts at hand on one line, on two when
    /// even the smallest size does not.
    struct TextPlace {
        QString text;
        QFont font;
        QRect rect;
        int flags = 0;
    };
    static TextPlace subtitle();
};
