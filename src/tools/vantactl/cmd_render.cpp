// vantactl render IMAGE.bin -o DIR: decodes a panel image, lists every reference that does not
// resolve (exit 1 when there is any) and writes each screen as the panel shows it into
// DIR/screen-<number>.png (192 x 64, one bit per pixel in the display's dark and light), one
// picture per screen number.
#include <QBuffer>
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "Command.h"
#include "common/FileIO.h"
#include "image/ImageCompiler.h"
#include "image/ImageDecoder.h"
#include "image/ImageRenderer.h"
#include "model/Canvas.h"

namespace vantactl {
namespace {

QImage toPng(const vanta::MonoBitmap& screen) {
    QImage png(screen.width(), screen.height(), QImage::Format_Mono);
    png.setColorTable(
        {qRgb(vanta::kDisplayDark.r, vanta::kDisplayDark.g, vanta::kDisplayDark.b),
         qRgb(vanta::kDisplayLight.r, vanta::kDisplayLight.g, vanta::kDisplayLight.b)});
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            png.setPixel(x, y, screen.pixel(x, y) ? 1 : 0);
    return png;
}

struct RenderOptions {
    std::string in;
    std::string out;
};

int runRender(const RenderOptions& options) {
    const std::string& in = options.in;
    const std::filesystem::path dir = options.out;
    auto file = vanta::readFileLimited(in, vanta::kMaxImageBytes, "panel image");
    if (!file) {
        std::fprintf(stderr, "%s\n", file.message().c_str());
        return kExitFailure;
    }
    const std::vector<uint8_t>& image = file.value();
    const vanta::DecodedImage decoded = vanta::decodeImage(image);
    for (const std::string& line : vanta::describeProblems(decoded))
        std::fprintf(stderr, "%s: %s\n", in.c_str(), line.c_str());

    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "%s: %s\n", dir.string().c_str(), ec.message().c_str());
        return kExitFailure;
    }
    // One picture per screen number: the panel finds a screen by its number, and a number
    // that appears again is among the decoder's problems.
    size_t written = 0;
    for (const vanta::DecodedScreen* screen : vanta::screensToRender(decoded)) {
        const std::filesystem::path path =
            dir / ("screen-" + std::to_string(screen->number) + ".png");
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!toPng(vanta::renderScreen(image, *screen)).save(&buffer, "PNG")) {
            std::fprintf(stderr, "%s: cannot make the picture\n", path.string().c_str());
            return kExitFailure;
        }
        const vanta::Status saved = vanta::writeFileAtomically(
            path.string(), std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(png.data()),
                                                    static_cast<size_t>(png.size())));
        if (!saved) {
            std::fprintf(stderr, "%s\n", saved.message().c_str());
            return kExitFailure;
        }
        ++written;
    }
    const size_t problems = decoded.problems.size() + decoded.problemsLeftOut;
    std::fprintf(stderr, "%s: %zu screens rendered into %s, %zu problems\n", in.c_str(), written,
                 dir.string().c_str(), problems);
    return problems == 0 ? kExitOk : kExitFailure;
}

void defineRender(CLI::App& vantactl) {
    auto options = std::make_shared<RenderOptions>();
    CLI::App* render =
        vantactl.add_subcommand("render", "decode an image, one PNG per screen (192 x 64)");
    render->add_option("IMAGE.bin", options->in, "the panel image")->required();
    render->add_option("-o", options->out, "the folder for screen-<number>.png (made if missing)")
        ->type_name("DIR")
        ->required();
    setAction(render, [options] { return runRender(*options); });
}

const CommandRegistrar registrar{defineRender};

}  // namespace
}  // namespace vantactl
