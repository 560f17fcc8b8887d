#pragma once
// frmDemo on screen: the scheme list and box, the stepping and file commands, the backlight
// list with its sample display and four LCD colour buttons, and the advanced part with one
// colour button per element. The window shows the scheme being edited on itself, so it is
// its own preview.
//
// Thread: UI thread.

#include "appearance/scheme_editor.h"

#include <QWidget>

#include <map>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace velmora {

class LcdDisplay;

class SchemeEditorView : public QWidget {
    Q_OBJECT
  public:
    SchemeEditorView(appearance::SchemeEditor& editor, SettingsStore& settings,
                     QWidget* parent = nullptr);
    ~SchemeEditorView() override;

    void open();
    /// Saves the window's place (the editor's own files are the controller's).
    void saveState();

  protected:
    bool event(QEvent* event) override;

  private:
    QWidget* buildSchemes();
    QWidget* buildLcd();
    QWidget* buildAdvanced();
    QPushButton* elementButton(int element, QWidget* parent);
    void pick(int element);
    void refresh();

    appearance::SchemeEditor& m_editor;
    SettingsStore& m_settings;
    QListWidget* m_list = nullptr;
    QLabel* m_box = nullptr;
    QComboBox* m_backlight = nullptr;
    LcdDisplay* m_sample = nullptr;
    QPushButton* m_advancedButton = nullptr;
    QWidget* m_advanced = nullptr;
    std::map<int, QPushButton*> m_elements;
    std::vector<QWidget*> m_lcdControls;
    Connection m_connection;
    bool m_refreshing = false;
};

} // namespace velmora
