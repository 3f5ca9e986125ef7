// vantactl protocols [--data DIR]: lists the entries of the protocol catalogue.
#include <cstdio>
#include <memory>
#include <string>

#include "Command.h"
#include "protocols/Catalogue.h"
#include "protocols/ProtocolNames.h"

namespace vantactl {
namespace {

int runProtocols(const std::string& dataDir) {
    const std::string path = vanta::Catalogue::pathIn(dataDir);
    auto catalogue = vanta::Catalogue::open(path);
    if (!catalogue) {
        std::fprintf(stderr, "%s\n", catalogue.message().c_str());
        return kExitFailure;
    }
    // One line per entry, in file order, tab-separated.
    std::printf("entry\tprotocol\tenglish\tchinese\tversion\tlength\n");
    for (size_t i = 0; i < catalogue->size(); ++i) {
        const vanta::CatalogueEntry& e = catalogue->entries()[i];
        const std::string english(vanta::protocolNameEnglish(e.protocol));
        const std::string chinese(vanta::protocolNameChinese(e.protocol));
        std::printf("%zu\t%d\t%s\t%s\t%d\t%d\n", i, e.protocol, english.c_str(), chinese.c_str(),
                    e.driverVersion, e.driverLength);
    }
    return kExitOk;
}

void defineProtocols(CLI::App& vantactl) {
    auto dataDir = std::make_shared<std::string>();
    CLI::App* protocols = vantactl.add_subcommand("protocols", "list the protocol catalogue");
    addDataOption(protocols, *dataDir);
    setAction(protocols, [dataDir] { return runProtocols(*dataDir); });
}

const CommandRegistrar registrar{defineProtocols};

}  // namespace
}  // namespace vantactl
