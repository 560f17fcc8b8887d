#pragma once
// Form1's behaviour without a toolkit: the one-second change count, the next picture in
// random or folder order, and skipping pictures that cannot be decoded. The view decodes
// the picture it is told to show and reports one that fails.
//
// Thread: UI thread.

#include "core/services.h"
#include "core/signal.h"
#include "visual/picture_sources.h"

#include <filesystem>
#include <memory>
#include <set>
#include <string>

namespace velmora::visual {

class Slideshow {
  public:
    Slideshow(Services& services, PictureSources& sources);
    Slideshow(const Slideshow&) = delete;
    Slideshow& operator=(const Slideshow&) = delete;

    /// Starts the count and shows the first picture; again while loaded does nothing.
    void load();
    /// Stops the count; the next load starts afresh.
    void unload();
    [[nodiscard]] bool isActive() const { return m_active; }

    /// The next picture in the chosen order. With no pictures nothing changes.
    void next();
    /// Shows entry index of the list (the user picked it in the remote's list).
    void showEntry(int index);
    /// The view could not decode path: it is passed over from now on and the next one is
    /// tried. When none can be shown, nothingToShow runs.
    void unreadable(const std::filesystem::path& path);
    [[nodiscard]] const std::filesystem::path& current() const { return m_current; }

    /// One tick of the change count (every second while loaded).
    void tick();
    [[nodiscard]] int minutes() const { return m_minutes; }

    /// The view shows this picture (a crossfade from the one before).
    Signal<std::filesystem::path> show;
    /// No picture of the folder can be shown.
    Signal<> nothingToShow;

  private:
    void showSelected(int index);
    [[nodiscard]] bool everyPictureUnreadable() const;

    Services& m_s;
    PictureSources& m_sources;
    std::unique_ptr<Timer> m_timer;
    std::filesystem::path m_current;
    std::set<std::filesystem::path> m_unreadable;
    int m_minutes = 0;
    int m_seconds = 0;
    int m_position = 0;
    bool m_active = false;
    Connection m_sourcesChanged;
};

} // namespace velmora::visual
