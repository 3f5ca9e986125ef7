// vantactl emulate IN.osp|IMAGE.bin -o DIR: runs a project (compiled first) or a panel image on
// the emulated panel, presses the keys of a script one after the other, lets polling intervals
// pass, and writes the display after power-up and after every step (DIR/step-NNN.png) and the
// final register table (DIR/registers.json). The values come from an in-memory table (filled
// from --registers) or from a PLC over Modbus TCP or RTU.
#include <QBuffer>
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "Command.h"
#include "CompileSupport.h"
#include "common/FileIO.h"
#include "common/FontTables.h"
#include "emulator/ModbusMapping.h"
#include "emulator/ModbusSource.h"
#include "emulator/PanelEmulator.h"
#include "emulator/RegisterFile.h"
#include "qtsupport/PanelPicture.h"

namespace vantactl {
namespace {

// A key is held this long before it is released.
constexpr int64_t kKeyHoldMs = 100;

struct EmulateOptions {
    std::string in;
    std::string out;
    std::string registers;
    std::string keys;
    int steps = 0;
    int intervalMs = 100;
    int zoom = 1;
    std::string modbusTcp;
    std::string modbusRtu;
    std::string dataDir;
    CompilePrompter::Mode answer = CompilePrompter::Mode::Unanswered;
};

// A compiled image (0xFF 0xFF, or 0x5A 0xA5 as the panel holds it) or a project to compile.
bool loadImage(const EmulateOptions& options, std::vector<uint8_t>& image) {
    auto file = vanta::readWholeFile(options.in);
    if (!file) {
        std::fprintf(stderr, "%s\n", file.message().c_str());
        return false;
    }
    const auto& bytes = file.value();
    if (bytes.size() >= 2 &&
        ((bytes[0] == 0xFF && bytes[1] == 0xFF) || (bytes[0] == 0x5A && bytes[1] == 0xA5))) {
        image = bytes;
        return true;
    }
    vanta::Project project;
    if (!loadProject(options.in, project))
        return false;
    printProblems(project, options.dataDir);  // as compile and download do
    CompilePrompter prompter(options.answer);
    vanta::CompiledImage compiled;
    if (!compileOrReport(options.in, project, options.dataDir, prompter, compiled))
        return false;
    image = std::move(compiled.image);
    return true;
}

std::optional<vanta::ModbusSettings> modbusSettings(const EmulateOptions& options) {
    if (options.modbusTcp.empty() && options.modbusRtu.empty())
        return std::nullopt;
    auto settings = options.modbusTcp.empty() ? vanta::parseModbusRtu(options.modbusRtu)
                                              : vanta::parseModbusTcp(options.modbusTcp);
    if (!settings) {
        std::fprintf(stderr, "%s\n", settings.message().c_str());
        return std::nullopt;
    }
    settings->intervalMs = options.intervalMs;
    return *settings;
}

bool writePicture(const std::filesystem::path& dir, size_t step, const vanta::MonoBitmap& shown,
                  int zoom) {
    char name[32];
    std::snprintf(name, sizeof name, "step-%03zu.png", step);
    const std::filesystem::path path = dir / name;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!vanta::panelPicture(shown, zoom).save(&buffer, "PNG")) {
        std::fprintf(stderr, "%s: cannot make the picture\n", path.string().c_str());
        return false;
    }
    // Through the atomic saver, as `render` writes its pictures.
    const vanta::Status saved = vanta::writeFileAtomically(
        path.string(), std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(png.data()),
                                                static_cast<size_t>(png.size())));
    if (!saved) {
        std::fprintf(stderr, "%s\n", saved.message().c_str());
        return false;
    }
    return true;
}

// Every value the panel knows at the end: the project's points, then what the table and the
// panel's memory hold besides.
std::vector<std::pair<vanta::PointKey, uint32_t>> finalValues(const vanta::PanelEmulator& panel,
                                                              const vanta::RegisterTable& table) {
    std::set<vanta::PointKey> points;
    for (const vanta::PointKey& key : panel.program().knownPoints())
        points.insert(key);
    for (const auto& entry : table.values())
        points.insert(entry.first);
    for (const auto& entry : panel.panelMemory().values())
        points.insert(entry.first);
    std::vector<std::pair<vanta::PointKey, uint32_t>> values;
    // The PLC's values first, then the panel's own.
    for (bool internal : {false, true})
        for (const vanta::PointKey& key : points)
            if (panel.program().areas()[key.area].internal == internal)
                if (auto v = panel.value(key))
                    values.emplace_back(key, *v);
    return values;
}

