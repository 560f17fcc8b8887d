#include "catalogue.h"

#include <map>
#include <string_view>

namespace velmora::factory {

namespace {

struct Slot {
    const char* caption;
    Category category;
    int variant;
};

using C = Category;

// Slot captions of the four random banks, slots 1-28 in order.
const Slot kBirds[28] = {
    {"Barn owl 1", C::Owl, 0},
    {"Barn owl 2", C::Owl, 1},
    {"Tawny owl", C::Owl, 2},
    {"Long eared owl", C::Owl, 3},
    {"Wings flap 1", C::WingsFlap, 0},
    {"Wings flap 2", C::WingsFlap, 1},
    {"Dove 1", C::Dove, 0},
    {"Dove 2", C::Dove, 1},
    {"Dove 3", C::Dove, 2},
    {"Gull", C::Gull, 0},
    {"Seagulls 1", C::Gull, 1},
    {"Seagulls 2", C::Gull, 2},
    {"Loon 1", C::Loon, 0},
    {"Loon 2", C::Loon, 1},
    {"Loon 3", C::Loon, 2},
    {"Finch", C::Songbird, 0},
    {"Blue tit", C::Songbird, 1},
    {"Starling", C::Songbird, 2},
    {"Starling 2", C::Songbird, 3},
    {"Robin", C::Songbird, 4},
    {"Chaffinch", C::Songbird, 5},
    {"Sparrow", C::Songbird, 6},
    {"Thrush", C::Songbird, 7},
    {"Starling", C::Songbird, 8},
    {"Lark1", C::Lark, 0},
    {"Lark2", C::Lark, 1},
    {"Kingfisher", C::Songbird, 9},
    {"Skylark", C::Lark, 2},
};

const Slot kInsects[28] = {
    {"Bumble bee 1", C::Bee, 0},        {"Wasp", C::Bee, 1},
    {"Hoverfly 1", C::Bee, 2},          {"Hoverfly 2", C::Bee, 3},
    {"Hoverfly 3", C::Bee, 4},          {"Hoverfly 4", C::Bee, 5},
    {"African cicada", C::Cicada, 0},   {"Prarie cicada", C::Cicada, 1},
    {"Grassland cicada", C::Cicada, 2}, {"Indian cicada", C::Cicada, 3},
    {"Brown Cicada", C::Cicada, 4},     {"Tree cricket", C::Cricket, 0},
    {"Raspy cricket", C::Cricket, 1},   {"Creek hopper", C::Cricket, 2},
    {"Leaf cricket", C::Cricket, 3},    {"Indian cricket", C::Cricket, 4},
    {"Spotted katydid", C::Katydid, 0}, {"Common katydid", C::Katydid, 1},
    {"Leaf roller", C::Katydid, 2},     {"Brown lizard 1", C::Lizard, 0},
    {"Brown lizard 2", C::Lizard, 1},   {"Branch climber", C::Lizard, 2},
    {"Tree lizard", C::Lizard, 3},      {"Green frog 2", C::Frog, 0},
    {"Marsh frog 1", C::Frog, 1},       {"Marsh frog 2", C::Frog, 2},
    {"Tree frog 1", C::TreeFrog, 0},    {"Tree frog 2", C::TreeFrog, 1},
};

const Slot kAnimals[28] = {
    {"Cow moo 1", C::Cow, 0},
    {"Cow moo 2", C::Cow, 1},
    {"Cow moo 3", C::Cow, 2},
    {"Cat meow 1", C::Cat, 0},
    {"Cat meow 2", C::Cat, 1},
    {"Rooster 1", C::Rooster, 0},
    {"Rooster 2", C::Rooster, 1},
    {"Dog bark 1", C::Dog, 0},
    {"Dog bark 2", C::Dog, 1},
    {"Dog bark 3", C::Dog, 2},
    {"Dog bark 4", C::Dog, 3},
    {"Dog bark 5", C::Dog, 4},
    {"Lamb", C::Sheep, 0},
    {"Sheep 1", C::Sheep, 1},
    {"Sheep 2", C::Sheep, 2},
    {"Sheep 3", C::Sheep, 3},
    {"Sheep 4", C::Sheep, 4},
    {"Horse trotting", C::Hooves, 0},
    {"Horse whinney 1", C::Whinny, 0},
    {"Horse whinney 2", C::Whinny, 1},
    {"Horse canter past", C::Hooves, 1},
    {"Horse canter past 2", C::Hooves, 2},
    {"Horse snort", C::Snort, 0},
    {"Goat bleat 1", C::Goat, 0},
    {"Goat bleat 2", C::Goat, 1},
    {"Geese 1", C::Goose, 0},
    {"Geese 2", C::Goose, 1},
    {"Geese 3", C::Goose, 2},
};

const Slot kWeather[28] = {
    {"Thunder rumble 1", C::ThunderRumble, 0},
    {"Thunder rumble 2", C::ThunderRumble, 1},
    {"Thunder rumble 3", C::ThunderRumble, 2},
    {"Thunder rumble 4", C::ThunderRumble, 3},
    {"Rolling thunder 1", C::RollingThunder, 0},
    {"Rolling thunder 2", C::RollingThunder, 1},
    {"Rolling thunder 3", C::RollingThunder, 2},
    {"Rolling thunder 4", C::RollingThunder, 3},
    {"Thundercrack 1", C::ThunderCrack, 0},
    {"Thundercrack 2", C::ThunderCrack, 1},
    {"Thundercrack 3", C::ThunderCrack, 2},
    {"Treewind gust", C::Gust, 0},
    {"Small tree gust", C::Gust, 1},
    {"Small gust", C::Gust, 2},
    {"Medium gust", C::Gust, 3},
    {"Stormy gust", C::Gust, 4},
    {"High wind gust", C::Gust, 5},
    {"High wind gust 2", C::Gust, 6},
    {"Blustery gust 1", C::Gust, 7},
    {"Blustery gust 2", C::Gust, 8},
    {"Shingle wave", C::Wave, 0},
    {"Small shingle wave", C::Wave, 1},
    {"Small wave 1", C::Wave, 2},
    {"Small wave 2", C::Wave, 3},
    {"Small wave 3", C::Wave, 4},
    {"Small wave 4", C::Wave, 5},
    {"Small wave 5", C::Wave, 6},
    {"Large wave", C::Wave, 7},
};

const Slot kBackgroundOne[17] = {
    {"Hail on tin roof", C::RainLoop, 0}, {"Rain on car roof", C::RainLoop, 1},
    {"Light rain", C::RainLoop, 2},       {"Heavy rain", C::RainLoop, 3},
    {"Rain on leaves", C::RainLoop, 4},   {"Rain on pavement", C::RainLoop, 5},
    {"Winter wind", C::WindLoop, 0},      {"Light breeze", C::WindLoop, 1},
    {"Gusty wind", C::WindLoop, 2},       {"Wind in leaves", C::WindLoop, 3},
    {"Wind in foliage", C::WindLoop, 4},  {"Wind in trees", C::WindLoop, 5},
    {"Shingle ocean", C::SeaLoop, 0},     {"Rough sea", C::SeaLoop, 1},
    {"Gentle ocean", C::SeaLoop, 2},      {"Harbor", C::SeaLoop, 3},
    {"Lake shore", C::SeaLoop, 4},
};

const Slot kBackgroundTwo[17] = {
    {"Fountain", C::WaterLoop, 0},
    {"Stream", C::WaterLoop, 1},
    {"River", C::WaterLoop, 2},
    {"Pine forest", C::HabitatLoop, 0},
    {"Woodland birds", C::HabitatLoop, 1},
    {"Country meadow", C::HabitatLoop, 2},
    {"Country lake", C::HabitatLoop, 3},
    {"African jungle", C::HabitatLoop, 4},
    {"Indian jungle", C::HabitatLoop, 5},
    {"Rainforest", C::HabitatLoop, 6},
    {"Night crickets", C::InsectLoop, 0},
    {"Crickets", C::InsectLoop, 1},
    {"Indian cicada", C::InsectLoop, 2},
    {"African cicada", C::InsectLoop, 3},
    {"Western cicada", C::InsectLoop, 4},
    {"Campfire", C::FireLoop, 0},
    {"Crackling fire", C::FireLoop, 1},
};

// Extra sounds for the custom banks, so a fresh install has something to pick.
const Slot kExtraRandom[12] = {
    {"Woodpecker", C::Woodpecker, 0},
    {"Cuckoo", C::Cuckoo, 0},
    {"Crow", C::Crow, 0},
    {"Duck", C::Duck, 0},
    {"Little owl", C::Owl, 4},
    {"Wren", C::Songbird, 10},
    {"Bullfrog", C::Frog, 3},
    {"Field cricket", C::Cricket, 5},
    {"Distant thunder", C::ThunderRumble, 4},
    {"Gentle gust", C::Gust, 9},
    {"Lapping wave", C::Wave, 8},
    {"Wind chime", C::WindChime, 0},
};

const Slot kExtraBackground[12] = {
    {"Drizzle", C::RainLoop, 6},
    {"Rain on tent", C::RainLoop, 7},
    {"Autumn wind", C::WindLoop, 6},
    {"Mountain wind", C::WindLoop, 7},
    {"Surf", C::SeaLoop, 5},
    {"Waterfall", C::WaterLoop, 3},
    {"Brook", C::WaterLoop, 4},
    {"Dawn chorus", C::HabitatLoop, 7},
    {"Marsh at dusk", C::HabitatLoop, 8},
    {"Summer night", C::InsectLoop, 5},
    {"Cicada grove", C::InsectLoop, 6},
    {"Stove fire", C::FireLoop, 2},
};

std::vector<Entry> build() {
    std::vector<Entry> out;
    auto add = [&](std::string path, const Slot& s, Kind kind, Format f) {
        out.push_back({std::move(path), s.caption, kind, s.category, s.variant, f});
    };
    const Slot* banks[4] = {kBirds, kInsects, kAnimals, kWeather};
    const int base[4] = {100, 50, 150, 200};
    for (int b = 0; b < 4; ++b)
        for (int k = 1; k <= 28; ++k)
            add("bin/" + std::to_string(base[b] + k) + ".raz", banks[b][k - 1], Kind::OneShot,
                Format::Flac);
    for (int k = 1; k <= 17; ++k)
        add("bin/" + std::to_string(k) + ".isz", kBackgroundOne[k - 1], Kind::Loop, Format::Flac);
    for (int k = 1; k <= 17; ++k)
        add("bin/" + std::to_string(50 + k) + ".isz", kBackgroundTwo[k - 1], Kind::Loop,
            Format::Flac);
    const auto& tones = toneSpecs();
    for (int k = 1; k <= 16; ++k)
        out.push_back({"bin/b" + std::to_string(k) + ".isx",
                       tones[static_cast<std::size_t>(k - 1)].name, Kind::Tone, Category::BeatTone,
                       k - 1, Format::Flac});
    out.push_back({"config/alarms/default.wav", "Default alarm", Kind::OneShot,
                   Category::AlarmChime, 0, Format::Wav});
    for (const Slot& s : kExtraRandom)
        add(std::string("soundbanks/random sounds/") + s.caption + ".wav", s, Kind::OneShot,
            Format::Wav);
    for (const Slot& s : kExtraBackground)
        add(std::string("soundbanks/background sounds/") + s.caption + ".wav", s, Kind::Loop,
            Format::Wav);
    return out;
}

} // namespace

const std::vector<Entry>& catalogue() {
    static const std::vector<Entry> entries = build();
    return entries;
}

const std::vector<ToneSpec>& toneSpecs() {
    // Carriers stay low and soft (100-400 Hz); every value is a multiple of 1/30 Hz so a
    // 30 s file holds whole periods.
    static const std::vector<ToneSpec> specs = {
        {"Alpha1", 200, 8.0}, {"Alpha2", 220, 9.0}, {"Alpha3", 180, 10.0}, {"Alpha4", 240, 11.5},
        {"Beta1", 250, 14.0}, {"Beta2", 280, 18.0}, {"Beta3", 300, 22.5},  {"Beta4", 330, 28.0},
        {"Theta1", 160, 4.0}, {"Theta2", 150, 5.0}, {"Theta3", 140, 6.0},  {"Theta4", 170, 7.0},
        {"Delta1", 110, 0.5}, {"Delta2", 120, 1.0}, {"Delta3", 130, 2.0},  {"Delta4", 100, 3.0},
    };
    return specs;
}

const std::vector<std::string>& factoryFolders() {
    static const std::vector<std::string> folders = {
        "bin",
        "config/alarms",
        "config/colors",
        "config/fx/EQ Presets",
        "config/fx/reverb presets",
        "config/main/random bank 1",
        "config/main/random bank 2",
        "config/main/random bank 3",
        "config/main/random bank 4",
        "config/main/custom random",
        "config/main/background bank one",
        "config/main/background bank two",
        "config/main/custom background",
        "config/mp3playlists",
        "config/presets",
        "config/scenarios",
        "config/scheduler/savedschedules",
        "config/scheduler/scenarioplaylists",
        "soundbanks/random sounds",
        "soundbanks/background sounds",
        "visual/panoramics",
        "visual/slideshow/default",
        "visual/videos",
    };
    return folders;
}

const char* categoryName(Category c) {
    static const std::map<Category, const char*> names = {
        {C::Owl, "Owl"},
        {C::WingsFlap, "Wings flap"},
        {C::Dove, "Dove"},
        {C::Gull, "Gull"},
        {C::Loon, "Loon"},
        {C::Songbird, "Songbird"},
        {C::Lark, "Lark"},
        {C::Woodpecker, "Woodpecker"},
        {C::Cuckoo, "Cuckoo"},
        {C::Crow, "Crow"},
        {C::Duck, "Duck"},
        {C::Bee, "Bee"},
        {C::Cicada, "Cicada"},
        {C::Cricket, "Cricket"},
        {C::Katydid, "Katydid"},
        {C::Lizard, "Lizard"},
        {C::Frog, "Frog"},
        {C::TreeFrog, "Tree frog"},
        {C::Cow, "Cow"},
        {C::Cat, "Cat"},
        {C::Rooster, "Rooster"},
        {C::Dog, "Dog"},
        {C::Sheep, "Sheep"},
        {C::Goat, "Goat"},
        {C::Hooves, "Hooves"},
        {C::Whinny, "Whinny"},
        {C::Snort, "Snort"},
        {C::Goose, "Goose"},
        {C::ThunderRumble, "Thunder rumble"},
        {C::RollingThunder, "Rolling thunder"},
        {C::ThunderCrack, "Thundercrack"},
        {C::Gust, "Gust"},
        {C::Wave, "Wave"},
        {C::WindChime, "Wind chime"},
        {C::AlarmChime, "Alarm chime"},
        {C::RainLoop, "Rain loop"},
        {C::WindLoop, "Wind loop"},
        {C::SeaLoop, "Sea loop"},
        {C::WaterLoop, "Water loop"},
        {C::HabitatLoop, "Habitat loop"},
        {C::InsectLoop, "Insect loop"},
        {C::FireLoop, "Fire loop"},
        {C::BeatTone, "Beat tone"},
    };
    auto it = names.find(c);
    return it == names.end() ? "?" : it->second;
}

} // namespace velmora::factory
