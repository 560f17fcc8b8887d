#include "panorama_view.h"

#include "ui/widgets/command_button.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

namespace velmora {

using visual::Panorama;

PanoramaView::PanoramaView(visual::VisualMode& visual, KeyHandler& keys, QWidget* screenOf)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_visual(visual), m_keys(keys),
      m_screenOf(screenOf), m_strip(new QWidget(this)), m_pointerTimer(new QTimer(this)) {
    setObjectName(QStringLiteral("frmpanoramic"));
    setWindowTitle(QStringLiteral("Panoramic"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);

    m_strip->setObjectName(QStringLiteral("strip"));
    m_strip->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(m_strip);
    m_pan = new QSlider(Qt::Horizontal, m_strip);
    m_pan->setObjectName(QStringLiteral("HScroll1"));
    m_startStop =
        makeCommandButton(m_strip, "Command1", tr("Start / Stop"), tr("Start or stop panning"));
    m_startStop->setCheckable(true);
    m_reverse = makeCommandButton(m_strip, "Command2", tr("Reverse"), tr("Pan the other way"));
    m_speed = new QSlider(Qt::Horizontal, m_strip);
    m_speed->setObjectName(QStringLiteral("HScroll2"));
    m_speed->setRange(visual::kSpeedMinimum, visual::kSpeedMaximum);
    m_speed->setToolTip(tr("Panning speed"));
    row->addWidget(m_pan, 3);
    row->addWidget(m_startStop);
    row->addWidget(m_reverse);
    row->addWidget(m_speed, 1);

    Panorama& pan = m_visual.panorama();
    connect(m_pan, &QSlider::valueChanged, this, [&pan](int v) { pan.setPan(v); });
    connect(m_speed, &QSlider::valueChanged, this, [&pan](int v) { pan.setSpeed(v); });
    connect(m_startStop, &QPushButton::clicked, this, [&pan] { pan.startStop(); });
    connect(m_reverse, &QPushButton::clicked, this, [&pan] { pan.reverse(); });
    m_connections.push_back(pan.changed.connect([this] { showPosition(); }));
    m_connections.push_back(m_visual.changed.connect([this] { follow(); }));
    m_connections.push_back(m_visual.sources().changed.connect([this] {
        if (isVisible()) loadPicture();
    }));

    m_pointerTimer->setInterval(kStripCheckMs);
    connect(m_pointerTimer, &QTimer::timeout, this, [this] { checkPointer(QCursor::pos()); });
}

void PanoramaView::follow() {
    if (!m_visual.isPanoramaShown()) {
        m_pointerTimer->stop();
        if (isVisible()) hide();
        // The wide picture is large; it is read again when the view comes back.
        m_loadedPath.clear();
        m_picture = {};
        return;
    }
    if (m_screenOf && m_screenOf->screen()) setGeometry(m_screenOf->screen()->geometry());
    if (!isVisible()) {
        showFullScreen();
        m_pointerTimer->start();
    }
    loadPicture();
    raise();
    activateWindow();
}

void PanoramaView::loadPicture() {
    const QString path = QString::fromStdString(m_visual.sources().panoramicPath().string());
    if (path == m_loadedPath) return;
    m_loadedPath = path;
    m_decoder.request(path, size(), PictureFit::Natural,
                      [this](const QString&, const QImage& image) {
                          m_picture = QPixmap::fromImage(image);
                          const QSize view = size();
                          m_visual.panorama().load(m_picture.width(), m_picture.height(),
                                                   view.width(), view.height());
                          m_drawnX = -1;
                          update();
                          emit pictureLoaded();
                      });
}

void PanoramaView::showPosition() {
    const Panorama& pan = m_visual.panorama();
    {
        const QSignalBlocker a(m_pan), b(m_speed);
        m_pan->setRange(0, pan.panMaximum());
        m_pan->setValue(pan.offsetX());
        m_speed->setValue(pan.speed());
    }
    m_startStop->setChecked(pan.direction() != Panorama::Direction::Stopped);
    // Only a whole pixel of movement is worth a redraw.
    if (pan.offsetX() != m_drawnX) update();
}

void PanoramaView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const Panorama& pan = m_visual.panorama();
    if (m_picture.isNull()) {
        p.fillRect(rect(), Qt::black);
        if (!m_loadedPath.isEmpty()) {
            p.setPen(QColor(170, 170, 170));
            p.drawText(rect(), Qt::AlignCenter, tr("The panoramic picture could not be shown."));
        }
        return;
    }
    m_drawnX = pan.offsetX();
    const QRect source(m_drawnX, pan.offsetY(), width(), height());
    const QRect covered = QRect(QPoint(0, 0), m_picture.size() - QSize(m_drawnX, pan.offsetY()));
    // A plain copy of the visible window; black where the picture does not reach.
    const QRect dirty = event->rect();
    if (!covered.contains(dirty)) p.fillRect(dirty, Qt::black);
    p.drawPixmap(dirty.topLeft(), m_picture, dirty.translated(source.topLeft()));
}

void PanoramaView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutStrip();
}

void PanoramaView::layoutStrip() {
    const int h = m_strip->sizeHint().height();
    m_strip->setGeometry(0, height() - h, width(), h);
}

void PanoramaView::checkPointer(const QPoint& global) {
    const QRect near =
        QRect(m_strip->mapToGlobal(QPoint(0, 0)), m_strip->size())
            .adjusted(-kStripMarginPx, -kStripMarginPx, kStripMarginPx, kStripMarginPx);
    m_strip->setVisible(near.contains(global));
}

void PanoramaView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        m_visual.exitVisualMode();
        return;
    }
    const QKeySequence key(event->keyCombination());
    m_keys.handleKey(key.toString(QKeySequence::PortableText).toStdString());
}

void PanoramaView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("Show Remote"), this, [this] { m_visual.showRemoteFromView(); });
    menu.addAction(QStringLiteral("Exit Visual Mode"), this, [this] { m_visual.exitVisualMode(); });
    menu.addAction(QStringLiteral("Exit Application"), this,
                   [this] { m_visual.exitApplication(true); });
    menu.exec(event->globalPos());
}

void PanoramaView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            m_visual.panoramaActivated();
        else if (isVisible())
            m_visual.panoramaDeactivated();
    }
    QWidget::changeEvent(event);
}

} // namespace velmora
