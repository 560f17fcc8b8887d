#include "preset_buttons.h"

namespace velmora {

void PresetButtons::setCaption(int index, const std::string& caption) {
    if (index < 0 || index >= state::kPresetCount) return;
    m_captions[std::size_t(index)] = caption;
    changed();
}

} // namespace velmora
