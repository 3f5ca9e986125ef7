#pragma once
// What the panel runs, read from a compiled image through the image decoder: the settings of the
// header (initial screen, password, screen saver, control register block), the screens with
// every component's binding to a PLC or panel value resolved to named points, and the alarm
// list's coils. Register types are named through the vocabulary of the image's protocol, so the
// register table and the PLC see "D100" or "4x1" as the project does.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/Result.h"
#include "emulator/RegisterPoints.h"
#include "emulator/ValueFormat.h"
#include "image/ImageDecoder.h"
#include "protocols/Vocabulary.h"

namespace vanta {

// One value of consecutive registers: the first, then `registers - 1` more `stride` apart, read
// as one number with the first register most significant.
struct WordBinding {
    PointKey first;
    uint8_t registers = 1;
    uint8_t stride = 1;
    uint8_t width = 2;  // bytes per register
    // Bytes of the whole value, at most 4 (wider runs keep their low 32 bits).
    uint8_t bytes() const;
    PointKey point(size_t index) const;
};

// One bit: a point of a bit area, or bit `bit` of a word register.
struct BitBinding {
    PointKey point;
    bool inWord = false;
    uint8_t bit = 0;  // in the word (inWord)
};

enum class KeyCommand : uint8_t {
    None,
    CoilOn,
    CoilOff,
    CoilToggle,
    CoilMomentary,
    JumpScreen,
    JumpAlarmList,
    WriteRegister,
    RecipeUpload,
    RecipeDownload,
    RecipeIncreaseBase,
    RecipeDecreaseBase,
};

// The runtime view of one component; `index` is its place in the decoded screen.
struct LiveComponent {
    size_t index = 0;
    uint8_t kind = 0;
    int x = 0;
    int y = 0;
    uint8_t attributes = 0;
    bool inverse() const { return attributes & 0x01; }
    bool doubleSize() const { return attributes & 0x02; }

    // register, dynamic text, bar graph, trend, register-write and recipe keys
    WordBinding word;
    bool isSigned = false;
    // register
    NumberFormat format;
    bool settable = false;
    bool passwordProtected = false;
    // dynamic text: cells of its longest text
    uint8_t textCells = 0;
    // lamp: image shown while the bit is 0 and while it is 1; coil keys: their coil
    BitBinding bit;
    uint8_t images[2] = {0, 0};
    // function key
    uint8_t keyCode = 0xFF;
    bool encrypted = false;
    KeyCommand command = KeyCommand::None;
    uint32_t operand = 0;       // register value; recipe length or step
    uint16_t targetScreen = 0;  // jump
    uint16_t limit = 0;         // recipe base limit
    // bar graph and trend
    int width = 0;
    int height = 0;
    int32_t fullScale = 0;
    int32_t zeroScale = 0;
    uint8_t direction = 0;  // bar: 1 up, 2 down, 4 left, 8 right
    uint8_t points = 0;     // trend
    uint16_t interval = 0;  // trend, seconds
};

struct LiveScreen {
    uint16_t number = 0;
    uint16_t upScreen = 0;
    uint16_t downScreen = 0;
    std::vector<LiveComponent> components;  // in pointer-table order
    std::vector<size_t> settable;           // registers that take a value, in that order
};

struct ControlBlock {
    bool screenExchange = false;  // the PLC orders the screen
    bool reportScreen = false;    // the panel reports its screen
    bool clock = false;           // the panel writes its clock
    WordBinding exchange;
    WordBinding report;
    std::vector<WordBinding> clockRegisters;  // year, month, day, hour, minute, second
};

struct AlarmCoil {
    BitBinding bit;
    size_t text = 0;  // index into the decoded alarm texts
};

// Bits a bit address holds where the protocol numbers bits within it ("M10.3"): 16 where bit
// targets carry address x 16 + bit number, the highest bit index + 1 where a bit number can be
// chosen, else 1.
unsigned bitsPerAddress(const Vocabulary& vocabulary);

class PanelProgram {
  public:
    // Reads the image; fails only when it holds no screen to show. Problems the decoder finds
    // stay readable in decoded().problems: the panel draws what resolves.
    static Result<PanelProgram> load(std::vector<uint8_t> image);

    const std::vector<uint8_t>& image() const { return image_; }
    const DecodedImage& decoded() const { return decoded_; }
    const Vocabulary& vocabulary() const { return vocabulary_; }
    const AreaTable& areas() const { return areas_; }
    const std::vector<LiveScreen>& screens() const { return screens_; }
    // The screen with that number (the first one when a damaged table repeats it).
    const LiveScreen* screen(uint16_t number) const;
    const DecodedScreen& decodedScreen(const LiveScreen& screen) const;

    uint8_t protocol() const { return decoded_.header[12]; }
    uint8_t plcStation() const { return decoded_.header[23]; }
    uint16_t initialScreen() const { return initialScreen_; }
    uint16_t password() const { return password_; }  // decimal 0..9999
    unsigned saverMinutes() const { return decoded_.header[22]; }
    uint16_t saverScreen() const;  // 0: the backlight goes off
    const ControlBlock& control() const { return control_; }
    const std::vector<AlarmCoil>& alarmCoils() const { return alarms_; }
    // Where the protocol gives bits a number within their address ("M10.3").
    bool bitNumbers() const { return bitsPerAddress_ > 1; }

    // Every point some screen, the alarm list or the control block uses, in order.
    std::vector<PointKey> knownPoints() const;
    // Finds the point a register-table row or a register file names.
    std::optional<PointKey> pointOf(uint8_t station, const std::string& type, uint32_t address,
                                    std::optional<uint8_t> bit) const;
    std::string pointName(const PointKey& key) const;
    // A binding of one word register of an area at an address (for the register table).
    WordBinding wordAt(const PointKey& key) const;

  private:
    PanelProgram() = default;
    void readHeader();
    void readScreens();
    void readControlBlock();
    void readAlarms();
    LiveComponent readComponent(const DecodedComponent& c);
    void readKey(LiveComponent& live, size_t r);

    // Areas of a type code looked up in a word list, the bit lists or the recipe list.
    AreaId wordArea(uint8_t code);
    AreaId recipeArea(uint8_t code);
    WordBinding wordBinding(uint8_t station, AreaId area, uint32_t address, uint8_t bytes);
    // A bit of a named bit-list type (its code tells bits from bit-of-word).
    BitBinding bitBinding(uint8_t station, const std::string& name, uint8_t code, uint32_t address,
                          unsigned bitIndex);
    BitBinding bitFromCode(uint8_t station, uint8_t code, bool listAFirst, uint32_t address,
                           unsigned bitIndex);
    uint32_t bitRecordAddress(uint32_t recordAddress, unsigned& bitIndex) const;

    uint8_t u8(size_t offset) const { return offset < image_.size() ? image_[offset] : 0; }
    uint16_t be16(size_t offset) const;
    uint32_t be32(size_t offset) const;
    // The address of a component record (bytes 5..6, with byte 8 where the protocol needs it).
    uint32_t componentAddress(size_t record) const;

    std::vector<uint8_t> image_;
    DecodedImage decoded_;
    Vocabulary vocabulary_;
    AreaTable areas_;
    std::vector<LiveScreen> screens_;
    uint16_t initialScreen_ = 0;
    uint16_t password_ = 0;
    unsigned bitsPerAddress_ = 1;
    ControlBlock control_;
    std::vector<AlarmCoil> alarms_;
};

}  // namespace vanta
