#include "image/ImageDecoder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>
#include <unordered_map>

#include "model/ComponentKinds.h"

namespace vanta {

namespace {

constexpr uint32_t kBase = 0x8000;
constexpr size_t kHeaderBytes = 48;
constexpr uint32_t kGlyphTable = kBase + kHeaderBytes;  // 0x8030
constexpr size_t kScreenEntryBytes = 9;
constexpr size_t kPointerEntryBytes = 3;
constexpr size_t kWideGlyphBytes = 32;
constexpr size_t kNarrowGlyphBytes = 16;
constexpr size_t kLampGlyphs = 4;
constexpr size_t kAlarmHeaderBytes = 10;
constexpr size_t kAlarmEntryPrefix = 18;
constexpr size_t kPanelCapacity = 0x8000;

// Messages name a kind in lower case: "static text", "function key", ...
std::string kindName(uint8_t kind) {
    std::string name = findComponentKind(kind) ? componentKindName(kind) : "component";
    if (!name.empty())
        name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    return name;
}

std::string hex4(uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", static_cast<unsigned>(value));
    return buffer;
}

// Bytes of a picture in page format: bands of 8 rows, one byte per column.
size_t pictureBytes(int width, int height) {
    if (width <= 0 || height <= 0)
        return 0;
    return static_cast<size_t>((height + 7) / 8) * static_cast<size_t>(width);
}

class Decoder {
  public:
    explicit Decoder(std::span<const uint8_t> image) : img_(image) {}

    DecodedImage run() {
        std::copy_n(img_.begin(), std::min(img_.size(), kHeaderBytes), out_.header.begin());
        if (img_.size() < kHeaderBytes) {
            problem(img_.size(), "The image holds " + std::to_string(img_.size()) +
                                     " bytes, fewer than its 48-byte header.");
            return finish();
        }
        if (img_.size() > kPanelCapacity) {
            problem(kPanelCapacity, "The image holds " + std::to_string(img_.size()) +
                                        " bytes, more than the panel's 32768.");
        }
        readHeader();
        readScreenTable();
        readPointerTables();
        layOutGlyphTables();
        resolveComponents();
        checkDynamicDataEnd();
        readAlarms();
        return finish();
    }

  private:
    // --- bounds-checked access ---
    bool has(size_t offset, size_t count) const {
        return offset <= img_.size() && count <= img_.size() - offset;
    }
    uint8_t u8(size_t offset) const { return offset < img_.size() ? img_[offset] : 0; }
    uint16_t be16(size_t offset) const {
        return static_cast<uint16_t>((u8(offset) << 8) | u8(offset + 1));
    }
    uint32_t endAddress() const { return kBase + static_cast<uint32_t>(img_.size()); }
    // The image offset of a panel address whose `count` bytes lie inside the image.
    std::optional<size_t> offsetOf(uint32_t address, size_t count) const {
        if (address < kBase)
            return std::nullopt;
        const size_t offset = address - kBase;
        if (!has(offset, count))
            return std::nullopt;
        return offset;
    }
    // A stored 16-bit address equals a running address (the end of a full 32 KB image wraps).
    static bool sameAddress(uint16_t stored, uint32_t running) {
        return stored == static_cast<uint16_t>(running) && running <= 0x10000;
    }

    void problem(size_t offset, std::string message) {
        if (out_.problems.size() >= kMaxImageProblems) {
            ++out_.problemsLeftOut;
            return;
        }
        out_.problems.push_back({offset, std::move(message)});
    }

    // True, counting the problem as left out, once the list is full: a caller that finds many
    // problems in a row (a text of bad glyph codes) asks first, as building the message costs
    // more than decoding.
    bool problemListFull() {
        if (out_.problems.size() < kMaxImageProblems)
            return false;
        ++out_.problemsLeftOut;
        return true;
    }

    DecodedImage finish() { return std::move(out_); }

