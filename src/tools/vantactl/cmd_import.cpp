// vantactl import OLD.grx -o OUT.osp: converts an old project into a project file.
#include <cstdio>
#include <memory>
#include <string>

#include "Command.h"
#include "common/FileIO.h"
#include "project/OldProjectImport.h"

namespace vantactl {
namespace {

struct ImportOptions {
    std::string in;
    std::string out;
};

// Converted and opened in memory first; the output is written only when the result opens, so a
// damaged old file leaves an existing output as it was.
int runImport(const ImportOptions& options) {
    const std::string& oldPath = options.in;
    auto converted = vanta::readAndConvertOldProject(oldPath);
    if (!converted) {
        std::fprintf(stderr, "%s: %s\n", oldPath.c_str(), converted.message().c_str());
        return kExitFailure;
    }
    const std::string& out = options.out;
    vanta::Status written = vanta::writeFileAtomically(out, converted->project);
    if (!written) {
        std::fprintf(stderr, "%s\n", written.message().c_str());
        return kExitFailure;
    }
    std::fprintf(stderr, "conversion accomplished! %d screens, %d components, protocol %d\n",
                 converted->screens, converted->components, converted->protocol);
    return kExitOk;
}

void defineImport(CLI::App& vantactl) {
    auto options = std::make_shared<ImportOptions>();
    CLI::App* import = vantactl.add_subcommand("import", "convert an old project");
    import->add_option("OLD.grx", options->in, "the old project file")->required();
    import->add_option("-o", options->out, "the project file to write")
        ->type_name("OUT.osp")
        ->required();
    setAction(import, [options] { return runImport(*options); });
}

const CommandRegistrar registrar{defineImport};

}  // namespace
}  // namespace vantactl
