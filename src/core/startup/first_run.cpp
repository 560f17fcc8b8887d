#include "first_run.h"

#include "core/state/main_state.h"

namespace velmora {

bool isFirstRun(const ProgramFolder& folder) {
    std::error_code ec;
    return !std::filesystem::exists(folder.resolve(state::kMainStateFile), ec);
}

} // namespace velmora
