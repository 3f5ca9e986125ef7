#include "project/OldProjectImport.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>

#include "common/Archive.h"
#include "common/FileIO.h"
#include "model/CBase.h"
#include "model/ComponentKinds.h"
#include "project/Project.h"

namespace vanta {

namespace {

constexpr size_t kOldScreensOffset = 80;
constexpr size_t kOldScreenHeader = 57;
constexpr size_t kOldAlarmEntry = 25;
constexpr size_t kOldAlarmTextMax = 24;
constexpr size_t kTailZeros = 111;
constexpr uint16_t kFirstFreeIndex = 3;  // 1 is the class "CMainView", 2 the first screen

// Old kinds in the order their converted classes are written on each screen.
constexpr std::array<uint8_t, 8> kGroupOrder = {1, 2, 3, 4, 6, 5, 7, 8};

// The kind an old kind converts to: the old format numbers the trend 5, the bar 6 and the
// picture 7.
ComponentKind convertedKind(uint8_t oldKind) {
    switch (oldKind) {
        case 1:
            return kKindChars;
        case 2:
            return kKindRegister;
        case 3:
            return kKindLight;
        case 4:
            return kKindFunction;
        case 5:
            return kKindTide;
        case 6:
            return kKindBar;
        case 7:
            return kKindPicture;
        default:
            return kKindDynamic;
    }
}

// Panel pixels from old view pixels: x 4/9, rounded half up, truncated toward zero.
int32_t toPanel(int32_t viewPixels) {
    return static_cast<int32_t>(static_cast<double>(viewPixels) * 0.4444444444444444 + 0.5);
}

// Bounds-checked view of the old file image. Every accessor checks the range it reads.
class OldImage {
  public:
    explicit OldImage(std::span<const uint8_t> data) : data_(data) {}
    size_t size() const { return data_.size(); }
    bool has(size_t offset, size_t length) const {
        return offset <= data_.size() && length <= data_.size() - offset;
    }
    uint8_t u8(size_t at) const { return data_[at]; }
    uint16_t u16(size_t at) const {
        return static_cast<uint16_t>(data_[at] | (data_[at + 1] << 8));
    }
    int32_t d32(size_t at) const {
        return static_cast<int32_t>(static_cast<uint32_t>(data_[at]) |
                                    (static_cast<uint32_t>(data_[at + 1]) << 8) |
                                    (static_cast<uint32_t>(data_[at + 2]) << 16) |
                                    (static_cast<uint32_t>(data_[at + 3]) << 24));
    }
    ByteString bytes(size_t at, size_t length) const {
        return ByteString(reinterpret_cast<const char*>(data_.data() + at), length);
    }

  private:
    std::span<const uint8_t> data_;
};

class Converter {
  public:
    explicit Converter(std::span<const uint8_t> old) : old_(old) {}

    Result<OldProjectConversion> run() {
        if (!old_.has(0, kOldScreensOffset)) {
            return damaged("the header ends at byte offset " + std::to_string(old_.size()) +
                           " before its 80 bytes");
        }
        protocol_ = convertOldProtocolCode(old_.u8(13));
        markOrigin("the header of the old file");
        writeHeader();
        const uint16_t screens = old_.u16(76);
        size_t offset = kOldScreensOffset;
        for (uint16_t i = 0; i < screens; ++i) {
            Status status = writeScreen(offset, i == 0);
            if (!status)
                return Result<OldProjectConversion>(status.error());
        }
        Status status = writeAlarmList(offset);
        if (!status)
            return Result<OldProjectConversion>(status.error());
        out_.writeZeros(kTailZeros);

        OldProjectConversion result;
        result.project = out_.takeData();
        result.protocol = protocol_;
        result.screens = screens;
        result.components = components_;
        result.origins = std::move(origins_);
        return result;
    }

  private:
    static Result<OldProjectConversion> damaged(const std::string& what) {
        return Result<OldProjectConversion>::failure("The old project file is damaged: " + what +
                                                     ".");
    }
    static Status damagedStatus(const std::string& what) {
        return Status::failure("The old project file is damaged: " + what + ".");
    }

