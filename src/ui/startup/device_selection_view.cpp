#include "device_selection_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

DeviceSelectionView::DeviceSelectionView(DeviceSelectionController& controller, QWidget* parent)
    : QDialog(parent), m_controller(controller), m_list(new QComboBox(this)) {
    setObjectName("frmselectcard");
    setWindowTitle(DeviceSelectionController::kCaption);
    m_list->setObjectName("Combo4");
    m_list->setPlaceholderText(DeviceSelectionController::kPrompt);
    m_list->setMinimumWidth(360);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("xpbs1");
    ok->setDefault(true);

    connect(m_list, &QComboBox::currentIndexChanged, this,
            [this](int row) { m_controller.select(row); });
    connect(ok, &QPushButton::clicked, this, [this] { (void)m_controller.ok(); });
    m_listConnection = m_controller.listChanged.connect([this] { showList(); });
    m_closeConnection = m_controller.closeRequested.connect([this] { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    layout->addLayout(row);
}

void DeviceSelectionView::open() {
    m_controller.open();
    show();
    raise();
    activateWindow();
}

void DeviceSelectionView::showList() {
    const QSignalBlocker block(m_list);
    m_list->clear();
    for (const auto& entry : m_controller.entries())
        m_list->addItem(QString::fromStdString(entry.name), entry.index);
    m_list->setCurrentIndex(m_controller.selected());
}

} // namespace velmora
