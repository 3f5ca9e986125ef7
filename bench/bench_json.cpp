// Reading JSON text grows in proportion to it: one object of 10,000, 100,000 and 1,000,000 keys
// (each key checked against the earlier ones), an array of as many small objects, and the JSON
// form of a project of 10, 100 and 1,000 screens built back into a project file. Target: each
// tenfold input takes about tenfold time (Google Benchmark's fitted complexity is O(N)).
#include <benchmark/benchmark.h>

#include <string>

#include "common/FileIO.h"
#include "common/Json.h"
#include "project/ProjectJson.h"

using namespace vanta;

namespace {

std::string objectOfKeys(int64_t count) {
    std::string text = "{";
    for (int64_t i = 0; i < count; ++i)
        text += (i ? ", \"key" : "\"key") + std::to_string(i) + "\": " + std::to_string(i);
    return text + "}";
}

std::string arrayOfObjects(int64_t count) {
    std::string text = "[";
    for (int64_t i = 0; i < count; ++i) {
        text += i ? ", " : "";
        text += "{\"number\": " + std::to_string(i) + ", \"text\": \"item\", \"flag\": true}";
    }
    return text + "]";
}

// The demo project's JSON with its screens repeated until there are `screens` of them.
std::string projectOfScreens(int64_t screens) {
    auto demo = readWholeFile(VANTA_SOURCE_DIR "/data/samples/demo.json");
    if (!demo)
        return {};
    Result<Json> parsed = parseJson(std::string(demo->begin(), demo->end()));
    if (!parsed)
        return {};
    Json& root = parsed.value();
    const Json pattern = root["screens"];
    Json& list = root["screens"];
    list = Json::array();
    for (int64_t i = 0; i < screens; ++i) {
        Json screen = pattern[static_cast<size_t>(i) % pattern.size()];
        screen["number"] = i + 1;
        list.push_back(std::move(screen));
    }
    return writeJson(root);
}

void BM_JsonObjectKeys(benchmark::State& state) {
    const std::string text = objectOfKeys(state.range(0));
    for (auto _ : state) {
        Result<Json> parsed = parseJson(text);
        benchmark::DoNotOptimize(parsed.ok());
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_JsonObjectKeys)
    ->RangeMultiplier(10)
    ->Range(10'000, 1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_JsonArrayOfObjects(benchmark::State& state) {
    const std::string text = arrayOfObjects(state.range(0));
    for (auto _ : state) {
        Result<Json> parsed = parseJson(text);
        benchmark::DoNotOptimize(parsed.ok());
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_JsonArrayOfObjects)
    ->RangeMultiplier(10)
    ->Range(10'000, 1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_ProjectFileFromJson(benchmark::State& state) {
    const std::string text = projectOfScreens(state.range(0));
    for (auto _ : state) {
        Result<Bytes> built = projectFileFromJson(text);
        if (!built)
            state.SkipWithError(built.message().c_str());
        benchmark::DoNotOptimize(built.ok());
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ProjectFileFromJson)
    ->RangeMultiplier(10)
    ->Range(10, 1000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
