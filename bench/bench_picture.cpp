// Converting a loaded picture of the largest accepted size into the one-bit bitmap, and that
// bitmap into the panel's page format.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "model/MonoBitmap.h"

namespace {

std::vector<uint32_t> samplePicture(int w, int h) {
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
    uint32_t state = 12345;
    for (auto& p : pixels) {
        state = state * 1103515245u + 12345u;
        p = (state >> 8) & 0xFFFFFF;
    }
    return pixels;
}

void BM_ConvertPicture196x64(benchmark::State& state) {
    const auto pixels = samplePicture(vanta::kPictureMaxWidth, vanta::kPictureMaxHeight);
    for (auto _ : state) {
        auto bitmap = vanta::MonoBitmap::fromColours(vanta::kPictureMaxWidth,
                                                     vanta::kPictureMaxHeight, pixels);
        benchmark::DoNotOptimize(bitmap);
    }
}
BENCHMARK(BM_ConvertPicture196x64)->Unit(benchmark::kMicrosecond);

void BM_PageFormat196x64(benchmark::State& state) {
    const auto pixels = samplePicture(vanta::kPictureMaxWidth, vanta::kPictureMaxHeight);
    const auto bitmap =
        vanta::MonoBitmap::fromColours(vanta::kPictureMaxWidth, vanta::kPictureMaxHeight, pixels);
    for (auto _ : state) {
        auto page = bitmap->toPageFormat();
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_PageFormat196x64)->Unit(benchmark::kMicrosecond);

}  // namespace
