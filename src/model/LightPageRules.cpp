#include "model/LightPageRules.h"

#include <algorithm>

#include "protocols/ParameterCodes.h"

namespace vanta {

namespace {

bool isOneOf(uint8_t protocol, std::initializer_list<uint8_t> list) {
    return std::find(list.begin(), list.end(), protocol) != list.end();
}

}  // namespace

std::string typeNameAt(const std::vector<std::string>& names, int index) {
    if (index < 0 || static_cast<size_t>(index) >= names.size()) {
        return {};
    }
    return names[static_cast<size_t>(index)];
}

SpinRange stationSpinRange(const Vocabulary& vocab, uint8_t panelStation) {
    SpinRange range{vocab.stationLow(panelStation), vocab.stationHigh(panelStation)};
    if (vocab.protocol == 1) {
        range.entry = NumberEntry::Hex;
    }
    return range;
}

SpinRange bitNumberSpinRange(const Vocabulary& vocab) {
    return {0, std::max(0, vocab.highestBitIndex)};
}

SpinRange bitAddressSpinRange(const Vocabulary& vocab, const std::string& typeName) {
    const uint8_t p = vocab.protocol;
    SpinRange range{0, vocab.maxBitRegister};
    if (isOneOf(p, {3, 16, 19, 21, 25, 33, 34})) {
        range.min = 1;
    } else if (p == 31) {
        range = {1, vocab.maxWordRegister};
    }
    if (p == 1) {
        range.entry = NumberEntry::Hex;
    } else if (p == 7 || (p == 20 && (typeName == "X" || typeName == "Y"))) {
        range.entry = NumberEntry::Octal;
    }
    return range;
}

SpinRange lampOffsetSpinRange(const Vocabulary& vocab, uint8_t regType) {
    const int width = typeCodeWidth(registerTypeCode(vocab, regType, kParameterWord));
    return {0, std::max(0, 8 * width - 1)};
}

bool lampBitNumberShown(const Vocabulary& vocab, const std::string& typeName) {
    const uint8_t p = vocab.protocol;
    if (p == 31) {
        return false;
    }
    if (isOneOf(p, {19, 20, 21, 25})) {
        if (typeName == "0x" || typeName == "1x") {
            return false;
        }
        if (typeName == "3x" || typeName == "4x") {
            return true;
        }
    }
    return vocab.bitNumberShown;
}

LampPageControls lampPageControls(const CLight& lamp, uint8_t panelStation) {
    const Vocabulary& vocab = lamp.context().vocab();
    const std::string typeName = typeNameAt(vocab.bitTypesB, lamp.m_regType);
    LampPageControls c;
    c.typeNames = vocab.bitTypesB;
    if (vocab.protocol == 31) {
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
    c.subTypeShown = vocab.protocol == 31;
    return c;
}

void onLampBindingChanged(CLight& lamp) {
    lamp.updateProtocol31Values();
}

}  // namespace vanta
