#include "project/Project.h"

#include <cstring>
#include <new>

#include "model/ComponentFactory.h"

namespace vanta {

namespace {
constexpr uint8_t kMagicFirst = 0x08;
constexpr char kMagicText[] = "Ostra";
constexpr uint8_t kFormatByte = 1;
constexpr uint8_t kStopBitsWithOption = 0x80;
constexpr size_t kEstimatedHeaderBytes = 256;
}  // namespace

Project::Project(const FontTables* fonts, uint8_t protocol)
    : vocabulary_(makeVocabulary(protocol)), screens(context_), alarms(protocol) {
    context_.protocol = protocol;
    context_.vocabulary = &vocabulary_;
    context_.fonts = fonts;
    stride = vocabulary_.stride;
    panel.plcStation = defaultPlcStation(protocol);
    comm = initialCommSettings(protocol);
}

void Project::applyProtocol(uint8_t protocol) {
    vocabulary_ = makeVocabulary(protocol);
    context_.protocol = protocol;
    stride = vocabulary_.stride;
}

void Project::changeProtocol(uint8_t protocol) {
    applyProtocol(protocol);
    resetForProtocolChange(panel, protocol);
}

void Project::clear() {
    screens.clear();
    isOpen = true;
}

void Project::resetToNew(uint8_t protocol) {
    clear();
    applyProtocol(protocol);
    resetForNewProject(panel, protocol);
    alarms.ResetForNewProject(protocol);
    screens.createScreen(1, ByteString());
    screens.setCurrentPosition(0);
}

bool Project::isReadableVersion(uint8_t version) {
    return version == 1 || version == 10 || version == 11 || version == 12;
}

Status Project::precheck(std::span<const uint8_t> firstBytes, const std::string& path) {
    if (firstBytes.size() < 6 || firstBytes[0] != kMagicFirst ||
        std::memcmp(firstBytes.data() + 1, kMagicText, 5) != 0) {
        return Status::failure("Is it a correct file?", "File type error!");
    }
    if (firstBytes.size() < 8 || firstBytes[7] != kFormatByte) {
        return Status::failure("version does not match!", "File type error!");
    }
    if (!isReadableVersion(firstBytes[6])) {
        return Status::failure("The project file " + path + " has version " +
                                   std::to_string(firstBytes[6]) +
                                   ", which this program cannot read (it reads 1, 10, 11 and 12).",
                               "File type error!");
    }
    return Status::success();
}

void Project::serializeHeader(Archive& ar, uint16_t& currentPosition) {
    const uint8_t version = ar.isStoring() ? kFileVersion : loadedVersion;
    uint8_t protocol = context_.protocol;
    ar.io(currentPosition);
    ar.io(protocol);
    ar.io(panel.password);
    ar.io(panel.initialScreen);
    ar.io(panel.plcStation);
    ar.io(panel.controlRegisterNumber);
    ar.io(panel.controlRegisterType);
    ar.io(panel.saverScreen);
    ar.io(panel.saverDelayIndex);
    ar.io(panel.controlFlags);
    ar.io(comm.baudIndex);
    ar.io(comm.dataBitsIndex);
    if (version == 1) {
        // The old stop-bits byte: bit 7 set means 2 stop bits and a protocol option byte at
        // the end of the header.
        const uint8_t stopByte = ar.readU8();
        const bool withOption = (stopByte & kStopBitsWithOption) != 0;
        comm.stopBitsIndex = withOption ? 1 : stopByte;
        ar.io(comm.parityIndex);
        ar.io(comm.panelStation);
        ar.io(stride);
        ar.io(panel.saverAction);
        if (withOption)
            ar.io(comm.option);
    } else {
        ar.io(comm.stopBitsIndex);
        ar.io(comm.parityIndex);
        ar.io(comm.panelStation);
        ar.io(stride);
        ar.io(panel.saverAction);
        ar.io(comm.option);
        if (version == 12)
            ar.io(comm.e5Timeout);
    }
    if (ar.isLoading())
        applyProtocol(protocol);
}

Bytes Project::save() const {
    Archive ar;
    // A screen record takes a few dozen bytes and most component records between 60 and 250.
    size_t components = 0;
    for (const auto& screen : screens.screens())
        components += screen->components().size();
    ar.reserveOutput(kEstimatedHeaderBytes + 48 * screens.size() + 200 * components);
    ar.writeU8(kMagicFirst);
    ar.writeBytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(kMagicText), 5));
    ar.writeU8(kFileVersion);
    ar.writeU8(kFormatByte);
    uint16_t position = static_cast<uint16_t>(screens.currentPosition());
    // Writing reads nothing back, so the header code may share the loading path's function.
    const_cast<Project*>(this)->serializeHeader(ar, position);
    ar.writeZeros(kReservedHeaderBytes);
    ar.writeCount(static_cast<uint32_t>(screens.size()));
    for (const auto& screen : screens.screens())
        ar.writeObject(screen.get());
    const_cast<CAlarmList&>(alarms).Serialize(ar);
    return ar.takeData();
}

