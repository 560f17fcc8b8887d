#include "background_bank_table.h"

namespace velmora {

const BackgroundBankTable& backgroundBankOne() {
    static const BackgroundBankTable table{
        "frmback",
        1,
        "back.ini",
        "\\config\\main\\background bank one",
        {"Hail on tin roof", "Rain on car roof", "Light rain", "Heavy rain", "Rain on leaves",
         "Rain on pavement", "Winter wind", "Light breeze", "Gusty wind", "Wind in leaves",
         "Wind in foliage", "Wind in trees", "Shingle ocean", "Rough sea", "Gentle ocean", "Harbor",
         "Lake shore", "Crickets2"},
        "There was a problem loading the background bank one settings.",
    };
    return table;
}

const BackgroundBankTable& backgroundBankTwo() {
    static const BackgroundBankTable table{
        "frmback2",
        51,
        "back2.ini",
        "\\config\\main\\background bank two",
        {"Fountain", "Stream", "River", "Pine forest", "Woodland birds", "Country meadow",
         "Country lake", "African jungle", "Indian jungle", "Rainforest", "Night crickets",
         "Crickets", "Indian cicada", "African cicada", "Western cicada", "Campfire",
         "Crackling fire", "Crickets2"},
        // Bank two names itself: the message once named bank one for both banks.
        "There was a problem loading the background bank two settings.",
    };
    return table;
}

} // namespace velmora
