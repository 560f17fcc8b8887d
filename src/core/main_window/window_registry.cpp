#include "window_registry.h"

#include <algorithm>

namespace velmora {

void WindowRegistry::add(const std::string& name, WindowEntry entry) {
    for (auto& item : m_items)
        if (item.name == name) {
            item.entry = std::move(entry);
            added(name);
            return;
        }
    m_items.push_back({name, std::move(entry)});
    added(name);
}

const WindowRegistry::Item* WindowRegistry::find(const std::string& name) const {
    for (const auto& item : m_items)
        if (item.name == name) return &item;
    return nullptr;
}

bool WindowRegistry::has(const std::string& name) const {
    const Item* item = find(name);
    return item && item->entry.show;
}

std::vector<std::string> WindowRegistry::names() const {
    std::vector<std::string> out;
    for (const auto& item : m_items)
        out.push_back(item.name);
    return out;
}

void WindowRegistry::noteOpen(const std::string& name) {
    // Showing a window again does not make it newer: it was opened when first shown.
    if (std::find(m_open.begin(), m_open.end(), name) == m_open.end()) m_open.push_back(name);
}

bool WindowRegistry::show(const std::string& name) {
    const Item* item = find(name);
    if (!item || !item->entry.show) return false;
    noteOpen(name);
    item->entry.show();
    return true;
}

void WindowRegistry::hide(const std::string& name) {
    if (const Item* item = find(name); item && item->entry.hide) item->entry.hide();
}

void WindowRegistry::loadHidden(const std::string& name) {
    const Item* item = find(name);
    if (!item) return;
    noteOpen(name);
    if (item->entry.loadHidden) item->entry.loadHidden();
}

void WindowRegistry::markOpen(const std::string& name) {
    if (find(name)) noteOpen(name);
}

void WindowRegistry::closeAll() {
    // A close may open or close other windows; take one from the end at a time.
    while (!m_open.empty()) {
        const std::string name = m_open.back();
        m_open.pop_back();
        if (const Item* item = find(name); item && item->entry.close) item->entry.close();
    }
}

} // namespace velmora
