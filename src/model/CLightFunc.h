#pragma once
// The common base of the lamp (CLight) and the function key (CFunction): the display kind, the
// image table of the editor and the shared part of the PLC binding, with its part of the
// persistent record and of the download record.

#include <array>
#include <cstdint>

#include "model/CBase.h"

namespace vanta {

// Address of a bit target as the panel wants it: address x 16 + bit number where the profile
// says so, the block word under module addressing (when `blockWordByModule`), else the address.
uint16_t bitTargetAddress(const ProtocolProfile& profile, uint16_t address, uint8_t subAddress,
                          uint16_t blockWord, bool blockWordByModule);

class CLightFunc : public CBase {
  public:
    static constexpr int kImageCount = 66;

    const RuntimeClass& GetRuntimeClass() const override;
    // The base record, then double size, state flag, bit number, display kind, station, register
    // type and address (16 bits). Fails the archive when the record belongs to another kind.
    void Serialize(Archive& ar) override;
    // The base header, then byte 3 = station and byte 8 = bit number.
    Status BuildDownloadRecord(DownloadContext& download) override;

    // Image number of entry `index` of the image table (0 outside the table).
    int32_t imageNumber(int index) const;

    // Lamp: 0 circular, 1 square. Function key: the key index 0..18.
    uint8_t m_displayKind = 0;
    // Editor images 330..395, entry i = 330 + i.
    std::array<int32_t, kImageCount> m_images{};

  protected:
    // Base defaults, then the lamp's default address of the profile and the image table.
    explicit CLightFunc(const ModelContext& context);
    // The common part of the base (the classes copy the rest of what they use); the image table.
    CLightFunc(const CLightFunc& other);
};

}  // namespace vanta
