// Opening (Project::load) and saving (Project::save) large projects: 100 and 1,000 screens of
// 50 components each, the eight kinds in turn. Targets: each under 100 ms at 1,000 screens, and
// the 10x project at most 11x the time of the small one.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CRegister.h"
#include "model/CTide.h"
#include "model/CUpLoadPic.h"
#include "project/Project.h"

using namespace vanta;

namespace {

constexpr int kComponentsPerScreen = 50;

std::unique_ptr<CBase> makeComponent(int i, const ModelContext& ctx) {
    const int32_t x = (i * 8) % 160;
    const int32_t y = (i * 16) % 48;
    switch (i % 8) {
        case 0: {
            auto c = std::make_unique<CChars>(ctx);
            c->m_text = "Text " + std::to_string(i);
            c->m_x = x;
            c->m_y = y;
            return c;
        }
        case 1: {
            auto c = std::make_unique<CRegister>(ctx);
            c->m_address = static_cast<uint16_t>(i);
            c->m_x = x;
            c->m_y = y;
            return c;
        }
        case 2: {
            auto c = std::make_unique<CDynamic>(ctx);
            for (int k = 0; k < 3; ++k) {
                c->m_values[k] = k;
                c->m_valueTexts[k] = std::to_string(k);
                c->m_texts[k] = "State " + std::to_string(k);
            }
            c->m_x = x;
            c->m_y = y;
            return c;
        }
        case 3: {
            auto c = std::make_unique<CLight>(ctx);
            c->m_address = static_cast<uint16_t>(i);
            c->m_x = x;
            c->m_y = y;
            return c;
        }
        case 4: {
            auto c = std::make_unique<CFunction>(ctx);
            c->m_displayKind = static_cast<uint8_t>(i % kFunctionKeyCount);
            c->m_actionKind = kActionJump;
            c->m_targetScreen = 1;
            c->m_x = x;
            c->m_y = y;
            return c;
        }
        case 5: {
            auto c = std::make_unique<CBar>(ctx);
            c->m_x = x;
            c->m_y = 0;
            return c;
        }
        case 6: {
            auto c = std::make_unique<CTide>(ctx);
            c->m_x = 0;
            c->m_y = 0;
            return c;
        }
        default: {
            MonoBitmap bitmap(16, 16);
            for (int k = 0; k < 16; ++k)
                bitmap.setPixel(k, k, true);
            return std::make_unique<CUpLoadPic>(ctx, 0, 0, bitmap);
        }
    }
}

// The project file of `screens` screens, made once per size.
const Bytes& projectFile(int screens) {
    static std::map<int, Bytes> files;
    auto found = files.find(screens);
    if (found != files.end())
        return found->second;
    Project p(nullptr, 4);
    p.resetToNew(4);
    p.screens.clear();
    for (int s = 1; s <= screens; ++s) {
        auto screen = std::make_unique<CMainView>(p.context());
        screen->m_number = static_cast<uint16_t>(s);
        screen->m_description = "Screen " + std::to_string(s);
        for (int i = 0; i < kComponentsPerScreen; ++i)
            screen->appendComponent(makeComponent(s * kComponentsPerScreen + i, p.context()));
        p.screens.append(std::move(screen));
    }
    p.alarms.m_texts.assign(100, "Alarm text");
    return files.emplace(screens, p.save()).first->second;
}

void BM_ProjectLoad(benchmark::State& state) {
    const Bytes& file = projectFile(static_cast<int>(state.range(0)));
    Project p(nullptr, 4);
    for (auto _ : state) {
        Status status = p.load(file);
        if (!status.ok()) {
            state.SkipWithError(status.message().c_str());
            break;
        }
        benchmark::DoNotOptimize(p.screens.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(file.size()));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ProjectLoad)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_ProjectSave(benchmark::State& state) {
    const Bytes& file = projectFile(static_cast<int>(state.range(0)));
    Project p(nullptr, 4);
    if (!p.load(file).ok()) {
        state.SkipWithError("the project does not load");
        return;
    }
    for (auto _ : state) {
        Bytes saved = p.save();
        benchmark::DoNotOptimize(saved.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(file.size()));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ProjectSave)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
