#include "model/CAlarmList.h"

#include <algorithm>
#include <initializer_list>

#include "common/ByteOrder.h"
#include "model/GlyphCodes.h"
#include "protocols/Vocabulary.h"

namespace vanta {

namespace {

bool isOneOf(int value, std::initializer_list<int> set) {
    return std::find(set.begin(), set.end(), value) != set.end();
}

// Protocol numbers outside 2..39 follow the rules of the bit-addressed protocol 1.
bool outsideNamedRange(int protocol) {
    return protocol < 2 || protocol > 39;
}

uint8_t lowByte(int value) {
    return static_cast<uint8_t>(value & 0xFF);
}

uint8_t typeCodeOf(const CAlarmList& list, const Vocabulary& vocab, int p) {
    const int type = list.m_regType;
    if (p == 20)
        return static_cast<uint8_t>(registerTypeCode(vocab, type, 3) + 2);
    if (isOneOf(p, {23, 24, 37}))
        return registerTypeCode(vocab, type, 2);
    if (p == 26)
        return type == 0 ? 178 : 210;  // "R" and "M"; a type beyond them counts as the last
    if (p == 27)
        return registerTypeCode(vocab, type + 1, 1);
    if (isOneOf(p, {28, 29, 30, 35, 36}))
        return startCoilTypeCode(vocab, type);
    return registerTypeCode(vocab, type, 3);
}

}  // namespace

const RuntimeClass CAlarmList::kClass{"CAlarmList", 1};

CAlarmList::CAlarmList(uint8_t protocol) {
    m_station = protocol == 5 ? 0 : protocol == 2 ? 2 : 1;
}

void CAlarmList::Serialize(Archive& ar) {
    ar.io(m_station);
    ar.io(m_startAddress);
    ar.io(m_subAddress);
    ar.io(m_regType);
    ar.io(m_bitOffset);
    ar.reserved(kReservedBytes);

    uint32_t count = static_cast<uint32_t>(m_texts.size());
    if (ar.isStoring()) {
        ar.ioCount(count);
        for (ByteString& text : m_texts)
            ar.ioString(text);
        return;
    }
    m_texts.clear();
    ar.ioCount(count);
    // Every string takes at least its one-byte length prefix.
    if (!ar.canHold(count, 1, "alarm texts"))
        return;
    for (uint32_t i = 0; i < count && ar.ok(); ++i) {
        ByteString text;
        ar.ioString(text);
        if (ar.ok())
            m_texts.push_back(std::move(text));
    }
}

void CAlarmList::ResetForNewProject(uint8_t protocol) {
    m_texts.clear();
    if (protocol == 2)
        m_station = 2;
    else if (isOneOf(protocol, {5, 11, 17, 18, 36}))
        m_station = 0;
    else
        m_station = 1;
    m_startAddress = protocol == 5 ? 16 : 0;
    m_bitOffset = 0;
    m_subAddress = 0;
}

void CAlarmList::ComputeSizes() {
    m_headerLen = static_cast<uint16_t>(3 * m_texts.size() + 10);
    m_entrySizes.clear();
    m_textsLen = 0;
    for (const ByteString& text : m_texts) {
        const size_t size = text.size() + kEntryPrefix;
        m_entrySizes.push_back(static_cast<uint16_t>(size));
        m_textsLen += static_cast<uint32_t>(size);
    }
}

void CAlarmList::FreeDownloadBlock() {
    m_downloadHeader.clear();
    m_downloadTexts.clear();
    m_entrySizes.clear();
    m_headerLen = 0;
    m_textsLen = 0;
}

AlarmCoilBytes alarmCoilBytes(const CAlarmList& list, const DownloadContext& download) {
    const int p = download.protocol;
    const int a = list.m_startAddress;
    const int sub = list.m_subAddress;
    AlarmCoilBytes out;

    out.typeCode = typeCodeOf(list, download.vocab(), p);

    int high = a >> 8;
    int low = a;
    if (isOneOf(p, {3, 8, 10, 13, 16, 17, 34})) {
        high = a >> 13;
        low = a >> 5;
    } else if (isOneOf(p, {4, 38, 39})) {
        high = a >> 11;
        low = a >> 3;
    } else if (isOneOf(p, {7, 20, 23, 26, 28})) {
        high = a >> 12;
        low = a >> 4;
    } else if (isOneOf(p, {19, 21, 25})) {
        high = (a - 1) >> 13;
        low = (a - 1) >> 5;
    } else if (isOneOf(p, {29, 30})) {
        high = a >> 9;
        low = a >> 1;
    }
    out.address[0] = lowByte(high);
    out.address[1] = lowByte(low);

    if (isOneOf(p, {2, 4, 36, 38, 39}))
        out.width = 1;
    else if (isOneOf(p, {3, 8, 10, 13, 16, 17, 19, 21, 25, 34}))
        out.width = 4;
    else if (isOneOf(p, {24, 37}))
        out.width = 0;
    else if (isOneOf(p, {9, 31, 33}) || outsideNamedRange(p))
        out.width = out.typeCode & 0x0F;
    else
        out.width = 2;

    if (isOneOf(p, {3, 8, 13, 16, 34}))
        out.subAddress = lowByte(a & 31);
    else if (isOneOf(p, {7, 20, 23}))
        out.subAddress = lowByte(a & 15);
    else if (isOneOf(p, {24, 29, 30, 35, 36, 37}))
        out.subAddress = 0;
    else
        out.subAddress = lowByte(sub);

    if (outsideNamedRange(p) || isOneOf(p, {9, 18, 31, 33}))
        out.bit = list.m_bitOffset;
    else if (isOneOf(p, {3, 7, 8, 13, 16, 24, 34, 35, 37}))
        out.bit = 0;
    else if (isOneOf(p, {4, 38, 39}))
        out.bit = lowByte(a & 7);
    else if (isOneOf(p, {10, 17}))
        out.bit = lowByte(a & 31);
    else if (isOneOf(p, {19, 21, 25}))
        out.bit = lowByte((a - 1) & 31);
    else if (isOneOf(p, {20, 23, 26, 28}))
        out.bit = lowByte(a & 15);
    else if (isOneOf(p, {29, 30}))
        out.bit = lowByte(sub + (a & 1) * 8);
    else
        out.bit = lowByte(sub);
    return out;
}

Status CAlarmList::BuildDownloadBlock(DownloadContext& download, uint16_t glyphBase) {
    FreeDownloadBlock();
    if (m_texts.size() > kMaxTexts)
        return Status::failure("The alarm list holds " + std::to_string(m_texts.size()) +
                               " texts; the panel takes at most " + std::to_string(kMaxTexts) +
                               ".");
    for (size_t i = 0; i < m_texts.size(); ++i) {
        Status checked = checkDownloadText(m_texts[i], "Alarm text " + std::to_string(i + 1));
        if (!checked)
            return checked;
    }

    ComputeSizes();
    Bytes header(m_headerLen, 0);
    header[0] = static_cast<uint8_t>(m_texts.size());
    header[1] = 1;
    header[3] = m_station;
    const AlarmCoilBytes coil = alarmCoilBytes(*this, download);
    header[4] = coil.typeCode;
    header[5] = coil.address[0];
    header[6] = coil.address[1];
    header[7] = coil.width;
    header[8] = coil.subAddress;
    header[9] = coil.bit;
    for (size_t i = 0; i < m_texts.size(); ++i)
        header[10 + 3 * i] = static_cast<uint8_t>(i);

    // Glyph collection appends to the download's sets; work on copies so that a failure leaves
    // them as they were.
    GlyphSets glyphs = download.glyphs;
    Bytes texts(m_textsLen, 0);
    size_t p = 0;
    for (size_t i = 0; i < m_texts.size(); ++i) {
        texts[p] = static_cast<uint8_t>(m_texts[i].size());
        Status collected =
            CollectGlyphCodes(glyphs, texts, m_texts[i], p + kEntryPrefix, glyphBase);
        if (!collected) {
            FreeDownloadBlock();
            return Status::failure("Alarm text " + std::to_string(i + 1) + ": " +
                                   collected.message());
        }
        p += m_entrySizes[i];
    }
    download.glyphs = std::move(glyphs);
    m_downloadHeader = std::move(header);
    m_downloadTexts = std::move(texts);
    return Status::success();
}

void CAlarmList::RebaseGlyphCodes(uint16_t add) {
    size_t p = 0;
    for (size_t i = 0; i < m_entrySizes.size() && p < m_downloadTexts.size(); ++i) {
        const size_t length = m_downloadTexts[p];
        vanta::RebaseGlyphCodes(m_downloadTexts, p + kEntryPrefix, add, length);
        p += m_entrySizes[i];
    }
}

void CAlarmList::AssignOffsets(uint32_t& running) {
    running += m_headerLen;
    for (size_t i = 0; i < m_entrySizes.size(); ++i) {
        const size_t at = 11 + 3 * i;
        if (at + 1 < m_downloadHeader.size())
            setBE16(&m_downloadHeader[at], static_cast<uint16_t>(running));
        running += m_entrySizes[i];
    }
}

void CAlarmList::AppendToImage(Bytes& image) const {
    image.insert(image.end(), m_downloadHeader.begin(), m_downloadHeader.end());
    image.insert(image.end(), m_downloadTexts.begin(), m_downloadTexts.end());
}

}  // namespace vanta
