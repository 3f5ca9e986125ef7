#pragma once
// The register: a numeric field that shows the value of one PLC register (or of several
// consecutive registers read as one value) and, when settable, lets the operator enter a new
// value on the panel, optionally within input limits, behind the panel password, or scaled from
// raw data to engineering units. The editor shows a sample value made of the digits 1, 2, 3, ...
// in the configured format, in "Arial".
//
// The rules of the register's property page live in RegisterPageRules.h.

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/CBase.h"
#include "model/LimitOrder.h"

namespace vanta {

class CRegister : public CBase {
  public:
    static constexpr size_t kReservedBytes = 99;
    // Record without limits; the input limits add 8 bytes, the engineering limits 8 more.
    static constexpr uint16_t kBaseRecordBytes = 11;
    static constexpr int kMaxDigits = 10;
    static constexpr int kMaxDecimals = 10;
    // Shown when the decimals exceed the digits.
    static constexpr const char* kDecimalsErrorMessage = "Register error!";

    // For loading: the defaults of the context's protocol, no position yet.
    explicit CRegister(const ModelContext& context);
    // At a click point (screen pixels); the screen then calls PlaceAt.
    CRegister(const ModelContext& context, int32_t x, int32_t y);
    // The common part and every field of the register; no download record.
    CRegister(const CRegister& other);

    const RuntimeClass& GetRuntimeClass() const override;
    // Common record, then the register's fields; sub-type, type value and block word only from
    // files of version 11 on (always written); 99 reserved bytes.
    void Serialize(Archive& ar) override;
    void UpdatePageCoordinates() override;
    // 11 bytes, + 8 with input limits, + 8 more with engineering data.
    void ComputeRecordSize() override;
    // Validates the input limits first when they are downloaded, correcting them in the register
    // itself unless the download is a preview; raises the download's limits-corrected, option
    // (password) and type-81 flags.
    Status BuildDownloadRecord(DownloadContext& download) override;
    // The sample text in "Arial" at 25 points (50 in double size).
    void Draw(Canvas& canvas) override;
    // Width from the shown characters; warns "Register error!" when the decimals exceed the
    // digits (the point is then not counted).
    void SetPosition(int32_t x, int32_t y) override;
    // A 32-bit counter type (see isCounter) forces the register count to 2 first.
    void FillPropertyPage() override;
    void ShowPropertyPage() override;

    // --- derived values ---
    // Word-list type code of m_regType.
    uint8_t typeCode() const;
    // Whether the type is the protocol's 32-bit counter type (the profile's counterTypeCode).
    bool isCounter() const;
    // Byte 4 of the download: the type value under module addressing, otherwise typeCode().
    uint8_t downloadTypeCode() const;
    // Bytes 5 and 6: the block word under module addressing, otherwise m_address.
    uint16_t downloadAddress() const;
    // Data width in bytes of one register (the RP code counts 2).
    int dataWidth() const { return typeCodeWidth(downloadTypeCode()); }
    // Characters of the shown text for the rectangle: digits + sign, + 1 for the point when
    // 0 < decimals < digits, + 2 ("0.") when decimals = digits, + 0 when decimals > digits.
    int32_t shownCells() const;
    // Byte 9 of the download: digits + sign, + 1 when there are decimals, + 1 more when the
    // decimals reach the digits. Not limited to a byte (a damaged file may exceed it).
    int32_t downloadWidth() const;
    // The editor's sample: "-" when signed, the integer part of the number made of the digits
    // 1, 2, 3, ... (i mod 10) divided by 10^decimals, then "." and the remainder.
    std::string SampleText() const;
    // Whether the record can be downloaded (byte 9 must hold the shown width); names the
    // component.
    Status checkForDownload() const;

    // The input limits as the download writes them (orderedLimits: compared signed or unsigned
    // by m_signed, an upper limit not above the lower one becomes lower + 1).
    LimitPair downloadInputLimits() const;
    // Stores downloadInputLimits() in the register. Returns true when something was corrected.
    bool correctInputLimits();

    // Protocol 31: type value and parameter number of the selected module (m_regType) and
    // parameter (m_subType), and the block word of the module and the address. Nothing under
    // other protocols.
    void updateProtocol31Values();

    uint8_t m_decimals = 0;   // digits after the decimal point, 0..10
    uint8_t m_digits = 5;     // digits shown, 1..10
    uint8_t m_password = 0;   // entry on the panel needs the panel password
    uint8_t m_dataKind = 0;   // 0 raw data, 1 engineering data
    uint8_t m_settable = 0;   // the operator may enter a value
    uint8_t m_limits = 0;     // input limits apply
    int32_t m_inputHigh = 0;  // 2^bits - 1 of the default type
    int32_t m_inputLow = 0;
    int32_t m_engHigh = 0;  // 2^bits - 1 of the default type
    int32_t m_engLow = 0;
    uint16_t m_blockWord = 0;  // protocol 31: block code << 8 | address low byte
    uint8_t m_typeValue = 0;   // protocol 31: type value of the parameter
};

}  // namespace vanta
