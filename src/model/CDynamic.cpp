#include "model/CDynamic.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "common/ByteOrder.h"
#include "model/GlyphCodes.h"
#include "model/TextRenderer.h"
#include "protocols/ParameterCodes.h"

namespace vanta {

namespace {

bool fixesStation(uint8_t typeCode) {
    return typeCode == 81 || typeCode == 112 || typeCode == 114 || typeCode == 116 ||
           typeCode == 145;
}

// Decimal for any display mode but 0 (a flag byte), hexadecimal for 0.
ByteString formatValue(int32_t value, uint8_t mode) {
    char buffer[16];
    if (flagBit(mode) != 0)
        std::snprintf(buffer, sizeof buffer, "%d", value);
    else
        std::snprintf(buffer, sizeof buffer, "%x", static_cast<unsigned>(value));
    return buffer;
}

// Reads a list count and checks that the file can hold that many items.
bool readCount(Archive& ar, uint32_t& count, size_t minBytesEach, const char* what) {
    ar.ioCount(count);
    return ar.ok() && ar.canHold(count, minBytesEach, what);
}

void serializeTexts(Archive& ar, std::vector<ByteString>& texts, const char* what) {
    uint32_t count = static_cast<uint32_t>(texts.size());
    if (ar.isStoring()) {
        ar.ioCount(count);
        for (ByteString& text : texts)
            ar.ioString(text);
        return;
    }
    texts.clear();
    if (!readCount(ar, count, 1, what))
        return;
    texts.reserve(count);
    for (uint32_t i = 0; i < count && ar.ok(); ++i)
        texts.push_back(ar.readString());
}

void serializeValues(Archive& ar, std::vector<int32_t>& values) {
    uint32_t count = static_cast<uint32_t>(values.size());
    if (ar.isStoring()) {
        ar.ioCount(count);
        for (int32_t& value : values)
            ar.io(value);
        return;
    }
    values.clear();
    if (!readCount(ar, count, 4, "dynamic text values"))
        return;
    values.reserve(count);
    for (uint32_t i = 0; i < count && ar.ok(); ++i)
        values.push_back(static_cast<int32_t>(ar.readU32()));
}

}  // namespace

CDynamic::CDynamic(const ModelContext& context)
    : CBase(context), m_texts(kEntries), m_valueTexts(kEntries), m_values(kEntries, 0) {
    m_kind = kKindDynamic;
    m_address = context.profile().bindings.dynamicAddress;
}

CDynamic::CDynamic(const ModelContext& context, int32_t x, int32_t y, ByteString text)
    : CDynamic(context) {
    m_x = panelFromScreen(x);
    m_y = panelFromScreen(y);
    m_texts[0] = std::move(text);
    m_valueTexts[0] = "1";
    m_values[0] = 1;
    m_editValue = 1;
}

CDynamic::CDynamic(const CDynamic& other)
    : CBase(other),
      m_textWidth(other.m_textWidth),
      m_texts(other.m_texts),
      m_valueTexts(other.m_valueTexts),
      m_values(other.m_values),
      m_blockWord(other.m_blockWord),
      m_typeValue(other.m_typeValue) {
    copyRegisterBinding(other);
}

const RuntimeClass& CDynamic::GetRuntimeClass() const {
    return runtimeClassOf(kKindDynamic);
}

void CDynamic::Serialize(Archive& ar) {
    CBase::Serialize(ar);
    checkLoadedKind(ar, m_kind, kKindDynamic);
    ar.io(m_doubleSize);
    ar.io(m_inverse);
    ar.io(m_station);
    ar.io(m_regType);
    ar.io(m_address);
    ar.io(m_regCount);
    ar.io(m_displayMode);
    serializeTexts(ar, m_texts, "dynamic text texts");
    serializeValues(ar, m_values);
    serializeTexts(ar, m_valueTexts, "dynamic text value texts");
    ar.io(m_subAddress);
    if (ar.isStoring() || ar.loadedVersion >= 11) {
        ar.io(m_subType);
        ar.io(m_typeValue);
        ar.io(m_blockWord);
    }
    SkipReserved(ar, kReservedBytes);
    if (ar.isLoading()) {
        normalizeEntries();
        restoreSigned();
        SetPosition(screenFromPanel(m_x), screenFromPanel(m_y));
    }
}

void CDynamic::normalizeEntries() {
    const size_t n = std::max({kEntries, m_texts.size(), m_valueTexts.size(), m_values.size()});
    m_texts.resize(n);
    m_valueTexts.resize(n);
    m_values.resize(n, 0);
}

void CDynamic::restoreSigned() {
    m_signed = 0;
    if (flagBit(m_displayMode) == 0)
        return;
    for (const ByteString& value : m_valueTexts) {
        const size_t first = value.find_first_not_of(' ');
        if (first != ByteString::npos && value[first] == '-') {
            m_signed = 1;
            return;
        }
    }
}

size_t CDynamic::entryCount() const {
    return std::min({m_texts.size(), m_valueTexts.size(), m_values.size()});
}

void CDynamic::UpdatePageCoordinates() {
    if (PageHost* host = pages())
        host->setPageCoordinates(m_kind, m_x, m_y);
}

void CDynamic::FreeDownloadRecord() {
    CBase::FreeDownloadRecord();
    m_textBlock.clear();
    m_textBlock.shrink_to_fit();
    m_textBlockLen = 0;
    m_dlSizes.clear();
    m_dlTexts.clear();
    m_dlValues.clear();
}

void CDynamic::ComputeRecordSize() {
    m_dlTexts.clear();
    m_dlValues.clear();
    m_dlSizes.clear();
    m_textBlockLen = 0;
    const size_t entries = entryCount();
    for (size_t i = 0; i < entries; ++i) {
        if (m_valueTexts[i].empty())
            continue;
        m_dlTexts.push_back(m_texts[i]);
        m_dlValues.push_back(static_cast<uint16_t>(m_values[i]));
        const size_t size = std::min<size_t>(m_texts[i].size() + 2, UINT16_MAX);
        m_dlSizes.push_back(static_cast<uint16_t>(size));
        m_textBlockLen += static_cast<int32_t>(size);
    }
    m_recordLen = static_cast<uint16_t>(kHeaderBytes + 4 * std::min<size_t>(m_dlTexts.size(), 255));
}

Status CDynamic::checkForDownload() const {
    size_t used = 0;
    for (size_t i = 0; i < entryCount(); ++i) {
        if (m_valueTexts[i].empty())
            continue;
        ++used;
        if (Status fits = checkDownloadText(m_texts[i], describe()); !fits.ok())
            return fits;
    }
    if (used > 255)
        return Status::failure(describe() + ": " + std::to_string(used) +
                               " entries are more than the panel can hold (255)");
    for (const ByteString& text : m_texts) {
        if (text.size() > 255)
            return Status::failure(describe() + ": a text is longer than 255 bytes");
    }
    return Status::success();
}

uint8_t CDynamic::downloadTypeCode() const {
    if (context().profile().moduleAddressing)
        return m_typeValue;
    return registerTypeCode(context().vocab(), m_regType, kParameterWord);
}

uint16_t CDynamic::downloadAddress() const {
    return context().profile().moduleAddressing ? m_blockWord : m_address;
}

Status CDynamic::BuildDownloadRecord(DownloadContext& download) {
    if (Status fits = checkForDownload(); !fits.ok())
        return fits;
    if (Status built = CBase::BuildDownloadRecord(download); !built.ok())
        return built;
    const size_t n = m_dlTexts.size();
    if (m_record.size() < kHeaderBytes + 4 * n || m_dlSizes.size() != n || m_dlValues.size() != n)
        return Status::failure(describe() + ": record size not computed");
    m_attrByte = static_cast<uint8_t>(flagBit(m_inverse) | flagBit(m_doubleSize) << 1 |
                                      flagBit(m_signed) << 4 | flagBit(m_displayMode) << 5);
    const uint8_t t = downloadTypeCode();
    const uint16_t address = downloadAddress();
    m_record[2] = m_attrByte;
    m_record[3] = m_station;
    m_record[4] = t;
    setBE16(&m_record[5], address);
    m_record[7] = static_cast<uint8_t>((t & 0x0F) * m_regCount);
    m_record[8] = m_subAddress;
    m_record[9] = 0;
    m_record[10] = static_cast<uint8_t>(n);
    m_record[11] = m_textWidth;
    return Status::success();
}

Status CDynamic::CollectGlyphs(DownloadContext& download) {
    m_textBlock.assign(static_cast<size_t>(std::max(m_textBlockLen, 0)), 0);
    size_t p = 0;
    for (size_t i = 0; i < m_dlTexts.size() && i < m_dlSizes.size(); ++i) {
        const ByteString& text = m_dlTexts[i];
        if (p + 2 + text.size() > m_textBlock.size() || text.size() > 255)
            return Status::failure(describe() + ": text block size not computed");
        m_textBlock[p] = m_attrByte;
        m_textBlock[p + 1] = static_cast<uint8_t>(text.size());
        Status collected = CollectGlyphCodes(download.glyphs, m_textBlock, text, p + 2, 0);
        if (!collected.ok())
            return Status::failure(describe() + ": " + collected.message());
        p += m_dlSizes[i];
    }
    return Status::success();
}

void CDynamic::RebaseGlyphCodes(uint16_t& base) {
    size_t p = 0;
    for (size_t i = 0; i < m_dlTexts.size() && i < m_dlSizes.size(); ++i) {
        vanta::RebaseGlyphCodes(m_textBlock, p + 2, base, m_dlTexts[i].size());
        p += m_dlSizes[i];
    }
}

void CDynamic::WriteEntryTable(uint16_t& address) {
    for (size_t i = 0; i < m_dlValues.size() && i < m_dlSizes.size(); ++i) {
        const size_t at = kHeaderBytes + 4 * i;
        if (at + 4 > m_record.size())
            break;
        setBE16(&m_record[at], m_dlValues[i]);
        setBE16(&m_record[at + 2], address);
        address = static_cast<uint16_t>(address + m_dlSizes[i]);
    }
}

void CDynamic::AppendTextBlock(Bytes& out) const {
    const size_t n = std::min(static_cast<size_t>(std::max(m_textBlockLen, 0)), m_textBlock.size());
    out.insert(out.end(), m_textBlock.begin(), m_textBlock.begin() + static_cast<ptrdiff_t>(n));
}

const ByteString& CDynamic::shownText() const {
    static const ByteString kNone;
    for (const ByteString& text : m_texts) {
        if (!text.empty())
            return text;
    }
    return kNone;
}

void CDynamic::Draw(Canvas& canvas) {
    DrawDisplayText(canvas, context().fontTables(), shownText(), m_rect, m_inverse != 0);
}

void CDynamic::SetPosition(int32_t x, int32_t y) {
    size_t longest = 0;
    for (const ByteString& text : m_texts)
        longest = std::max(longest, text.size());
    m_textWidth = static_cast<uint8_t>(std::min<size_t>(longest, 255));
    const int32_t scale = flagBit(m_doubleSize) + 1;
    m_rect = {x, y, x + m_textWidth * scale * kScreenCellWidth, y + scale * kScreenCellHeight};
}

void CDynamic::FillPropertyPage() {
    if (PageHost* host = pages())
        host->fillPage(*this);
}

void CDynamic::ShowPropertyPage() {
    if (PageHost* host = pages())
        host->showPage(m_kind);
}

ByteString CDynamic::SetEntry(int row, int column, const ByteString& valueText) {
    if (row < 1 || static_cast<size_t>(row) > entryCount() || column < 0 || column > 1)
        return {};
    const size_t i = static_cast<size_t>(row - 1);
    if (column == 1) {
        m_texts[i] = m_editText;
        Refit();
        return m_texts[i];
    }
    m_valueTexts[i] = valueText;
    m_values[i] = m_editValue;
    if (valueText.empty() && !m_texts[i].empty()) {
        m_texts[i].clear();
        Refit();
    }
    return m_valueTexts[i];
}

void CDynamic::ReformatValues(uint8_t mode, int32_t max, int32_t min) {
    for (size_t i = 0; i < entryCount(); ++i) {
        if (m_values[i] == 0 && m_texts[i].empty())
            continue;
        int32_t v = m_values[i];
        if (v > max)
            v = max;
        if (v < min)
            v = min;
        m_values[i] = v;
        m_valueTexts[i] = formatValue(v, mode);
    }
}

std::vector<DynamicGridRow> CDynamic::FillGrid() const {
    std::vector<DynamicGridRow> rows;
    rows.reserve(entryCount());
    for (size_t i = 0; i < entryCount(); ++i)
        rows.push_back({m_valueTexts[i], m_texts[i]});
    return rows;
}

int CDynamic::editColumnFor(int row, int column) const {
    if (row < 1 || static_cast<size_t>(row) > entryCount())
        return column;
    return m_valueTexts[static_cast<size_t>(row - 1)].empty() ? 0 : column;
}

IntRange CDynamic::valueRange() const {
    int bits = 4;
    if (!context().profile().moduleAddressing)
        bits = std::min((downloadTypeCode() & 0x0F) * 8, 16);
    const int32_t s = m_signed ? 1 : 0;
    const int32_t max = (int32_t{1} << bits) / (s + 1) - 1;
    return {-(max + 1) * s, max};
}

DynamicPageState CDynamic::pageState(uint8_t panelStation) const {
    const Vocabulary& vocab = context().vocab();
    const bool byModule = context().profile().moduleAddressing;
    DynamicPageState state;
    state.signedEnabled = m_displayMode != 0;
    state.subTypeShown = byModule;
    state.subAddressShown = vocab.bitNumberShown;
    state.x = {0, pageXMaximum()};
    state.y = {0, pageYMaximum()};
    const int32_t low = vocab.stationLow(panelStation);
    const bool fixed = !byModule && fixesStation(downloadTypeCode());
    state.station = {low, fixed ? low : vocab.stationHigh(panelStation)};
    state.address = {vocab.minAddress(), static_cast<int32_t>(vocab.maxWordRegister)};
    state.subAddress = {0, vocab.maxSubAddress()};
    state.octalAddress = vocab.octalAddresses;
    state.hexAddress = vocab.hexAddresses;
    state.values = valueRange();
    state.valuesSigned = m_signed != 0;
    state.valuesHex = m_displayMode == 0;
    state.typeNames = vocab.wordTypes;
    if (byModule)
        state.subTypeNames = vocab.parameterNames(TypeList::Word, m_regType);
    return state;
}

void CDynamic::onPageSignedChanged() {
    const IntRange range = valueRange();
    ReformatValues(m_displayMode, range.max, range.min);
    if (context().profile().moduleAddressing) {
        const auto& names = context().vocab().parameterNames(TypeList::Word, m_regType);
        if (m_subType >= names.size())
            m_subType = 0;
        updateProtocol31Values();
    }
}

void CDynamic::onPageTypeChanged(uint8_t panelStation) {
    if (!context().profile().moduleAddressing && fixesStation(downloadTypeCode()))
        m_station = static_cast<uint8_t>(context().vocab().stationLow(panelStation));
    onPageSignedChanged();
}

void CDynamic::onPageModeChanged(uint8_t mode) {
    if (mode == 0)
        m_signed = 0;
    if (mode == m_displayMode)
        return;
    SetDisplayMode(mode, 0);
    ReformatValues(mode, 65535, 0);
}

void CDynamic::updateProtocol31Values() {
    if (!context().profile().moduleAddressing)
        return;
    m_typeValue = ParameterTypeValue(m_regType, m_subType, kParameterWord);
    m_subAddress = ParameterNumber(m_regType, m_subType, kParameterWord);
    m_blockWord = BlockWord(m_regType, kParameterWord, m_address);
}

}  // namespace vanta
