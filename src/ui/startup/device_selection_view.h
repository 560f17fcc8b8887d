#pragma once
// The device window (frmselectcard) over DeviceSelectionController.
//
// Thread: UI thread.

#include "core/startup/device_selection.h"

#include <QDialog>

class QComboBox;

namespace velmora {

class DeviceSelectionView : public QDialog {
    Q_OBJECT
  public:
    explicit DeviceSelectionView(DeviceSelectionController& controller, QWidget* parent = nullptr);

    /// Opens (or raises) the window; the list fills shortly after.
    void open() override;

  private:
    void showList();

    DeviceSelectionController& m_controller;
    QComboBox* m_list;
    Connection m_listConnection, m_closeConnection;
};

} // namespace velmora
