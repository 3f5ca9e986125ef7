// Drawing a screen of 64 lamps and function keys into the 432 x 144 display, and building their
// download records.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/PixelCanvas.h"
#include "protocols/Vocabulary.h"

namespace {

struct Screen {
    vanta::Vocabulary vocab = vanta::makeVocabulary(3);
    vanta::ModelContext context;
    std::vector<std::unique_ptr<vanta::CBase>> components;

    Screen() {
        context.protocol = 3;
        context.vocabulary = &vocab;
        // 32 lamps and 32 keys on a 12 x 4 grid of 36 x 36 cells (some overlap), every shape,
        // logic, key, hand and invisible variant.
        for (int i = 0; i < 64; ++i) {
            const int32_t x = (i % 12) * 36;
            const int32_t y = ((i / 12) % 4) * 36;
            if (i % 2 == 0) {
                auto lamp = std::make_unique<vanta::CLight>(context, x, y);
                lamp->m_displayKind = static_cast<uint8_t>((i / 2) % 2);
                lamp->m_inverse = static_cast<uint8_t>((i / 4) % 2);
                lamp->PlaceAt(x, y);
                components.push_back(std::move(lamp));
            } else {
                auto key = std::make_unique<vanta::CFunction>(context, x, y);
                key->m_displayKind = static_cast<uint8_t>(i % vanta::kFunctionKeyCount);
                key->m_hand = static_cast<uint8_t>(i % 5 == 0);
                key->m_invisible = static_cast<uint8_t>(i % 7 == 0);
                key->m_inverse = static_cast<uint8_t>(i % 3 == 0);
                key->PlaceAt(x, y);
                components.push_back(std::move(key));
            }
        }
    }
};

void BM_DrawLampsAndKeys(benchmark::State& state) {
    Screen screen;
    vanta::PixelCanvas canvas(vanta::kDisplayWidth, vanta::kDisplayHeight);
    for (auto _ : state) {
        canvas.clear(vanta::kDisplayDark);
        for (auto it = screen.components.rbegin(); it != screen.components.rend(); ++it) {
            (*it)->Draw(canvas);
        }
        benchmark::DoNotOptimize(canvas.pixels().data());
    }
    state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(BM_DrawLampsAndKeys)->Unit(benchmark::kMicrosecond);

void BM_BuildLampAndKeyRecords(benchmark::State& state) {
    Screen screen;
    for (auto _ : state) {
        vanta::DownloadContext download;
        for (auto& c : screen.components) {
            c->ComputeRecordSize();
            benchmark::DoNotOptimize(c->BuildDownloadRecord(download).ok());
            benchmark::DoNotOptimize(c->CollectGlyphs(download).ok());
        }
        uint16_t base = 4;
        for (auto& c : screen.components) {
            c->RebaseGlyphCodes(base);
        }
        benchmark::DoNotOptimize(download.symbols.data());
    }
    state.SetItemsProcessed(state.iterations() * 64);
}
BENCHMARK(BM_BuildLampAndKeyRecords)->Unit(benchmark::kMicrosecond);

}  // namespace
