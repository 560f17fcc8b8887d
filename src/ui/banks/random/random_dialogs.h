#pragma once
// The small windows that serve the random banks: the interval dialogs Form3/Form33, the
// sound picker Form2 and the identify window Frmsoundindent. Each remembers its position in
// the settings store under its own section. Created on first use, hidden when closed.
//
// Thread: UI thread.

#include "core/color_scheme.h"
#include "core/signal.h"

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QSlider;
class QTimer;
class QTreeView;
class QFileSystemModel;

namespace velmora {

class IntervalSettings;
class SettingsStore;
class SoundIdentify;
class SoundPicker;

class IntervalDialog : public QDialog {
    Q_OBJECT
  public:
    IntervalDialog(IntervalSettings& settings, SettingsStore& store, QWidget* parent = nullptr);
    /// OK confirms the chosen period; Cancel, Escape and closing drop it.
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    void refresh();
    IntervalSettings& m_settings;
    SettingsStore& m_store;
    QComboBox* m_period;
    QSlider* m_threshold;
    QLabel* m_thresholdValue;
    Connection m_changed;
};

class SoundPickerDialog : public QDialog {
    Q_OBJECT
  public:
    SoundPickerDialog(SoundPicker& picker, SettingsStore& store, QWidget* parent = nullptr);
    /// Shows the folder browser at the picker's start folder for its mode.
    void showFor();

  protected:
    void hideEvent(QHideEvent* e) override;

  private:
    void browse(const QString& folder);
    void refreshList();
    SoundPicker& m_picker;
    SettingsStore& m_store;
    QFileSystemModel* m_folders;
    QTreeView* m_tree;
    QListWidget* m_files;
    QListWidget* m_toLoad;
    QString m_folder;
    Connection m_changed;
};

class SoundIdentifyWindow : public QDialog {
    Q_OBJECT
  public:
    SoundIdentifyWindow(SoundIdentify& identify, SettingsStore& store, QWidget* parent = nullptr);
    /// Draws the followed (selected) line in the scheme's highlight with whichever of its
    /// text colours, or black or white, reads best on it: at least 4.5:1.
    void showSelection(const ColorScheme& scheme);

  protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    void reload();
    SoundIdentify& m_identify;
    SettingsStore& m_store;
    QListWidget* m_sounds;
    QListWidget* m_locations;
    QTimer* m_follow;
    std::vector<Connection> m_connections;
};

} // namespace velmora
