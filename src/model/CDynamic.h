#pragma once
// The dynamic text: a text field whose content the panel chooses by the current value of a PLC
// register. Up to 32 entries pair a value with a text; an entry with an empty value text is not
// in use. The editor shows the first non-empty text with the display's text renderer.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/CBase.h"
#include "model/PageRanges.h"

namespace vanta {

// One row of the value/text grid: the value as shown (column 0) and the text (column 1).
struct DynamicGridRow {
    ByteString valueText;
    ByteString text;
    friend bool operator==(const DynamicGridRow&, const DynamicGridRow&) = default;
};

// What the dynamic-text page shows besides the bound values.
struct DynamicPageState {
    bool signedEnabled = true;  // "有符号数": decimal mode only
    bool subTypeShown = false;  // "子类型:" (protocol 31)
    bool subAddressShown = false;
    IntRange x;
    IntRange y;
    IntRange station;
    IntRange address;
    IntRange subAddress;
    bool octalAddress = false;
    bool hexAddress = false;
    IntRange values;                        // the grid's value editor
    bool valuesSigned = false;              // signed entry in the value editor
    bool valuesHex = false;                 // hexadecimal entry (HEX/BCD mode)
    std::vector<std::string> typeNames;     // "类型:": the word-register types
    std::vector<std::string> subTypeNames;  // "子类型:": parameters of the selected module
};

class CDynamic : public CBase {
  public:
    static constexpr size_t kEntries = 32;
    static constexpr size_t kReservedBytes = 99;
    static constexpr uint16_t kHeaderBytes = 12;
    // The grid's text editor holds at most this many bytes.
    static constexpr size_t kMaxTypedBytes = 24;

    // For loading: 32 unused entries, the defaults of the context's protocol.
    explicit CDynamic(const ModelContext& context);
    // At a click point (screen pixels) with the text of entry 0, which gets the value 1; the
    // screen then calls PlaceAt.
    CDynamic(const ModelContext& context, int32_t x, int32_t y, ByteString text);
    // The common part, the binding, the entries and the protocol-31 values; no download record,
    // no text block.
    CDynamic(const CDynamic& other);

    const RuntimeClass& GetRuntimeClass() const override;
    // Common record, binding, the three lists with their counts, sub-address, then sub-type,
    // type value and block word (files of version 11 on; always written), 99 reserved bytes.
    // m_signed is not stored: after loading it is set when the list is decimal and shows a
    // negative value (see restoreSigned), else 0. Loaded lists shorter than 32 entries, or of
    // unequal lengths, are filled up with unused entries.
    void Serialize(Archive& ar) override;
    void UpdatePageCoordinates() override;
    // Also releases the text block and the download lists.
    void FreeDownloadRecord() override;
    // Rebases the glyph codes of each downloaded text in the text block.
    void RebaseGlyphCodes(uint16_t& base) override;
    // Selects the entries in use: m_recordLen = 12 + 4 n, their sizes and the text block length.
    void ComputeRecordSize() override;
    // The text block: per entry the attribute byte, the text length and the glyph codes.
    Status CollectGlyphs(DownloadContext& download) override;
    // Header of the record; the entry table follows later (WriteEntryTable). Refuses texts that
    // do not fit their one-byte lengths and more than 255 entries, naming the component.
    Status BuildDownloadRecord(DownloadContext& download) override;
    // The first non-empty text.
    void Draw(Canvas& canvas) override;
    // m_textWidth = the longest text; width m_textWidth cells.
    void SetPosition(int32_t x, int32_t y) override;
    void FillPropertyPage() override;
    void ShowPropertyPage() override;

    // --- download, called by the image compiler ---
    // For each downloaded entry: its value and the address of its text block (from `address`,
    // which advances by the entry's size).
    void WriteEntryTable(uint16_t& address);
    // Appends the text block to the compiler's dynamic-text data.
    void AppendTextBlock(Bytes& out) const;
    // Byte 4 of the record: the type value under protocol 31, otherwise the word-list code.
    uint8_t downloadTypeCode() const;
    // Bytes 5 and 6: the block word under protocol 31, otherwise the address.
    uint16_t downloadAddress() const;
    // Whether the entries can be downloaded; names the component.
    Status checkForDownload() const;

