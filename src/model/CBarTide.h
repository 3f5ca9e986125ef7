#pragma once
// The common base of the bar graph (CBar) and the trend (CTide): a PLC word register (or several
// read together) shown between a zero-scale and a full-scale value. It holds the binding, the two
// scale values, the size and the module-addressing values, writes the shared parts of the
// persistent and download records, and knows the rules of the property page both classes share.

#include <cstdint>
#include <string>

#include "model/CBase.h"
#include "model/LimitOrder.h"

namespace vanta {

class CBarTide : public CBase {
  public:
    static constexpr size_t kReservedBytes = 99;
    static constexpr uint8_t kDefaultHeight = 48;
    // Width and height spins start at 16 panel pixels.
    static constexpr int32_t kMinimumSize = 16;

    const RuntimeClass& GetRuntimeClass() const override;
    // The common record (kind, x, y), then width, height, mode, sign, full and zero scale,
    // station, type, address, register count and, from version 11 on, sub-type, block word and
    // type value. Fails the archive when the record's kind is not the class's own. The classes
    // add their block after it.
    void Serialize(Archive& ar) override;
    // Size rule (screen pixels): right = trunc(x + width x 2.25 + 0.5), bottom likewise with the
    // height. The double-size flag plays no part.
    void SetPosition(int32_t x, int32_t y) override;
    // Writes m_x, m_y into the page's X and Y spins (the page then takes widthRange() and
    // heightRange() for the size spins).
    void UpdatePageCoordinates() override;
    void FillPropertyPage() override;
    void ShowPropertyPage() override;
    // Base header, then bytes 2..18 (mode and sign, station, type, address, byte count,
    // sub-address, size, both scales). A full scale not above the zero scale is corrected first,
    // in the component itself unless the download is a preview; the download's limit indicator
    // is raised with code 3.
    Status BuildDownloadRecord(DownloadContext& download) override;

    // Full and zero scale as the download writes them (orderedLimits, compared unsigned or
    // signed by m_signed: a full scale not above the zero scale becomes the zero scale + 1).
    LimitPair downloadScales() const;
    // Stores downloadScales() in the component. Returns true when something was corrected.
    bool CorrectScales();

    // The type code the record sends: the stored type value under module addressing, otherwise the
    // catalogue code of m_regType in the word list.
    uint8_t downloadTypeCode(uint8_t protocol, const Vocabulary& vocabulary) const;

    // --- rules of the bar/trend property page ---
    struct Range {
        int64_t min = 0;
        int64_t max = 0;
        bool operator==(const Range&) const = default;
    };
    // The scale range when the page is filled: n = low nibble of the low byte of (type code x
    // register count), with code 0x70 taken as 2; by module (`byModule`) n = 4. With s = m_signed:
    // max = 2^(8n) / (s + 1) - 1, min = -s x (max + 1). Limited to what the 32-bit scale fields
    // hold (0 .. 4294967295 unsigned, -2147483648 .. 2147483647 signed).
    static Range fillScaleRange(uint8_t typeCode, uint8_t regCount, bool isSigned, bool byModule);
    // The scale range after "有符号数", the type or the register count changed: n = the type
    // code's data width (2 by module), g = 1 for one register, else 2^32;
    // max = g x (2^(8n) / (s + 1) - 1), min = -s x g x (max + 1). Limited as above.
    static Range changedScaleRange(uint8_t typeCode, uint8_t regCount, bool isSigned,
                                   bool byModule);
    // Typed scale values are checked for a 4-byte type or more than one register.
    static bool wideScaleChecks(uint8_t typeCode, uint8_t regCount);
    // After a sign, type or count change: signed values are kept within -2147483647 ..
    // 2147483647, unsigned ones are at least 0.
    static int64_t clampTypedScale(int64_t typed, bool isSigned);
    // A typed scale value is accepted within -2147483647 .. 2147483647 (signed) or
    // 0 .. 4294967295 (unsigned); otherwise the edit gets back the last accepted value.
    static bool typedScaleAcceptable(int64_t typed, bool isSigned);
    // The full-scale and zero-scale edits are disabled for the type "6x".
    static bool scalesEditable(const std::string& typeName);

