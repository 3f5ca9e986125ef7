// vantactl send-image IMAGE.bin --port DEV [--protocol N] [--driver-version V] [--force-driver]
//                    [--data DIR] [--tick MS] [--give-up S]
// Sends an already compiled image to the panel, with the protocol's driver from the catalogue
// when the panel needs it.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Command.h"
#include "LinkDownload.h"
#include "common/FileIO.h"
#include "protocols/Catalogue.h"

namespace vantactl {
namespace {

struct SendImageOptions {
    std::string image;
    std::string port;
    int protocol = -1;       // -1: the one in the image's header
    int driverVersion = -1;  // -1: the catalogue's
    bool forceDriver = false;
    std::string dataDir;
    int tickMs = vanta::kLinkTickMs;
    int giveUpSeconds = 0;
};

// Byte 12 of the image header holds the protocol the image was compiled for.
constexpr size_t kHeaderProtocolOffset = 12;

int runSendImage(const SendImageOptions& options) {
    const std::string& imagePath = options.image;
    // Nothing larger than the panel's image area is read at all.
    auto file = vanta::readFileLimited(imagePath, vanta::link::kImageAreaSize, "panel image");
    if (!file) {
        std::fprintf(stderr, "vantactl: %s\n", file.message().c_str());
        return kExitFailure;
    }
    vanta::LinkJob job;
    job.image = std::move(file.value());
    int protocol = options.protocol;
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
        vanta::Catalogue::loadDriverFrom(vanta::Catalogue::pathIn(options.dataDir), job.protocol);
    if (!driver) {
        std::fprintf(stderr, "%s\n", driver.message().c_str());
        return kExitFailure;
    }
    job.driver = std::move(driver->bytes);
    job.driverVersion =
        options.driverVersion >= 0 ? static_cast<uint8_t>(options.driverVersion) : driver->version;
    job.forceDriver = options.forceDriver;

    LinkRunOptions link;
    link.port = options.port;
    link.tickMs = options.tickMs;
    link.giveUpAfterSeconds = options.giveUpSeconds;
    return runDownloadLink(job, link);
}

void defineSendImage(CLI::App& vantactl) {
    auto options = std::make_shared<SendImageOptions>();
    CLI::App* send = vantactl.add_subcommand("send-image", "send a compiled image to the panel");
    send->add_option("IMAGE.bin", options->image, "the panel image")->required();
    send->add_option("--port", options->port, "the serial port (COMn, a name under /dev, a path)")
        ->type_name("DEV")
        ->required();
    send->add_option("--protocol", options->protocol,
                     "the image's protocol (default: from its header)")
        ->type_name("N")
        ->transform(decimalIn(1, 255));
    send->add_option("--driver-version", options->driverVersion,
                     "the driver version to compare with the panel's (default: the catalogue's)")
        ->type_name("V")
        ->transform(decimalIn(0, 255));
    send->add_flag("--force-driver", options->forceDriver,
                   "send the protocol driver even when the panel has the same one");
    addDataOption(send, options->dataDir);
    send->add_option(
            "--tick", options->tickMs,
            "the link's timer period in ms (default " + std::to_string(vanta::kLinkTickMs) + ")")
        ->type_name("MS")
        ->transform(decimalIn(1, 1000));
    send->add_option("--give-up", options->giveUpSeconds,
                     "give up this many seconds after \"No Response!!!\" (default: on Ctrl-C only)")
        ->type_name("S")
        ->transform(decimalIn(1, 86400));
    setAction(send, [options] { return runSendImage(*options); });
}

const CommandRegistrar registrar{defineSendImage};

}  // namespace
}  // namespace vantactl