    bool isSiemens() const { return protocol_ == 2; }
    uint8_t station(uint8_t value) const { return isSiemens() ? 2 : value; }
    uint8_t registerType(uint8_t value) const {
        return isSiemens() ? static_cast<uint8_t>(value - 1) : value;
    }

    void writeHeader() {
        out_.writeU8(0x08);
        out_.writeBytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>("Ostra"), 5));
        out_.writeU8(1);   // version 1
        out_.writeU8(1);   // format byte
        out_.writeU16(0);  // current screen position
        out_.writeU8(protocol_);
        out_.writeU16(old_.u16(25));         // password
        out_.writeU16(old_.u16(21));         // initial screen
        out_.writeU8(station(old_.u8(50)));  // PLC station
        out_.writeU16(convertControlRegisterNumber(old_.u16(58), protocol_));
        out_.writeU8(isSiemens() ? 1 : 0);  // control register type
        out_.writeU16(old_.u16(72));        // screen-saver screen
        out_.writeU8(old_.u8(67));          // screen-saver delay index
        uint8_t flags = old_.u8(49);
        if ((flags >> 4) == 2)
            flags = static_cast<uint8_t>((flags & 0x0F) + 4);
        out_.writeU8(flags);
        out_.writeU8(convertBaud(old_.u8(45)));
        out_.writeU8(old_.u8(47) == 0 ? 1 : 0);  // data bits
        out_.writeU8(old_.u8(48) == 0 ? 1 : 0);  // stop bits, bit 7 clear: no option byte
        out_.writeU8(old_.u8(46));               // parity
        out_.writeU8(old_.u8(17));               // station of the PLC selection
        out_.writeU8(isSiemens() ? 2 : 1);       // register stride
        out_.writeU8(old_.u8(71) == 0 ? 1 : 0);  // screen-saver action
        out_.writeZeros(98);
        out_.writeCount(old_.u16(76));
    }

    uint8_t convertBaud(uint8_t code) const {
        if (isSiemens()) {
            if (code == 5)
                return 0;
            if (code == 6)
                return 1;
            return 5;
        }
        switch (code) {
            case 2:
                return 0;
            case 3:
                return 1;
            case 4:
                return 2;
            case 5:
                return 3;
            case 6:
                return 4;
            case 8:
                return 5;
            default:
                return code;
        }
    }