int runEmulate(const EmulateOptions& options) {
    auto keys = vanta::parsePanelKeys(options.keys);
    if (!keys) {
        std::fprintf(stderr, "--keys: %s\n", keys.message().c_str());
        return kExitUsage;
    }
    const auto modbus = modbusSettings(options);
    if (!modbus && (!options.modbusTcp.empty() || !options.modbusRtu.empty()))
        return kExitUsage;

    std::vector<uint8_t> image;
    if (!loadImage(options, image))
        return kExitFailure;
    auto program = vanta::PanelProgram::load(std::move(image));
    if (!program) {
        std::fprintf(stderr, "%s: %s\n", options.in.c_str(), program.message().c_str());
        return kExitFailure;
    }
    for (const std::string& line : vanta::describeProblems(program->decoded()))
        std::fprintf(stderr, "%s: %s\n", options.in.c_str(), line.c_str());
    vanta::FontTables font;
    if (vanta::Status read = font.loadNarrow(options.dataDir + "/Ostra_EN.dat"); !read) {
        std::fprintf(stderr, "%s\n", read.message().c_str());
        return kExitFailure;
    }
    std::error_code ec;
    const std::filesystem::path dir = options.out;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "%s: %s\n", dir.string().c_str(), ec.message().c_str());
        return kExitFailure;
    }

    std::vector<vanta::PointWrite> preset;
    if (!options.registers.empty()) {
        auto text = vanta::readWholeFile(options.registers);
        if (!text) {
            std::fprintf(stderr, "%s\n", text.message().c_str());
            return kExitFailure;
        }
        const std::string json(text->begin(), text->end());
        auto writes = vanta::readRegisterFile(json, *program);
        if (!writes) {
            std::fprintf(stderr, "%s: %s\n", options.registers.c_str(), writes.message().c_str());
            return kExitFailure;
        }
        preset = std::move(*writes);
    }

    vanta::RegisterTable table;
    std::unique_ptr<vanta::ModbusSource> plc;
    if (modbus) {
        const vanta::PanelProgram* p = &*program;
        plc = std::make_unique<vanta::ModbusSource>(
            *modbus, [p](const vanta::PointKey& key) { return vanta::modbusAddressOf(*p, key); });
    }
    vanta::RegisterSource& source = plc ? static_cast<vanta::RegisterSource&>(*plc) : table;
    vanta::PanelEmulator panel(*program, font, source);
    for (const vanta::PointWrite& w : preset)
        panel.write(w.key, w.value);
    // Fresh values from the PLC after each step: one whole poll begun after it.
    const int pollWait =
        2 * modbus.value_or(vanta::ModbusSettings{}).timeoutMs + options.intervalMs + 1000;
    auto settle = [&](int64_t now) {
        if (plc)
            plc->waitForPoll(pollWait);
        panel.advance(now);
    };

    int64_t now = 0;
    panel.start(now);
    settle(now);
    size_t step = 0;
    if (!writePicture(dir, step, panel.render(), options.zoom))
        return kExitFailure;
    for (vanta::PanelKey key : *keys) {
        panel.press(key, now);
        now += kKeyHoldMs;
        panel.release(key, now);
        settle(now);
        std::printf("step %zu: %s, screen %u\n", ++step, vanta::panelKeyName(key),
                    static_cast<unsigned>(panel.currentScreen()));
        if (!writePicture(dir, step, panel.render(), options.zoom))
            return kExitFailure;
    }
    for (int i = 0; i < options.steps; ++i) {
        now += options.intervalMs;
        settle(now);
        std::printf("step %zu: %d ms, screen %u\n", ++step, options.intervalMs,
                    static_cast<unsigned>(panel.currentScreen()));
        if (!writePicture(dir, step, panel.render(), options.zoom))
            return kExitFailure;
    }

    const std::string json = vanta::writeRegisterFile(*program, finalValues(panel, table));
    const std::filesystem::path registers = dir / "registers.json";
    if (vanta::Status written = vanta::writeFileAtomically(
            registers.string(), std::vector<uint8_t>(json.begin(), json.end()));
        !written) {
        std::fprintf(stderr, "%s\n", written.message().c_str());
        return kExitFailure;
    }
    std::fprintf(stderr, "%s: %zu steps written into %s\n", options.in.c_str(), step + 1,
                 dir.string().c_str());
    if (plc && plc->link() != vanta::LinkState::Up) {
        std::fprintf(stderr, "%s: the PLC did not answer: %s\n",
                     vanta::describeModbusSettings(plc->settings()).c_str(),
                     plc->lastError().c_str());
        return kExitFailure;
    }
    return kExitOk;
}

void defineEmulate(CLI::App& vantactl) {
    auto options = std::make_shared<EmulateOptions>();
    CLI::App* emulate = vantactl.add_subcommand(
        "emulate", "run a project or image on the emulated panel, a PNG of the display a step");
    emulate->add_option("IN", options->in, "a project file (IN.osp) or a panel image (IMAGE.bin)")
        ->required();
    emulate->add_option("--registers", options->registers, "start values (a register file)")
        ->type_name("FILE.json");
    emulate
        ->add_option("--keys", options->keys,
                     "keys pressed one a step: ESC LEFT RIGHT DOWN UP SET ENT ALM 0..9 CLR")
        ->type_name("\"KEYS\"");
    emulate->add_option("--steps", options->steps, "polling intervals that pass after the keys")
        ->type_name("N")
        ->transform(decimalIn(0, 100000));
    emulate->add_option("--interval", options->intervalMs, "the polling interval (default 100)")
        ->type_name("MS")
        ->transform(decimalIn(1, 60000));
    emulate->add_option("--zoom", options->zoom, "pictures N times 192 x 64 (default 1)")
        ->type_name("N")
        ->transform(decimalIn(1, 16));
    CLI::Option* tcp =
        emulate->add_option("--modbus-tcp", options->modbusTcp, "read the PLC over Modbus TCP")
            ->type_name("HOST:PORT");
    CLI::Option* rtu = emulate
                           ->add_option("--modbus-rtu", options->modbusRtu,
                                        "read the PLC over Modbus RTU (PARITY N, E or O)")
                           ->type_name("DEV,BAUD,PARITY,BITS,STOP");
    tcp->excludes(rtu);
    emulate->add_option("-o", options->out, "the folder for the pictures and registers.json")
        ->type_name("DIR")
        ->required()
        ->check(notEmpty());
    addDataOption(emulate, options->dataDir);
    addAnswerOptions(emulate, options->answer);
    setAction(emulate, [options] { return runEmulate(*options); });
}

const CommandRegistrar registrar{defineEmulate};

}  // namespace
}  // namespace vantactl
