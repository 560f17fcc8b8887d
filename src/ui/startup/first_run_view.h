#pragma once
// The welcome window (Formtips, "First Run"), shown on the first run only.
//
// Thread: UI thread.

#include <QDialog>

namespace velmora {

class FirstRunView : public QDialog {
    Q_OBJECT
  public:
    explicit FirstRunView(QWidget* parent = nullptr);

  signals:
    /// The window was closed (its button or the close box).
    void closedByUser();

  protected:
    void done(int result) override;
};

} // namespace velmora
