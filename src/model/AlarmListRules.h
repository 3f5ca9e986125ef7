#pragma once
// The rules of the alarm-list dialog, without any widget: the ranges of its controls, the coil
// label shown next to each text, and the editing of the text grid (append, replace, empty rows,
// the text limit, Enter, the register-type change, OK and Cancel). The dialog forwards its
// events to an AlarmListEditor and shows what it reports.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CAlarmList.h"
#include "protocols/Vocabulary.h"

namespace vanta {

// How the coils of a protocol are numbered in the grid.
enum class AlarmCoilFamily {
    BitsInRegister,  // address, sub-address and a bit inside the start register (protocol 1)
    SubAddress,      // word address and a bit or sub-address within it
    Plain,           // one address per coil
};
AlarmCoilFamily alarmCoilFamily(const Vocabulary& vocab);

// Bits of the start register: 8 x the data width of the word type at the same index (the start
// coil types have no width of their own); 16 when the width is unknown.
int alarmRegisterBits(const Vocabulary& vocab, int regType);

// The coil label of grid row `row` (1 = the first text). Empty for a row past the start register
// of a BitsInRegister protocol.
std::string alarmCoilLabel(const CAlarmList& list, const Vocabulary& vocab, int row);

// How many texts the list may hold: 255, or for BitsInRegister protocols the bits from the bit
// offset to the end of the start register.
size_t alarmTextCapacity(const CAlarmList& list, const Vocabulary& vocab);

// Ranges and visibility of the dialog's controls.
struct AlarmDialogControls {
    int stationMin = 0, stationMax = 0;
    int addressMin = 0, addressMax = 0;
    bool addressHex = false, addressOctal = false;
    int subAddressMax = 0;  // 0..this, hexadecimal
    bool subAddressShown = false;
    int bitOffsetMax = 0;  // 0..this, hexadecimal
    bool bitOffsetShown = false;
    std::vector<std::string> typeNames;  // the register-type combo
};
AlarmDialogControls alarmDialogControls(const CAlarmList& list, const Vocabulary& vocab,
                                        uint8_t panelStation);

// One grid row below the header: the coil label and the text (empty past the list).
struct AlarmGridRow {
    std::string coil;
    ByteString text;
};

// Where the in-place editor goes after Enter.
struct AlarmEnterMove {
    enum Action { Stay, MoveTo, HideEditor } action = Stay;
    int row = 0;  // for MoveTo
};

class AlarmListEditor {
  public:
    // At most this many characters are typed into the in-place editor.
    static constexpr int kMaxTextChars = 64;

    AlarmListEditor(CAlarmList& list, const Vocabulary& vocab);

    // Opening the dialog: takes the snapshot Cancel restores and fills the grid.
    void open();
    // Grid rows below the header, in order; row r of the grid is rows()[r - 1].
    const std::vector<AlarmGridRow>& rows() const { return rows_; }
    // Rows of the grid including the header row.
    int rowCount() const { return static_cast<int>(rows_.size()) + 1; }
    // The text the in-place editor shows for grid row `row` (empty past the list).
    ByteString textAt(int row) const;

    // The in-place editor's text of grid row `row` changed. Returns false (and changes nothing)
    // for a row that is not in the grid or that would append past the capacity.
    bool editText(int row, const ByteString& text);
    // Enter in the editor on grid row `row`.
    AlarmEnterMove enter(int row) const;

    // Station, start address, sub-address or bit offset changed: refill the grid.
    void startCoilChanged();
    // Register type changed: clamps the bit offset into the new register and refills (which
    // removes texts that would run past the start register).
    void registerTypeChanged();

    // OK: trailing empty texts are removed.
    void accept();
    // Cancel: the texts as they were when the dialog opened; the start-coil fields stay.
    void cancel();

  private:
    void fill();
    void removeTrailingEmpty();

    CAlarmList& list_;
    const Vocabulary& vocab_;
    std::vector<AlarmGridRow> rows_;
};

}  // namespace vanta