    std::string who(const DecodedScreen& screen, const DecodedComponent& c) const {
        return "Screen " + std::to_string(screen.number) + ", " + kindName(c.kind) + " at (" +
               std::to_string(c.x) + ", " + std::to_string(c.y) + ")";
    }

    // --- header ---
    void readHeader() {
        const uint16_t mark = be16(0);
        if (mark != 0xFFFF && mark != 0x5AA5)
            problem(0, "The image starts with " + hex4(mark) +
                           ", neither 0xFFFF (compiled) nor 0x5AA5 (downloaded).");
        if (be16(6) != kGlyphTable)
            problem(6, "The glyph-table address is " + hex4(be16(6)) + ", not 0x8030.");
        out_.screenTableAddress = be16(2);
        out_.alarmAddress = be16(4);
        out_.narrowTableAddress = be16(8);
        out_.screenCount = be16(16);

        const uint32_t table = out_.screenTableAddress;
        const uint32_t narrow = out_.narrowTableAddress;
        if (narrow < kGlyphTable || narrow > table || (narrow - kGlyphTable) % kWideGlyphBytes) {
            problem(8, "The 8 x 16 glyph table address " + hex4(narrow) +
                           " does not lie on a 16 x 16 glyph boundary between 0x8030 and the "
                           "screen table at " +
                           hex4(table) + ".");
            narrowValid_ = false;
        } else {
            out_.wideTableGlyphs = (narrow - kGlyphTable) / kWideGlyphBytes;
        }
    }

    // --- screen table ---
    void readScreenTable() {
        const uint32_t table = out_.screenTableAddress;
        size_t screens = out_.screenCount;
        if (table < kGlyphTable || table > endAddress()) {
            problem(2, "The screen table address " + hex4(table) + " lies outside the image.");
            return;
        }
        const size_t at = table - kBase;
        if (!has(at, screens * kScreenEntryBytes)) {
            problem(16, "The screen table of " + std::to_string(screens) +
                            " screens runs past the end of the image.");
            screens = (img_.size() - at) / kScreenEntryBytes;
        }
        tableValid_ = true;
        uint32_t pointers = table + static_cast<uint32_t>(out_.screenCount * kScreenEntryBytes);
        pointerTableStart_ = pointers;
        // Where each screen number first appears: the panel finds a screen by its number. A map
        // sized by the screens read, not a table of every possible number: most images hold a
        // handful of screens and are decoded on every edit.
        std::unordered_map<uint16_t, size_t> firstEntry;
        firstEntry.reserve(std::min<size_t>(screens, 0x10000));
        for (size_t i = 0; i < screens; ++i) {
            const size_t e = at + i * kScreenEntryBytes;
            DecodedScreen s;
            s.tableOffset = e;
            s.number = be16(e);
            const auto [first, isFirst] = firstEntry.try_emplace(s.number, e);
            if (!isFirst) {
                problem(e, "Screen " + std::to_string(s.number) +
                               " appears again in the screen table (first at image offset " +
                               std::to_string(first->second) +
                               "); the panel shows only the first.");
            }
            s.componentCount = u8(e + 2);
            s.upScreen = be16(e + 3);
            s.downScreen = be16(e + 5);
            s.pointerAddress = be16(e + 7);
            if (!sameAddress(s.pointerAddress, pointers)) {
                problem(e + 7, "Screen " + std::to_string(s.number) +
                                   ": its pointer entries lie at " + hex4(s.pointerAddress) +
                                   ", expected " + hex4(pointers) +
                                   " (after the previous screen's).");
            }
            pointers += static_cast<uint32_t>(s.componentCount * kPointerEntryBytes);
            out_.screens.push_back(std::move(s));
        }
        recordsStart_ = pointers;
    }

