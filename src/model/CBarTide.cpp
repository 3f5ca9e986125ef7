#include "model/CBarTide.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/ByteOrder.h"
#include "protocols/ParameterCodes.h"

namespace vanta {

namespace {

constexpr uint16_t kMinimumRecord = 19;  // bytes 0..18 are written here

// Data bytes of the default type (index 0 of the word list, or the first parameter of the first
// module under module addressing).
int defaultTypeWidth(const ModelContext& context) {
    const uint8_t code = context.profile().moduleAddressing
                             ? ParameterTypeValue(0, 0, kParameterWord)
                             : registerTypeCode(context.vocab(), 0, 1);
    return typeCodeWidth(code);
}

void putBE32(uint8_t* at, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    at[0] = static_cast<uint8_t>(v >> 24);
    at[1] = static_cast<uint8_t>(v >> 16);
    at[2] = static_cast<uint8_t>(v >> 8);
    at[3] = static_cast<uint8_t>(v);
}

// A range computed in long double, limited to what the 32-bit scale fields hold.
CBarTide::Range limitedRange(long double min, long double max, bool isSigned) {
    const long double low = isSigned ? std::numeric_limits<int32_t>::min() : 0.0L;
    const long double high =
        isSigned ? std::numeric_limits<int32_t>::max() : std::numeric_limits<uint32_t>::max();
    min = std::clamp(min, low, high);
    max = std::clamp(max, low, high);
    return {static_cast<int64_t>(std::truncl(min)), static_cast<int64_t>(std::truncl(max))};
}

}  // namespace

int32_t defaultFullScale(int n) {
    if (n <= 0)
        return 0;
    if (n >= 4)
        return static_cast<int32_t>(0xFFFFFFFFu);
    return static_cast<int32_t>((1u << (8 * n)) - 1);
}

CBarTide::CBarTide(const ModelContext& context, uint8_t kind, uint8_t width)
    : CBase(context), m_width(width) {
    m_kind = kind;
    m_regCount = 1;
    m_signed = 0;
    m_subAddress = 0;
    m_address = context.profile().bindings.barAddress;
    m_fullScale = defaultFullScale(defaultTypeWidth(context));
}

CBarTide::CBarTide(const CBarTide& other)
    : CBase(other),
      m_fullScale(other.m_fullScale),
      m_zeroScale(other.m_zeroScale),
      m_height(other.m_height),
      m_width(other.m_width),
      m_blockWord(other.m_blockWord),
      m_typeValue(other.m_typeValue) {
    copyRegisterBinding(other);
}

const RuntimeClass& CBarTide::GetRuntimeClass() const {
    static const RuntimeClass kClass{"CBarTide", 1};
    return kClass;
}

void CBarTide::Serialize(Archive& ar) {
    const uint8_t ownKind = m_kind;
    CBase::Serialize(ar);
    if (ar.isLoading() && m_kind != ownKind) {
        checkLoadedKind(ar, m_kind, ownKind);
        m_kind = ownKind;
    }
    ar.io(m_width);
    ar.io(m_height);
    ar.io(m_displayMode);
    ar.io(m_signed);
    ar.io(m_fullScale);
    ar.io(m_zeroScale);
    ar.io(m_station);
    ar.io(m_regType);
    ar.io(m_address);
    ar.io(m_regCount);
    // Added in version 11; older files keep the constructor's values.
    if (ar.isStoring() || ar.loadedVersion >= 11) {
        ar.io(m_subType);
        ar.io(m_blockWord);
        ar.io(m_typeValue);
    }
}

void CBarTide::SetPosition(int32_t x, int32_t y) {
    const auto edge = [](int32_t corner, uint8_t size) {
        return static_cast<int32_t>(std::trunc(corner + size * kZoom + 0.5));
    };
    m_rect = {x, y, edge(x, m_width), edge(y, m_height)};
}

void CBarTide::UpdatePageCoordinates() {
    if (PageHost* host = pages())
        host->setPageCoordinates(m_kind, m_x, m_y);
}

void CBarTide::FillPropertyPage() {
    if (PageHost* host = pages())
        host->fillPage(*this);
}

void CBarTide::ShowPropertyPage() {
    if (PageHost* host = pages())
        host->showPage(m_kind);
}

uint8_t CBarTide::downloadTypeCode(uint8_t protocol, const Vocabulary& vocabulary) const {
    return protocolProfile(protocol).moduleAddressing ? m_typeValue
                                                      : registerTypeCode(vocabulary, m_regType, 1);
}

LimitPair CBarTide::downloadScales() const {
    return orderedLimits(m_fullScale, m_zeroScale, m_signed != 0);
}

bool CBarTide::CorrectScales() {
    const LimitPair scales = downloadScales();
    m_fullScale = scales.high;
    m_zeroScale = scales.low;
    return scales.corrected;
}

Status CBarTide::BuildDownloadRecord(DownloadContext& download) {
    if (Status built = CBase::BuildDownloadRecord(download); !built.ok())
        return built;
    if (m_record.size() < kMinimumRecord)
        return Status::failure(describe() + ": record size not computed");
    // The download's own protocol and vocabulary when the compiler gave them, else the model's.
    const uint8_t protocol = download.vocabulary ? download.protocol : context().protocol;
    const Vocabulary& vocabulary = download.vocabulary ? *download.vocabulary : context().vocab();
    const uint8_t type = downloadTypeCode(protocol, vocabulary);

    uint8_t* r = m_record.data();
    r[2] = static_cast<uint8_t>(flagBit(m_displayMode) << 5 | flagBit(m_signed) << 4);
    r[3] = m_station;
    r[4] = type;
    setBE16(r + 5, protocolProfile(protocol).moduleAddressing ? m_blockWord : m_address);
    r[7] = static_cast<uint8_t>((type & 0x0F) * m_regCount);
    r[8] = m_subAddress;
    r[9] = m_width;
    r[10] = m_height;
    const LimitPair scales = downloadScales();
    if (scales.corrected) {
        download.limitsCorrected = true;
        download.limitErrorCode = 3;
        if (download.correctComponents) {
            m_fullScale = scales.high;
            m_zeroScale = scales.low;
        }
    }
    putBE32(r + 11, scales.high);
    putBE32(r + 15, scales.low);
    return Status::success();
}

// --- page rules ---

CBarTide::Range CBarTide::fillScaleRange(uint8_t typeCode, uint8_t regCount, bool isSigned,
                                         bool byModule) {
    int n = 4;
    if (!byModule) {
        const unsigned code = typeCode == 0x70 ? 2u : typeCode;
        n = static_cast<int>(((code * regCount) & 0xFFu) & 0x0Fu);
    }
    const long double s = isSigned ? 1.0L : 0.0L;
    const long double max = std::ldexp(1.0L, 8 * n) / (s + 1) - 1;
    const long double min = -s * (max + 1);
    return limitedRange(min, max, isSigned);
}

CBarTide::Range CBarTide::changedScaleRange(uint8_t typeCode, uint8_t regCount, bool isSigned,
                                            bool byModule) {
    const int n = byModule ? 2 : typeCodeWidth(typeCode);
    const long double g = regCount == 1 ? 1.0L : std::ldexp(1.0L, 32);
    const long double s = isSigned ? 1.0L : 0.0L;
    const long double max = g * (std::ldexp(1.0L, 8 * n) / (s + 1) - 1);
    const long double min = -s * g * (max + 1);
    return limitedRange(min, max, isSigned);
}

bool CBarTide::wideScaleChecks(uint8_t typeCode, uint8_t regCount) {
    return typeCodeWidth(typeCode) == 4 || regCount > 1;
}

int64_t CBarTide::clampTypedScale(int64_t typed, bool isSigned) {
    if (isSigned)
        return std::clamp<int64_t>(typed, -2147483647, 2147483647);
    return std::max<int64_t>(typed, 0);
}

bool CBarTide::typedScaleAcceptable(int64_t typed, bool isSigned) {
    return isSigned ? typed >= -2147483647 && typed <= 2147483647
                    : typed >= 0 && typed <= 4294967295;
}

bool CBarTide::scalesEditable(const std::string& typeName) {
    return typeName != "6x";
}

CBarTide::CountRule CBarTide::countRule(const Vocabulary& vocabulary, uint8_t typeCode,
                                        const std::string& typeName) {
    CountRule rule;
    switch (typeCode) {
        case 0x51:
        case 0x70:
        case 0x72:
        case 0x74:
        case 0x91:
            rule.low = rule.high = 1;
            rule.lowestStationOnly = true;
            break;
        default:
            rule.low = 1;
            rule.high = static_cast<uint8_t>(std::clamp(vocabulary.maxRegisterCount, 1, 255));
            break;
    }
    const ProtocolProfile& profile = vocabulary.profile();
    if (!profile.countedTypes.empty() && !containsName(profile.countedTypes, typeName)) {
        rule.low = rule.high = containsName(profile.doubleWordTypes, typeName) ? 2 : 1;
        rule.editable = false;
    }
    return rule;
}

CBarTide::Range CBarTide::addressRange(uint8_t protocol, const Vocabulary& vocabulary) {
    return {protocolProfile(protocol).barAddressesFromOne ? 1 : 0, vocabulary.maxWordRegister};
}

uint8_t CBarTide::pageTypeCode() const {
    return downloadTypeCode(context().protocol, context().vocab());
}

std::string CBarTide::typeName() const {
    const auto& names = context().vocab().wordTypes;
    if (names.empty())
        return {};
    return names[std::min<size_t>(m_regType, names.size() - 1)];
}

CBarTide::Range CBarTide::fillScaleRange() const {
    return fillScaleRange(pageTypeCode(), m_regCount, m_signed != 0,
                          context().profile().moduleAddressing);
}

CBarTide::Range CBarTide::changedScaleRange() const {
    return changedScaleRange(pageTypeCode(), m_regCount, m_signed != 0,
                             context().profile().moduleAddressing);
}

CBarTide::CountRule CBarTide::countRule() const {
    return countRule(context().vocab(), pageTypeCode(), typeName());
}

void CBarTide::applyCountRule() {
    const CountRule rule = countRule();
    m_regCount = std::clamp(m_regCount, rule.low, rule.high);
}

void CBarTide::applyDisplayMode(uint8_t mode) {
    SetDisplayMode(mode, 0);
    if (mode == 0)
        m_signed = 0;
}

void CBarTide::applyProtocol31Codes() {
    if (!context().profile().moduleAddressing)
        return;
    m_subAddress = ParameterNumber(m_regType, m_subType, kParameterWord);
    m_typeValue = ParameterTypeValue(m_regType, m_subType, kParameterWord);
    m_blockWord = BlockWord(m_regType, kParameterWord, m_address);
}

}  // namespace vanta
