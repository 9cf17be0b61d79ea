#include "app/splash.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QScreen>

#include <algorithm>

namespace {

constexpr int kWidth = 393;
constexpr int kHeight = 369;

QFont titleFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif"),
                      QStringLiteral("serif")});
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

void drawQuill(QPainter &p)
{
    // A feather pen leaning over the lower part of the picture.
    QPainterPath vane;
    vane.moveTo(300, 40);
    vane.cubicTo(380, 70, 330, 190, 215, 280);
    vane.cubicTo(250, 190, 250, 120, 300, 40);
    QLinearGradient g(300, 40, 215, 280);
    g.setColorAt(0, QColor(255, 255, 255, 150));
    g.setColorAt(1, QColor(255, 255, 255, 40));
    p.fillPath(vane, g);
    QPen shaft(QColor(255, 255, 255, 170), 2.2, Qt::SolidLine, Qt::RoundCap);
    p.setPen(shaft);
    p.drawLine(QPointF(305, 48), QPointF(200, 300));
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    for (int i = 0; i < 9; ++i) {
        const qreal t = 0.12 + i * 0.08;
        const QPointF on(305 + (200 - 305) * t, 48 + (300 - 48) * t);
        p.drawLine(on, on + QPointF(28 - i * 2.2, 6 + i * 0.5));
    }
}

} // namespace

QPixmap TRunDlg::picture(qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(kWidth, kHeight) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.0, QColor(0x1a, 0x23, 0x7e));
    sky.setColorAt(0.55, QColor(0x4a, 0x14, 0x8c));
    sky.setColorAt(1.0, QColor(0x88, 0x0e, 0x4f));
    p.fillRect(QRect(0, 0, kWidth, kHeight), sky);
    QRadialGradient glow(QPointF(90, 80), 220);
    glow.setColorAt(0, QColor(255, 255, 255, 60));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRect(0, 0, kWidth, kHeight), glow);

    // Faint lines of code in the background.
    p.setPen(QColor(255, 255, 255, 28));
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPixelSize(12);
    p.setFont(mono);
    const char *const lines[] = {"<SCRIPT LANGUAGE=\"JavaScript\">", "<!--", "function scroll(text) {",
                                 "  window.status = text;", "  setTimeout(\"scroll()\", 100);", "}", "//-->",
                                 "</SCRIPT>"};
    int y = 196;
    for (const char *line : lines) {
        p.drawText(22, y, QString::fromLatin1(line));
        y += 17;
    }
    drawQuill(p);

    // The raised panel's edges.
    p.setPen(QColor(255, 255, 255, 110));
    p.drawLine(0, 0, kWidth - 1, 0);
    p.drawLine(0, 0, 0, kHeight - 1);
    p.setPen(QColor(0, 0, 0, 140));
    p.drawLine(kWidth - 1, 0, kWidth - 1, kHeight - 1);
    p.drawLine(0, kHeight - 1, kWidth - 1, kHeight - 1);

    p.setPen(Qt::white);
    p.setFont(titleFont(77));
    p.drawText(QRect(0, 28, kWidth, 100), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Quillon"));
    const TextPlace sub = subtitle();
    p.setFont(sub.font);
    p.drawText(sub.rect, sub.flags, sub.text);
    return pixmap;
}

TRunDlg::TextPlace TRunDlg::subtitle()
{
    // Between the title and the lines of code; the designed size fits one
    // line in Times New Roman, wider serif fonts need a smaller one.
    TextPlace place;
    place.text = QStringLiteral("DHTML Editor with library of over 30 scripts");
    place.rect = QRect(10, 123, kWidth - 20, 50);  // centred where the single line always stood
    place.flags = Qt::AlignHCenter | Qt::AlignVCenter;
    constexpr int kDesigned = 19;
    constexpr int kSmallest = 14;
    for (int size = kDesigned; size >= kSmallest; --size) {
        place.font = titleFont(size);
        // Italic letters may reach past their advance.
        const QFontMetricsF metrics(place.font);
        if (std::max(metrics.horizontalAdvance(place.text), metrics.boundingRect(place.text).width()) <= place.rect.width())
            return place;
    }
    place.font = titleFont(kDesigned);
    place.flags |= Qt::TextWordWrap;
    return place;
}

TRunDlg::TRunDlg()
    : QSplashScreen(picture(QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->devicePixelRatio() : 1.0))
{
    setObjectName(QStringLiteral("TRunDlg"));
}