    // --- pointer table and the records' own lengths and fields ---
    void readPointerTables() {
        // No real image has more components than pointer entries fit in it.
        size_t budget = img_.size() / kPointerEntryBytes + 1;
        uint32_t expected = recordsStart_;
        for (DecodedScreen& screen : out_.screens) {
            auto at = offsetOf(screen.pointerAddress, screen.componentCount * kPointerEntryBytes);
            if (!at) {
                problem(screen.tableOffset + 7,
                        "Screen " + std::to_string(screen.number) + ": its " +
                            std::to_string(screen.componentCount) + " pointer entries at " +
                            hex4(screen.pointerAddress) + " lie outside the image.");
                continue;
            }
            bool registersBegan = false;
            int lastRow = -1, lastColumn = -1;
            for (size_t j = 0; j < screen.componentCount; ++j) {
                if (budget == 0) {
                    problem(*at, "More components than the image can hold; decoding stops.");
                    return;
                }
                --budget;
                const size_t entry = *at + j * kPointerEntryBytes;
                DecodedComponent c;
                c.kind = u8(entry);
                c.pointerOffset = entry;
                const uint16_t address = be16(entry + 1);
                if (findComponentKind(c.kind) == nullptr) {
                    problem(entry, "Screen " + std::to_string(screen.number) +
                                       ": unknown component kind " + std::to_string(c.kind) + ".");
                    continue;
                }
                auto record = offsetOf(address, 3);
                if (!record) {
                    problem(entry + 1, "Screen " + std::to_string(screen.number) + ": the " +
                                           kindName(c.kind) + " record address " + hex4(address) +
                                           " lies outside the image.");
                    continue;
                }
                c.recordOffset = *record;
                c.x = u8(c.recordOffset);
                c.y = u8(c.recordOffset + 1);
                c.attributes = u8(c.recordOffset + 2);
                c.recordLength = recordLength(c);
                c.recordComplete = has(c.recordOffset, c.recordLength);
                if (!sameAddress(address, expected)) {
                    problem(entry + 1, who(screen, c) + ": the record lies at " + hex4(address) +
                                           ", expected " + hex4(expected) +
                                           " (just after the previous record).");
                }
                expected = address + static_cast<uint32_t>(c.recordLength);
                if (!c.recordComplete) {
                    problem(c.recordOffset, who(screen, c) + ": the " +
                                                std::to_string(c.recordLength) +
                                                "-byte record runs past the end of the image.");
                    screen.components.push_back(std::move(c));
                    continue;
                }
                // Registers follow every other component, by character row, then column.
                if (c.kind == kKindRegister) {
                    const int row = c.y / 16, column = c.x / 8;
                    if (registersBegan &&
                        (row < lastRow || (row == lastRow && column < lastColumn)))
                        problem(entry,
                                who(screen, c) + ": registers are not in row and column order.");
                    registersBegan = true;
                    lastRow = row;
                    lastColumn = column;
                } else if (registersBegan) {
                    problem(entry, who(screen, c) + ": a " + kindName(c.kind) +
                                       " follows the screen's registers.");
                }
                firstPass(c);
                screen.components.push_back(std::move(c));
            }
            checkTrendPlaces(screen);
        }
        recordsEnd_ = expected;
    }

    // The record's length as its kind and its own bytes give it.
    size_t recordLength(const DecodedComponent& c) const {
        const size_t r = c.recordOffset;
        switch (c.kind) {
            case kKindChars:
                return 4 + u8(r + 3);
            case kKindRegister: {
                size_t length = 11;
                if (c.attributes & 0x80)
                    length += (c.attributes & 0x04) ? 16 : 8;
                return length;
            }
            case kKindLight:
                return 12;
            case kKindFunction: {
                const uint8_t symbolBytes = u8(r + 15);
                return symbolBytes == 4 ? 18 : 17;
            }
            case kKindPicture:
                return 9;
            case kKindBar:
                return 20;
            case kKindTide:
                return 24;
            case kKindDynamic:
                return 12 + 4 * static_cast<size_t>(u8(r + 10));
            default:
                return 3;
        }
    }

