#include "model/RegisterPageRules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vanta {

namespace {

constexpr int64_t kSignedLimit = 2147483647;
constexpr int64_t kUnsignedLimit = 4294967295;

// The name of the register type, clamped to the list as the type codes are.
std::string typeName(const CRegister& reg) {
    const auto& names = reg.context().vocab().wordTypes;
    if (names.empty())
        return {};
    return names[std::min<size_t>(reg.m_regType, names.size() - 1)];
}

// The limit as its edit shows it.
std::string limitText(int32_t value, bool shownSigned) {
    return shownSigned ? std::to_string(value) : std::to_string(static_cast<uint32_t>(value));
}

// The field value of a number within its signedness's 32-bit range.
int32_t limitValue(int64_t number, bool isSigned) {
    if (isSigned)
        return static_cast<int32_t>(number);
    return static_cast<int32_t>(static_cast<uint32_t>(number));
}

int32_t& limitField(CRegister& reg, RegisterLimit which) {
    switch (which) {
        case RegisterLimit::InputHigh:
            return reg.m_inputHigh;
        case RegisterLimit::InputLow:
            return reg.m_inputLow;
        case RegisterLimit::EngHigh:
            return reg.m_engHigh;
        case RegisterLimit::EngLow:
        default:
            return reg.m_engLow;
    }
}

// Under module addressing: the parameter stays selected when the module still has it, otherwise
// the first one is taken; then the derived values follow.
void reselectParameter(CRegister& reg) {
    if (!reg.context().profile().moduleAddressing)
        return;
    const auto& names = reg.context().vocab().parameterNames(TypeList::Word, reg.m_regType);
    if (reg.m_subType >= names.size())
        reg.m_subType = 0;
    reg.updateProtocol31Values();
}

// Whether the profile fixes the register count of the named type (types outside its counted
// types, and its single-word types).
bool countFixedByType(const ProtocolProfile& profile, const std::string& name) {
    if (!profile.countedTypes.empty() && !containsName(profile.countedTypes, name))
        return true;
    return containsName(profile.singleWordTypes, name);
}

}  // namespace

bool typeFixesCountAndStation(uint8_t typeCode) {
    return typeCode == 81 || typeCode == 112 || typeCode == 114 || typeCode == 116 ||
           typeCode == 145;
}

ValueRange registerLimitRange(const CRegister& reg) {
    // The limits of a 32-bit counter are the counter numbers C200..C255.
    if (reg.isCounter())
        return {200, 255};
    const auto product = static_cast<uint8_t>(reg.downloadTypeCode() * reg.m_regCount);
    const int bits = typeCodeWidth(product) * 8;
    const double s = reg.m_signed ? 1 : 0;
    const double max = std::ldexp(1.0, bits) / (s + 1) - 1;
    return {-(max + 1) * s, max};
}

bool registerLimitsAsText(const CRegister& reg) {
    return reg.dataWidth() == 4 || reg.m_regCount > 1 || reg.context().profile().moduleAddressing;
}

RegisterPageState registerPageState(const CRegister& reg, uint8_t panelStation) {
    const ModelContext& context = reg.context();
    const Vocabulary& vocab = context.vocab();
    const ProtocolProfile& profile = context.profile();
    const std::string name = typeName(reg);
    const bool fixed = typeFixesCountAndStation(reg.typeCode());

    RegisterPageState state;
    state.signedEnabled = reg.m_displayMode != 0;
    state.decimalsEnabled = reg.m_displayMode != 0;
    state.settableEnabled = !containsName(profile.readOnlyTypes, name);
    state.passwordEnabled = reg.m_settable != 0;
    state.limitControlsEnabled = reg.m_limits != 0;

    state.countEditable = !fixed && !countFixedByType(profile, name);
    state.subTypeShown = profile.moduleAddressing;
    state.countShown = vocab.registerCountShown;
    state.subAddressShown = vocab.bitNumberShown;

    state.x = {0, reg.pageXMaximum()};
    state.y = {0, reg.pageYMaximum()};
    const int32_t lowStation = vocab.stationLow(panelStation);
    state.station = {lowStation, fixed ? lowStation : vocab.stationHigh(panelStation)};
    state.address = {vocab.minAddress(), static_cast<int32_t>(vocab.maxWordRegister)};
    state.count = {1, fixed ? 1 : vocab.maxRegisterCount};
    state.subAddress = {0, vocab.maxSubAddress()};
    state.octalAddress = vocab.octalAddresses;
    state.hexAddress = vocab.hexAddresses;

    state.limits = registerLimitRange(reg);
    state.limitsSigned = reg.m_signed != 0;
    state.limitsAsText = registerLimitsAsText(reg);

    state.typeNames = vocab.wordTypes;
    if (profile.moduleAddressing)
        state.subTypeNames = vocab.parameterNames(TypeList::Word, reg.m_regType);
    return state;
}

