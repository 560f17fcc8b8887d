#pragma once
// The windows the main window can reach, by their window names ("Timers", "frmeffects",
// "frmremote2", ...). A window joins when the code that builds it is wired in at start, so a
// button appears exactly when its window exists and never leads nowhere.
//
// Thread: UI thread.

#include "core/signal.h"

#include <functional>
#include <string>
#include <vector>

namespace velmora {

struct WindowEntry {
    /// Creates the window on first use and shows it. Required.
    std::function<void()> show;
    /// Hides it without closing. Optional.
    std::function<void()> hide;
    /// Creates it without showing it (windows that must work while unseen). Optional.
    std::function<void()> loadHidden;
    /// Runs as the window closes at quit: it saves its position and its own files. Optional.
    std::function<void()> close;
};

class WindowRegistry {
  public:
    /// Adds or replaces the window called name.
    void add(const std::string& name, WindowEntry entry);
    /// A window that only needs showing.
    void add(const std::string& name, std::function<void()> show) {
        add(name, WindowEntry{std::move(show), {}, {}, {}});
    }
    [[nodiscard]] bool has(const std::string& name) const;
    [[nodiscard]] std::vector<std::string> names() const;

    /// Shows the window; false when no such window exists. Counts as opening it.
    bool show(const std::string& name);
    void hide(const std::string& name);
    /// Loads the window unseen (falls back to nothing when it has no hidden form).
    void loadHidden(const std::string& name);
    /// Marks a window open without showing it (banks are loaded with the main window).
    void markOpen(const std::string& name);

    /// Closes every open window, last opened first; each close runs once.
    void closeAll();
    /// The windows that are open, first opened first.
    [[nodiscard]] const std::vector<std::string>& openOrder() const { return m_open; }

    /// A window was added (its name): views add the button that reaches it.
    Signal<std::string> added;

  private:
    struct Item {
        std::string name;
        WindowEntry entry;
    };
    [[nodiscard]] const Item* find(const std::string& name) const;
    void noteOpen(const std::string& name);

    std::vector<Item> m_items;
    std::vector<std::string> m_open;
};

} // namespace velmora
