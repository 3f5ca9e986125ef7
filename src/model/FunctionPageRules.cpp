#include "model/FunctionPageRules.h"

#include <algorithm>

#include "protocols/ParameterCodes.h"

namespace vanta {

namespace {

// Bit-number edit of the coil sub-page after the page's pass: hidden under module addressing and
// for set register (except where bits are bit numbers inside registers); for set coil hidden for
// the profile's whole-coil types ("0x" and "1x" under protocols 19, 20, 21 and 25), and shown
// otherwise (the page shows it on every pass, whatever the catalogue's switch said when the page
// was loaded).
bool keyBitNumberShown(const Vocabulary& vocab, uint8_t action, const std::string& typeName) {
    const ProtocolProfile& profile = vocab.profile();
    if (profile.moduleAddressing) {
        return false;
    }
    if (action == kActionSetRegister) {
        return profile.bitsInRegisters;
    }
    if (action != kActionSetCoil) {
        return false;
    }
    return !containsName(profile.wholeCoilTypes, typeName);
}

}  // namespace

KeySubPage keySubPage(uint8_t action) {
    switch (action) {
        case kActionJump:
            return KeySubPage::Jump;
        case kActionRecipe:
            return KeySubPage::Recipe;
        default:
            return KeySubPage::Coil;
    }
}

const std::vector<std::string>& keyTypeNames(const Vocabulary& vocab, uint8_t action) {
    switch (action) {
        case kActionSetRegister:
            return vocab.wordTypes;
        case kActionSetCoil:
            return vocab.bitTypesA;
        default:
            return vocab.alarmWordTypes;
    }
}

std::vector<std::string> keySubTypeNames(const CFunction& key) {
    const Vocabulary& vocab = key.context().vocab();
    if (!vocab.profile().moduleAddressing) {
        return {};
    }
    if (key.m_actionKind == kActionSetCoil) {
        return vocab.parameterNames(TypeList::BitA, key.m_regType);
    }
    if (key.m_actionKind == kActionSetRegister) {
        return vocab.parameterNames(TypeList::Word, key.m_regType);
    }
    return {};
}

SpinRange keyAddressSpinRange(const CFunction& key) {
    const Vocabulary& vocab = key.context().vocab();
    const std::string name = typeNameAt(keyTypeNames(vocab, key.m_actionKind), key.m_regType);
    SpinRange range = bitAddressSpinRange(vocab, name);
    if (vocab.profile().keyRegisterUpToMaxWord) {
        if (key.m_actionKind == kActionSetRegister) {
            range = {0, vocab.maxWordRegister};
        } else if (key.m_actionKind == kActionSetCoil) {
            range = {0, vocab.maxBitRegister};
        }
    }
    return range;
}

int64_t recipeAddressMaximum(uint8_t recipeTypeCode) {
    switch (recipeTypeCode) {
        case 0x70:
            return 2048;
        case 0x72:
            return 1024;
        case 0x74:
            return 512;
        default:
            return 65535;
    }
}

SpinRange recipeTargetSpinRange(const Vocabulary& vocab, uint8_t regType) {
    return {0, recipeAddressMaximum(recipeTypeCode(vocab, regType))};
}

SpinRange keyValueSpinRange(const CFunction& key) {
    const Vocabulary& vocab = key.context().vocab();
    const uint8_t code = vocab.profile().moduleAddressing
                             ? key.m_registerTypeValue
                             : registerTypeCode(vocab, key.m_regType, kParameterWord);
    const int width = std::min(typeCodeWidth(code), 4);
    SpinRange range;
    if (width > 0) {
        const int bits = 8 * width;
        if (key.m_keyOption == kFormatSigned) {
            range = {-(int64_t{1} << (bits - 1)), (int64_t{1} << (bits - 1)) - 1};
        } else {
            range = {0, (int64_t{1} << bits) - 1};
        }
    }
    if (key.m_keyOption == kFormatHex) {
        range.entry = NumberEntry::Hex;
    }
    return range;
}

RecipeControls applyRecipeOperation(CFunction& key) {
    RecipeControls c;
    switch (key.m_recipeOperation) {
        case kRecipeIncreaseBase:
        case kRecipeDecreaseBase: {
            const bool increase = key.m_recipeOperation == kRecipeIncreaseBase;
            key.m_regType = 3;
            key.m_address = 0;
            if (increase && key.m_limit == 0) {
                key.m_limit = 1023;
            } else if (!increase && key.m_limit == 1023) {
                key.m_limit = 0;
            }
            c.lengthLabel = "Step:";
            c.lengthMax = 1024;
            c.limitShown = true;
            c.limitLabel = increase ? "Upper:" : "Lower:";
            c.bindingEnabled = false;
            break;
        }
        default:
            c.lengthLabel = "Length:";
            c.lengthMax = 64;
            c.limitShown = false;
            c.bindingEnabled = true;
            break;
    }
    return c;
}

void applyKeyFormat(CFunction& key) {
    const uint8_t isSigned = key.m_keyOption == kFormatSigned ? 1 : 0;
    key.m_signedFlag = isSigned;
    key.m_signed = isSigned;
}

void applyKeyInvisible(CFunction& key) {
    if (key.m_invisible) {
        key.m_hand = 0;
        key.m_doubleSize = 0;
        key.m_inverse = 0;
    }
}

void applyKeyPageFill(CFunction& key) {
    if (!key.context().profile().hasCoils) {
        if (key.m_actionKind == kActionSetCoil) {
            key.m_actionKind = kActionJump;
        }
        key.m_coilOperation = kCoilNone;
    }
    applyKeyFormat(key);
    key.updateProtocol31Values();
}

void onKeyBindingChanged(CFunction& key) {
    key.updateProtocol31Values();
}

KeyPageControls keyPageControls(const CFunction& key, uint8_t panelStation) {
    const Vocabulary& vocab = key.context().vocab();
    const uint8_t action = key.m_actionKind;
    const std::vector<std::string>& types = keyTypeNames(vocab, action);
    KeyPageControls c;
    c.subPage = keySubPage(action);
    for (const FunctionKeyInfo& info : kFunctionKeys) {
        c.keyNames.emplace_back(info.label);
    }
    c.typeNames = types;
    c.recipeTypeNames = vocab.alarmWordTypes;
    c.formatNames = vocab.displayFormats;
    c.subTypeNames = keySubTypeNames(key);
    c.station = stationSpinRange(vocab, panelStation);
    c.address = keyAddressSpinRange(key);
    c.bitNumber = bitNumberSpinRange(vocab);
    c.value = keyValueSpinRange(key);
    c.length.max = key.m_recipeOperation >= kRecipeIncreaseBase ? 1024 : 64;
    c.xMax = key.pageXMaximum();
    c.yMax = key.pageYMaximum();

    c.setCoilEnabled = vocab.profile().hasCoils;
    c.recipeEnabled = vocab.profile().recipesAllowed;
    c.optionChecksEnabled = key.m_invisible == 0;
    c.jumpScreenEnabled = key.m_jumpTarget == kJumpScreen;
    c.valueShown = action == kActionSetRegister && vocab.valueShown;
    c.coilRadiosShown = action == kActionSetCoil && vocab.coilOperationsShown;
    c.storesCoilRadio = vocab.coilOperationsShown;
    c.bitNumberShown = keyBitNumberShown(vocab, action, typeNameAt(types, key.m_regType));
    c.subTypeShown = vocab.profile().moduleAddressing &&
                     (action == kActionSetCoil || action == kActionSetRegister);
    return c;
}

}  // namespace vanta