    // Register count and station by the selected type.
    struct CountRule {
        uint8_t low = 1;  // register count spin range
        uint8_t high = 1;
        bool editable = true;            // false: the count is fixed to `low`
        bool lowestStationOnly = false;  // the station spin allows only the lowest station
        bool operator==(const CountRule&) const = default;
    };
    // Codes 0x51, 0x70, 0x72, 0x74 and 0x91: one register, lowest station only; any other code:
    // 1 .. the catalogue's highest count. Where the profile names the counted types (protocols
    // 20 and 23: "D" and "SD") only they keep an editable count; any other type is fixed to 2
    // when the profile names it a double-word type ("C_double"), else to 1.
    //
    // The 32-bit counter type of protocols 20 and 23 (code 0xD2) once also narrowed both scale
    // spins to 200 .. 255. Nothing gives that range a meaning (a double-word counter holds 32
    // bits), so it is not applied here: such a type gets the count 2 of the rule above and the
    // scale range its width gives.
    static CountRule countRule(const Vocabulary& vocabulary, uint8_t typeCode,
                               const std::string& typeName);

    // Ranges of the page's spins for this component.
    Range widthRange() const { return {kMinimumSize, kPanelWidth - m_x}; }
    Range heightRange() const { return {kMinimumSize, kPanelHeight - m_y}; }
    Range xRange() const { return {0, pageXMaximum()}; }
    Range yRange() const { return {0, pageYMaximum()}; }
    // The address spin: from 1 where the profile's barAddressesFromOne says so (protocols 3, 7,
    // 16, 19, 21, 25, 31, 33 and 34), else from 0, up to the catalogue's highest word register.
    static Range addressRange(uint8_t protocol, const Vocabulary& vocabulary);
    // The bit-number spin: 0 .. the catalogue's highest bit index within a word.
    static Range bitNumberRange(const Vocabulary& vocabulary) {
        return {0, vocabulary.highestBitIndex};
    }

    // The selected type's code as the page uses it (the type value under protocol 31).
    uint8_t pageTypeCode() const;
    // The name of the selected type in the word list (empty when out of the list).
    std::string typeName() const;
    // Scale ranges of this component with its current type, count and sign.
    Range fillScaleRange() const;
    Range changedScaleRange() const;
    // The count rule of the selected type; applyCountRule() brings m_regCount into its range.
    CountRule countRule() const;
    void applyCountRule();
    // Stores the mode radio (SetDisplayMode(mode, 0)); "HEX/BCD" (0) clears m_signed.
    void applyDisplayMode(uint8_t mode);
    // Protocol 31: parameter number, type value and block word from the module (m_regType),
    // parameter (m_subType) and address. Nothing under other protocols.
    void applyProtocol31Codes();
    // X or Y spin changed (m_x, m_y already written).
    void onPagePositionChanged() { applyPagePosition(); }
    // Width or height spin changed (already written): the size rule at the current corner, back
    // into the display when needed.
    void onPageSizeChanged() { Refit(); }

    // --- fields ---
    int32_t m_fullScale = 0;  // 满额度值
    int32_t m_zeroScale = 0;  // 零额度值
    uint8_t m_height = kDefaultHeight;
    uint8_t m_width = 0;       // set by the class
    uint16_t m_blockWord = 0;  // protocol 31: block code << 8 | address low byte
    uint8_t m_typeValue = 0;   // protocol 31: type value of the parameter

  protected:
    // Base defaults, one register, unsigned, the profile's bar address, full scale 2^(8n) - 1 for
    // the n data bytes of the default type.
    CBarTide(const ModelContext& context, uint8_t kind, uint8_t width);
    // Every stored field of this class and the binding fields; no download record.
    CBarTide(const CBarTide& other);
};

// Full scale of a new bar or trend for `n` data bytes: 2^(8n) - 1 in 32 bits.
int32_t defaultFullScale(int n);

}  // namespace vanta