    // --- the value/text grid ---
    // Stores the grid editor's buffer into the cell (rows 1..32): column 1 takes m_editText as
    // the entry's text (and refits); column 0 takes `valueText` (what the value editor shows)
    // and m_editValue, and an emptied value empties the entry's text too. Returns the cell's
    // new text; empty and nothing changed for a cell outside the grid.
    ByteString SetEntry(int row, int column, const ByteString& valueText = {});
    // For each entry with a value or a text: the value clamped into [min, max] and its value
    // text redone in decimal (mode 1) or lower-case hexadecimal (mode 0).
    void ReformatValues(uint8_t mode, int32_t max, int32_t min);
    // The grid's rows 1..32: entry i in row i + 1.
    std::vector<DynamicGridRow> FillGrid() const;
    // The column a click on (row, column) edits: a text can only be entered after a value.
    int editColumnFor(int row, int column) const;
    // Whether the text editor may hold `candidate`.
    static bool acceptsTypedText(const ByteString& candidate) {
        return candidate.size() <= kMaxTypedBytes;
    }
    // The first non-empty text (empty when there is none).
    const ByteString& shownText() const;

    // --- rules of the dynamic-text page ---
    DynamicPageState pageState(uint8_t panelStation) const;
    // Values the entries may take: 4 bits under protocol 31, otherwise the type's width (at
    // most 16 bits); halved when signed.
    IntRange valueRange() const;
    // "有符号数" changed: the values are clamped into the new range and shown again; under
    // protocol 31 the parameter is reselected and its values refreshed.
    void onPageSignedChanged();
    // "类型:" changed: the station is fixed at the lowest for the types of code 81, 112, 114,
    // 116 and 145; then as onPageSignedChanged.
    void onPageTypeChanged(uint8_t panelStation);
    // Mode radio: "HEX/BCD" clears signed; a real change of mode stores it and clamps the used
    // values into 0 .. 65535, shown in the new mode.
    void onPageModeChanged(uint8_t mode);
    // Protocol 31: module, parameter or address changed.
    void onPageProtocol31Changed() { updateProtocol31Values(); }
    void onPagePositionChanged() { applyPagePosition(); }
    // Double size changed.
    void onPageSizeChanged() { Refit(); }

    // Protocol 31: type value and parameter number of the selected module and parameter, and
    // the block word. Nothing under other protocols.
    void updateProtocol31Values();

    uint8_t m_attrByte = 0;           // attribute byte of the download, repeated in the text block
    uint8_t m_textWidth = 0;          // bytes of the longest text (at most 255)
    int32_t m_textBlockLen = 0;       // length of the download text block
    Bytes m_textBlock;                // the download text block
    std::vector<ByteString> m_texts;  // 32 texts
    std::vector<ByteString> m_dlTexts;     // texts of the downloaded entries
    std::vector<ByteString> m_valueTexts;  // 32 values as shown; empty: entry not in use
    ByteString m_editText;                 // the grid's text editor
    int32_t m_editValue = 0;               // the grid's value editor
    std::vector<int32_t> m_values;         // 32 values
    std::vector<uint16_t> m_dlValues;      // low 16 bits of the downloaded values
    std::vector<uint16_t> m_dlSizes;       // text-block size of each downloaded entry
    uint16_t m_blockWord = 0;              // protocol 31: block code << 8 | address low byte
    uint8_t m_typeValue = 0;               // protocol 31: type value of the parameter

    // Entries of the lists (32; a file may hold more).
    size_t entryCount() const;

  private:
    // Pads the lists to 32 entries and to a common length.
    void normalizeEntries();
    // Only signed entry lets a minus sign into a value text, and only decimal lists are signed,
    // so a decimal list whose entries in use show a negative value was entered signed. The
    // values themselves do not tell: a 32-bit unsigned value above 0x7FFFFFFF reads negative.
    void restoreSigned();
};

}  // namespace vanta
