// vantactl send-image IMAGE.bin --port DEV [--protocol N] [--driver-version V] [--force-driver]
//                    [--data DIR] [--tick MS] [--give-up S]
// Sends an already compiled image to the panel, with the protocol's driver from the catalogue
// when the panel needs it.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Command.h"
#include "LinkDownload.h"
#include "protocols/Catalogue.h"

namespace vantactl {
namespace {

constexpr const char* kUsage =
    "usage: vantactl send-image IMAGE.bin --port DEV [--protocol N] [--driver-version V]\n"
    "                           [--force-driver] [--data DIR] [--tick MS] [--give-up S]\n";

bool parseNumber(const std::string& text, long low, long high, long& out) {
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && out >= low && out <= high;
}

// Byte 12 of the image header holds the protocol the image was compiled for.
constexpr size_t kHeaderProtocolOffset = 12;
// Files beyond this are not read at all (an image holds at most 32768 bytes; the link says so
// for anything between).
constexpr uintmax_t kMaxFileBytes = 16 << 20;

int runSendImage(const std::vector<std::string>& args) {
    Arguments a;
    if (!parseArguments(
            args, {"--port", "--protocol", "--driver-version", "--data", "--tick", "--give-up"},
            {"--force-driver"}, a) ||
        a.positional.size() != 1 || !a.has("--port")) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    long protocol = -1, version = -1, tick = vanta::kLinkTickMs, giveUp = 0;
    if ((a.has("--protocol") && !parseNumber(a.value("--protocol"), 1, 255, protocol)) ||
        (a.has("--driver-version") && !parseNumber(a.value("--driver-version"), 0, 255, version)) ||
        (a.has("--tick") && !parseNumber(a.value("--tick"), 1, 1000, tick)) ||
        (a.has("--give-up") && !parseNumber(a.value("--give-up"), 1, 86400, giveUp))) {
        std::fputs(
            "vantactl send-image: --protocol takes 1..255, --driver-version 0..255, "
            "--tick 1..1000 (ms), --give-up 1..86400 (s)\n",
            stderr);
        return kExitUsage;
    }

    const std::string imagePath = a.positional[0];
    std::error_code ec;
    const auto size = std::filesystem::file_size(imagePath, ec);
    if (!ec && size > kMaxFileBytes) {
        std::fprintf(stderr, "vantactl: %s is no panel image (%ju bytes)\n", imagePath.c_str(),
                     static_cast<uintmax_t>(size));
        return kExitFailure;
    }
    std::ifstream in(imagePath, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "vantactl: cannot read %s\n", imagePath.c_str());
        return kExitFailure;
    }
    vanta::LinkJob job;
    job.image.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (protocol < 0) {
        if (job.image.size() <= kHeaderProtocolOffset) {
            std::fprintf(stderr,
                         "vantactl: %s has no image header; name the protocol with --protocol\n",
                         imagePath.c_str());
            return kExitUsage;
        }
        protocol = job.image[kHeaderProtocolOffset];
    }
    job.protocol = static_cast<uint8_t>(protocol);

    auto driver =
        vanta::Catalogue::loadDriverFrom(vanta::Catalogue::pathIn(dataDirectory(a)), job.protocol);
    if (!driver) {
        std::fprintf(stderr, "%s\n", driver.message().c_str());
        return kExitFailure;
    }
    job.driver = std::move(driver->bytes);
    job.driverVersion = version >= 0 ? static_cast<uint8_t>(version) : driver->version;
    job.forceDriver = a.has("--force-driver");

    LinkRunOptions options;
    options.port = a.value("--port");
    options.tickMs = static_cast<int>(tick);
    options.giveUpAfterSeconds = static_cast<int>(giveUp);
    return runDownloadLink(job, options);
}

const CommandRegistrar registrar{
    {"send-image",
     "send-image IMAGE.bin --port DEV [--protocol N] [--driver-version V] [--force-driver] "
     "[--data DIR]   send a compiled image to the panel",
     runSendImage}};

}  // namespace
}  // namespace vantactl
