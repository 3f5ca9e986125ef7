#pragma once
// The function key: one of the panel's keys, on one screen, bound to an action (set a coil, jump
// to a screen or the alarm list, write a register, run a recipe transfer or step a recipe base
// address). Drawn as the key's symbol, optionally with a hand beside it.

#include <array>
#include <cstdint>

#include "model/CLightFunc.h"

namespace vanta {

enum FunctionAction : uint8_t {
    kActionSetCoil = 0,      // 设定线圈
    kActionJump = 1,         // 画面跳转
    kActionSetRegister = 2,  // 设定寄存器
    kActionRecipe = 3,       // 配方
};

enum CoilOperation : uint8_t { kCoilOn = 0, kCoilOff = 1, kCoilToggle = 2, kCoilMomentary = 3 };
// Stored under protocol 1, which has no coils: no coil radio is checked.
inline constexpr uint8_t kCoilNone = 4;

enum JumpTarget : uint8_t { kJumpScreen = 0, kJumpAlarmList = 1 };

enum RecipeOperation : uint8_t {
    kRecipeUpload = 0,
    kRecipeDownload = 1,
    kRecipeIncreaseBase = 2,
    kRecipeDecreaseBase = 3,
};

// Data formats of the register action (m_keyOption), the catalogue's display-format list.
enum KeyFormat : uint8_t { kFormatUnsigned = 0, kFormatHex = 1, kFormatSigned = 2 };

// Why a key cannot be downloaded.
enum class KeyFault : uint8_t {
    None,
    NoSuchKey,               // a key index outside the key table
    UnknownAction,           // an action kind outside 0..3
    NoCoilOperation,         // set coil without one of the four operations (protocol 1's state)
    RecipeNotAllowed,        // the protocol has no recipe record (protocol 31)
    UnknownRecipeOperation,  // a recipe operation outside 0..3
};

struct FunctionKeyInfo {
    const char* label;  // item of the page's key combo
    const char* name;   // the key as messages name it
    uint8_t keyCode;    // the panel's number of the key
};
inline constexpr int kFunctionKeyCount = 19;
// The key table; the key index (display kind) is the position. Symbol k is the key of index k.
inline constexpr std::array<FunctionKeyInfo, kFunctionKeyCount> kFunctionKeys{{
    {"‘ESC’键", "ESC", 0}, {"‘←’键", "←", 4},     {"‘→’键", "→", 6},     {"‘↓’键", "↓", 2},
    {"‘↑’键", "↑", 3},     {"‘SET’键", "SET", 5}, {"‘ENT’键", "ENT", 7}, {"‘ALM’键", "ALM", 1},
    {"‘0’键", "0", 10},    {"‘1’键", "1", 13},    {"‘2’键", "2", 12},    {"‘3’键", "3", 11},
    {"‘4’键", "4", 18},    {"‘5’键", "5", 19},    {"‘6’键", "6", 14},    {"‘7’键", "7", 15},
    {"‘8’键", "8", 16},    {"‘9’键", "9", 17},    {"‘CLR’键", "CLR", 8},
}};

class CFunction : public CLightFunc {
  public:
    static constexpr size_t kReservedBytes = 91;
    static constexpr uint8_t kDefaultKey = 2;  // "‘→’键"

    // For loading: defaults of the context's protocol.
    explicit CFunction(const ModelContext& context);
    // At a click point (screen pixels); the screen then calls PlaceAt.
    CFunction(const ModelContext& context, int32_t x, int32_t y);
    // Every field of the key; no download record.
    CFunction(const CFunction& other);

    const RuntimeClass& GetRuntimeClass() const override;
    // The shared block, the key's 17 fields (13 in files older than version 11), then 91
    // reserved bytes.
    void Serialize(Archive& ar) override;
    // Radio choices of the pages: item 1 action kind, 2 coil operation, 3 jump target, 4 recipe
    // operation; other items are ignored.
    void SetDisplayMode(uint8_t mode, int item) override;
    void UpdatePageCoordinates() override;
    // Adds the low byte of `base` to each symbol index of the record (the count is byte 15 / 2,
    // from byte 16 on); `base` is left as it is.
    void RebaseGlyphCodes(uint16_t& base) override;
    // 17 bytes, 18 with the hand.
    void ComputeRecordSize() override;
    // Puts the hand symbol (with hand) and the key's symbol into the download's symbol set and
    // writes their positions in the set from byte 16 on.
    Status CollectGlyphs(DownloadContext& download) override;
    // Fails, naming the key, for a key index outside the key table, an unknown action or coil
    // operation, and a recipe action under protocol 31 (which the panel cannot carry out).
    Status BuildDownloadRecord(DownloadContext& download) override;
    void Draw(Canvas& canvas) override;
    // Width (hand + 1) x (double size + 1) x 36, height (double size + 1) x 36 screen pixels.
    void SetPosition(int32_t x, int32_t y) override;
    void FillPropertyPage() override;
    void ShowPropertyPage() override;

    // What keeps the key from being downloaded, KeyFault::None when nothing does.
    KeyFault downloadFault() const;

    uint8_t keyIndex() const { return m_displayKind; }
    bool hasValidKey() const { return m_displayKind < kFunctionKeyCount; }
    // Image of the key: 336 + 3 x index when invisible, else 334 + 3 x index + inverse; 0 for a
    // key index outside the table.
    int32_t keyImage() const;
    // Image of the hand: 394 + inverse.
    int32_t handImage() const;

    // Type value and address of the record for the current action (0 for jump; recipe under
    // protocol 31 has none).
    uint8_t downloadTypeValue() const;
    uint16_t downloadAddress() const;

    // Protocol 31: for set coil the coil type value, for set register the register type value,
    // with the parameter number (m_subAddress) and the block word, from the selected module
    // (m_regType in the action's type list) and parameter (m_subType). Nothing otherwise.
    void updateProtocol31Values();

    uint8_t m_hand = 0;               // 手形: a hand to the left of the key
    uint8_t m_invisible = 0;          // 隐形
    uint8_t m_encrypted = 0;          // 加密: guarded by the panel password
    uint8_t m_actionKind = 0;         // FunctionAction
    uint8_t m_coilOperation = 0;      // CoilOperation
    uint8_t m_jumpTarget = 0;         // JumpTarget
    uint8_t m_recipeOperation = 0;    // RecipeOperation
    uint16_t m_targetScreen = 0;      // screen number of a jump
    uint16_t m_limit = 0;             // recipe base limit, 0..1023
    int32_t m_value = 0;              // value of the register action
    int32_t m_length = 0;             // recipe length, or step of the base operations
    uint8_t m_signedFlag = 0;         // 1 when the format is "Signed"
    uint16_t m_blockWord = 0;         // protocol 31: block code << 8 | address low byte
    uint8_t m_registerTypeValue = 0;  // protocol 31: type value of the register action
    uint8_t m_coilTypeValue = 0;      // protocol 31: type value of the coil action

  private:
    int handCells() const { return m_hand ? 2 : 1; }
    std::string describeKey() const;
};

}  // namespace vanta
