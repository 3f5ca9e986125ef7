#include "model/AlarmListRules.h"

#include <algorithm>
#include <cstdio>

namespace vanta {

namespace {

std::string format(const char* pattern, int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

std::string typeName(const Vocabulary& vocab, int regType) {
    const auto& names = vocab.bitTypesC;
    if (names.empty())
        return {};
    return names[static_cast<size_t>(std::clamp(regType, 0, static_cast<int>(names.size()) - 1))];
}

}  // namespace

AlarmCoilFamily alarmCoilFamily(const Vocabulary& vocab) {
    if (vocab.offsetShown)
        return AlarmCoilFamily::BitsInRegister;
    switch (vocab.profile().alarmLabels) {
        case AlarmLabels::PerCoil:
        case AlarmLabels::WordBits:
        case AlarmLabels::WordBitsJoined:
        case AlarmLabels::FileBits:
        case AlarmLabels::ByteBits:
            return AlarmCoilFamily::SubAddress;
        case AlarmLabels::Decimal:
        case AlarmLabels::Slash:
        case AlarmLabels::Octal:
            break;
    }
    return AlarmCoilFamily::Plain;
}

int alarmRegisterBits(const Vocabulary& vocab, int regType) {
    const int width = registerTypeCode(vocab, regType, 1) & 0x0F;
    return width == 0 ? 16 : 8 * width;
}

std::string alarmCoilLabel(const CAlarmList& list, const Vocabulary& vocab, int row) {
    const int k = row - 1;
    const int start = list.m_startAddress;
    const int w = alarmRegisterBits(vocab, list.m_regType);
    if (alarmCoilFamily(vocab) == AlarmCoilFamily::BitsInRegister) {
        const int bit = list.m_bitOffset + k;
        if (bit >= w)
            return {};
        return format("%04x", start) + format(" %02x", list.m_subAddress) +
               format(" %02x", bit % w);
    }
    const std::string prefix = typeName(vocab, list.m_regType);
    const int n = list.m_subAddress + k;
    switch (vocab.profile().alarmLabels) {
        case AlarmLabels::PerCoil:
            return prefix + format("%d", start + k);
        case AlarmLabels::ByteBits: {
            // Byte-addressed bits: 8 to a byte address.
            const int d = w > 8 ? w - 8 : 8;
            return prefix + format("%d", start + n / d) + format(".%x", n % d);
        }
        case AlarmLabels::WordBitsJoined:
            return prefix + format("%d", start + n / w) + format("%x", n % w);
        case AlarmLabels::FileBits:
            return prefix + format(":%d", start + n / w) + format("/%x", n % w);
        case AlarmLabels::WordBits:
            return prefix + format("%d", start + n / w) + format(".%x", n % w);
        case AlarmLabels::Slash:
            return prefix + format("/%d", start + k);
        case AlarmLabels::Octal:
            return prefix + format("%o", start + k);
        case AlarmLabels::Decimal:
            break;
    }
    return prefix + format("%d", start + k);
}

size_t alarmTextCapacity(const CAlarmList& list, const Vocabulary& vocab) {
    if (alarmCoilFamily(vocab) == AlarmCoilFamily::BitsInRegister) {
        const int bits = alarmRegisterBits(vocab, list.m_regType) - list.m_bitOffset;
        return std::min(static_cast<size_t>(std::max(bits, 0)), CAlarmList::kMaxTexts);
    }
    return CAlarmList::kMaxTexts;
}

AlarmDialogControls alarmDialogControls(const CAlarmList& list, const Vocabulary& vocab,
                                        uint8_t panelStation) {
    const AlarmCoilFamily family = alarmCoilFamily(vocab);
    AlarmDialogControls c;
    c.stationMin = vocab.stationLow(panelStation);
    c.stationMax = vocab.stationHigh(panelStation);
    c.addressMin = vocab.minAddress();
    c.addressMax = static_cast<int>(vocab.maxBitRegister);
    c.addressHex = vocab.hexAddresses;
    c.addressOctal = vocab.octalAddresses;
    c.subAddressMax = vocab.maxSubAddress();
    c.subAddressShown =
        family != AlarmCoilFamily::Plain && vocab.profile().alarmLabels != AlarmLabels::PerCoil;
    c.bitOffsetMax = alarmRegisterBits(vocab, list.m_regType) - 1;
    c.bitOffsetShown = family == AlarmCoilFamily::BitsInRegister;
    c.typeNames = vocab.bitTypesC;
    return c;
}

AlarmListEditor::AlarmListEditor(CAlarmList& list, const Vocabulary& vocab)
    : list_(list), vocab_(vocab) {}

void AlarmListEditor::open() {
    list_.m_savedTexts = list_.m_texts;
    fill();
}

ByteString AlarmListEditor::textAt(int row) const {
    if (row < 1 || static_cast<size_t>(row) > list_.m_texts.size())
        return {};
    return list_.m_texts[static_cast<size_t>(row - 1)];
}

bool AlarmListEditor::editText(int row, const ByteString& text) {
    auto& texts = list_.m_texts;
    if (row < 1 || static_cast<size_t>(row - 1) > texts.size())
        return false;
    const size_t k = static_cast<size_t>(row - 1);
    if (k == texts.size()) {
        if (text.empty())
            return true;
        if (texts.size() >= alarmTextCapacity(list_, vocab_))
            return false;
        texts.push_back(text);
    } else if (!text.empty()) {
        texts[k] = text;
    } else {
        texts[k].clear();
        const bool laterText =
            std::any_of(texts.begin() + static_cast<std::ptrdiff_t>(k) + 1, texts.end(),
                        [](const ByteString& t) { return !t.empty(); });
        if (!laterText)
            removeTrailingEmpty();
    }
    fill();
    return true;
}

AlarmEnterMove AlarmListEditor::enter(int row) const {
    AlarmEnterMove move;
    if (textAt(row).empty())
        return move;
    if (list_.m_texts.size() < alarmTextCapacity(list_, vocab_)) {
        if (row <= 15) {
            move.action = AlarmEnterMove::MoveTo;
            move.row = row + 1;
        } else {
            move.action = AlarmEnterMove::HideEditor;
        }
    } else {
        move.action = AlarmEnterMove::MoveTo;
        move.row = 1;
    }
    return move;
}

void AlarmListEditor::startCoilChanged() {
    fill();
}

void AlarmListEditor::registerTypeChanged() {
    const int bits = alarmRegisterBits(vocab_, list_.m_regType);
    if (list_.m_bitOffset > bits - 1)
        list_.m_bitOffset = static_cast<uint8_t>(bits - 1);
    fill();
}

void AlarmListEditor::accept() {
    removeTrailingEmpty();
    fill();
}

void AlarmListEditor::cancel() {
    list_.m_texts = list_.m_savedTexts;
    fill();
}

void AlarmListEditor::fill() {
    auto& texts = list_.m_texts;
    const size_t capacity = alarmTextCapacity(list_, vocab_);
    // The coils of a bit-addressed list cannot run past the start register.
    if (alarmCoilFamily(vocab_) == AlarmCoilFamily::BitsInRegister && texts.size() > capacity)
        texts.resize(capacity);
    rows_.clear();
    rows_.reserve(texts.size() + 1);
    for (size_t k = 0; k < texts.size(); ++k)
        rows_.push_back({alarmCoilLabel(list_, vocab_, static_cast<int>(k + 1)), texts[k]});
    if (texts.size() < capacity)
        rows_.push_back({alarmCoilLabel(list_, vocab_, static_cast<int>(texts.size() + 1)), {}});
}

void AlarmListEditor::removeTrailingEmpty() {
    auto& texts = list_.m_texts;
    while (!texts.empty() && texts.back().empty())
        texts.pop_back();
}

}  // namespace vanta
