// The splash picture: its subtitle is shown whole in the fonts at hand,
// at any scale (the test runs again with QT_SCALE_FACTOR=1.5).

#include "app/splash.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPixmap>
#include <QTest>

#include <algorithm>

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void subtitle_fitsItsPlace()
    {
        const TRunDlg::TextPlace sub = TRunDlg::subtitle();
        QCOMPARE(sub.text, QStringLiteral("DHTML Editor with library of over 30 scripts"));
        const QFontMetricsF metrics(sub.font);
        const QRectF place(sub.rect);
        const QRectF needed = metrics.boundingRect(place, sub.flags, sub.text);
        QVERIFY2(place.contains(needed), qPrintable(QStringLiteral("%1 px of text in %2 px").arg(needed.width()).arg(place.width())));
        // Drawn text is clipped to the place: every word must be inside.
        if (!(sub.flags & Qt::TextWordWrap))
            QVERIFY(metrics.boundingRect(sub.text).width() <= place.width());
        QVERIFY(sub.font.pixelSize() >= 14);
    }

    void picture_showsTheSubtitleBetweenTheTitleAndTheCode_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("150 %") << 1.5;
    }
    void picture_showsTheSubtitleBetweenTheTitleAndTheCode()
    {
        QFETCH(qreal, ratio);
        const QImage image = TRunDlg::picture(ratio).toImage();
        QCOMPARE(image.size(), QSize(393, 369) * ratio);
        // White letters stand in the subtitle's band, none at its ends
        // (where a text too wide for its place is cut off).
        const QRect band = TRunDlg::subtitle().rect;
        int letters = 0;
        int left = image.width();
        int right = -1;
        for (int y = int(band.top() * ratio); y < int(band.bottom() * ratio); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) > 235) {
                    ++letters;
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        QVERIFY(letters > 100);
        QVERIFY2(left > (band.left() + 1) * ratio && right < (band.right() - 1) * ratio,
                 qPrintable(QStringLiteral("letters from %1 to %2").arg(left).arg(right)));
    }
};

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
