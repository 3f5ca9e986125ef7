#include "model/LightPageRules.h"

#include <algorithm>

#include "protocols/ParameterCodes.h"

namespace vanta {

std::string typeNameAt(const std::vector<std::string>& names, int index) {
    if (index < 0 || static_cast<size_t>(index) >= names.size()) {
        return {};
    }
    return names[static_cast<size_t>(index)];
}

SpinRange stationSpinRange(const Vocabulary& vocab, uint8_t panelStation) {
    SpinRange range{vocab.stationLow(panelStation), vocab.stationHigh(panelStation)};
    if (vocab.hexAddresses) {
        range.entry = NumberEntry::Hex;
    }
    return range;
}

SpinRange bitNumberSpinRange(const Vocabulary& vocab) {
    return {0, std::max(0, vocab.highestBitIndex)};
}

SpinRange bitAddressSpinRange(const Vocabulary& vocab, const std::string& typeName) {
    const ProtocolProfile& profile = vocab.profile();
    SpinRange range{0, vocab.maxBitRegister};
    if (profile.moduleAddressing) {
        // A module's bus address, within the word range.
        range = {1, vocab.maxWordRegister};
    } else if (vocab.addressesFromOne) {
        range.min = 1;
    }
    if (vocab.hexAddresses) {
        range.entry = NumberEntry::Hex;
    } else if (vocab.octalAddresses || containsName(profile.octalTypes, typeName)) {
        range.entry = NumberEntry::Octal;
    }
    return range;
}

SpinRange lampOffsetSpinRange(const Vocabulary& vocab, uint8_t regType) {
    const int width = typeCodeWidth(registerTypeCode(vocab, regType, kParameterWord));
    return {0, std::max(0, 8 * width - 1)};
}

bool lampBitNumberShown(const Vocabulary& vocab, const std::string& typeName) {
    const ProtocolProfile& profile = vocab.profile();
    if (profile.moduleAddressing || containsName(profile.wholeCoilTypes, typeName)) {
        return false;
    }
    if (containsName(profile.registerBitTypes, typeName)) {
        return true;
    }
    return vocab.bitNumberShown;
}

LampPageControls lampPageControls(const CLight& lamp, uint8_t panelStation) {
    const Vocabulary& vocab = lamp.context().vocab();
    const std::string typeName = typeNameAt(vocab.bitTypesB, lamp.m_regType);
    LampPageControls c;
    c.typeNames = vocab.bitTypesB;
    if (vocab.profile().moduleAddressing) {
        c.subTypeNames = vocab.parameterNames(TypeList::BitB, lamp.m_regType);
    }
    c.station = stationSpinRange(vocab, panelStation);
    c.address = bitAddressSpinRange(vocab, typeName);
    c.bitNumber = bitNumberSpinRange(vocab);
    c.offset = lampOffsetSpinRange(vocab, lamp.m_regType);
    c.xMax = lamp.pageXMaximum();
    c.yMax = lamp.pageYMaximum();
    c.bitNumberShown = lampBitNumberShown(vocab, typeName);
    c.offsetShown = vocab.offsetShown;
    c.subTypeShown = vocab.profile().moduleAddressing;
    return c;
}

void onLampBindingChanged(CLight& lamp) {
    lamp.updateProtocol31Values();
}

}  // namespace vanta
