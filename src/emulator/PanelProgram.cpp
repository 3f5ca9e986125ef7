#include "emulator/PanelProgram.h"

#include <algorithm>
#include <array>
#include <set>

#include "model/CAlarmList.h"
#include "model/ComponentKinds.h"
#include "model/DownloadContext.h"
#include "protocols/ProtocolProfile.h"

namespace vanta {

namespace {

uint16_t fromBcd(uint16_t bcd) {
    uint16_t value = 0;
    for (int shift = 12; shift >= 0; shift -= 4)
        value = static_cast<uint16_t>(value * 10 + std::min((bcd >> shift) & 0x0F, 9));
    return value;
}

// The start coil of the alarm list as the alarm header's bytes 4..9 give it: the inverse of the
// protocol's packing (its profile's alarm encoding), checked by packing the answer again.
struct AlarmStart {
    int typeIndex = 0;  // in the start-coil list
    uint16_t address = 0;
    uint8_t subAddress = 0;
    uint8_t bitOffset = 0;
};

// The start address the packed bytes give: the word bytes shifted back, the address bits a
// packing keeps in byte 8 or byte 9 added.
uint32_t unpackedAddress(const AlarmCoilEncoding& e, std::span<const uint8_t, 6> bytes) {
    const uint32_t word = (static_cast<uint32_t>(bytes[1]) << 8) | bytes[2];
    uint32_t low = 0;
    if (e.subAddressByte == AlarmByte::AddressBits)
        low = bytes[4] & static_cast<uint32_t>(e.subAddressMask);
    else if (e.bitByte == AlarmByte::AddressBits)
        low = bytes[5] & static_cast<uint32_t>(e.bitMask);
    else if (e.bitByte == AlarmByte::SubAddressOddByte)
        low = bytes[5] >= 8 ? 1 : 0;
    return (word << e.lowShift) + low + static_cast<uint32_t>(e.addressBias);
}

std::optional<AlarmStart> alarmStart(const Vocabulary& vocab, std::span<const uint8_t, 6> bytes) {
    const uint32_t address = unpackedAddress(vocab.profile().alarmCoil, bytes);
    if (address > 0xFFFF)
        return std::nullopt;
    const uint8_t b8 = bytes[4], b9 = bytes[5];
    DownloadContext context;
    context.protocol = vocab.protocol;
    context.vocabulary = &vocab;
    const size_t types = std::max<size_t>(vocab.bitTypesC.size(), 1);
    for (size_t type = 0; type < types; ++type) {
        // Where the packing leaves a field out, any value packs the same: take 0 first.
        for (uint8_t sub : {uint8_t{0}, b8, b9, static_cast<uint8_t>(b9 & 7)}) {
            for (uint8_t offset : {uint8_t{0}, b9}) {
                CAlarmList list(vocab.protocol);
                list.m_regType = static_cast<uint8_t>(type);
                list.m_startAddress = static_cast<uint16_t>(address);
                list.m_subAddress = sub;
                list.m_bitOffset = offset;
                const AlarmCoilBytes packed = alarmCoilBytes(list, context);
                const std::array<uint8_t, 6> again{packed.typeCode,   packed.address[0],
                                                   packed.address[1], packed.width,
                                                   packed.subAddress, packed.bit};
                if (std::equal(again.begin(), again.end(), bytes.begin()))
                    return AlarmStart{static_cast<int>(type), static_cast<uint16_t>(address), sub,
                                      offset};
            }
        }
    }
    return std::nullopt;
}

// The name of the start coil's type as the alarm header's type byte was made from it.
std::string alarmTypeName(const Vocabulary& vocab, int typeIndex) {
    auto pick = [](const std::vector<std::string>& list, int index) -> std::string {
        if (list.empty())
            return {};
        return list[std::min<size_t>(static_cast<size_t>(std::max(index, 0)), list.size() - 1)];
    };
    switch (vocab.profile().alarmCoil.type) {
        case AlarmTypeCode::BitListA:
            return pick(vocab.bitTypesA, typeIndex);
        case AlarmTypeCode::ByIndex:
        case AlarmTypeCode::StartCoil:
            return pick(vocab.bitTypesC, typeIndex);
        case AlarmTypeCode::NextWordType:
            return pick(vocab.wordTypes, typeIndex + 1);
        case AlarmTypeCode::BitListB:
        case AlarmTypeCode::BitListBPlusTwo:
            break;
    }
    return pick(vocab.bitTypesB, typeIndex);
}

int indexOf(const std::vector<std::string>& list, const std::string& name) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == name)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

unsigned bitsPerAddress(const Vocabulary& v) {
    if (v.profile().bitAddressTimesSixteen)
        return 16;
    return v.bitIndexSelectable ? static_cast<unsigned>(v.highestBitIndex) + 1 : 1;
}

uint8_t WordBinding::bytes() const {
    return static_cast<uint8_t>(std::min(4, registers * width));
}

PointKey WordBinding::point(size_t index) const {
    PointKey key = first;
    key.address += static_cast<uint32_t>(index) * stride;
    return key;
}

Result<PanelProgram> PanelProgram::load(std::vector<uint8_t> image) {
    PanelProgram program;
    program.image_ = std::move(image);
    program.decoded_ = decodeImage(program.image_);
    if (program.decoded_.screens.empty())
        return Result<PanelProgram>::failure("The image holds no screen the panel could show.");
    program.vocabulary_ = makeVocabulary(program.protocol());
    program.bitsPerAddress_ = bitsPerAddress(program.vocabulary_);
    program.readScreens();
    program.readHeader();
    program.readControlBlock();
    program.readAlarms();
    return program;
}

uint16_t PanelProgram::be16(size_t offset) const {
    return static_cast<uint16_t>((u8(offset) << 8) | u8(offset + 1));
}

// A module-addressed protocol names its values by block word and parameter number.
uint32_t PanelProgram::componentAddress(size_t record) const {
    if (vocabulary_.profile().moduleAddressing)
        return (static_cast<uint32_t>(be16(record + 5)) << 8) | u8(record + 8);
    return be16(record + 5);
}

uint32_t PanelProgram::be32(size_t offset) const {
    return (static_cast<uint32_t>(be16(offset)) << 16) | be16(offset + 2);
}

void PanelProgram::readHeader() {
    const auto& h = decoded_.header;
    initialScreen_ = static_cast<uint16_t>((h[18] << 8) | h[19]);
    if (!screen(initialScreen_))
        initialScreen_ = decoded_.screens.front().number;
    password_ = fromBcd(static_cast<uint16_t>((h[36] << 8) | h[37]));
}

uint16_t PanelProgram::saverScreen() const {
    const auto& h = decoded_.header;
    const uint16_t number = static_cast<uint16_t>((h[20] << 8) | h[21]);
    return screen(number) ? number : 0;
}

const LiveScreen* PanelProgram::screen(uint16_t number) const {
    for (const LiveScreen& s : screens_)
        if (s.number == number)
            return &s;
    return nullptr;
}

const DecodedScreen& PanelProgram::decodedScreen(const LiveScreen& screen) const {
    return decoded_.screens[static_cast<size_t>(&screen - screens_.data())];
}

AreaId PanelProgram::wordArea(uint8_t code) {
    const auto& words = vocabulary_.wordTypes;
    for (size_t i = 0; i < words.size(); ++i)
        if (registerTypeCode(vocabulary_, static_cast<int>(i), 1) == code)
            return areas_.intern(words[i], false, static_cast<uint8_t>(typeCodeWidth(code)), code);
    return areas_.intern("#" + std::to_string(code), false,
                         static_cast<uint8_t>(typeCodeWidth(code)), code);
}

AreaId PanelProgram::recipeArea(uint8_t code) {
    const auto& list = vocabulary_.alarmWordTypes;
    for (size_t i = 0; i < list.size(); ++i) {
        if (recipeTypeCode(vocabulary_, static_cast<int>(i)) != code)
            continue;
        // The same register type as the word list names it, so both reach the same registers.
        const std::string& name = list[i];
        const int word = indexOf(vocabulary_.wordTypes, name);
        const uint8_t width =
            word >= 0 ? static_cast<uint8_t>(typeCodeWidth(registerTypeCode(vocabulary_, word, 1)))
                      : static_cast<uint8_t>(typeCodeWidth(code));
        return areas_.intern(name, false, width, code);
    }
    return areas_.intern("#" + std::to_string(code), false,
                         static_cast<uint8_t>(typeCodeWidth(code)), code);
}

WordBinding PanelProgram::wordBinding(uint8_t station, AreaId area, uint32_t address,
                                      uint8_t bytes) {
    WordBinding b;
    const Area& a = areas_[area];
    b.first = PointKey{a.internal ? uint8_t{0} : station, area, address, 0};
    b.width = a.width;
    b.registers = static_cast<uint8_t>(std::max(1, bytes / std::max<int>(a.width, 1)));
    b.stride = std::max<uint8_t>(vocabulary_.stride, 1);
    return b;
}

WordBinding PanelProgram::wordAt(const PointKey& key) const {
    WordBinding b;
    b.first = key;
    b.width = areas_[key.area].width;
    return b;
}

uint32_t PanelProgram::bitRecordAddress(uint32_t recordAddress, unsigned& bitIndex) const {
    if (!vocabulary_.profile().bitAddressTimesSixteen)
        return recordAddress;
    bitIndex = recordAddress & 0x0F;
    return recordAddress >> 4;
}

BitBinding PanelProgram::bitBinding(uint8_t station, const std::string& name, uint8_t code,
                                    uint32_t address, unsigned bitIndex) {
    BitBinding b;
    const int width = code & 0x0F;
    if (width == 0) {
        const AreaId area = areas_.intern(name, true, 0, code);
        const uint64_t linear = static_cast<uint64_t>(address) * bitsPerAddress_ + bitIndex;
        b.point = PointKey{areas_[area].internal ? uint8_t{0} : station, area,
                           static_cast<uint32_t>(linear / bitsPerAddress_),
                           static_cast<uint8_t>(linear % bitsPerAddress_)};
        return b;
    }
    // A bit of a word register; bits past the register's width reach into the next ones.
    const int word = indexOf(vocabulary_.wordTypes, name);
    const uint8_t registerWidth =
        word >= 0 ? static_cast<uint8_t>(typeCodeWidth(registerTypeCode(vocabulary_, word, 1)))
                  : static_cast<uint8_t>(width);
    const AreaId area = areas_.intern(name, false, registerWidth, code);
    const unsigned bitsPerRegister = 8u * areas_[area].width;
    b.inWord = true;
    b.bit = static_cast<uint8_t>(bitIndex % bitsPerRegister);
    b.point = PointKey{
        areas_[area].internal ? uint8_t{0} : station, area,
        address + (bitIndex / bitsPerRegister) * std::max<uint8_t>(vocabulary_.stride, 1), 0};
    return b;
}

BitBinding PanelProgram::bitFromCode(uint8_t station, uint8_t code, bool listAFirst,
                                     uint32_t address, unsigned bitIndex) {
    const std::array<std::pair<const std::vector<std::string>*, int>, 2> lists =
        listAFirst ? std::array<std::pair<const std::vector<std::string>*, int>,
                                2>{{{&vocabulary_.bitTypesA, 2}, {&vocabulary_.bitTypesB, 3}}}
                   : std::array<std::pair<const std::vector<std::string>*, int>, 2>{
                         {{&vocabulary_.bitTypesB, 3}, {&vocabulary_.bitTypesA, 2}}};
    for (const auto& [list, selector] : lists)
        for (size_t i = 0; i < list->size(); ++i)
            if (registerTypeCode(vocabulary_, static_cast<int>(i), selector) == code)
                return bitBinding(station, (*list)[i], code, address, bitIndex);
    return bitBinding(station, "#" + std::to_string(code), code, address, bitIndex);
}

void PanelProgram::readScreens() {
    for (const DecodedScreen& decoded : decoded_.screens) {
        LiveScreen screen;
        screen.number = decoded.number;
        screen.upScreen = decoded.upScreen;
        screen.downScreen = decoded.downScreen;
        for (size_t i = 0; i < decoded.components.size(); ++i) {
            LiveComponent live = readComponent(decoded.components[i]);
            live.index = i;
            if (live.kind == kKindRegister && live.settable)
                screen.settable.push_back(screen.components.size());
            screen.components.push_back(std::move(live));
        }
        screens_.push_back(std::move(screen));
    }
}

LiveComponent PanelProgram::readComponent(const DecodedComponent& c) {
    LiveComponent live;
    live.kind = c.kind;
    live.x = c.x;
    live.y = c.y;
    live.attributes = c.attributes;
    if (!c.recordComplete) {
        live.kind = 0;  // nothing to run or draw
        return live;
    }
    const size_t r = c.recordOffset;
    const uint8_t station = u8(r + 3), code = u8(r + 4), bytes = u8(r + 7);
    const uint32_t address = componentAddress(r);
    switch (c.kind) {
        case kKindRegister: {
            live.word = wordBinding(station, wordArea(code), address, bytes);
            NumberFormat& f = live.format;
            f.isSigned = c.attributes & 0x10;
            f.decimal = c.attributes & 0x20;
            f.cells = u8(r + 9);
            f.decimals = u8(r + 10);
            f.digits = digitsFromCells(f.cells, f.isSigned, f.decimals);
            f.bytes = live.word.bytes();
            f.hasLimits = c.attributes & 0x80;
            if (f.hasLimits) {
                f.inputHigh = static_cast<int32_t>(be32(r + 11));
                f.inputLow = static_cast<int32_t>(be32(r + 15));
                f.scaled = c.attributes & 0x04;
                if (f.scaled) {
                    f.engHigh = static_cast<int32_t>(be32(r + 19));
                    f.engLow = static_cast<int32_t>(be32(r + 23));
                }
            }
            live.isSigned = f.isSigned;
            live.settable = c.attributes & 0x08;
            live.passwordProtected = c.attributes & 0x40;
            break;
        }
        case kKindDynamic:
            live.word = wordBinding(station, wordArea(code), address, bytes);
            live.isSigned = c.attributes & 0x10;
            live.textCells = u8(r + 11);
            break;
        case kKindLight: {
            unsigned bitIndex = u8(r + 8);
            const uint32_t at = bitRecordAddress(be16(r + 5), bitIndex);
            live.bit = bitFromCode(station, code, false, at, bitIndex + u8(r + 9));
            live.images[0] = u8(r + 10);
            live.images[1] = u8(r + 11);
            break;
        }
        case kKindFunction:
            readKey(live, r);
            break;
        case kKindBar:
        case kKindTide:
            live.word = wordBinding(station, wordArea(code), address, bytes);
            live.isSigned = c.attributes & 0x10;
            live.width = u8(r + 9);
            live.height = u8(r + 10);
            live.fullScale = static_cast<int32_t>(be32(r + 11));
            live.zeroScale = static_cast<int32_t>(be32(r + 15));
            if (c.kind == kKindBar) {
                live.direction = u8(r + 19);
            } else {
                live.points = u8(r + 19);
                live.interval = be16(r + 20);
            }
            break;
        default:
            break;
    }
    return live;
}

void PanelProgram::readKey(LiveComponent& live, size_t r) {
    live.encrypted = live.attributes & 0x40;
    live.keyCode = u8(r + 9);
    const uint8_t station = u8(r + 3), code = u8(r + 4), bytes = u8(r + 7);
    const uint8_t action = u8(r + 10);
    const uint32_t address = componentAddress(r);
    switch (action) {
        case 1:
        case 2:
        case 3:
        case 4: {
            static constexpr KeyCommand kCoil[] = {KeyCommand::CoilOn, KeyCommand::CoilOff,
                                                   KeyCommand::CoilToggle,
                                                   KeyCommand::CoilMomentary};
            live.command = kCoil[action - 1];
            unsigned bitIndex = u8(r + 8);
            const uint32_t at = bitRecordAddress(be16(r + 5), bitIndex);
            live.bit =
                bitFromCode(station, code, vocabulary_.profile().keyCoilsFromListA, at, bitIndex);
            break;
        }
        case 5:
            live.command = KeyCommand::WriteRegister;
            live.word = wordBinding(station, wordArea(code), address, bytes);
            live.operand = be32(r + 11);
            break;
        case 6:
        case 7:
        case 8:
        case 9: {
            static constexpr KeyCommand kRecipe[] = {
                KeyCommand::RecipeUpload, KeyCommand::RecipeDownload,
                KeyCommand::RecipeIncreaseBase, KeyCommand::RecipeDecreaseBase};
            live.command = kRecipe[action - 6];
            // The recipe memory and its base register take part whether or not a screen shows
            // them.
            areas_.intern("RP", false, 2, 112);
            areas_.intern("LW", false, 2, 146);
            unsigned ignored = 0;
            const uint32_t at = bitRecordAddress(be16(r + 5), ignored);
            live.word = wordBinding(station, recipeArea(code), at, 0);
            live.operand = be16(r + 11);
            live.limit = be16(r + 13);
            break;
        }
        case 0x80:
            live.command = KeyCommand::JumpScreen;
            live.targetScreen = be16(r + 13);
            break;
        case 0x81:
            live.command = KeyCommand::JumpAlarmList;
            break;
        default:
            break;
    }
}

void PanelProgram::readControlBlock() {
    const auto& h = decoded_.header;
    const uint8_t flags = h[29];
    control_.screenExchange = flags & 0x01;
    control_.reportScreen = flags & 0x02;
    control_.clock = flags & 0x04;
    if (!(flags & 0x07))
        return;
    const AreaId area = wordArea(h[24]);
    const uint32_t base = static_cast<uint32_t>((h[25] << 8) | h[26]);
    const uint32_t stride = std::max<uint8_t>(h[27], 1);
    const uint8_t width = areas_[area].width;
    uint32_t next = base;
    auto take = [&] {
        WordBinding b = wordBinding(plcStation(), area, next, width);
        next += stride;
        return b;
    };
    if (control_.screenExchange)
        control_.exchange = take();
    if (control_.reportScreen)
        control_.report = take();
    if (control_.clock)
        for (int i = 0; i < 6; ++i)
            control_.clockRegisters.push_back(take());
}

void PanelProgram::readAlarms() {
    if (!decoded_.alarms || decoded_.alarms->texts.empty())
        return;
    const size_t at = decoded_.alarms->offset;
    if (at + 10 > image_.size())
        return;
    std::array<uint8_t, 6> bytes{};
    std::copy_n(image_.begin() + static_cast<std::ptrdiff_t>(at + 4), 6, bytes.begin());
    const uint8_t station = u8(at + 3);
    const auto start = alarmStart(vocabulary_, bytes);
    if (!start) {
        // A header no packing of this protocol makes: read it as plain address and bit.
        const AreaId area = areas_.intern("#" + std::to_string(bytes[0]), (bytes[0] & 0x0F) == 0,
                                          static_cast<uint8_t>(bytes[0] & 0x0F), bytes[0]);
        for (size_t i = 0; i < decoded_.alarms->texts.size(); ++i) {
            AlarmCoil coil;
            coil.text = i;
            coil.bit = bitBinding(station, areas_[area].name, bytes[0],
                                  static_cast<uint32_t>((bytes[1] << 8) | bytes[2]),
                                  static_cast<unsigned>(bytes[5] + i));
            alarms_.push_back(coil);
        }
        return;
    }
    const std::string name = alarmTypeName(vocabulary_, start->typeIndex);
    // The code a lamp on the same type carries, so alarms and lamps read the same bits.
    uint8_t code = 0;
    if (int b = indexOf(vocabulary_.bitTypesB, name); b >= 0)
        code = registerTypeCode(vocabulary_, b, 3);
    else if (int a = indexOf(vocabulary_.bitTypesA, name); a >= 0)
        code = registerTypeCode(vocabulary_, a, 2);
    else if (int w = indexOf(vocabulary_.wordTypes, name); w >= 0)
        code = registerTypeCode(vocabulary_, w, 1);
    const bool inWord = (code & 0x0F) != 0;
    const unsigned first = inWord ? start->subAddress + start->bitOffset : start->subAddress;
    for (size_t i = 0; i < decoded_.alarms->texts.size(); ++i) {
        AlarmCoil coil;
        coil.text = i;
        coil.bit = bitBinding(station, name.empty() ? "#0" : name, code, start->address,
                              static_cast<unsigned>(first + i));
        alarms_.push_back(coil);
    }
}

std::vector<PointKey> PanelProgram::knownPoints() const {
    std::set<PointKey> points;
    auto addWord = [&](const WordBinding& b) {
        for (size_t i = 0; i < b.registers; ++i)
            points.insert(b.point(i));
    };
    for (const LiveScreen& screen : screens_) {
        for (const LiveComponent& c : screen.components) {
            switch (c.kind) {
                case kKindRegister:
                case kKindDynamic:
                case kKindBar:
                case kKindTide:
                    addWord(c.word);
                    break;
                case kKindLight:
                    points.insert(c.bit.point);
                    break;
                case kKindFunction:
                    if (c.command >= KeyCommand::CoilOn && c.command <= KeyCommand::CoilMomentary)
                        points.insert(c.bit.point);
                    else if (c.command == KeyCommand::WriteRegister ||
                             c.command == KeyCommand::RecipeIncreaseBase ||
                             c.command == KeyCommand::RecipeDecreaseBase)
                        addWord(c.word);
                    else if (c.command == KeyCommand::RecipeUpload ||
                             c.command == KeyCommand::RecipeDownload) {
                        for (uint32_t k = 0; k < std::min<uint32_t>(c.operand, 64); ++k)
                            points.insert(c.word.point(k));
                        // The recipe base.
                        points.insert(PointKey{0, areas_.find("LW", false), 0, 0});
                    }
                    break;
                default:
                    break;
            }
        }
    }
    for (const AlarmCoil& coil : alarms_)
        points.insert(coil.bit.point);
    if (control_.screenExchange)
        addWord(control_.exchange);
    if (control_.reportScreen)
        addWord(control_.report);
    for (const WordBinding& b : control_.clockRegisters)
        addWord(b);
    return {points.begin(), points.end()};
}

std::optional<PointKey> PanelProgram::pointOf(uint8_t station, const std::string& type,
                                              uint32_t address, std::optional<uint8_t> bit) const {
    AreaId area = areas_.find(type, bit.has_value());
    if (area >= areas_.size())
        area = areas_.find(type, !bit.has_value());
    if (area >= areas_.size())
        return std::nullopt;
    PointKey key;
    key.area = area;
    key.station = areas_[area].internal ? 0 : station;
    key.address = address;
    key.bit = areas_[area].bits ? bit.value_or(0) : 0;
    return key;
}

std::string PanelProgram::pointName(const PointKey& key) const {
    return vanta::pointName(areas_, key, plcStation(), bitNumbers());
}

}  // namespace vanta