    // Fields that decide the glyph and picture layout: lamps, key symbols, picture sizes.
    void firstPass(DecodedComponent& c) {
        const size_t r = c.recordOffset;
        switch (c.kind) {
            case kKindLight:
                lampUsed_ = true;
                break;
            case kKindFunction: {
                const uint8_t symbolBytes = u8(r + 15);
                if (symbolBytes != 2 && symbolBytes != 4)
                    problem(r + 15, "A function key's byte 15 holds " +
                                        std::to_string(symbolBytes) + ", not 2 or 4.");
                c.hand = symbolBytes == 4;
                c.invisible = c.attributes & 0x04;
                for (size_t k = 0; k < (c.hand ? 2u : 1u); ++k)
                    symbolsUsed_.insert(u8(r + 16 + k));
                break;
            }
            case kKindPicture:
                c.width = u8(r + 3);
                c.height = u8(r + 4);
                c.bitmapAddress = be16(r + 5);
                pictureData_ += pictureBytes(c.width, c.height);
                break;
            case kKindBar:
            case kKindTide:
                c.width = u8(r + 9);
                c.height = u8(r + 10);
                break;
            case kKindRegister:
                c.cells = u8(r + 9);
                break;
            default:
                break;
        }
    }

    void checkTrendPlaces(const DecodedScreen& screen) {
        size_t trends = 0;
        for (const DecodedComponent& c : screen.components)
            trends += c.kind == kKindTide && c.recordComplete;
        size_t index = 0;
        for (const DecodedComponent& c : screen.components) {
            if (c.kind != kKindTide || !c.recordComplete)
                continue;
            const uint8_t count = u8(c.recordOffset + 22), place = u8(c.recordOffset + 23);
            if (count != trends || place != index) {
                problem(c.recordOffset + 22,
                        who(screen, c) + ": trend " + std::to_string(place) + " of " +
                            std::to_string(count) + ", but it is trend " + std::to_string(index) +
                            " of " + std::to_string(trends) + " on its screen.");
            }
            ++index;
        }
    }

    // --- glyph tables and picture data ---
    void layOutGlyphTables() {
        out_.lampGlyphs = lampUsed_;
        out_.symbolGlyphs = symbolsUsed_.size();
        characterBase_ = (lampUsed_ ? kLampGlyphs : 0) + symbolsUsed_.size();
        if (narrowValid_ && characterBase_ > out_.wideTableGlyphs) {
            problem(8, "The 16 x 16 glyph table holds " + std::to_string(out_.wideTableGlyphs) +
                           " glyphs, fewer than the " + std::to_string(characterBase_) +
                           " lamp and symbol glyphs the records use.");
        }
        if (!narrowValid_ || !tableValid_)
            return;
        const uint32_t table = out_.screenTableAddress;
        const uint32_t narrow = out_.narrowTableAddress;
        if (pictureData_ > table - narrow || (table - pictureData_ - narrow) % kNarrowGlyphBytes) {
            problem(2, "The picture data of " + std::to_string(pictureData_) +
                           " bytes do not fit between the 8 x 16 glyph table at " + hex4(narrow) +
                           " and the screen table at " + hex4(table) + ".");
            out_.narrowGlyphs = (table - narrow) / kNarrowGlyphBytes;
            out_.pictureDataAddress = static_cast<uint16_t>(table);
            picturesValid_ = false;
            return;
        }
        out_.pictureDataAddress = static_cast<uint16_t>(table - pictureData_);
        out_.narrowGlyphs = (out_.pictureDataAddress - narrow) / kNarrowGlyphBytes;
        if (out_.narrowGlyphs > 128) {
            problem(8, "The 8 x 16 glyph table holds " + std::to_string(out_.narrowGlyphs) +
                           " glyphs; one-byte codes reach only 128.");
        }
    }

