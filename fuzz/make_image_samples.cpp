// Writes the seed corpus of fuzz_decoder (the images of a few small projects, compiled with the
// data files of a build) and, when a third folder is named, the project files themselves for the
// end-to-end tests, with one more project whose bar graph needs its limits corrected. Build and
// run it against a build's core library, for example:
//
//   c++ -std=c++20 -Isrc fuzz/make_image_samples.cpp build/src/libvanta_core.a -o /tmp/samples
//   /tmp/samples build/bin fuzz/corpus/decoder tests/e2e/data
#include <cstdio>
#include <memory>
#include <string>

#include "common/FileIO.h"
#include "image/ImageCompiler.h"
#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CRegister.h"
#include "model/CUpLoadPic.h"
#include "project/Project.h"

using namespace vanta;

namespace {

class GoOn : public Prompter {
  public:
    Answer ask(const std::string&, const std::string&, Buttons, Severity) override {
        return Answer::Cancel;
    }
};

template <typename T>
T& at(CMainView& screen, uint8_t kind, int x, int y) {
    return *static_cast<T*>(screen.addComponent(kind, screenFromPanel(x), screenFromPanel(y)));
}

void text(CMainView& screen, int x, int y, const ByteString& s, bool inverse = false) {
    auto& c = at<CChars>(screen, kKindChars, x, y);
    c.m_text = s;
    c.m_inverse = inverse;
    c.Refit();
}

std::string projectDir;

bool saveProject(const Project& project, const std::string& name) {
    if (projectDir.empty())
        return true;
    Status written = writeFileAtomically(projectDir + name + ".osp", project.save());
    if (!written)
        std::fprintf(stderr, "%s\n", written.message().c_str());
    return written.ok();
}

bool write(Project& project, const std::string& dataDir, const std::string& path) {
    CompileOptions options;
    options.dataDir = dataDir;
    GoOn prompter;
    CompileResult result = compileProject(project, options, prompter);
    if (!result.ok()) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), result.error.message.c_str());
        return false;
    }
    Status written = writeFileAtomically(path, result.compiled.image);
    if (!written)
        std::fprintf(stderr, "%s\n", written.message().c_str());
    return written.ok();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: make_image_samples DATA_DIR SEED_DIR [PROJECT_DIR]\n");
        return 2;
    }
    if (argc == 4)
        projectDir = std::string(argv[3]) + "/";
    const std::string data = argv[1], out = std::string(argv[2]) + "/";
    bool ok = true;

    Project empty(nullptr, 4);
    empty.resetToNew(4);
    ok &= write(empty, data, out + "empty.bin");

    Project texts(nullptr, 4);
    texts.resetToNew(4);
    CMainView& t1 = *texts.screens.current();
    text(t1, 0, 0, "Hello");
    text(t1, 0, 16, "\xd6\xd0\xce\xc4", true);  // 中文
    auto& dynamic = at<CDynamic>(texts.screens.createScreen(2, ""), kKindDynamic, 0, 0);
    dynamic.m_valueTexts[1] = "2";
    dynamic.m_values[1] = 2;
    dynamic.m_texts[1] = "Stop";
    texts.alarms.m_texts = {"Alarm", "\xb1\xa8\xbe\xaf"};  // 报警
    ok &= write(texts, data, out + "texts_alarms.bin");

    Project kinds(nullptr, 4);
    kinds.resetToNew(4);
    CMainView& k1 = *kinds.screens.current();
    text(k1, 0, 0, "Kinds");
    at<CRegister>(k1, kKindRegister, 96, 16);
    at<CRegister>(k1, kKindRegister, 0, 16).m_limits = 1;
    at<CLight>(k1, kKindLight, 176, 48);
    auto& key = at<CFunction>(k1, kKindFunction, 128, 48);
    key.m_hand = 1;
    key.Refit();
    CMainView& k2 = kinds.screens.createScreen(2, "");
    at<CBase>(k2, kKindBar, 0, 0);
    at<CBase>(k2, kKindTide, 24, 0);
    MonoBitmap picture(12, 10);
    for (int i = 0; i < 10; ++i)
        picture.setPixel(i, i, true);
    k2.addComponent(std::make_unique<CUpLoadPic>(kinds.context(), screenFromPanel(140),
                                                 screenFromPanel(0), picture),
                    screenFromPanel(140), 0);
    ok &= saveProject(kinds, "every_kind");
    ok &= write(kinds, data, out + "every_kind.bin");

    // Zero scale above full scale: the compiler asks "Register Limit error, cancel?".
    Project limits(nullptr, 4);
    limits.resetToNew(4);
    auto& bar = at<CBar>(*limits.screens.current(), kKindBar, 0, 0);
    bar.m_zeroScale = 100;
    bar.m_fullScale = 50;
    ok &= saveProject(limits, "limit_error");
    return ok ? 0 : 1;
}
