#include "scenario_colors.h"

#include "core/files/text_record.h"
#include "core/main_window/color_slots.h"
#include "core/main_window/main_window_controller.h"
#include "core/state/state_read.h"

namespace velmora::scenarios {

bool SlotColors::save(const std::filesystem::path& path) {
    files::RecordWriter w;
    for (std::uint32_t colour : slotsFromScheme(m_main.colorScheme()))
        w.integer(colour);
    w.endRecord();
    return replaceFileAtomically(path, w.bytes()).ok();
}

bool SlotColors::load(const std::filesystem::path& path) {
    FileResult result;
    auto reader = state::openRecordFile(path, result);
    if (!reader.ok()) return false;
    ColorSlots slots{};
    state::FieldReader f(reader, result, slots.size());
    for (auto& colour : slots)
        f.colour(colour);
    if (!result.ok()) return false;
    m_main.docolors(schemeFromSlots(slots, m_main.colorScheme()));
    return true;
}

} // namespace velmora::scenarios
