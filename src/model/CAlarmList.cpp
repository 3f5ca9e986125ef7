#include "model/CAlarmList.h"

#include <algorithm>

#include "common/ByteOrder.h"
#include "model/GlyphCodes.h"
#include "protocols/Vocabulary.h"

namespace vanta {

namespace {

uint8_t lowByte(int value) {
    return static_cast<uint8_t>(value & 0xFF);
}

uint8_t typeCodeOf(const CAlarmList& list, const Vocabulary& vocab,
                   const AlarmCoilEncoding& encoding) {
    const int type = list.m_regType;
    switch (encoding.type) {
        case AlarmTypeCode::BitListBPlusTwo:
            return static_cast<uint8_t>(registerTypeCode(vocab, type, 3) + 2);
        case AlarmTypeCode::BitListA:
            return registerTypeCode(vocab, type, 2);
        case AlarmTypeCode::ByIndex: {
            const auto& codes = encoding.typeCodes;
            if (codes.empty())
                return 0;
            // A type beyond the list counts as the last.
            return codes[std::min<size_t>(static_cast<size_t>(type), codes.size() - 1)];
        }
        case AlarmTypeCode::NextWordType:
            return registerTypeCode(vocab, type + 1, 1);
        case AlarmTypeCode::StartCoil:
            return startCoilTypeCode(vocab, type);
        case AlarmTypeCode::BitListB:
            break;
    }
    return registerTypeCode(vocab, type, 3);
}

// Byte 8 or 9 of the header as the encoding chooses it.
uint8_t coilByte(AlarmByte which, int mask, const CAlarmList& list, int address) {
    switch (which) {
        case AlarmByte::Zero:
            return 0;
        case AlarmByte::AddressBits:
            return lowByte(address & mask);
        case AlarmByte::BitOffset:
            return list.m_bitOffset;
        case AlarmByte::SubAddressOddByte:
            return lowByte(list.m_subAddress + (address & 1) * 8);
        case AlarmByte::SubAddress:
            break;
    }
    return lowByte(list.m_subAddress);
}

}  // namespace

const RuntimeClass CAlarmList::kClass{"CAlarmList", 1};

CAlarmList::CAlarmList(uint8_t protocol) {
    m_station = protocolProfile(protocol).alarmDefaults.station;
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
    const AlarmDefaults& defaults = protocolProfile(protocol).alarmDefaults;
    m_station = defaults.newStation;
    m_startAddress = defaults.newStartAddress;
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
    const AlarmCoilEncoding& encoding = protocolProfile(download.protocol).alarmCoil;
    AlarmCoilBytes out;
    out.typeCode = typeCodeOf(list, download.vocab(), encoding);
    const int address = list.m_startAddress - encoding.addressBias;
    out.address[0] = lowByte(address >> encoding.highShift);
    out.address[1] = lowByte(address >> encoding.lowShift);
    out.width = encoding.width == kAlarmWidthOfType ? static_cast<uint8_t>(out.typeCode & 0x0F)
                                                    : static_cast<uint8_t>(encoding.width);
    out.subAddress = coilByte(encoding.subAddressByte, encoding.subAddressMask, list, address);
    out.bit = coilByte(encoding.bitByte, encoding.bitMask, list, address);
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
