#pragma once
// The project-wide alarm list: a start coil in the PLC and one text per consecutive coil from it.
// It is stored after the screen list of a project file and contributes the alarm block (a header
// that names the start coil and points at each text, then the texts as glyph codes) to the end
// of the panel image.

#include <cstdint>
#include <string>
#include <vector>

#include "common/Archive.h"
#include "common/Result.h"
#include "model/DownloadContext.h"

namespace vanta {

class CAlarmList : public Persistent {
  public:
    // The panel counts the texts in one header byte.
    static constexpr size_t kMaxTexts = 255;
    // Bytes in front of each text in the text block.
    static constexpr size_t kEntryPrefix = 18;
    // Size of the reserved run in the project-file record.
    static constexpr size_t kReservedBytes = 100;

    static const RuntimeClass kClass;

    // The station of the protocol's alarm defaults (0 under protocol 5, 2 under protocol 2, else
    // 1); everything else 0.
    explicit CAlarmList(uint8_t protocol = 0);

    const RuntimeClass& GetRuntimeClass() const override { return kClass; }
    // Station, start address, sub-address, register type, bit offset, 100 reserved bytes, then
    // the texts as a count and length-prefixed strings. Loading empties the texts first.
    void Serialize(Archive& ar) override;

    // The state of a new project: no texts; station and start address of the protocol's alarm
    // defaults (station 2 under protocol 2, 0 under 5, 11, 17, 18 and 36, else 1; start address
    // 16 under protocol 5, else 0); bit offset and sub-address 0.
    void ResetForNewProject(uint8_t protocol);

    bool HasTexts() const { return !m_texts.empty(); }

    // --- download ---
    // Header length 3 x texts + 10, entry sizes (text length + 18) and their sum.
    void ComputeSizes();
    // Releases both download buffers and the sizes.
    void FreeDownloadBlock();
    // Computes the sizes and builds the header and the text block for the download's protocol,
    // writing the glyph codes of the texts with the glyph sets of the download and `glyphBase`
    // (the number of glyphs in front of the double-byte glyphs). Refuses more than 255 texts and
    // texts that cannot be downloaded, naming them; nothing is kept on failure.
    Status BuildDownloadBlock(DownloadContext& download, uint16_t glyphBase);
    // Adds `add` to the double-byte glyph codes of every text in the built text block.
    void RebaseGlyphCodes(uint16_t add);
    // From `running` (a panel address): the header takes the first m_headerLen bytes, then each
    // text's address goes into the header and `running` advances by its entry size. Addresses
    // are written as their low 16 bits; the image compiler keeps the image below 0x10000.
    void AssignOffsets(uint32_t& running);
    // Appends the header bytes, then the text bytes.
    void AppendToImage(Bytes& image) const;

    // --- fields ---
    std::vector<ByteString> m_texts;       // alarm texts in coil order
    std::vector<ByteString> m_savedTexts;  // copy taken when the dialog opens
    Bytes m_downloadHeader;                // built for the image
    Bytes m_downloadTexts;                 // built for the image
    uint8_t m_subAddress = 0;              // second part of the start coil's address
    uint8_t m_station = 1;                 // PLC station of the start coil
    uint16_t m_headerLen = 0;              // 3 x texts + 10
    uint32_t m_textsLen = 0;               // sum of the entry sizes
    std::vector<uint16_t> m_entrySizes;    // per text: length + 18
    uint16_t m_startAddress = 0;           // register address of the start coil
    uint8_t m_regType = 0;                 // index into the protocol's start-coil type list
    uint8_t m_bitOffset = 0;               // bit of the start register holding the first coil
};

// The protocol-dependent bytes 4..9 of the alarm header: register-type code, address high and
// low byte, width byte, sub-address byte and bit byte, as the profile's alarm coil encoding
// makes them.
struct AlarmCoilBytes {
    uint8_t typeCode = 0;
    uint8_t address[2] = {0, 0};
    uint8_t width = 0;
    uint8_t subAddress = 0;
    uint8_t bit = 0;
};
AlarmCoilBytes alarmCoilBytes(const CAlarmList& list, const DownloadContext& download);

}  // namespace vanta
