#include "model/CLight.h"

#include "model/BuiltinGlyphs.h"
#include "protocols/ParameterCodes.h"

namespace vanta {

CLight::CLight(const ModelContext& context) : CLightFunc(context) {
    m_kind = kKindLight;
}

CLight::CLight(const ModelContext& context, int32_t x, int32_t y) : CLight(context) {
    m_x = panelFromScreen(x);
    m_y = panelFromScreen(y);
    m_offset = 0;
    m_displayKind = 0;
}

CLight::CLight(const CLight& other)
    : CLightFunc(other),
      m_offset(other.m_offset),
      m_blockWord(other.m_blockWord),
      m_typeValue(other.m_typeValue) {
    m_displayKind = other.m_displayKind;
    m_address = other.m_address;
    m_regType = other.m_regType;
    m_subType = other.m_subType;
}

const RuntimeClass& CLight::GetRuntimeClass() const {
    return runtimeClassOf(kKindLight);
}

void CLight::Serialize(Archive& ar) {
    CLightFunc::Serialize(ar);
    ar.io(m_offset);
    if (ar.isStoring() || ar.loadedVersion >= 11) {
        ar.io(m_subType);
        ar.io(m_typeValue);
        ar.io(m_blockWord);
    }
    SkipReserved(ar, kReservedBytes);
    if (ar.isLoading()) {
        SetPosition(screenFromPanel(m_x), screenFromPanel(m_y));
    }
}

void CLight::UpdatePageCoordinates() {
    if (PageHost* host = pages()) {
        host->setPageCoordinates(m_kind, m_x, m_y);
    }
}

void CLight::ComputeRecordSize() {
    m_recordLen = kRecordBytes;
}

uint8_t CLight::imageIndex() const {
    return static_cast<uint8_t>(flagBit(m_inverse) | (m_displayKind & 1) << 1);
}

uint8_t CLight::downloadTypeValue() const {
    if (context().profile().moduleAddressing) {
        return m_typeValue;
    }
    return registerTypeCode(context().vocab(), m_regType, kParameterBitB);
}

uint16_t CLight::downloadAddress() const {
    return bitTargetAddress(context().profile(), m_address, m_subAddress, m_blockWord, true);
}

Status CLight::BuildDownloadRecord(DownloadContext& download) {
    if (Status built = CLightFunc::BuildDownloadRecord(download); !built.ok()) {
        return built;
    }
    if (m_record.size() < kRecordBytes) {
        return Status::failure(describe() + ": record size not computed");
    }
    const uint8_t typeValue = downloadTypeValue();
    const uint16_t address = downloadAddress();
    m_record[2] = static_cast<uint8_t>(flagBit(m_doubleSize) << 1);
    m_record[4] = typeValue;
    m_record[5] = static_cast<uint8_t>(address >> 8);
    m_record[6] = static_cast<uint8_t>(address);
    m_record[7] = static_cast<uint8_t>((typeValue & 0x0F) * m_regCount);
    m_record[9] = m_offset;
    m_record[10] = imageIndex();
    m_record[11] = static_cast<uint8_t>(imageIndex() ^ 1);
    download.lampUsed = true;
    return Status::success();
}

void CLight::Draw(Canvas& canvas) {
    DrawResourceBitmap(canvas, drawnImage(), m_rect);
}

void CLight::SetPosition(int32_t x, int32_t y) {
    const int32_t side = (m_doubleSize ? 2 : 1) * kKeyImageSide;
    m_rect = {x, y, x + side, y + side};
}

void CLight::FillPropertyPage() {
    if (PageHost* host = pages()) {
        host->fillPage(*this);
    }
}

void CLight::ShowPropertyPage() {
    if (PageHost* host = pages()) {
        host->showPage(m_kind);
    }
}

void CLight::updateProtocol31Values() {
    if (!context().profile().moduleAddressing) {
        return;
    }
    m_typeValue = ParameterTypeValue(m_regType, m_subType, kParameterBitB);
    m_subAddress = ParameterNumber(m_regType, m_subType, kParameterBitB);
    m_blockWord = BlockWord(m_regType, kParameterBitB, m_address);
}

}  // namespace vanta
