#include "recipes.h"

namespace velmora::factory {

double loopSeconds(const Entry& e) {
    // 30 to 35 s in half seconds, picked by a checksum of the file name, so loops played
    // together rarely share a length. (std::hash differs between standard libraries; a
    // plain checksum keeps builds bit-identical everywhere.) Habitats carry calls a listener
    // remembers, so they run three times as long: a call heard again after half a minute
    // gives the loop away, one heard again after a minute and a half does not.
    int sum = 0;
    for (char c : e.path)
        sum = (sum * 31 + static_cast<unsigned char>(c)) % 100003;
    // A bird over the lake or a log settling in the campfire stands out the same way.
    const bool distinctEvents = e.category == Category::HabitatLoop ||
                                (e.category == Category::SeaLoop && e.variant == 4) ||
                                (e.category == Category::FireLoop && e.variant == 0);
    const double base = distinctEvents ? 90.0 : 30.0;
    return base + static_cast<double>(sum % 11) * 0.5;
}

Buffer renderEntry(const Entry& e, Rng& rng) {
    switch (e.kind) {
    case Kind::Tone:
        return renderTone(e.variant);
    case Kind::Loop: {
        const int length = frames(loopSeconds(e));
        switch (e.category) {
        case Category::RainLoop:
        case Category::WindLoop:
        case Category::SeaLoop:
            return renderWeatherLoop(e.category, e.variant, length, rng);
        default:
            return renderNatureLoop(e.category, e.variant, length, rng);
        }
    }
    case Kind::OneShot:
        break;
    }
    switch (e.category) {
    case Category::Owl:
    case Category::WingsFlap:
    case Category::Dove:
    case Category::Gull:
    case Category::Loon:
    case Category::Songbird:
    case Category::Lark:
    case Category::Woodpecker:
    case Category::Cuckoo:
    case Category::Crow:
    case Category::Duck:
        return renderBird(e.category, e.variant, rng);
    case Category::Bee:
    case Category::Cicada:
    case Category::Cricket:
    case Category::Katydid:
    case Category::Lizard:
    case Category::Frog:
    case Category::TreeFrog:
        return renderInsect(e.category, e.variant, rng);
    case Category::Cow:
    case Category::Cat:
    case Category::Rooster:
    case Category::Dog:
    case Category::Sheep:
    case Category::Goat:
    case Category::Hooves:
    case Category::Whinny:
    case Category::Snort:
    case Category::Goose:
        return renderAnimal(e.category, e.variant, rng);
    case Category::WindChime:
    case Category::AlarmChime:
        return renderChime(e.category, e.variant, rng);
    default:
        return renderWeather(e.category, e.variant, rng);
    }
}

} // namespace velmora::factory