void registerPageModeChanged(CRegister& reg, uint8_t mode) {
    const bool wasSigned = reg.m_signed != 0;
    reg.SetDisplayMode(mode, 0);
    if (mode == 0) {
        reg.m_signed = 0;
        reg.m_decimals = 0;
    }
    if (wasSigned != (reg.m_signed != 0))
        registerPageShapeChanged(reg, wasSigned);
    else
        reg.Refit();
}

void registerPageDigitsChanged(CRegister& reg) {
    if (reg.m_decimals > reg.m_digits)
        reg.m_decimals = reg.m_digits;
    reg.Refit();
}

void registerPageDecimalsChanged(CRegister& reg) {
    if (reg.m_decimals > reg.m_digits)
        reg.m_digits = reg.m_decimals;
    reg.Refit();
}

void registerPagePositionChanged(CRegister& reg) {
    reg.applyPagePosition();
}

void registerPageSettableChanged(CRegister& reg) {
    if (!reg.m_settable)
        reg.m_password = 0;
}

void registerPageTypeChanged(CRegister& reg, uint8_t panelStation) {
    const ProtocolProfile& profile = reg.context().profile();
    const std::string name = typeName(reg);
    if (typeFixesCountAndStation(reg.typeCode())) {
        reg.m_regCount = 1;
        reg.m_station = static_cast<uint8_t>(reg.context().vocab().stationLow(panelStation));
    }
    if (profile.readOnlyClearsSettable && containsName(profile.readOnlyTypes, name)) {
        reg.m_settable = 0;
        registerPageSettableChanged(reg);
    }
    if (countFixedByType(profile, name))
        reg.m_regCount = containsName(profile.doubleWordTypes, name) ? 2 : 1;
    registerPageShapeChanged(reg, reg.m_signed != 0);
}

void registerPageShapeChanged(CRegister& reg, bool shownSigned) {
    if (reg.dataWidth() == 4 || reg.m_regCount > 1) {
        const bool isSigned = reg.m_signed != 0;
        for (int32_t* limit : {&reg.m_inputHigh, &reg.m_inputLow, &reg.m_engHigh, &reg.m_engLow}) {
            const std::string checked = validateLimitText(limitText(*limit, shownSigned), isSigned);
            *limit = limitValue(parseLimitText(checked).value_or(0), isSigned);
        }
    }
    reselectParameter(reg);
    reg.Refit();
}

void registerPageSubTypeChanged(CRegister& reg) {
    reg.updateProtocol31Values();
}

void registerPageAddressChanged(CRegister& reg) {
    reg.updateProtocol31Values();
}

std::string registerPageLimitTyped(CRegister& reg, RegisterLimit which, const std::string& text) {
    const bool isSigned = reg.m_signed != 0;
    int32_t& field = limitField(reg, which);
    const std::optional<int64_t> number = parseLimitText(text);
    if (!number)
        return text;
    if (!registerLimitsAsText(reg) || limitTextInRange(text, isSigned)) {
        field = limitValue(*number, isSigned);
        return text;
    }
    if (which == RegisterLimit::InputHigh) {
        field = 100;
        return "100";
    }
    return limitText(field, isSigned);
}

std::optional<int64_t> parseLimitText(const std::string& text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    // Far beyond the 32-bit ranges every value behaves alike, so the magnitude saturates.
    constexpr int64_t kSaturated = int64_t{1} << 62;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        if (magnitude <= (kSaturated - 9) / 10)
            magnitude = magnitude * 10 + (c - '0');
        else
            magnitude = kSaturated;
    }
    return negative ? -magnitude : magnitude;
}

std::string validateLimitText(const std::string& text, bool isSigned) {
    const int64_t value = parseLimitText(text).value_or(0);
    if (isSigned) {
        if (value > kSignedLimit)
            return std::to_string(kSignedLimit);
        if (value < -kSignedLimit)
            return std::to_string(-kSignedLimit);
        return std::to_string(value);
    }
    if (value < 0)
        return "10";
    return std::to_string(value);
}

bool limitTextInRange(const std::string& text, bool isSigned) {
    const std::optional<int64_t> value = parseLimitText(text);
    if (!value)
        return false;
    if (isSigned)
        return *value >= -kSignedLimit && *value <= kSignedLimit;
    return *value >= 0 && *value <= kUnsignedLimit;
}

}  // namespace vanta
