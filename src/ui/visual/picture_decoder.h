#pragma once
// Decodes pictures on a worker thread so the UI thread never waits on a large file. Each
// picture is scaled while it is read, so a 20 000 x 20 000 photo costs what a screenful
// does; a picture that would still need more than kDecodeLimitMb is refused, not read.
//
// Thread: requests and results on the UI thread; decoding on the decoder's own worker.

#include <QImage>
#include <QObject>
#include <QSize>
#include <QThreadPool>

#include <functional>

namespace velmora {

inline constexpr int kDecodeLimitMb = 256;

/// How a picture meets its target size.
enum class PictureFit {
    Cover,   ///< fills the target, cropping what overflows
    Contain, ///< fits inside it whole (letterbox)
    Natural, ///< its own size, only reduced to stay within the memory bound
};

/// Reads and scales one picture (any thread). A null image when it cannot be decoded.
[[nodiscard]] QImage decodePicture(const QString& path, QSize target, PictureFit fit);

class PictureDecoder : public QObject {
    Q_OBJECT
  public:
    explicit PictureDecoder(QObject* parent = nullptr);
    ~PictureDecoder() override;

    /// Decodes in the background; done runs on the UI thread with the picture (null when it
    /// failed). A newer request makes an older result be dropped.
    void request(const QString& path, QSize target, PictureFit fit,
                 std::function<void(const QString& path, const QImage& image)> done);

  private:
    QThreadPool m_pool;
    quint64 m_generation = 0;
};

} // namespace velmora
