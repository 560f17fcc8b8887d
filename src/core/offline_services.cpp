#include "offline_services.h"

namespace velmora {

OfflineServices::OfflineServices(std::filesystem::path programFolder, std::uint64_t seed)
    : folder(std::move(programFolder)), services{engine,   timers, random, clock, dialogs,
                                                 settings, shell,  folder, levels} {
    random.seed(seed);
    (void)engine.init();
}

OfflineServices::~OfflineServices() {
    engine.close();
}

} // namespace velmora
