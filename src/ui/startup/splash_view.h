#pragma once
// The splash window (STARTUP): drawn, not a picture, so it is sharp at any scale. It stays
// up while the main window loads and is hidden by the load sequence.
//
// Thread: UI thread.

#include <QWidget>

namespace velmora {

class SplashView : public QWidget {
    Q_OBJECT
  public:
    explicit SplashView(QWidget* parent = nullptr);
    /// A line under the title ("Loading soundscapes..."); empty for none.
    void setMessage(const QString& message);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_message;
};

} // namespace velmora