    // The glyph codes of a text of `length` code bytes from `offset` (inside the image).
    DecodedText decodeText(size_t offset, size_t length, const std::string& owner) {
        DecodedText text;
        text.codesOffset = offset;
        if (!has(offset, length))
            return text;
        for (size_t i = 0; i < length; ++i) {
            const uint8_t byte = u8(offset + i);
            GlyphUse g;
            if (byte < 0x80) {
                g.code = byte;
                g.resolved = narrowValid_ && byte < out_.narrowGlyphs;
                if (g.resolved) {
                    g.bitmapOffset = out_.narrowTableAddress - kBase + byte * kNarrowGlyphBytes;
                } else if (!problemListFull()) {
                    problem(offset + i, owner + ": single-byte glyph code " + std::to_string(byte) +
                                            " lies beyond the " +
                                            std::to_string(out_.narrowGlyphs) +
                                            " glyphs of the 8 x 16 table.");
                }
            } else {
                g.wide = true;
                if (i + 1 >= length) {
                    problem(offset + i, owner +
                                            ": a double-byte glyph code is cut off by the "
                                            "end of the text.");
                    text.glyphs.push_back(g);
                    break;
                }
                const uint16_t code = be16(offset + i);
                g.code = static_cast<uint16_t>(code - 0x8000);
                g.resolved =
                    narrowValid_ && g.code >= characterBase_ && g.code < out_.wideTableGlyphs;
                if (g.resolved) {
                    g.bitmapOffset = kHeaderBytes + g.code * kWideGlyphBytes;
                } else if (!problemListFull()) {
                    problem(offset + i,
                            owner + ": double-byte glyph code " + hex4(code) + " (glyph " +
                                std::to_string(g.code) + ") lies outside the character glyphs " +
                                std::to_string(characterBase_) + ".." +
                                std::to_string(static_cast<long>(out_.wideTableGlyphs) - 1) +
                                " of the 16 x 16 table.");
                }
                ++i;
            }
            text.glyphs.push_back(g);
        }
        return text;
    }

    GlyphUse wideGlyph(size_t index) const {
        GlyphUse g;
        g.wide = true;
        g.code = static_cast<uint16_t>(index);
        g.resolved = narrowValid_ && index < out_.wideTableGlyphs;
        if (g.resolved)
            g.bitmapOffset = kHeaderBytes + index * kWideGlyphBytes;
        return g;
    }

    // --- references of every record ---
    void resolveComponents() {
        uint32_t picture = out_.pictureDataAddress;
        dynamicRunning_ = recordsEnd_;
        for (DecodedScreen& screen : out_.screens) {
            for (DecodedComponent& c : screen.components) {
                if (!c.recordComplete)
                    continue;
                const size_t r = c.recordOffset;
                const std::string owner = who(screen, c);
                switch (c.kind) {
                    case kKindChars:
                        c.text = decodeText(r + 4, u8(r + 3), owner);
                        break;
                    case kKindLight:
                        c.firstImage = u8(r + 10);
                        if (c.firstImage >= kLampGlyphs) {
                            problem(r + 10, owner + ": lamp image " + std::to_string(c.firstImage) +
                                                " is not one of the lamp glyphs 0..3.");
                        } else {
                            c.symbols.push_back(wideGlyph(c.firstImage));
                        }
                        break;
                    case kKindFunction:
                        resolveKey(c, owner);
                        break;
                    case kKindPicture:
                        resolvePicture(c, owner, picture);
                        break;
                    case kKindDynamic:
                        resolveDynamic(c, owner);
                        break;
                    default:
                        break;
                }
            }
        }
    }

    void resolveKey(DecodedComponent& c, const std::string& owner) {
        const size_t first = lampUsed_ ? kLampGlyphs : 0;
        for (size_t k = 0; k < (c.hand ? 2u : 1u); ++k) {
            const uint8_t index = u8(c.recordOffset + 16 + k);
            GlyphUse g = wideGlyph(index);
            if (index < first || index >= characterBase_ || !g.resolved) {
                g.resolved = false;
                problem(c.recordOffset + 16 + k,
                        owner + ": symbol glyph " + std::to_string(index) +
                            " lies outside the symbol glyphs " + std::to_string(first) + ".." +
                            std::to_string(static_cast<long>(characterBase_) - 1) +
                            " of the 16 x 16 table.");
            }
            c.symbols.push_back(g);
        }
    }

