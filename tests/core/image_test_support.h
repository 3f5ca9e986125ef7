#pragma once
// Helpers of the image tests: projects built component by component at panel positions, and the
// compilation with the data files of the build.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "image/ImageCompiler.h"
#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CRegister.h"
#include "model/CTide.h"
#include "model/CUpLoadPic.h"
#include "project/Project.h"

namespace vanta::imagetest {

class ScriptedPrompter : public Prompter {
  public:
    explicit ScriptedPrompter(Answer answer = Answer::Cancel) : answer_(answer) {}
    Answer ask(const std::string& text, const std::string&, Buttons, Severity) override {
        asked.push_back(text);
        return answer_;
    }
    std::vector<std::string> asked;

  private:
    Answer answer_;
};

inline Bytes compiled(Project& project) {
    CompileOptions options;
    options.dataDir = VANTA_DATA_DIR;
    ScriptedPrompter prompter;
    CompileResult result = compileProject(project, options, prompter);
    EXPECT_TRUE(result.ok()) << result.error.message;
    return result.compiled.image;
}

// A component of the kind placed with its corner at panel (x, y).
template <typename T>
T& place(CMainView& screen, uint8_t kind, int x, int y) {
    auto* component =
        static_cast<T*>(screen.addComponent(kind, screenFromPanel(x), screenFromPanel(y)));
    EXPECT_NE(component, nullptr);
    EXPECT_EQ(component->m_x, x);
    EXPECT_EQ(component->m_y, y);
    return *component;
}

inline CChars& placeText(CMainView& screen, int x, int y, const ByteString& text,
                         bool inverse = false, bool doubleSize = false) {
    auto& c = place<CChars>(screen, kKindChars, x, y);
    c.m_text = text;
    c.m_inverse = inverse;
    c.m_doubleSize = doubleSize;
    c.Refit();
    return c;
}

// Dynamic text with the entries (value, text) in order.
inline CDynamic& placeDynamic(CMainView& screen, int x, int y,
                              const std::vector<std::pair<int, ByteString>>& entries,
                              bool inverse = false, bool doubleSize = false) {
    auto& c = place<CDynamic>(screen, kKindDynamic, x, y);
    for (size_t i = 0; i < CDynamic::kEntries; ++i) {
        c.m_texts[i].clear();
        c.m_valueTexts[i].clear();
        c.m_values[i] = 0;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        c.m_values[i] = entries[i].first;
        c.m_valueTexts[i] = std::to_string(entries[i].first);
        c.m_texts[i] = entries[i].second;
    }
    c.m_inverse = inverse;
    c.m_doubleSize = doubleSize;
    c.Refit();
    return c;
}

inline CFunction& placeKey(CMainView& screen, int x, int y, uint8_t key, bool hand = false,
                           bool invisible = false, bool inverse = false) {
    auto& c = place<CFunction>(screen, kKindFunction, x, y);
    c.m_displayKind = key;
    c.m_hand = hand;
    c.m_invisible = invisible;
    c.m_inverse = inverse;
    c.Refit();
    return c;
}

// A picture with a diagonal, a frame and a filled corner, so every band and column matters.
inline MonoBitmap testPicture(int width, int height) {
    MonoBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool frame = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            bitmap.setPixel(x, y, frame || x == y || (x < 3 && y > height - 4));
        }
    }
    return bitmap;
}

inline CUpLoadPic& placePicture(CMainView& screen, const ModelContext& context, int x, int y,
                                MonoBitmap bitmap) {
    auto picture = std::make_unique<CUpLoadPic>(context, screenFromPanel(x), screenFromPanel(y),
                                                std::move(bitmap));
    auto* added = static_cast<CUpLoadPic*>(
        screen.addComponent(std::move(picture), screenFromPanel(x), screenFromPanel(y)));
    return *added;
}

}  // namespace vanta::imagetest
