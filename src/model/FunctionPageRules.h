#pragma once
// The rules of the function-key page and its three sub-pages (coil and register, jump, recipe),
// without any widget: what the controls offer and show, and the values the page forces (protocol
// 1 has no coils, the base operations of a recipe use a fixed type and address and swap their
// limit, the data format decides the signed flag). The page binds its controls to the key's
// fields, writes every change through and then applies these rules.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CFunction.h"
#include "model/LightPageRules.h"
#include "protocols/Vocabulary.h"

namespace vanta {

// The sub-page shown in the page's lower group box.
enum class KeySubPage : uint8_t { Coil, Jump, Recipe };
KeySubPage keySubPage(uint8_t action);

// The type list of the coil sub-page's combo for an action: the word list for set register,
// bit list A for set coil, the alarm and function-key word list for jump and recipe (the recipe
// sub-page's combo always shows that list).
const std::vector<std::string>& keyTypeNames(const Vocabulary& vocab, uint8_t action);
// Protocol 31: the parameters of the selected module for set coil (bit list A) and set register
// (word list); empty otherwise.
std::vector<std::string> keySubTypeNames(const CFunction& key);

// Address spin of the coil sub-page: as for the lamp, with the name of the selected type in the
// action's list; under protocol 32, 0 .. the maximum word-register number for set register and
// 0 .. the maximum bit-register number for set coil.
SpinRange keyAddressSpinRange(const CFunction& key);

// Largest "目标地址" of a recipe for the recipe type code: 0x70 gives 2048, 0x72 1024, 0x74 512,
// any other code 65535.
int64_t recipeAddressMaximum(uint8_t recipeTypeCode);
// "目标地址" spin after the recipe type changed: 0 .. the maximum for the type's recipe code.
SpinRange recipeTargetSpinRange(const Vocabulary& vocab, uint8_t regType);

// Value spin of the register action: with c the type code of m_regType (word list; the register
// type value under protocol 31) and n its width in bytes (2 for 0x70, else the low nibble, at
// most 4), "Unsigned" and "HEX" allow 0 .. 2^(8n) - 1 (HEX typed in hexadecimal), "Signed"
// -2^(8n-1) .. 2^(8n-1) - 1; a width of 0 allows only 0.
SpinRange keyValueSpinRange(const CFunction& key);

// Recipe sub-page state for the current recipe operation.
struct RecipeControls {
    std::string lengthLabel;  // "Length:" or "Step:"
    int64_t lengthMax = 1024;
    bool limitShown = false;     // limit label, edit and spin
    std::string limitLabel;      // "Upper:", "Lower:" (empty while hidden)
    bool bindingEnabled = true;  // type combo, "目标地址" and station edit
};
// Applies the recipe operation's forced values, on every pass of the page: for the base
// operations the type index becomes 3 and the address 0; increasing turns a limit of 0 into
// 1023, decreasing a limit of 1023 into 0. Returns what the sub-page shows.
RecipeControls applyRecipeOperation(CFunction& key);

// Data format changed (or the page loads the key): the signed flag and m_signed are 1 for
// "Signed", else 0.
void applyKeyFormat(CFunction& key);
// "隐形" checked: hand, double size and inverse are cleared (the caller then refits the key).
void applyKeyInvisible(CFunction& key);
// Loading the page: under protocol 1 a set-coil key becomes a jump and the coil operation
// becomes kCoilNone (no coil radio checked); the format decides the signed flag; under protocol
// 31 the type value, parameter number and block word of the action are looked up.
void applyKeyPageFill(CFunction& key);
// The type, sub-type or address of the coil sub-page changed: protocol-31 values again.
void onKeyBindingChanged(CFunction& key);

// What the page and its sub-pages offer and show for one key.
struct KeyPageControls {
    KeySubPage subPage = KeySubPage::Coil;
    std::vector<std::string> keyNames;         // the 19 key labels
    std::vector<std::string> typeNames;        // coil sub-page type combo
    std::vector<std::string> recipeTypeNames;  // recipe type combo
    std::vector<std::string> formatNames;      // "Unsigned", "HEX", "Signed"
    std::vector<std::string> subTypeNames;     // protocol 31
    SpinRange station;
    SpinRange address;  // coil sub-page
    SpinRange bitNumber;
    SpinRange value;
    SpinRange recipeTarget{0, 65535};
    SpinRange length{0, 1024};
    SpinRange limit{0, 1023};
    SpinRange jumpScreen{1, 65535};
    int32_t xMax = 0;
    int32_t yMax = 0;

    bool setCoilEnabled = true;       // the "设定线圈" radio (never under protocol 1)
    bool recipeEnabled = true;        // the "配方" radio (never under protocol 31: no recipes)
    bool optionChecksEnabled = true;  // "手形", "反相", "倍角": while "隐形" is unchecked
    bool jumpScreenEnabled = true;    // screen-number edit: while "画面" is selected
    bool valueShown = false;          // "参数:", value edit and spin, format combo
    bool coilRadiosShown = false;     // the four coil radios
    bool storesCoilRadio = false;     // the coil radio is written back (catalogue switch)
    bool bitNumberShown = false;      // bit-number edit and spin of the coil sub-page
    bool subTypeShown = false;        // "子类型:" and its combo
};
KeyPageControls keyPageControls(const CFunction& key, uint8_t panelStation);

}  // namespace vanta