    void writeClassTag(const char* name, bool& written, uint32_t& classIndex) {
        if (!written) {
            out_.writeU16(0xFFFF);
            out_.writeU16(1);
            const size_t length = std::strlen(name);
            out_.writeU16(static_cast<uint16_t>(length));
            out_.writeBytes(
                std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(name), length));
            written = true;
            classIndex = nextIndex_++;
        } else if (classIndex < 0x7FFF) {
            out_.writeU16(static_cast<uint16_t>(0x8000 | classIndex));
        } else {
            out_.writeU16(0x7FFF);
            out_.writeU32(0x80000000u | classIndex);
        }
        ++nextIndex_;  // the object itself
    }

    // Size of the old component at `at`, or 0 when its kind has no size rule or it does not fit.
    Status componentSize(size_t at, int screenNumber, size_t& size) const {
        if (!old_.has(at, 11)) {
            return damagedStatus("screen " + std::to_string(screenNumber) +
                                 " has a component at byte offset " + std::to_string(at) +
                                 " beyond the end of the file");
        }
        const uint8_t kind = old_.u8(at + 10);
        switch (kind) {
            case 1:
                size = 39;
                break;
            case 2:
                size = 51;
                break;
            case 3:
                size = 31;
                break;
            case 4:
                size = 41;
                break;
            case 5:
                size = 56;
                break;
            case 6:
                size = 52;
                break;
            case 7: {
                if (!old_.has(at, 26)) {
                    size = 26;
                    break;
                }
                const int32_t data = old_.d32(at + 22);
                if (data < 14) {
                    return damagedStatus("screen " + std::to_string(screenNumber) +
                                         ": the picture at byte offset " + std::to_string(at) +
                                         " has an impossible size " + std::to_string(data));
                }
                size = static_cast<size_t>(data) + 26;
                break;
            }
            case 8:
                if (!old_.has(at, 28)) {
                    size = 28;
                    break;
                }
                size = static_cast<size_t>(old_.u8(at + 27)) * 25 + 35;
                break;
            default:
                return Status::failure("Screen " + std::to_string(screenNumber) +
                                       ": the component at byte offset " + std::to_string(at) +
                                       " has the unknown kind " + std::to_string(kind) +
                                       "; the import stops.");
        }
        if (!old_.has(at, size)) {
            return damagedStatus("screen " + std::to_string(screenNumber) +
                                 ": the component at byte offset " + std::to_string(at) +
                                 " runs past the end of the file");
        }
        return Status::success();
    }

    Status writeScreen(size_t& offset, bool first) {
        if (!old_.has(offset, kOldScreenHeader)) {
            return damagedStatus("a screen header at byte offset " + std::to_string(offset) +
                                 " runs past the end of the file");
        }
        const uint16_t number = old_.u16(offset);
        markOrigin("screen " + std::to_string(number) + " (its record at byte offset " +
                   std::to_string(offset) + ")");
        const uint8_t descriptionLength = old_.u8(offset + 2);
        if (!old_.has(offset + 5, descriptionLength)) {
            return damagedStatus("the description of screen " + std::to_string(number) +
                                 " runs past the end of the file");
        }
        if (first) {
            out_.writeU16(0xFFFF);
            out_.writeU16(1);
            out_.writeU16(9);
            out_.writeBytes(
                std::span<const uint8_t>(reinterpret_cast<const uint8_t*>("CMainView"), 9));
        } else {
            out_.writeU16(0x8001);
            ++nextIndex_;
        }
        out_.writeU16(number);
        out_.writeString(old_.bytes(offset + 5, descriptionLength));
        out_.writeU16(old_.u16(offset + 45));
        out_.writeU16(old_.u16(offset + 47));
        out_.writeZeros(20);
        // Only the low byte counts the components that follow.
        const uint8_t count = static_cast<uint8_t>(old_.u16(offset + 53) & 0xFF);
        offset += kOldScreenHeader;

        struct Part {
            size_t offset;
            uint8_t kind;
            int position;  // 1-based, in the old file's order
        };
        std::vector<Part> parts;
        size_t at = offset;
        for (int i = 0; i < count; ++i) {
            size_t size = 0;
            Status status = componentSize(at, number, size);
            if (!status)
                return status;
            parts.push_back({at, old_.u8(at + 10), i + 1});
            at += size;
        }
        out_.writeCount(count);
        for (uint8_t kind : kGroupOrder) {
            for (const Part& part : parts) {
                if (part.kind != kind)
                    continue;
                markOrigin("screen " + std::to_string(number) + ", component " +
                           std::to_string(part.position) + " (" +
                           componentKindName(convertedKind(kind)) + " at byte offset " +
                           std::to_string(part.offset) + ")");
                writeComponent(part.offset, part.kind);
                ++components_;
            }
        }
        offset = at;
        return Status::success();
    }

    // Upper limit: the old upper, or lower + 1 when the lower is not below it. The addition wraps
    // as 32-bit numbers do (a lower of 0x7FFFFFFF gives 0x80000000); the download's limit rule
    // then puts such a pair in order.
    static int32_t upperLimit(int32_t upper, int32_t lower) {
        return lower >= upper ? static_cast<int32_t>(static_cast<uint32_t>(lower) + 1u) : upper;
    }

    void writeComponent(size_t at, uint8_t kind) {
        const ComponentKind converted = convertedKind(kind);
        const int index = kind - 1;
        writeClassTag(runtimeClassOf(converted).name, classWritten_[index], classIndex_[index]);
        out_.writeU8(converted);
        out_.writeU32(static_cast<uint32_t>(toPanel(old_.d32(at))));
        out_.writeU32(static_cast<uint32_t>(toPanel(old_.d32(at + 4))));
        auto b = [&](size_t offset) { out_.writeU8(old_.u8(at + offset)); };
        auto bd = [&](size_t offset) { out_.writeU8(static_cast<uint8_t>(old_.d32(at + offset))); };
        switch (kind) {
            case 1: {
                b(8);
                b(9);
                const uint8_t length = old_.u8(at + 14);
                // The text may reach past the 39-byte record; it must stay inside the file.
                const size_t usable = old_.has(at + 15, length) ? length : old_.size() - (at + 15);
                out_.writeString(old_.bytes(at + 15, usable));
                out_.writeZeros(50);
                break;
            }
            case 2: {
                b(8);
                b(9);
                out_.writeU8(station(static_cast<uint8_t>(old_.d32(at + 14))));
                out_.writeU8(registerType(static_cast<uint8_t>(old_.d32(at + 18))));
                out_.writeU16(convertControlRegisterNumber(old_.d32(at + 22), protocol_));
                bd(26);
                bd(30);
                bd(34);
                b(40);
                b(42);
                const int32_t lower = old_.d32(at + 47);
                out_.writeU32(static_cast<uint32_t>(upperLimit(old_.d32(at + 43), lower)));
                out_.writeU32(static_cast<uint32_t>(lower));
                out_.writeU32(1);
                out_.writeU32(0);
                b(41);
                b(38);
                out_.writeU8(static_cast<uint8_t>(1 - old_.u8(at + 39)));
                out_.writeU8(0);
                out_.writeZeros(100);
                break;
            }
            case 3: {
                const int32_t address = old_.d32(at + 26);
                b(8);
                out_.writeU8(static_cast<uint8_t>(1 - old_.u8(at + 30)));
                out_.writeU8(convertBitNumber(address, protocol_));
                b(14);
                out_.writeU8(station(old_.u8(at + 18)));
                b(22);
                out_.writeU16(convertRegisterAddress(address, protocol_));
                out_.writeU8(0);
                out_.writeZeros(50);
                break;
            }
            case 4: {
                const int32_t address = old_.d32(at + 30);
                b(8);
                b(9);
                out_.writeU8(convertBitNumber(address, protocol_));
                out_.writeU8(convertOldFunctionKeyType(old_.u8(at + 14)));
                out_.writeU8(station(old_.u8(at + 22)));
                b(26);
                out_.writeU16(convertRegisterAddress(address, protocol_));
                b(19);
                b(18);
                b(20);
                b(21);
                b(34);
                b(35);
                out_.writeU16(old_.u16(at + 36));
                out_.writeU32(0);
                out_.writeZeros(100);
                break;
            }
            case 5:
            case 6: {
                out_.writeU8(static_cast<uint8_t>(toPanel(old_.u8(at + 32))));
                out_.writeU8(static_cast<uint8_t>(toPanel(old_.u8(at + 36))));
                b(30);
                out_.writeU8(static_cast<uint8_t>(1 - old_.u8(at + 31)));
                const int32_t lower = old_.d32(at + 40);
                out_.writeU32(static_cast<uint32_t>(upperLimit(old_.d32(at + 44), lower)));
                out_.writeU32(static_cast<uint32_t>(lower));
                out_.writeU8(station(old_.u8(at + 14)));
                out_.writeU8(registerType(old_.u8(at + 18)));
                out_.writeU16(convertControlRegisterNumber(old_.d32(at + 22), protocol_));
                b(26);
                if (kind == 6) {
                    uint8_t direction = old_.u8(at + 48);
                    if (direction == 2) {
                        direction = 3;
                    } else if (direction == 3) {
                        direction = 2;
                    }
                    out_.writeU8(direction);
                } else {
                    out_.writeU16(static_cast<uint16_t>(old_.d32(at + 52)));
                    b(48);
                }
                out_.writeZeros(100);
                break;
            }
            case 7: {
                const size_t length = static_cast<size_t>(old_.d32(at + 22)) - 14;
                out_.writeBytes(std::span<const uint8_t>(
                    reinterpret_cast<const uint8_t*>(old_.bytes(at + 40, length).data()), length));
                out_.writeZeros(20);
                break;
            }
            case 8: {
                b(8);
                b(9);
                out_.writeU8(station(old_.u8(at + 14)));
                out_.writeU8(registerType(old_.u8(at + 18)));
                out_.writeU16(convertControlRegisterNumber(old_.d32(at + 22), protocol_));
                out_.writeU8(1);
                b(26);
                const size_t entries = std::min<size_t>(old_.u8(at + 27), 32);
                out_.writeCount(32);
                for (size_t i = 0; i < 32; ++i) {
                    out_.writeString(i < entries ? oldEntryText(at + 31 + 25 * i) : ByteString());
                }
                out_.writeCount(32);
                for (size_t i = 0; i < 32; ++i)
                    out_.writeU32(i < entries ? uint32_t(i + 1) : 0);
                out_.writeCount(32);
                for (size_t i = 1; i <= 32; ++i) {
                    out_.writeString(i <= entries ? std::to_string(i) : ByteString());
                }
                out_.writeZeros(100);
                break;
            }
        }
    }

    // A 25-byte entry: a length byte and up to 24 text bytes. A longer length byte is read as
    // 24, so nothing beyond the entry is read.
    ByteString oldEntryText(size_t at) const {
        const size_t length = std::min<size_t>(old_.u8(at), kOldAlarmTextMax);
        return old_.bytes(at + 1, length);
    }

    Status writeAlarmList(size_t offset) {
        markOrigin("the alarm list (its texts at byte offset " + std::to_string(offset) + ")");
        const int32_t address = old_.d32(41);
        out_.writeU8(station(old_.u8(33)));
        out_.writeU16(convertRegisterAddress(address, protocol_));
        out_.writeU8(convertBitNumber(address, protocol_));
        out_.writeU8(0);
        out_.writeU8(0);
        out_.writeZeros(100);
        const uint8_t count = old_.u8(29);
        if (!old_.has(offset, static_cast<size_t>(count) * kOldAlarmEntry)) {
            return damagedStatus("the " + std::to_string(count) + " alarm texts at byte offset " +
                                 std::to_string(offset) + " run past the end of the file");
        }
        out_.writeCount(count);
        for (size_t k = 0; k < count; ++k)
            out_.writeString(oldEntryText(offset + k * kOldAlarmEntry));
        return Status::success();
    }

    // What the output from here on is converted from.
    void markOrigin(std::string what) { origins_.push_back({out_.data().size(), std::move(what)}); }

    OldImage old_;
    Archive out_;
    std::vector<ConversionOrigin> origins_;
    uint8_t protocol_ = 0;
    uint32_t nextIndex_ = kFirstFreeIndex;
    std::array<bool, 8> classWritten_{};
    std::array<uint32_t, 8> classIndex_{};
    int components_ = 0;
};

}  // namespace

