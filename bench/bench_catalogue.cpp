// Setting up a protocol's vocabulary, and loading one driver from a full catalogue.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "protocols/Catalogue.h"
#include "protocols/Vocabulary.h"

namespace {

void BM_MakeVocabulary(benchmark::State& state) {
    const auto protocol = static_cast<uint8_t>(state.range(0));
    for (auto _ : state) {
        vanta::Vocabulary v = vanta::makeVocabulary(protocol);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_MakeVocabulary)->Arg(2)->Arg(20)->Arg(31);

// A catalogue of 40 entries (protocols 1..40), each driver 16000 + 128 bytes.
std::string makeCatalogue() {
    const auto path = std::filesystem::temp_directory_path() /
                      ("vanta-bench-catalogue-" + std::to_string(::getpid()) + ".dat");
    std::ofstream out(path, std::ios::binary);
    out.put(40);
    std::vector<char> entry(vanta::Catalogue::kEntrySize, 0x5A);
    for (int p = 1; p <= 40; ++p) {
        entry[0] = static_cast<char>(p);
        entry[1] = 1;
        entry[2] = static_cast<char>(16000 & 0xFF);
        entry[3] = static_cast<char>(16000 >> 8);
        out.write(entry.data(), static_cast<std::streamsize>(entry.size()));
    }
    return path.string();
}

void BM_LoadDriver(benchmark::State& state) {
    const std::string path = makeCatalogue();
    auto catalogue = vanta::Catalogue::open(path);
    if (!catalogue) {
        state.SkipWithError(catalogue.message().c_str());
        return;
    }
    const auto protocol = static_cast<uint8_t>(state.range(0));
    for (auto _ : state) {
        auto driver = catalogue->loadDriver(protocol);
        benchmark::DoNotOptimize(driver);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadDriver)->Arg(1)->Arg(40)->Unit(benchmark::kMicrosecond);

// Opening (listing the 40 entry headers) and loading, as the download does from a path.
void BM_OpenAndLoadDriver(benchmark::State& state) {
    const std::string path = makeCatalogue();
    for (auto _ : state) {
        auto driver = vanta::Catalogue::loadDriverFrom(path, 40);
        benchmark::DoNotOptimize(driver);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenAndLoadDriver)->Unit(benchmark::kMicrosecond);

}  // namespace