Bytes Project::settingsRecord() const {
    Archive ar;
    uint16_t position = 0;
    const_cast<Project*>(this)->serializeHeader(ar, position);
    return ar.takeData();
}

Status Project::readSettingsRecord(std::span<const uint8_t> record) {
    Archive ar(record);
    // The record is always in the current version's form, whatever file was read last.
    const uint8_t fileVersion = loadedVersion;
    loadedVersion = kFileVersion;
    uint16_t position = 0;
    serializeHeader(ar, position);
    loadedVersion = fileVersion;
    return ar.status();
}

Status Project::readBody(Archive& ar) {
    ar.skip(kReservedHeaderBytes);
    const uint32_t count = ar.readCount();
    // A screen record takes at least 2 tag bytes, 2 number bytes, 1 length, 4 key bytes, 20
    // reserved and 2 count bytes.
    if (!ar.canHold(count, 31, "screens"))
        return ar.status();
    for (uint32_t i = 0; i < count && ar.ok(); ++i) {
        std::unique_ptr<Persistent> object = ar.readObject();
        if (!ar.ok())
            break;
        auto* screen = dynamic_cast<CMainView*>(object.get());
        if (!screen) {
            ar.fail("screen " + std::to_string(i + 1) + " of the screen list is not a screen");
            break;
        }
        object.release();
        screens.append(std::unique_ptr<CMainView>(screen));
    }
    if (ar.ok())
        alarms.Serialize(ar);
    return ar.status();
}

Result<Bytes> Project::readFile(const std::string& path, ReadFailure* failure) {
    return readFileLimited(path, kMaxFileBytes, "project file", failure);
}

Status Project::load(std::span<const uint8_t> file, size_t* failureOffset) {
    Status pre = precheck(file.first(std::min<size_t>(file.size(), 8)), "");
    if (!pre) {
        if (failureOffset != nullptr)
            *failureOffset = 0;
        return pre;
    }
    try {
        return loadChecked(file, failureOffset);
    } catch (const std::bad_alloc&) {
        clear();
        if (failureOffset != nullptr)
            *failureOffset = 0;
        return Status::failure("There is not enough memory to read the project file of " +
                               std::to_string(file.size()) + " bytes");
    }
}

Status Project::loadChecked(std::span<const uint8_t> file, size_t* failureOffset) {
    clear();
    ClassRegistry registry;
    registerModelClasses(registry, context_);
    Archive ar(file, &registry);
    ar.skip(6);
    loadedVersion = ar.readU8();
    ar.loadedVersion = loadedVersion;
    ar.readU8();  // format byte, checked above
    uint16_t position = 0;
    serializeHeader(ar, position);
    Status status = readBody(ar);
    if (!status) {
        clear();
        if (failureOffset != nullptr)
            *failureOffset = ar.failureOffset();
        return status;
    }
    if (screens.empty()) {
        screens.ensureOne();
        position = 0;
    }
    screens.setCurrentPosition(position < screens.size() ? position : 0);
    return Status::success();
}

}  // namespace vanta