bool looksLikeOldProject(std::span<const uint8_t> old) {
    return old.size() >= 4 && old[0] == 0x03 && old[1] == 'G' && old[2] == 'R' && old[3] == 'X';
}

uint8_t convertOldProtocolCode(uint8_t oldCode) {
    switch (oldCode) {
        case 1:
            return 7;
        case 2:
            return 2;
        case 3:
            return 5;
        case 4:
            return 8;
        case 6:
            return 6;
        case 7:
            return 13;
        case 8:
            return 10;
        case 10:
            return 11;
        case 11:
            return 14;
        case 12:
            return 11;
        default:
            return oldCode >= 14 ? oldCode : 4;
    }
}

uint16_t convertControlRegisterNumber(int32_t value, uint8_t protocol) {
    if (protocol == 2)
        return static_cast<uint16_t>(value / 8);
    if (protocol == 7) {
        // The five lowest decimal digits read as octal digits (C remainder keeps the sign).
        int32_t result = 0;
        int32_t weight = 1;
        for (int digit = 0; digit < 5; ++digit) {
            result += (value % 10) * weight;
            value /= 10;
            weight *= 8;
        }
        return static_cast<uint16_t>(result);
    }
    return static_cast<uint16_t>(value);
}

uint16_t convertRegisterAddress(int32_t value, uint8_t protocol) {
    switch (protocol) {
        case 2:
            return static_cast<uint16_t>(value / 8);
        case 5:
        case 6:
        case 14:
        case 11:
        case 12:
        case 18:
        case 22:  // the word address; the bit number keeps the rest
            return static_cast<uint16_t>(value / 16);
        case 7:
            return convertControlRegisterNumber(value, protocol);
        default:
            return static_cast<uint16_t>(value);
    }
}

