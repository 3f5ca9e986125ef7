#include "editor/PreviewSamples.h"

#include <algorithm>

#include "checks/ProjectAnalysis.h"
#include "emulator/PanelEmulator.h"
#include "emulator/PanelProgram.h"
#include "emulator/RegisterSource.h"
#include "model/CMainView.h"
#include "model/ComponentKinds.h"
#include "model/Geometry.h"

namespace vanta {

namespace {

std::optional<SampleKind> sampleKind(uint8_t kind) {
    switch (kind) {
        case kKindRegister:
            return SampleKind::Register;
        case kKindLight:
            return SampleKind::Lamp;
        case kKindBar:
            return SampleKind::Bar;
        case kKindDynamic:
            return SampleKind::Dynamic;
        default:
            return std::nullopt;
    }
}

}  // namespace

PreviewSamples::PreviewSamples(const FontTables& fonts) : fonts_(fonts) {}

PreviewSamples::~PreviewSamples() = default;

bool PreviewSamples::load(const ProjectAnalysis& analysis, uint16_t screenNumber) {
    emulator_.reset();
    plc_.reset();
    program_.reset();
    screenNumber_ = screenNumber;
    if (!analysis.compiled())
        return false;
    Result<PanelProgram> program = PanelProgram::load(analysis.image);
    if (!program || !program.value().screen(screenNumber))
        return false;
    program_ = std::make_unique<PanelProgram>(std::move(program.value()));
    restart();
    return true;
}

void PreviewSamples::restart() {
    plc_ = std::make_unique<RegisterTable>();
    emulator_ = std::make_unique<PanelEmulator>(*program_, fonts_, *plc_);
    emulator_->showScreen(screenNumber_, 0);
    applyDefaults();
    applySetValues();
}

std::vector<SampleComponent> PreviewSamples::components() const {
    std::vector<SampleComponent> found;
    if (!running())
        return found;
    for (const LiveComponent& c : program_->screen(screenNumber_)->components)
        if (auto kind = sampleKind(c.kind))
            found.push_back(SampleComponent{*kind, &c});
    return found;
}

const CBase* PreviewSamples::projectComponent(const ProjectAnalysis& analysis,
                                              const CMainView& screen,
                                              const LiveComponent& live) const {
    if (!running() || screen.m_number != screenNumber_)
        return nullptr;
    // The image's screens are the project's, in list order.
    const LiveScreen* shown = program_->screen(screenNumber_);
    const size_t listIndex = static_cast<size_t>(shown - program_->screens().data());
    if (listIndex >= analysis.drawOrder.size() ||
        live.index >= analysis.drawOrder[listIndex].size())
        return nullptr;
    const size_t position = analysis.drawOrder[listIndex][live.index];
    if (position >= screen.components().size())
        return nullptr;
    const CBase* component = screen.components()[position].get();
    return component->m_kind == live.kind ? component : nullptr;
}

const DecodedComponent& PreviewSamples::decoded(const LiveComponent& live) const {
    return program_->decodedScreen(*program_->screen(screenNumber_)).components[live.index];
}

std::string PreviewSamples::pointName(const LiveComponent& live) const {
    if (!running())
        return {};
    if (live.kind != kKindLight)
        return program_->pointName(live.word.first);
    std::string name = program_->pointName(live.bit.point);
    if (live.bit.inWord)
        name += "." + std::to_string(live.bit.bit);
    return name;
}

uint32_t PreviewSamples::value(const LiveComponent& live) const {
    return running() ? emulator_->read(live.word).value_or(0) : 0;
}

bool PreviewSamples::bit(const LiveComponent& live) const {
    return running() && emulator_->readBit(live.bit).value_or(false);
}

void PreviewSamples::setValue(const LiveComponent& live, uint32_t raw) {
    if (!running())
        return;
    emulator_->writeWord(live.word, raw);
    for (size_t i = 0; i < live.word.registers; ++i)
        remember(live.word.point(i));
}

void PreviewSamples::setBit(const LiveComponent& live, bool on) {
    if (!running())
        return;
    emulator_->writeBit(live.bit, on);
    remember(live.bit.point);
}

void PreviewSamples::reset() {
    set_.clear();
    if (running())
        restart();
}

MonoBitmap PreviewSamples::render() const {
    return running() ? emulator_->render() : MonoBitmap(kPanelWidth, kPanelHeight);
}

SamplePoint PreviewSamples::sampleKey(const PointKey& key) const {
    const Area& area = program_->areas()[key.area];
    return SamplePoint{key.station, area.name, area.bits, key.address, key.bit};
}

bool PreviewSamples::isSet(const PointKey& key) const {
    return set_.count(sampleKey(key)) != 0;
}

void PreviewSamples::remember(const PointKey& key) {
    set_[sampleKey(key)] = emulator_->value(key).value_or(0);
}

// Values the layout picture shows where the panel can show the same: a dynamic text's first
// entry and an empty bar. Points the user set keep their values.
void PreviewSamples::applyDefaults() {
    const LiveScreen& screen = *program_->screen(screenNumber_);
    const DecodedScreen& decoded = program_->decodedScreen(screen);
    for (const LiveComponent& c : screen.components) {
        if (c.kind != kKindDynamic && c.kind != kKindBar)
            continue;
        bool set = false;
        for (size_t i = 0; i < c.word.registers; ++i)
            set = set || isSet(c.word.point(i));
        if (set)
            continue;
        if (c.kind == kKindBar) {
            emulator_->writeWord(c.word, static_cast<uint32_t>(c.zeroScale));
        } else {
            const std::vector<DynamicEntry>& entries = decoded.components[c.index].entries;
            if (!entries.empty())
                emulator_->writeWord(c.word, entries.front().value);
        }
    }
}

void PreviewSamples::applySetValues() {
    for (const auto& [point, value] : set_) {
        const std::optional<uint8_t> bit =
            point.bits ? std::optional<uint8_t>(point.bit) : std::nullopt;
        if (auto key = program_->pointOf(point.station, point.area, point.address, bit))
            emulator_->write(*key, value);
    }
}

}  // namespace vanta
