#include "model/CRegister.h"

#include <limits>

#include "protocols/ParameterCodes.h"

namespace vanta {

namespace {

// 2^bits - 1 as a 32-bit pattern (all bits set from 32 bits on).
int32_t allOnes(int bits) {
    if (bits >= 32)
        return -1;
    return static_cast<int32_t>((uint32_t{1} << bits) - 1);
}

void putBE32(Bytes& record, size_t at, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    record[at] = static_cast<uint8_t>(v >> 24);
    record[at + 1] = static_cast<uint8_t>(v >> 16);
    record[at + 2] = static_cast<uint8_t>(v >> 8);
    record[at + 3] = static_cast<uint8_t>(v);
}

// A decimal digit string without its leading zeros ("0" when nothing is left).
std::string withoutLeadingZeros(const std::string& digits) {
    const size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? std::string("0") : digits.substr(first);
}

}  // namespace

CRegister::CRegister(const ModelContext& context) : CBase(context) {
    m_kind = kKindRegister;
    const ProtocolProfile& profile = context.profile();
    // A module's parameter is taken as one word until it is chosen.
    const int width = profile.moduleAddressing
                          ? 2
                          : typeCodeWidth(registerTypeCode(context.vocab(), 0, kParameterWord));
    m_inputHigh = m_engHigh = allOnes(width * 8);
    m_address = profile.bindings.registerAddress;
}

CRegister::CRegister(const ModelContext& context, int32_t x, int32_t y) : CRegister(context) {
    m_x = panelFromScreen(x);
    m_y = panelFromScreen(y);
}

CRegister::CRegister(const CRegister& other)
    : CBase(other),
      m_decimals(other.m_decimals),
      m_digits(other.m_digits),
      m_password(other.m_password),
      m_dataKind(other.m_dataKind),
      m_settable(other.m_settable),
      m_limits(other.m_limits),
      m_inputHigh(other.m_inputHigh),
      m_inputLow(other.m_inputLow),
      m_engHigh(other.m_engHigh),
      m_engLow(other.m_engLow),
      m_blockWord(other.m_blockWord),
      m_typeValue(other.m_typeValue) {
    copyRegisterBinding(other);
}

const RuntimeClass& CRegister::GetRuntimeClass() const {
    return runtimeClassOf(kKindRegister);
}

void CRegister::Serialize(Archive& ar) {
    CBase::Serialize(ar);
    checkLoadedKind(ar, m_kind, kKindRegister);
    ar.io(m_doubleSize);
    ar.io(m_inverse);
    ar.io(m_station);
    ar.io(m_regType);
    ar.io(m_address);
    ar.io(m_regCount);
    ar.io(m_digits);
    ar.io(m_decimals);
    ar.io(m_settable);
    ar.io(m_limits);
    ar.io(m_inputHigh);
    ar.io(m_inputLow);
    ar.io(m_engHigh);
    ar.io(m_engLow);
    ar.io(m_password);
    ar.io(m_displayMode);
    ar.io(m_signed);
    ar.io(m_dataKind);
    ar.io(m_subAddress);
    if (ar.isStoring() || ar.loadedVersion >= 11) {
        ar.io(m_subType);
        ar.io(m_typeValue);
        ar.io(m_blockWord);
    }
    SkipReserved(ar, kReservedBytes);
    if (ar.isLoading())
        SetPosition(screenFromPanel(m_x), screenFromPanel(m_y));
}

void CRegister::UpdatePageCoordinates() {
    if (PageHost* host = pages())
        host->setPageCoordinates(m_kind, m_x, m_y);
}

void CRegister::ComputeRecordSize() {
    m_recordLen =
        static_cast<uint16_t>(kBaseRecordBytes + flagBit(m_limits) * (flagBit(m_dataKind) + 1) * 8);
}

uint8_t CRegister::typeCode() const {
    return registerTypeCode(context().vocab(), m_regType, kParameterWord);
}

uint8_t CRegister::downloadTypeCode() const {
    return context().profile().moduleAddressing ? m_typeValue : typeCode();
}

uint16_t CRegister::downloadAddress() const {
    return context().profile().moduleAddressing ? m_blockWord : m_address;
}

int32_t CRegister::shownCells() const {
    int32_t extra = 0;
    if (m_decimals > 0 && m_decimals < m_digits)
        extra = 1;
    else if (m_decimals > 0 && m_decimals == m_digits)
        extra = 2;
    return m_digits + flagBit(m_signed) + extra;
}

int32_t CRegister::downloadWidth() const {
    int32_t width = m_digits + flagBit(m_signed);
    if (m_decimals > 0) {
        ++width;
        if (m_decimals >= m_digits)
            ++width;
    }
    return width;
}

std::string CRegister::SampleText() const {
    // The number's digits as text, so any digit count from a file is shown without overflow.
    std::string digits;
    for (int i = 1; i <= m_digits; ++i)
        digits += static_cast<char>('0' + i % 10);
    const size_t decimals = m_decimals;
    const size_t integerLength = digits.size() > decimals ? digits.size() - decimals : 0;
    std::string text = m_signed ? "-" : "";
    text += withoutLeadingZeros(digits.substr(0, integerLength));
    if (decimals > 0)
        text += "." + withoutLeadingZeros(digits.substr(integerLength));
    return text;
}

Status CRegister::checkForDownload() const {
    if (downloadWidth() > 255)
        return Status::failure(describe() + ": " + std::to_string(m_digits) +
                               " digits cannot be shown on the panel");
    return Status::success();
}

LimitPair CRegister::downloadInputLimits() const {
    return orderedLimits(m_inputHigh, m_inputLow, m_signed != 0);
}

bool CRegister::correctInputLimits() {
    const LimitPair limits = downloadInputLimits();
    m_inputHigh = limits.high;
    m_inputLow = limits.low;
    return limits.corrected;
}

Status CRegister::BuildDownloadRecord(DownloadContext& download) {
    if (Status fits = checkForDownload(); !fits.ok())
        return fits;
    if (Status built = CBase::BuildDownloadRecord(download); !built.ok())
        return built;
    const bool withLimits = m_limits != 0;
    const bool withEngineering = withLimits && m_dataKind != 0;
    const size_t needed = kBaseRecordBytes + (withLimits ? 8 : 0) + (withEngineering ? 8 : 0);
    if (m_record.size() < needed)
        return Status::failure(describe() + ": record size not computed");

    const LimitPair limits = downloadInputLimits();
    if (withLimits && limits.corrected) {
        download.limitsCorrected = true;
        if (download.correctComponents) {
            m_inputHigh = limits.high;
            m_inputLow = limits.low;
        }
    }
    if (m_password != 0)
        download.optionUsed = true;
    if (typeCode() == 81)
        download.type81Used = true;

    const uint8_t t = downloadTypeCode();
    const uint16_t address = downloadAddress();
    m_record[2] = static_cast<uint8_t>(flagBit(m_inverse) | flagBit(m_doubleSize) << 1 |
                                       flagBit(m_dataKind) << 2 | flagBit(m_settable) << 3 |
                                       flagBit(m_signed) << 4 | flagBit(m_displayMode) << 5 |
                                       flagBit(m_password) << 6 | flagBit(m_limits) << 7);
    m_record[3] = m_station;
    m_record[4] = t;
    m_record[5] = static_cast<uint8_t>(address >> 8);
    m_record[6] = static_cast<uint8_t>(address);
    m_record[7] = static_cast<uint8_t>((t & 0x0F) * m_regCount);
    m_record[8] = m_subAddress;
    m_record[9] = static_cast<uint8_t>(downloadWidth());
    m_record[10] = m_decimals;
    if (withLimits) {
        putBE32(m_record, 11, limits.high);
        putBE32(m_record, 15, limits.low);
    }
    if (withEngineering) {
        putBE32(m_record, 19, m_engHigh);
        putBE32(m_record, 23, m_engLow);
    }
    return Status::success();
}

void CRegister::Draw(Canvas& canvas) {
    const Color text = m_inverse ? kDisplayDark : kDisplayLight;
    const Color background = m_inverse ? kDisplayLight : kDisplayDark;
    const Font font{"Arial", (flagBit(m_doubleSize) + 1) * 250};
    canvas.drawText(m_rect, SampleText(), font, text, background, TextWordBreak);
}

void CRegister::SetPosition(int32_t x, int32_t y) {
    if (m_decimals > m_digits)
        context().warning(kDecimalsErrorMessage);
    const int32_t scale = flagBit(m_doubleSize) + 1;
    m_rect = {x, y, x + shownCells() * scale * kScreenCellWidth, y + scale * kScreenCellHeight};
}

void CRegister::FillPropertyPage() {
    if (isCounter())
        m_regCount = 2;
    if (PageHost* host = pages())
        host->fillPage(*this);
}

void CRegister::ShowPropertyPage() {
    if (PageHost* host = pages())
        host->showPage(m_kind);
}

bool CRegister::isCounter() const {
    const uint8_t counter = context().profile().counterTypeCode;
    return counter != 0 && typeCode() == counter;
}

void CRegister::updateProtocol31Values() {
    if (!context().profile().moduleAddressing)
        return;
    m_typeValue = ParameterTypeValue(m_regType, m_subType, kParameterWord);
    m_subAddress = ParameterNumber(m_regType, m_subType, kParameterWord);
    m_blockWord = BlockWord(m_regType, kParameterWord, m_address);
}

}  // namespace vanta
