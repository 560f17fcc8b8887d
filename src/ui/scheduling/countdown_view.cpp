#include "countdown_view.h"

#include "ui/widgets/command_button.h"
#include "ui/widgets/scheme_style.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

CountdownView::CountdownView(scheduling::ShutdownCountdown& countdown, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_countdown(countdown) {
    setObjectName("frmshutdown");
    setWindowTitle("Velmora");
    m_text = new QLabel(this);
    m_text->setObjectName("Label1");
    QFont f = m_text->font();
    f.setPointSizeF(f.pointSizeF() * 1.3);
    m_text->setFont(f);
    auto* cancel = makeCommandButton(this, "cmdcancel", tr("Cancel"), {});
    cancel->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, [this] { m_countdown.cancel(); });
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(row);
    m_changed = m_countdown.changed.connect([this] { refresh(); });
    refresh();
}

void CountdownView::applyColors(const ColorScheme& scheme) {
    applyScheme(this, scheme);
}

void CountdownView::closeEvent(QCloseEvent* event) {
    // Closing the window is the user saying no.
    m_countdown.cancel();
    event->accept();
}

void CountdownView::refresh() {
    m_text->setText(QString::fromStdString(m_countdown.text()));
    if (m_countdown.running() && !isVisible()) {
        show();
        raise();
        activateWindow();
    } else if (!m_countdown.running()) {
        hide();
    }
}

} // namespace velmora
