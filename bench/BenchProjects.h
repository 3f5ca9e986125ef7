// The projects the image and preview benchmarks measure: screens of a typical panel, as many as
// bring the image close to the panel's 32 KB, and the demo project.
#pragma once

#include <memory>
#include <string>

#include "common/FileIO.h"
#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CRegister.h"
#include "project/Project.h"

namespace vanta::bench {

inline constexpr int kFullScreens = 85;  // an image of about 31.5 KB

template <typename T>
inline T& at(CMainView& screen, uint8_t kind, int x, int y) {
    return *static_cast<T*>(screen.addComponent(kind, screenFromPanel(x), screenFromPanel(y)));
}

// The n-th double-byte character of the GBK ideograph rows.
inline ByteString ideograph(int n) {
    ByteString s;
    s += static_cast<char>(0xB0 + n / 94);
    s += static_cast<char>(0xA1 + n % 94);
    return s;
}

// A screen of a typical panel: three texts (one with four new ideographs), two registers, a
// lamp, two keys, a dynamic text of four entries and a bar graph.
inline void fillScreen(CMainView& screen, int index) {
    auto text = [&](int y, const ByteString& s) {
        auto& c = at<CChars>(screen, kKindChars, 0, y);
        c.m_text = s;
        c.Refit();
    };
    ByteString title;
    for (int k = 0; k < 4; ++k)
        title += ideograph(index * 4 + k);
    text(0, title + "No." + std::to_string(index));
    text(16, "Speed rpm");
    text(32, "Temp C");
    at<CRegister>(screen, kKindRegister, 96, 16);
    at<CRegister>(screen, kKindRegister, 96, 32);
    at<CLight>(screen, kKindLight, 176, 0);
    at<CFunction>(screen, kKindFunction, 144, 48);
    at<CFunction>(screen, kKindFunction, 160, 48).m_displayKind = 4;
    auto& dynamic = at<CDynamic>(screen, kKindDynamic, 0, 48);
    const char* states[] = {"Stop", "Run", "Fault", "Manual"};
    for (int e = 0; e < 4; ++e) {
        dynamic.m_texts[e] = states[e];
        dynamic.m_valueTexts[e] = std::to_string(e);
        dynamic.m_values[e] = e;
    }
    dynamic.Refit();
    at<CBar>(screen, kKindBar, 152, 0);
}

inline std::unique_ptr<Project> makeProject(int screens) {
    auto project = std::make_unique<Project>(nullptr, 4);
    project->resetToNew(4);
    for (int s = 0; s < screens; ++s) {
        CMainView& screen = s == 0
                                ? *project->screens.current()
                                : project->screens.createScreen(static_cast<uint16_t>(s + 1), "");
        fillScreen(screen, s);
    }
    for (int a = 0; a < 20; ++a)
        project->alarms.m_texts.push_back("Alarm " + std::to_string(a) + ideograph(a));
    return project;
}

// The demo project; null when it does not load.
inline std::unique_ptr<Project> loadDemo() {
    auto project = std::make_unique<Project>();
    auto file = readWholeFile(std::string(VANTA_SOURCE_DIR) + "/data/samples/demo.osp");
    if (!file || !project->load(file.value()).ok())
        return nullptr;
    return project;
}

}  // namespace vanta::bench