    void resolvePicture(DecodedComponent& c, const std::string& owner, uint32_t& running) {
        const size_t bytes = pictureBytes(c.width, c.height);
        if (!sameAddress(c.bitmapAddress, running)) {
            problem(c.recordOffset + 5, owner + ": the bitmap lies at " + hex4(c.bitmapAddress) +
                                            ", expected " + hex4(running) +
                                            " (after the previous picture's).");
        }
        running += static_cast<uint32_t>(bytes);
        const uint32_t address = c.bitmapAddress;
        const bool inside = picturesValid_ && tableValid_ && address >= out_.pictureDataAddress &&
                            address + bytes <= out_.screenTableAddress && offsetOf(address, bytes);
        if (!inside) {
            problem(c.recordOffset + 5,
                    owner + ": the " + std::to_string(bytes) + "-byte bitmap at " + hex4(address) +
                        " lies outside the picture data " + hex4(out_.pictureDataAddress) + ".." +
                        hex4(out_.screenTableAddress) + ".");
            return;
        }
        c.bitmapResolved = true;
        c.bitmapOffset = address - kBase;
    }

    void resolveDynamic(DecodedComponent& c, const std::string& owner) {
        const size_t r = c.recordOffset;
        const size_t count = u8(r + 10);
        const uint32_t dataEnd =
            out_.alarmAddress == 0 && endAddress() == 0x10000 ? 0x10000 : out_.alarmAddress;
        for (size_t i = 0; i < count; ++i) {
            DynamicEntry e;
            e.value = be16(r + 12 + 4 * i);
            e.blockAddress = be16(r + 14 + 4 * i);
            const size_t at = r + 14 + 4 * i;
            if (!sameAddress(e.blockAddress, dynamicRunning_)) {
                problem(at, owner + ": the text block of entry " + std::to_string(i + 1) +
                                " lies at " + hex4(e.blockAddress) + ", expected " +
                                hex4(dynamicRunning_) + ".");
            }
            const uint32_t address = e.blockAddress;
            auto block = offsetOf(address, 2);
            const size_t length = block ? u8(*block + 1) : 0;
            dynamicRunning_ = address + 2 + static_cast<uint32_t>(length);
            if (!block || address < recordsEnd_ || address + 2 + length > dataEnd ||
                !has(*block, 2 + length)) {
                problem(at, owner + ": the text block of entry " + std::to_string(i + 1) + " at " +
                                hex4(address) + " lies outside the dynamic-text data " +
                                hex4(recordsEnd_) + ".." + hex4(dataEnd) + ".");
            } else {
                e.resolved = true;
                if (u8(*block) != c.attributes) {
                    problem(*block, owner + ": the text block of entry " + std::to_string(i + 1) +
                                        " has attributes " + std::to_string(u8(*block)) +
                                        ", the record " + std::to_string(c.attributes) + ".");
                }
                e.text = decodeText(*block + 2, length, owner + ", entry " + std::to_string(i + 1));
            }
            c.entries.push_back(std::move(e));
        }
        if (!c.entries.empty())
            c.text = c.entries.front().text;
    }

    void checkDynamicDataEnd() {
        if (!tableValid_)
            return;
        if (!sameAddress(out_.alarmAddress, dynamicRunning_)) {
            problem(4, "The alarm-block address " + hex4(out_.alarmAddress) +
                           " is not the end of the dynamic-text data, " + hex4(dynamicRunning_) +
                           ".");
        }
    }

