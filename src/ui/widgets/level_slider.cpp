#include "level_slider.h"

#include <QBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

namespace velmora {

LevelSlider::LevelSlider(Levels& levels, Level level, const QString& objectName,
                         Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_levels(levels), m_level(level) {
    const LevelRange range = levelRange(level);
    auto* caption = new QLabel(QString::fromUtf8(levelCaption(level)), this);
    caption->setAlignment(Qt::AlignCenter);
    m_slider = new QSlider(orientation, this);
    m_slider->setObjectName(objectName);
    m_slider->setRange(range.minimum, range.maximum);
    m_slider->setPageStep(std::max(1, (range.maximum - range.minimum) / 10));
    m_slider->setToolTip(QString::fromUtf8(levelCaption(level)));
    m_slider->setAccessibleName(QString::fromUtf8(levelCaption(level)));
    m_value = new QLabel(this);
    m_value->setAlignment(Qt::AlignCenter);
    m_value->setMinimumWidth(m_value->fontMetrics().horizontalAdvance(QStringLiteral("50000")));

    QBoxLayout* box = orientation == Qt::Vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(this))
                                                  : static_cast<QBoxLayout*>(new QHBoxLayout(this));
    box->setContentsMargins(2, 2, 2, 2);
    box->addWidget(caption);
    box->addWidget(m_slider, 1, Qt::AlignHCenter);
    box->addWidget(m_value);

    showValue(levels.value(level));
    // Both the drag and the release set the level: the mirroring runs on every step.
    connect(m_slider, &QSlider::valueChanged, this,
            [this](int value) { m_levels.set(m_level, value); });
    m_connection = levels.changed.connect([this](Level changed, int value) {
        if (changed == m_level) showValue(value);
    });
}

void LevelSlider::showValue(int value) {
    const QSignalBlocker block(m_slider);
    m_slider->setValue(value);
    m_value->setText(QString::number(value));
}

} // namespace velmora