uint8_t convertBitNumber(int32_t value, uint8_t protocol) {
    switch (protocol) {
        case 2:
            return static_cast<uint8_t>(value % 8);
        case 5:
        case 6:
        case 11:
        case 12:
        case 14:
        case 18:
        case 22:
            return static_cast<uint8_t>(value % 16);
        default:
            return 0;
    }
}

uint8_t convertOldFunctionKeyType(uint8_t oldType) {
    switch (oldType) {
        case 1:
            return 7;
        case 2:
            return 4;
        case 4:
            return 2;
        case 5:
            return 1;
        case 6:
            return 5;
        case 7:
            return 6;
        case 8:
            return 19;
        case 9:
            return 18;
        default:
            return (oldType >= 10 && oldType <= 19) ? static_cast<uint8_t>(oldType - 2) : oldType;
    }
}

std::string OldProjectConversion::originOf(size_t outputOffset) const {
    auto after = std::upper_bound(
        origins.begin(), origins.end(), outputOffset,
        [](size_t offset, const ConversionOrigin& origin) { return offset < origin.outputOffset; });
    if (after == origins.begin())
        return "the header of the old file";
    return std::prev(after)->what;
}

Result<OldProjectConversion> convertOldProject(std::span<const uint8_t> old) {
    if (!looksLikeOldProject(old))
        return Result<OldProjectConversion>::failure("the file type error!");
    std::optional<Result<OldProjectConversion>> run;
    try {
        run.emplace(Converter(old).run());
    } catch (const std::bad_alloc&) {
        return Result<OldProjectConversion>::failure(
            "There is not enough memory to convert the old project file of " +
            std::to_string(old.size()) + " bytes.");
    }
    Result<OldProjectConversion>& converted = *run;
    if (!converted)
        return converted;
    // The result must open as a project: the converter copies some old bytes as they stand
    // (texts, pictures), and a damaged one would otherwise give a file that never opens.
    Project check;
    size_t failedAt = 0;
    Status opened = check.load(converted->project, &failedAt);
    if (!opened) {
        return Result<OldProjectConversion>::failure(
            "The old project file is damaged: " + converted->originOf(failedAt) +
            " does not convert into a readable project (" + opened.message() + ").");
    }
    return converted;
}