    // --- alarm block ---
    void readAlarms() {
        const uint8_t flag = out_.header[34];
        const uint32_t address =
            out_.alarmAddress == 0 && endAddress() == 0x10000 ? 0x10000 : out_.alarmAddress;
        if (flag == 0) {
            if (address != endAddress())
                problem(4, "No alarm block is announced, yet the image runs on from " +
                               hex4(address) + " to " + hex4(endAddress()) + ".");
            return;
        }
        if (flag != 1)
            problem(34, "The alarm flag holds " + std::to_string(flag) + ", not 0 or 1.");
        auto at = offsetOf(address, kAlarmHeaderBytes);
        if (!at) {
            problem(4, "The alarm block at " + hex4(address) + " lies outside the image.");
            return;
        }
        DecodedAlarms alarms;
        alarms.offset = *at;
        alarms.count = u8(*at);
        const size_t headerBytes = kAlarmHeaderBytes + 3 * static_cast<size_t>(alarms.count);
        if (!has(*at, headerBytes)) {
            problem(*at, "The alarm header of " + std::to_string(alarms.count) +
                             " texts runs past the end of the image.");
            out_.alarms = std::move(alarms);
            return;
        }
        uint32_t running = address + static_cast<uint32_t>(headerBytes);
        for (size_t i = 0; i < alarms.count; ++i) {
            const size_t entry = *at + kAlarmHeaderBytes + 3 * i;
            const std::string owner = "Alarm text " + std::to_string(i + 1);
            if (u8(entry) != i)
                problem(entry, owner + ": numbered " + std::to_string(u8(entry)) + ", expected " +
                                   std::to_string(i) + ".");
            DecodedAlarmText t;
            t.address = be16(entry + 1);
            if (!sameAddress(t.address, running))
                problem(entry + 1, owner + ": lies at " + hex4(t.address) + ", expected " +
                                       hex4(running) + ".");
            auto text = offsetOf(t.address, kAlarmEntryPrefix);
            const size_t length = text ? u8(*text) : 0;
            running = t.address + static_cast<uint32_t>(kAlarmEntryPrefix + length);
            if (!text || t.address < address + headerBytes ||
                !has(*text, kAlarmEntryPrefix + length)) {
                problem(entry + 1, owner + ": the entry at " + hex4(t.address) +
                                       " lies outside the alarm block.");
            } else {
                t.resolved = true;
                t.text = decodeText(*text + kAlarmEntryPrefix, length, owner);
            }
            alarms.texts.push_back(std::move(t));
        }
        if (running != endAddress())
            problem(std::min<size_t>(running - kBase, img_.size()),
                    "The alarm texts end at " + hex4(running) + ", the image at " +
                        hex4(endAddress()) + ".");
        out_.alarms = std::move(alarms);
    }

    std::span<const uint8_t> img_;
    DecodedImage out_;
    bool narrowValid_ = true;
    bool tableValid_ = false;
    bool picturesValid_ = true;
    bool lampUsed_ = false;
    std::set<uint8_t> symbolsUsed_;
    size_t pictureData_ = 0;
    size_t characterBase_ = 0;
    uint32_t pointerTableStart_ = 0;
    uint32_t recordsStart_ = 0;
    uint32_t recordsEnd_ = 0;
    uint32_t dynamicRunning_ = 0;
};

}  // namespace

int DecodedText::naturalWidth() const {
    int width = 0;
    for (const GlyphUse& g : glyphs)
        width += g.wide ? 16 : 8;
    return width;
}

DecodedImage decodeImage(std::span<const uint8_t> image) {
    return Decoder(image).run();
}

std::vector<std::string> describeProblems(const DecodedImage& decoded) {
    std::vector<std::string> lines;
    for (const ImageProblem& p : decoded.problems) {
        lines.push_back("offset " + std::to_string(p.offset) + " (" +
                        hex4(kBase + static_cast<uint32_t>(p.offset)) + "): " + p.message);
    }
    if (decoded.problemsLeftOut > 0)
        lines.push_back("... and " + std::to_string(decoded.problemsLeftOut) + " more problems");
    return lines;
}

}  // namespace vanta
