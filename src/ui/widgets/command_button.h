#pragma once
// The push buttons the windows' commands are made of: named for tests and tools, reached
// by Tab rather than taking the focus on a click.
//
// Thread: UI thread.

class QPushButton;
class QString;
class QWidget;

namespace velmora {

/// A button called objectName; an empty toolTip sets none.
[[nodiscard]] QPushButton* makeCommandButton(QWidget* parent, const char* objectName,
                                             const QString& caption, const QString& toolTip);

} // namespace velmora
