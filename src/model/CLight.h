#pragma once
// The lamp: a 16 x 16 (or, double size, 32 x 32) indicator that shows one of two images by the
// state of one PLC bit, a coil or a bit of a word register.

#include <cstdint>

#include "model/CLightFunc.h"

namespace vanta {

class CLight : public CLightFunc {
  public:
    static constexpr size_t kReservedBytes = 50;
    static constexpr uint16_t kRecordBytes = 12;

    // For loading: defaults of the context's protocol.
    explicit CLight(const ModelContext& context);
    // At a click point (screen pixels); the screen then calls PlaceAt.
    CLight(const ModelContext& context, int32_t x, int32_t y);
    // The common part, display kind, address, register type, offset, block word, type value and
    // sub-type; no download record.
    CLight(const CLight& other);

    const RuntimeClass& GetRuntimeClass() const override;
    // The shared block, then offset, sub-type, type value and block word (only the offset in
    // files older than version 11), then 50 reserved bytes.
    void Serialize(Archive& ar) override;
    void UpdatePageCoordinates() override;
    // 12 bytes.
    void ComputeRecordSize() override;
    // x, y, double size, station, type value, address, byte count, bit number, offset and the
    // images of the two states; also raises the download's lamp flag.
    Status BuildDownloadRecord(DownloadContext& download) override;
    void Draw(Canvas& canvas) override;
    // A square of (double size + 1) x 36 screen pixels.
    void SetPosition(int32_t x, int32_t y) override;
    void FillPropertyPage() override;
    void ShowPropertyPage() override;

    // The lamp image 0..3 the panel shows first (and the editor draws): logic in bit 0, shape
    // in bit 1; the other state shows imageIndex() ^ 1.
    uint8_t imageIndex() const;
    // Editor image of the lamp: 330 + logic + 2 x shape.
    int32_t drawnImage() const { return imageNumber(imageIndex()); }

    // Type value sent in byte 4: the stored type value under protocol 31, otherwise the
    // catalogue code of the register type in bit list B.
    uint8_t downloadTypeValue() const;
    // Address sent in bytes 5 and 6 (x 16 + bit number under 11, 12, 18 and 22, the block word
    // under 31).
    uint16_t downloadAddress() const;

    // Protocol 31: the type value and the parameter number (m_subAddress) of the selected
    // module (m_regType in bit list B) and parameter (m_subType), and the block word of the
    // module and the address. Does nothing under other protocols.
    void updateProtocol31Values();

    uint8_t m_offset = 0;      // bit offset
    uint16_t m_blockWord = 0;  // protocol 31: block code << 8 | address low byte
    uint8_t m_typeValue = 0;   // protocol 31: type value of the parameter
};

}  // namespace vanta
