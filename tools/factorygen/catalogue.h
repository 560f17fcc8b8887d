#pragma once
// The factory library as data: every generated sound with its place in the program folder,
// its caption, what kind of sound it is and which variation of that kind. The generator
// renders from this table and the library tests check the output against it.
//
// Threads: immutable after first use; safe to read from any thread.

#include <string>
#include <vector>

namespace velmora::factory {

enum class Kind {
    OneShot, ///< a random-bank sound: 0.3-10 s, decays to silence
    Loop,    ///< a background loop: >= 30 s, seamless
    Tone,    ///< a bw-bank beat tone: whole periods, seamless
};

enum class Format { Flac, Wav };

enum class Category {
    // birds
    Owl,
    WingsFlap,
    Dove,
    Gull,
    Loon,
    Songbird,
    Lark,
    Woodpecker,
    Cuckoo,
    Crow,
    Duck,
    // insects, frogs, lizards
    Bee,
    Cicada,
    Cricket,
    Katydid,
    Lizard,
    Frog,
    TreeFrog,
    // farm animals
    Cow,
    Cat,
    Rooster,
    Dog,
    Sheep,
    Goat,
    Hooves,
    Whinny,
    Snort,
    Goose,
    // weather one-shots
    ThunderRumble,
    RollingThunder,
    ThunderCrack,
    Gust,
    Wave,
    // other one-shots
    WindChime,
    AlarmChime,
    // loops
    RainLoop,
    WindLoop,
    SeaLoop,
    WaterLoop,
    HabitatLoop,
    InsectLoop,
    FireLoop,
    // tones
    BeatTone,
};

struct Entry {
    std::string path;    ///< relative to the program folder, '/'-separated ("bin/101.raz")
    std::string caption; ///< the slot caption or the extra sound's name
    Kind kind;
    Category category;
    int variant; ///< which variation of the category (recipes index their tables by it)
    Format format;
};

/// One beat tone of the bw bank: two sine partials carrierHz and carrierHz + beatHz.
struct ToneSpec {
    const char* name; ///< "Alpha1" ...
    double carrierHz; ///< lower partial
    double beatHz;    ///< difference of the two partials = loudness beat rate
};

/// Every generated sound, in a fixed order.
const std::vector<Entry>& catalogue();

/// The sixteen tones, b1.isx .. b16.isx in order.
const std::vector<ToneSpec>& toneSpecs();

/// Exact length of every tone file in seconds: every tone frequency is a whole multiple of
/// its inverse, so each file holds whole periods of both partials.
inline constexpr int kToneSeconds = 30;

/// Folders every part of the program expects to find (possibly empty), '/'-separated.
const std::vector<std::string>& factoryFolders();

/// A readable name of a category ("Owl", "Rain loop").
const char* categoryName(Category c);

} // namespace velmora::factory
