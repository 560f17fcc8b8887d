#include "slideshow_view.h"

#include "core/services.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QVariantAnimation>

namespace velmora {

namespace {
constexpr const char* kSection = "Options";
constexpr const char* kLetterboxKey = "Slideshow shows whole pictures";
constexpr const char* kNothingText = "There are no pictures to show in this slideshow folder.";
} // namespace

SlideshowView::SlideshowView(visual::VisualMode& visual, KeyHandler& keys, SettingsStore& store,
                             QWidget* screenOf)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_visual(visual), m_keys(keys),
      m_store(store), m_screenOf(screenOf), m_fade(new QVariantAnimation(this)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Slideshow"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::BlankCursor);
    m_letterbox = m_store.read(kProgramTitle, kSection, kLetterboxKey, "0") == "1";
    m_fade->setDuration(kCrossfadeMs);
    m_fade->setStartValue(0.0);
    m_fade->setEndValue(1.0);
    connect(m_fade, &QVariantAnimation::valueChanged, this, [this] { update(); });
    connect(m_fade, &QVariantAnimation::finished, this, [this] {
        m_previous = {};
        update();
        emit pictureShown(m_path);
    });
    auto& show = m_visual.slideshowView();
    m_connections.push_back(
        show.show.connect([this](const std::filesystem::path& p) { request(p); }));
    m_connections.push_back(show.nothingToShow.connect([this] {
        m_nothing = true;
        m_current = {};
        m_previous = {};
        update();
    }));
    m_connections.push_back(m_visual.changed.connect([this] { follow(); }));
    if (!show.current().empty()) request(show.current());
}

void SlideshowView::follow() {
    if (!m_visual.isSlideshowShown()) {
        if (isVisible()) hide();
        return;
    }
    if (m_screenOf && m_screenOf->screen()) setGeometry(m_screenOf->screen()->geometry());
    if (!isVisible()) {
        showFullScreen();
        setCursor(Qt::BlankCursor);
    }
    if (!m_pending.empty()) request(m_pending);
    if (m_visual.isBehindMain()) {
        lower();
    } else {
        raise();
        activateWindow();
    }
}

void SlideshowView::request(const std::filesystem::path& path) {
    // A hidden slideshow keeps counting; only the picture it would show is decoded, once it
    // is shown again.
    if (!m_visual.isSlideshowShown()) {
        m_pending = path;
        return;
    }
    m_pending.clear();
    const QSize target = size().isEmpty() ? QSize(1920, 1080) : size();
    m_decoder.request(QString::fromStdString(path.string()), target,
                      m_letterbox ? PictureFit::Contain : PictureFit::Cover,
                      [this](const QString& p, const QImage& image) { decoded(p, image); });
}

void SlideshowView::decoded(const QString& path, const QImage& image) {
    if (image.isNull()) {
        // Never a broken frame: the picture before stays until a readable one arrives.
        m_visual.slideshowView().unreadable(path.toStdString());
        return;
    }
    m_nothing = false;
    m_previous = m_current;
    m_current = image;
    m_path = path;
    m_fade->stop();
    if (m_previous.isNull() || !isVisible()) {
        m_previous = {};
        update();
        emit pictureShown(m_path);
        return;
    }
    m_fade->start();
}

bool SlideshowView::isFading() const {
    return m_fade->state() == QAbstractAnimation::Running;
}

QRect SlideshowView::pictureRect(const QImage& image) const {
    if (image.isNull()) return {};
    const QSize fitted = image.size().scaled(size(), m_letterbox ? Qt::KeepAspectRatio
                                                                 : Qt::KeepAspectRatioByExpanding);
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void SlideshowView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (m_current.isNull()) {
        if (m_nothing || m_visual.sources().count() == 0) {
            p.setPen(QColor(170, 170, 170));
            p.drawText(rect(), Qt::AlignCenter, QString::fromUtf8(kNothingText));
        }
        return;
    }
    if (!m_previous.isNull()) p.drawImage(pictureRect(m_previous), m_previous);
    p.setOpacity(isFading() ? m_fade->currentValue().toDouble() : 1.0);
    p.drawImage(pictureRect(m_current), m_current);
}

void SlideshowView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Pictures are decoded at the window's size; a new size wants them again.
    if (!m_path.isEmpty() && !m_current.isNull() &&
        m_current.size() != pictureRect(m_current).size())
        request(m_path.toStdString());
}

void SlideshowView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        m_visual.leaveSlideshow();
        return;
    }
    const QKeySequence key(event->keyCombination());
    m_keys.handleKey(key.toString(QKeySequence::PortableText).toStdString());
}

void SlideshowView::mousePressEvent(QMouseEvent*) {
    setCursor(Qt::ArrowCursor);
}

void SlideshowView::mouseReleaseEvent(QMouseEvent* event) {
    setCursor(Qt::ArrowCursor);
    const bool onPicture = pictureRect(m_current).contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        m_visual.showRemoteFromView();
    } else if (event->button() == Qt::RightButton) {
        if (onPicture)
            openMenu(event->globalPosition().toPoint());
        else
            m_visual.leaveSlideshow();
    }
}

void SlideshowView::openMenu(const QPoint& at) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("Show Main"), this, [this] { m_visual.showMainFromView(); });
    menu.addAction(QStringLiteral("Show Remote"), this, [this] { m_visual.showRemoteFromView(); });
    QAction* whole = menu.addAction(QStringLiteral("Show Whole Pictures"));
    whole->setCheckable(true);
    whole->setChecked(m_letterbox);
    connect(whole, &QAction::toggled, this, [this](bool on) {
        m_letterbox = on;
        m_store.write(kProgramTitle, kSection, kLetterboxKey, on ? "1" : "0");
        if (!m_path.isEmpty()) request(m_path.toStdString());
    });
    menu.addAction(QStringLiteral("Exit Visual Mode"), this, [this] { m_visual.exitVisualMode(); });
    menu.addAction(QStringLiteral("Exit Application"), this,
                   [this] { m_visual.exitApplication(false); });
    menu.exec(at);
}

void SlideshowView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        m_visual.slideshowActivated();
        setCursor(Qt::BlankCursor);
    }
    QWidget::changeEvent(event);
}

} // namespace velmora
