#include "model/CLightFunc.h"

#include "model/BuiltinGlyphs.h"

namespace vanta {

uint16_t bitTargetAddress(const ProtocolProfile& profile, uint16_t address, uint8_t subAddress,
                          uint16_t blockWord, bool blockWordByModule) {
    if (profile.bitAddressTimesSixteen) {
        return static_cast<uint16_t>(address * 16u + subAddress);
    }
    if (profile.moduleAddressing && blockWordByModule) {
        return blockWord;
    }
    return address;
}

CLightFunc::CLightFunc(const ModelContext& context) : CBase(context) {
    m_address = context.profile().bindings.lampAddress;
    for (int i = 0; i < kImageCount; ++i) {
        m_images[static_cast<size_t>(i)] = kFirstKeyImage + i;
    }
}

CLightFunc::CLightFunc(const CLightFunc& other) : CBase(other), m_images(other.m_images) {}

const RuntimeClass& CLightFunc::GetRuntimeClass() const {
    static const RuntimeClass kClass{"CLightFunc", 1};
    return kClass;
}

void CLightFunc::Serialize(Archive& ar) {
    const uint8_t ownKind = m_kind;
    CBase::Serialize(ar);
    checkLoadedKind(ar, m_kind, ownKind);
    ar.io(m_doubleSize);
    ar.io(m_inverse);
    ar.io(m_subAddress);
    ar.io(m_displayKind);
    ar.io(m_station);
    ar.io(m_regType);
    ar.io(m_address);
}

Status CLightFunc::BuildDownloadRecord(DownloadContext& download) {
    if (Status built = CBase::BuildDownloadRecord(download); !built.ok()) {
        return built;
    }
    if (m_record.size() < 9) {
        return Status::failure(describe() + ": record size not computed");
    }
    m_record[3] = m_station;
    m_record[8] = m_subAddress;
    return Status::success();
}

int32_t CLightFunc::imageNumber(int index) const {
    return index >= 0 && index < kImageCount ? m_images[static_cast<size_t>(index)] : 0;
}

}  // namespace vanta
