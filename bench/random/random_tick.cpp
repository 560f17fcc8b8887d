// The cost of the random banks' 500 ms tick: one tick of all five banks (four numbered and
// the custom one) at typical settings, with the real engine rendering offline between
// ticks so channels start and end as they do in use. Prints nanoseconds per five-bank tick.
//
//   velmora_random_tick <program folder> [ticks]
//
// The program folder needs bin/<n>.raz for the numbered banks (the factory library, or any
// short sound files); the custom bank is filled from bin/101.raz .. bin/128.raz.

#include "banks/random/random_banks.h"
#include "core/offline_services.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace velmora;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <program folder> [ticks]\n", argv[0]);
        return 2;
    }
    const int ticks = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20000;
    OfflineServices world(argv[1], 42);
    auto& engine = world.engine;
    auto& folder = world.folder;
    auto& services = world.services;
    RandomBanks banks(services);

    std::vector<std::string> picked;
    for (int n = 101; n <= 128; ++n)
        picked.push_back(folder.resolve("\\bin\\" + std::to_string(n) + ".raz").string());
    banks.custom().applyPickedList(picked);
    std::vector<RandomBankEngine*> all;
    for (int b = 1; b <= 4; ++b)
        all.push_back(&banks.bank(b));
    all.push_back(&banks.custom());
    // Typical settings: every slot on at a middling frequency, preloaded by one preview.
    for (auto* bank : all)
        for (int n = 1; n <= kRandomSlotCount; ++n) {
            bank->setFrequency(n, 60 + (n * 37) % 150);
            bank->preview(n);
        }
    std::vector<float> audio(2 * 22050);
    for (int i = 0; i < 8; ++i)
        engine.render(audio.data(), 22050); // let previews end

    using Clock = std::chrono::steady_clock;
    Clock::duration spent{};
    Clock::duration worst{};
    for (int t = 0; t < ticks; ++t) {
        const auto start = Clock::now();
        for (auto* bank : all)
            bank->tick();
        const auto took = Clock::now() - start;
        spent += took;
        worst = std::max(worst, took);
        if (t % 4 == 0) engine.render(audio.data(), 2048); // keep channels coming and going
    }
    std::uint64_t firings = 0;
    for (auto* bank : all)
        firings += bank->firingCount();
    const double ns = std::chrono::duration<double, std::nano>(spent).count() / ticks;
    std::printf("five-bank ticks: %d, firings: %llu\n", ticks,
                static_cast<unsigned long long>(firings));
    std::printf("mean ns per five-bank tick: %.0f\n", ns);
    std::printf("worst ns per five-bank tick: %.0f\n",
                std::chrono::duration<double, std::nano>(worst).count());
    engine.close();
    return 0;
}
