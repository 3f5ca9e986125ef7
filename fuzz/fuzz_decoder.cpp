// Decodes arbitrary bytes as a panel image and renders every screen it finds. Decoding must never
// crash, hang or read out of bounds; every problem names an offset inside the input (or just past
// its end), the list stays within its cap, and every rendered screen is 192 x 64.
#include <cstddef>
#include <cstdint>
#include <span>

#include "image/ImageDecoder.h"
#include "image/ImageRenderer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> image(data, size);
    const vanta::DecodedImage decoded = vanta::decodeImage(image);
    if (decoded.problems.size() > vanta::kMaxImageProblems)
        __builtin_trap();
    for (const vanta::ImageProblem& problem : decoded.problems) {
        if (problem.offset > size || problem.message.empty())
            __builtin_trap();
    }
    for (const vanta::DecodedScreen& screen : decoded.screens) {
        const vanta::MonoBitmap shown = vanta::renderScreen(image, screen);
        if (shown.width() != 192 || shown.height() != 64)
            __builtin_trap();
    }
    (void)vanta::describeProblems(decoded);
    return 0;
}
