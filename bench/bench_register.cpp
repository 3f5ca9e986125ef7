// Drawing a full screen of static texts, registers and dynamic texts on the simulated display,
// and building the download records of a screen of registers and dynamic texts.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "common/FontTables.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CMainView.h"
#include "model/CRegister.h"
#include "model/PixelCanvas.h"
#include "protocols/Vocabulary.h"

namespace vanta {
namespace {

// The data files when they are built, otherwise tables with every pixel pattern in use.
const FontTables& benchFonts() {
    static const FontTables fonts = [] {
        FontTables f;
        if (!f.loadFrom(VANTA_DATA_DIR).ok()) {
            std::vector<uint8_t> narrow(kNarrowTableBytes), wide(kWideTableBytes);
            for (size_t i = 0; i < narrow.size(); ++i)
                narrow[i] = static_cast<uint8_t>(i * 37);
            for (size_t i = 0; i < wide.size(); ++i)
                wide[i] = static_cast<uint8_t>(i * 53);
            f.setNarrowTable(std::move(narrow));
            f.setWideTable(std::move(wide));
        }
        return f;
    }();
    return fonts;
}

ByteString benchText(int i) {
    static const char* const kTexts[] = {
        "Motor 1 speed", "\xCE\xC2\xB6\xC8 T1",         "Pressure [bar]",
        "ABCDEFGHIJKL",  "\xB1\xC3\xD4\xCB\xD0\xD0 OK", "Off"};
    return kTexts[i % 6];
}

// A register in every other slot, static and dynamic texts in between; sizes and attributes vary.
std::unique_ptr<CBase> benchComponent(const ModelContext& context, int i) {
    const int32_t x = (i * 37) % 400;
    const int32_t y = (i * 19) % 120;
    std::unique_ptr<CBase> component;
    if (i % 2 == 0) {
        auto reg = std::make_unique<CRegister>(context, x, y);
        reg->m_digits = static_cast<uint8_t>(1 + i % 10);
        reg->m_decimals = static_cast<uint8_t>(i % 3 == 0 ? reg->m_digits / 2 : 0);
        reg->m_signed = static_cast<uint8_t>(i % 4 == 0);
        reg->m_limits = static_cast<uint8_t>(i % 5 == 0);
        reg->m_dataKind = static_cast<uint8_t>(i % 10 == 0);
        reg->m_regType = static_cast<uint8_t>(i % 7);
        component = std::move(reg);
    } else if (i % 4 == 1) {
        component = std::make_unique<CChars>(context, x, y, benchText(i));
    } else {
        auto dyn = std::make_unique<CDynamic>(context, x, y, benchText(i));
        for (int e = 1; e < 8; ++e) {
            dyn->m_texts[e] = benchText(i + e);
            dyn->m_values[e] = e * 10;
            dyn->m_valueTexts[e] = std::to_string(e * 10);
        }
        component = std::move(dyn);
    }
    component->m_doubleSize = static_cast<uint8_t>(i % 7 == 0);
    component->m_inverse = static_cast<uint8_t>(i % 3 == 0);
    component->PlaceAt(x, y);
    return component;
}

struct BenchProject {
    BenchProject() : vocabulary(makeVocabulary(2)), screen(context) {
        context.protocol = 2;
        context.vocabulary = &vocabulary;
        context.fonts = &benchFonts();
        for (int i = 0; i < 255; ++i)
            screen.appendComponent(benchComponent(context, i));
    }
    Vocabulary vocabulary;
    ModelContext context;
    CMainView screen;
};

void BM_DrawScreenOfTextsAndRegisters(benchmark::State& state) {
    BenchProject project;
    PixelCanvas canvas;
    for (auto _ : state) {
        canvas.clear(kDisplayDark);
        canvas.clearOps();
        const Rect selection = project.screen.draw(canvas, true);
        benchmark::DoNotOptimize(selection);
        benchmark::DoNotOptimize(canvas.pixels().data());
    }
}
BENCHMARK(BM_DrawScreenOfTextsAndRegisters)->Unit(benchmark::kMicrosecond);

// The compiler's calls for every component of the screen: size, record, glyphs, rebase, entry
// table, then the records are freed.
void BM_BuildRecordsOfTextsAndRegisters(benchmark::State& state) {
    BenchProject project;
    size_t bytes = 0;
    for (auto _ : state) {
        DownloadContext download;
        download.protocol = 2;
        download.vocabulary = &project.vocabulary;
        Bytes dynamicData;
        uint16_t address = 0x8000;
        bytes = 0;
        for (const auto& component : project.screen.components()) {
            component->ComputeRecordSize();
            if (!component->BuildDownloadRecord(download).ok() ||
                !component->CollectGlyphs(download).ok()) {
                state.SkipWithError("a record did not build");
                return;
            }
            uint16_t base = 256;
            component->RebaseGlyphCodes(base);
            if (auto* dyn = dynamic_cast<CDynamic*>(component.get())) {
                dyn->WriteEntryTable(address);
                dyn->AppendTextBlock(dynamicData);
            }
            bytes += component->m_record.size();
            component->FreeDownloadRecord();
        }
        bytes += dynamicData.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_BuildRecordsOfTextsAndRegisters)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vanta
