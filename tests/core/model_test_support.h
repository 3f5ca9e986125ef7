#pragma once
// A protocol's vocabulary with the model context that points at it, as the component tests need
// them; the warnings the components send are kept for the tests to read. Components with every
// field away from its default, for the tests of copying.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/Archive.h"
#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CRegister.h"
#include "model/CTide.h"
#include "model/CUpLoadPic.h"
#include "model/ModelContext.h"
#include "protocols/Vocabulary.h"

namespace vanta::testing {

struct ProtocolModel {
    explicit ProtocolModel(uint8_t protocol) : vocab(makeVocabulary(protocol)) {
        context.protocol = protocol;
        context.vocabulary = &vocab;
        context.warn = [this](const std::string& message) { warnings.push_back(message); };
    }
    ProtocolModel(const ProtocolModel&) = delete;
    ProtocolModel& operator=(const ProtocolModel&) = delete;

    Vocabulary vocab;
    ModelContext context;
    std::vector<std::string> warnings;
};

// The record a component writes into a storing archive.
inline Bytes store(Persistent& object) {
    Archive ar;
    object.Serialize(ar);
    return ar.takeData();
}

// Appends hand-written expected bytes.
inline void append(Bytes& out, std::initializer_list<uint8_t> bytes) {
    out.insert(out.end(), bytes);
}

// --- every field away from its default ---
// Values differ from the defaults of every class and every protocol, so a copy (or a record) that
// leaves a field out shows in a comparison with its source. Each setter ends by placing the
// component at its position, so the rectangle and the fields derived from the others follow.

// The fields of the base, the common part and the register binding alike.
inline void setEveryBaseField(CBase& c) {
    c.m_x = 12;
    c.m_y = 5;
    c.m_doubleSize = 1;
    c.m_inverse = 1;
    c.m_station = 9;
    c.m_subAddress = 3;
    c.m_address = 0x0234;
    c.m_subType = 4;
    c.m_regType = 1;
    c.m_displayMode = 0;
    c.m_keyOption = 2;
    c.m_regCount = 2;
    c.m_signed = 1;
}

inline void placeAtItsPosition(CBase& c) {
    c.SetPosition(screenFromPanel(c.m_x), screenFromPanel(c.m_y));
}

inline void setEveryField(CChars& c) {
    setEveryBaseField(c);
    c.m_text = "Copied text";
    placeAtItsPosition(c);
}

inline void setEveryField(CRegister& c) {
    setEveryBaseField(c);
    c.m_decimals = 2;
    c.m_digits = 7;
    c.m_password = 1;
    c.m_dataKind = 1;
    c.m_settable = 1;
    c.m_limits = 1;
    c.m_inputHigh = 1000;
    c.m_inputLow = -5;
    c.m_engHigh = 0x01020304;
    c.m_engLow = -7;
    c.m_blockWord = 0x0105;
    c.m_typeValue = 0x32;
    placeAtItsPosition(c);
}

inline void setEveryField(CDynamic& c) {
    setEveryBaseField(c);
    c.m_texts.assign(CDynamic::kEntries, ByteString());
    c.m_valueTexts.assign(CDynamic::kEntries, ByteString());
    c.m_values.assign(CDynamic::kEntries, 0);
    c.m_texts[0] = "Copied";
    c.m_valueTexts[0] = "7";
    c.m_values[0] = 7;
    c.m_texts[5] = "Five";
    c.m_valueTexts[5] = "-3";
    c.m_values[5] = -3;
    c.m_texts[31] = "Last";
    c.m_valueTexts[31] = "31";
    c.m_values[31] = 31;
    c.m_editText = "edit";
    c.m_editValue = 9;
    c.m_blockWord = 0x0A0B;
    c.m_typeValue = 0x64;
    placeAtItsPosition(c);
}

inline void setEveryLampKeyField(CLightFunc& c) {
    setEveryBaseField(c);
    c.m_images.back() = 400;
}

inline void setEveryField(CLight& c) {
    setEveryLampKeyField(c);
    c.m_displayKind = 1;
    c.m_offset = 4;
    c.m_blockWord = 0x034D;
    c.m_typeValue = 50;
    placeAtItsPosition(c);
}

inline void setEveryField(CFunction& c) {
    setEveryLampKeyField(c);
    c.m_displayKind = 11;
    c.m_hand = 1;
    c.m_invisible = 1;
    c.m_encrypted = 1;
    c.m_actionKind = 2;
    c.m_coilOperation = 3;
    c.m_jumpTarget = 1;
    c.m_recipeOperation = 2;
    c.m_targetScreen = 300;
    c.m_limit = 9;
    c.m_value = -123;
    c.m_length = 40;
    c.m_signedFlag = 1;
    c.m_blockWord = 0x0203;
    c.m_registerTypeValue = 17;
    c.m_coilTypeValue = 16;
    placeAtItsPosition(c);
}

inline void setEveryBarTrendField(CBarTide& c) {
    setEveryBaseField(c);
    c.m_fullScale = -5;
    c.m_zeroScale = -9;
    c.m_height = 30;
    c.m_width = 60;
    c.m_blockWord = 0x0102;
    c.m_typeValue = 50;
}

inline void setEveryField(CBar& c) {
    setEveryBarTrendField(c);
    c.m_direction = CBar::kRight;
    placeAtItsPosition(c);
}

inline void setEveryField(CTide& c) {
    setEveryBarTrendField(c);
    c.m_points = 7;
    c.m_interval = 600;
    c.m_trendIndex = 1;
    c.m_trendCount = 2;
    placeAtItsPosition(c);
}

inline void setEveryField(CUpLoadPic& c) {
    setEveryBaseField(c);
    MonoBitmap bitmap(20, 10);
    for (int i = 0; i < 10; ++i)
        bitmap.setPixel(2 * i, i, true);
    c.m_bitmap = bitmap;
    c.m_downloadSize = 40;
    placeAtItsPosition(c);
}

// The setter of the component's class; false for a class without one.
inline bool setEveryField(CBase& c) {
    if (auto* p = dynamic_cast<CChars*>(&c))
        return setEveryField(*p), true;
    if (auto* p = dynamic_cast<CRegister*>(&c))
        return setEveryField(*p), true;
    if (auto* p = dynamic_cast<CDynamic*>(&c))
        return setEveryField(*p), true;
    if (auto* p = dynamic_cast<CLight*>(&c))
        return setEveryField(*p), true;
    if (auto* p = dynamic_cast<CFunction*>(&c))
        return setEveryField(*p), true;
    if (auto* p = dynamic_cast<CBar*>(&c))
        return setEveryField(*p), true;
    if (auto* p = dynamic_cast<CTide*>(&c))
        return setEveryField(*p), true;
    if (auto* p = dynamic_cast<CUpLoadPic*>(&c))
        return setEveryField(*p), true;
    return false;
}

}  // namespace vanta::testing
