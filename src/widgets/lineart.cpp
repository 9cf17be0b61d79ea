#include "widgets/lineart.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>

#include <cstdlib>
#include <utility>

namespace {

// How far (red, green and blue differences summed) a pixel may be from the
// line's colour and still be line: the edges the renderer smooths.
constexpr int kLineTolerance = 60;

class LineArtEngine final : public QIconEngine {
public:
    explicit LineArtEngine(QIcon picture) : m_picture(std::move(picture)) {}

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        const QPalette palette = QApplication::palette();
        if (palette.color(QPalette::Window).lightness() >= 128)
            return m_picture.pixmap(size, scale, mode, state);
        const QColor ink = palette.color(QPalette::WindowText);
        const QString key = QStringLiteral("lineart-%1-%2x%3-%4-%5-%6-%7")
                                .arg(m_picture.cacheKey())
                                .arg(size.width())
                                .arg(size.height())
                                .arg(scale)
                                .arg(int(mode))
                                .arg(int(state))
                                .arg(ink.rgba());
        QPixmap inked;
        if (QPixmapCache::find(key, &inked))
            return inked;
        const QPixmap plain = m_picture.pixmap(size, scale, QIcon::Normal, state);
        inked = QPixmap::fromImage(recolourLineArt(plain.toImage(), ink));
        inked.setDevicePixelRatio(plain.devicePixelRatio());
        if (mode == QIcon::Disabled || mode == QIcon::Selected) {
            QStyleOption option;
            option.palette = palette;
            inked = QApplication::style()->generatedIconPixmap(mode, inked, &option);
        }
        QPixmapCache::insert(key, inked);
        return inked;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return m_picture.actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return m_picture.availableSizes(mode, state);
    }

    QIconEngine *clone() const override { return new LineArtEngine(m_picture); }

private:
    QIcon m_picture;
};

}  // namespace

QIcon lineArtIcon(const QIcon &picture)
{
    return QIcon(new LineArtEngine(picture));
}

QImage recolourLineArt(const QImage &image, const QColor &ink)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb line = kLineArtColour;
    for (int y = 0; y < out.height(); ++y) {
        auto *pixels = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb pixel = pixels[x];
            const int distance = std::abs(qRed(pixel) - qRed(line)) + std::abs(qGreen(pixel) - qGreen(line)) +
                                 std::abs(qBlue(pixel) - qBlue(line));
            if (qAlpha(pixel) > 0 && distance <= kLineTolerance)
                pixels[x] = qRgba(ink.red(), ink.green(), ink.blue(), qAlpha(pixel));
        }
    }
    return out;
}
