#include "model/CFunction.h"

#include <algorithm>

#include "common/ByteOrder.h"
#include "model/BuiltinGlyphs.h"
#include "protocols/ParameterCodes.h"

namespace vanta {

namespace {

constexpr uint16_t kBaseRecordBytes = 17;
constexpr size_t kSymbolCountByte = 15;
constexpr size_t kFirstSymbolByte = 16;

void putBE32(uint8_t* at, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    at[0] = static_cast<uint8_t>(v >> 24);
    at[1] = static_cast<uint8_t>(v >> 16);
    at[2] = static_cast<uint8_t>(v >> 8);
    at[3] = static_cast<uint8_t>(v);
}

// Position of a symbol in the download's symbol set, appended when missing.
uint8_t symbolPosition(std::vector<uint8_t>& symbols, uint8_t symbol) {
    const auto found = std::find(symbols.begin(), symbols.end(), symbol);
    if (found != symbols.end()) {
        return static_cast<uint8_t>(found - symbols.begin());
    }
    symbols.push_back(symbol);
    return static_cast<uint8_t>(symbols.size() - 1);
}

}  // namespace

CFunction::CFunction(const ModelContext& context) : CLightFunc(context) {
    m_kind = kKindFunction;
    m_displayKind = kDefaultKey;
    m_address = context.profile().bindings.keyAddress;
    m_actionKind = context.profile().hasCoils ? kActionSetCoil : kActionJump;
}

CFunction::CFunction(const ModelContext& context, int32_t x, int32_t y) : CFunction(context) {
    m_x = panelFromScreen(x);
    m_y = panelFromScreen(y);
}

CFunction::CFunction(const CFunction& other)
    : CLightFunc(other),
      m_hand(other.m_hand),
      m_invisible(other.m_invisible),
      m_encrypted(other.m_encrypted),
      m_actionKind(other.m_actionKind),
      m_coilOperation(other.m_coilOperation),
      m_jumpTarget(other.m_jumpTarget),
      m_recipeOperation(other.m_recipeOperation),
      m_targetScreen(other.m_targetScreen),
      m_limit(other.m_limit),
      m_value(other.m_value),
      m_length(other.m_length),
      m_signedFlag(other.m_signedFlag),
      m_blockWord(other.m_blockWord),
      m_registerTypeValue(other.m_registerTypeValue),
      m_coilTypeValue(other.m_coilTypeValue) {
    m_displayKind = other.m_displayKind;
    m_address = other.m_address;
    m_regType = other.m_regType;
    m_keyOption = other.m_keyOption;
    m_subType = other.m_subType;
    m_signed = other.m_signed;
}

const RuntimeClass& CFunction::GetRuntimeClass() const {
    return runtimeClassOf(kKindFunction);
}

void CFunction::Serialize(Archive& ar) {
    CLightFunc::Serialize(ar);
    ar.io(m_hand);
    ar.io(m_invisible);
    ar.io(m_encrypted);
    ar.io(m_actionKind);
    ar.io(m_coilOperation);
    ar.io(m_jumpTarget);
    ar.io(m_targetScreen);
    ar.io(m_value);
    ar.io(m_keyOption);
    ar.io(m_signedFlag);
    ar.io(m_recipeOperation);
    ar.io(m_length);
    ar.io(m_limit);
    if (ar.isStoring() || ar.loadedVersion >= 11) {
        ar.io(m_subType);
        ar.io(m_blockWord);
        ar.io(m_registerTypeValue);
        ar.io(m_coilTypeValue);
    }
    SkipReserved(ar, kReservedBytes);
    if (ar.isLoading()) {
        SetPosition(screenFromPanel(m_x), screenFromPanel(m_y));
    }
}

void CFunction::SetDisplayMode(uint8_t mode, int item) {
    switch (item) {
        case 1:
            m_actionKind = mode;
            break;
        case 2:
            m_coilOperation = mode;
            break;
        case 3:
            m_jumpTarget = mode;
            break;
        case 4:
            m_recipeOperation = mode;
            break;
        default:
            break;
    }
}

void CFunction::UpdatePageCoordinates() {
    if (PageHost* host = pages()) {
        host->setPageCoordinates(m_kind, m_x, m_y);
    }
}

void CFunction::RebaseGlyphCodes(uint16_t& base) {
    if (m_record.size() <= kSymbolCountByte) {
        return;
    }
    const size_t count = m_record[kSymbolCountByte] / 2;
    const size_t end = std::min(m_record.size(), kFirstSymbolByte + count);
    for (size_t i = kFirstSymbolByte; i < end; ++i) {
        m_record[i] = static_cast<uint8_t>(m_record[i] + (base & 0xFF));
    }
}

void CFunction::ComputeRecordSize() {
    m_recordLen = static_cast<uint16_t>(kBaseRecordBytes + (m_hand ? 1 : 0));
}

Status CFunction::CollectGlyphs(DownloadContext& download) {
    const size_t needed = kBaseRecordBytes + (m_hand ? 1 : 0);
    if (m_record.size() < needed) {
        return Status::failure(describeKey() + ": record not built");
    }
    size_t next = kFirstSymbolByte;
    if (m_hand) {
        m_record[next++] = symbolPosition(download.symbols, kHandSymbol);
    }
    m_record[next] = symbolPosition(download.symbols, m_displayKind);
    return Status::success();
}

uint8_t CFunction::downloadTypeValue() const {
    const ProtocolProfile& profile = context().profile();
    const Vocabulary& vocab = context().vocab();
    switch (m_actionKind) {
        case kActionSetCoil:
            if (profile.moduleAddressing) {
                return m_coilTypeValue;
            }
            // The coil's code comes from bit list A where the profile says so, else from list B.
            return registerTypeCode(vocab, m_regType,
                                    profile.keyCoilsFromListA ? kParameterBitA : kParameterBitB);
        case kActionSetRegister:
            return profile.moduleAddressing ? m_registerTypeValue
                                            : registerTypeCode(vocab, m_regType, kParameterWord);
        case kActionRecipe:
            return profile.recipesAllowed ? recipeTypeCode(vocab, m_regType) : 0;
        default:
            return 0;
    }
}

uint16_t CFunction::downloadAddress() const {
    const ProtocolProfile& profile = context().profile();
    switch (m_actionKind) {
        case kActionSetCoil:
            return bitTargetAddress(profile, m_address, m_subAddress, m_blockWord, true);
        case kActionSetRegister:
            return profile.moduleAddressing ? m_blockWord : m_address;
        case kActionRecipe:
            return profile.recipesAllowed
                       ? bitTargetAddress(profile, m_address, m_subAddress, 0, false)
                       : 0;
        default:
            return 0;
    }
}

std::string CFunction::describeKey() const {
    std::string text = describe();
    if (hasValidKey()) {
        text += ", key ";
        text += kFunctionKeys[m_displayKind].name;
    } else {
        text += ", key index " + std::to_string(m_displayKind);
    }
    return text;
}

KeyFault CFunction::downloadFault() const {
    if (!hasValidKey())
        return KeyFault::NoSuchKey;
    if (m_actionKind > kActionRecipe)
        return KeyFault::UnknownAction;
    if (m_actionKind == kActionSetCoil && m_coilOperation > kCoilMomentary)
        return KeyFault::NoCoilOperation;
    if (m_actionKind == kActionRecipe && !context().profile().recipesAllowed)
        return KeyFault::RecipeNotAllowed;
    if (m_actionKind == kActionRecipe && m_recipeOperation > kRecipeDecreaseBase)
        return KeyFault::UnknownRecipeOperation;
    return KeyFault::None;
}

Status CFunction::BuildDownloadRecord(DownloadContext& download) {
    switch (downloadFault()) {
        case KeyFault::None:
            break;
        case KeyFault::NoSuchKey:
            return Status::failure(describeKey() + ": no such key on the panel");
        case KeyFault::UnknownAction:
            return Status::failure(describeKey() + ": unknown action " +
                                   std::to_string(m_actionKind));
        case KeyFault::NoCoilOperation:
            return Status::failure(describeKey() + ": no coil operation is chosen");
        case KeyFault::RecipeNotAllowed: {
            const ProtocolProfile& profile = context().profile();
            return Status::failure(describeKey() +
                                   ": recipe actions are not available under protocol " +
                                   std::to_string(profile.number) + " (" + profile.english + ")");
        }
        case KeyFault::UnknownRecipeOperation:
            return Status::failure(describeKey() + ": unknown recipe operation " +
                                   std::to_string(m_recipeOperation));
    }
    if (Status built = CLightFunc::BuildDownloadRecord(download); !built.ok()) {
        return built;
    }
    if (m_record.size() < static_cast<size_t>(kBaseRecordBytes + (m_hand ? 1 : 0))) {
        return Status::failure(describeKey() + ": record size not computed");
    }
    uint8_t* r = m_record.data();
    r[2] = static_cast<uint8_t>(flagBit(m_inverse) | flagBit(m_doubleSize) << 1 |
                                flagBit(m_invisible) << 2 | flagBit(m_encrypted) << 6);
    r[9] = kFunctionKeys[m_displayKind].keyCode;
    r[kSymbolCountByte] = static_cast<uint8_t>(2 * (m_hand ? 2 : 1));

    if (m_actionKind == kActionJump) {
        r[10] = static_cast<uint8_t>(0x80 + m_jumpTarget);
        setBE16(r + 13, m_targetScreen);
    } else {
        const uint8_t typeValue = downloadTypeValue();
        r[4] = typeValue;
        setBE16(r + 5, downloadAddress());
        switch (m_actionKind) {
            case kActionSetCoil:
                r[7] = static_cast<uint8_t>((typeValue & 0x0F) * m_regCount);
                r[10] = static_cast<uint8_t>(m_coilOperation + 1);
                putBE32(r + 11, m_value);
                break;
            case kActionSetRegister:
                r[7] = static_cast<uint8_t>((typeValue & 0x0F) * m_regCount);
                r[10] = 5;
                putBE32(r + 11, m_value);
                break;
            default:  // recipe
                r[10] = static_cast<uint8_t>(m_recipeOperation + 6);
                setBE16(r + 11, static_cast<uint16_t>(m_length));
                setBE16(r + 13, m_limit);
                break;
        }
    }
    if (m_encrypted) {
        download.optionUsed = true;
    }
    return Status::success();
}

int32_t CFunction::keyImage() const {
    if (!hasValidKey()) {
        return 0;
    }
    const int index =
        m_invisible ? 6 + 3 * m_displayKind : 4 + 3 * m_displayKind + flagBit(m_inverse);
    return imageNumber(index);
}

int32_t CFunction::handImage() const {
    return imageNumber(64 + flagBit(m_inverse));
}

void CFunction::Draw(Canvas& canvas) {
    if (m_hand) {
        const int32_t middle = (m_rect.left + m_rect.right) / 2;
        DrawResourceBitmap(canvas, handImage(), {m_rect.left, m_rect.top, middle, m_rect.bottom});
        DrawResourceBitmap(canvas, keyImage(), {middle, m_rect.top, m_rect.right, m_rect.bottom});
    } else {
        DrawResourceBitmap(canvas, keyImage(), m_rect);
    }
}

void CFunction::SetPosition(int32_t x, int32_t y) {
    const int32_t scale = m_doubleSize ? 2 : 1;
    m_rect = {x, y, x + handCells() * scale * kKeyImageSide, y + scale * kKeyImageSide};
}

void CFunction::FillPropertyPage() {
    if (PageHost* host = pages()) {
        host->fillPage(*this);
    }
}

void CFunction::ShowPropertyPage() {
    if (PageHost* host = pages()) {
        host->showPage(m_kind);
    }
}

void CFunction::updateProtocol31Values() {
    if (!context().profile().moduleAddressing) {
        return;
    }
    if (m_actionKind == kActionSetCoil) {
        m_coilTypeValue = ParameterTypeValue(m_regType, m_subType, kParameterBitA);
        m_subAddress = ParameterNumber(m_regType, m_subType, kParameterBitA);
        m_blockWord = BlockWord(m_regType, kParameterBitA, m_address);
    } else if (m_actionKind == kActionSetRegister) {
        m_registerTypeValue = ParameterTypeValue(m_regType, m_subType, kParameterWord);
        m_subAddress = ParameterNumber(m_regType, m_subType, kParameterWord);
        m_blockWord = BlockWord(m_regType, kParameterWord, m_address);
    }
}

}  // namespace vanta
