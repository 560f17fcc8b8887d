#include "picture_decoder.h"

#include <QImageReader>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {
/// A natural-size picture above this many pixels is reduced while it is read.
constexpr qint64 kMaxNaturalPixels = 48LL * 1000 * 1000;

QSize scaledFor(QSize source, QSize target, PictureFit fit) {
    if (fit == PictureFit::Natural || target.isEmpty()) {
        const qint64 pixels = qint64(source.width()) * source.height();
        if (pixels <= kMaxNaturalPixels) return source;
        const double k = std::sqrt(double(kMaxNaturalPixels) / double(pixels));
        return QSize(std::max(1, int(source.width() * k)), std::max(1, int(source.height() * k)));
    }
    return source.scaled(target, fit == PictureFit::Cover ? Qt::KeepAspectRatioByExpanding
                                                          : Qt::KeepAspectRatio);
}
} // namespace

QImage decodePicture(const QString& path, QSize target, PictureFit fit) {
    QImageReader::setAllocationLimit(kDecodeLimitMb);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize source = reader.size();
    if (source.isValid() && !source.isEmpty()) {
        const QSize wanted = scaledFor(source, target, fit);
        // Only ever shrink while reading; growing is left to drawing.
        if (wanted.width() < source.width()) reader.setScaledSize(wanted);
    }
    QImage image = reader.read();
    if (image.isNull()) return {};
    if (fit != PictureFit::Natural && !target.isEmpty()) {
        const QSize wanted = scaledFor(image.size(), target, fit);
        if (wanted != image.size())
            image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

PictureDecoder::PictureDecoder(QObject* parent) : QObject(parent) {
    m_pool.setMaxThreadCount(1);
}

PictureDecoder::~PictureDecoder() {
    m_pool.clear();
    m_pool.waitForDone();
}

void PictureDecoder::request(const QString& path, QSize target, PictureFit fit,
                             std::function<void(const QString&, const QImage&)> done) {
    const quint64 generation = ++m_generation;
    m_pool.clear(); // a request not yet started is no longer wanted
    m_pool.start([this, path, target, fit, generation, done = std::move(done)] {
        QImage image = decodePicture(path, target, fit);
        // The decoder waits for this worker before it goes, so `this` is alive here.
        QMetaObject::invokeMethod(
            this,
            [this, path, image = std::move(image), generation, done] {
                if (generation == m_generation) done(path, image);
            },
            Qt::QueuedConnection);
    });
}

} // namespace velmora