std::string defaultImportTarget(const std::string& oldPath) {
    std::filesystem::path target(oldPath);
    target.replace_extension(".osp");
    return target.string();
}

Result<OldProjectConversion> readAndConvertOldProject(const std::string& oldPath) {
    ReadFailure failure{};
    auto data = readFileLimited(oldPath, kMaxOldProjectBytes, "old project file", &failure);
    if (!data) {
        if (failure == ReadFailure::Refused)
            return Result<OldProjectConversion>(data.error());
        return Result<OldProjectConversion>::failure("Open the file error!");
    }
    return convertOldProject(data.value());
}

Result<std::string> importOldProjectFile(const std::string& oldPath, const std::string& target,
                                         Prompter& prompter) {
    auto converted = readAndConvertOldProject(oldPath);
    if (!converted)
        return Result<std::string>(converted.error());
    const std::string out = target.empty() ? defaultImportTarget(oldPath) : target;
    if (std::filesystem::exists(out) &&
        prompter.ask(replaceQuestion(out), kImportCaption, Buttons::YesNo) != Answer::Yes) {
        return Result<std::string>::failure("The import was cancelled; " + out + " is unchanged.");
    }
    Status written = writeFileAtomically(out, converted->project);
    if (!written)
        return Result<std::string>(written.error());
    return out;
}

std::string replaceQuestion(const std::string& target) {
    return target + " already exists. Do you want to replace it?";
}

}  // namespace vanta
