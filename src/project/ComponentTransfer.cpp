#include "project/ComponentTransfer.h"

#include <algorithm>

#include "model/CBarTide.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CMainView.h"
#include "model/CRegister.h"
#include "model/ComponentFactory.h"
#include "model/FunctionPageRules.h"
#include "model/LightPageRules.h"
#include "model/RegisterPageRules.h"
#include "project/Project.h"
#include "project/ProjectEdit.h"
#include "project/ProjectJson.h"

namespace vanta {

namespace {

constexpr uint8_t kProtocol31 = 31;

// Resets the fields a protocol does not accept, naming each one reset.
class Adapter {
  public:
    Adapter(CBase& component, const Vocabulary& from, const Project& target)
        : c_(component),
          from_(from),
          target_(target),
          defaults_(createComponent(component.m_kind, target.context(), 0, 0)) {}

    std::vector<std::string> run() {
        if (!defaults_)
            return {};  // no PLC binding (the picture)
        mapType();
        mapSubType();
        switch (c_.m_kind) {
            case kKindRegister:
                registerFields(static_cast<CRegister&>(c_));
                break;
            case kKindDynamic:
                dynamicFields(static_cast<CDynamic&>(c_));
                break;
            case kKindBar:
            case kKindTide:
                barTideFields(static_cast<CBarTide&>(c_));
                break;
            case kKindLight:
                lampFields(static_cast<CLight&>(c_));
                break;
            case kKindFunction:
                keyFields(static_cast<CFunction&>(c_));
                break;
            default:
                break;
        }
        return std::move(reset_);
    }

  private:
    uint8_t panelStation() const { return target_.comm.panelStation; }
    bool toProtocol31() const { return target_.protocol() == kProtocol31; }
    bool protocolChanged() const { return from_.protocol != target_.protocol(); }

    void note(const char* field) {
        if (std::find(reset_.begin(), reset_.end(), field) == reset_.end())
            reset_.emplace_back(field);
    }

    // Sets `field` to the default when it lies outside min..max.
    template <typename T>
    void keepWithin(const char* name, T& field, int64_t min, int64_t max, T fallback) {
        const auto value = static_cast<int64_t>(field);
        if (value >= min && value <= max)
            return;
        field = fallback;
        note(name);
    }

    const std::vector<std::string>* typeList(const Vocabulary& vocab) const {
        switch (c_.m_kind) {
            case kKindRegister:
            case kKindDynamic:
            case kKindBar:
            case kKindTide:
                return &vocab.wordTypes;
            case kKindLight:
                return &vocab.bitTypesB;
            case kKindFunction:
                return &keyTypeNames(vocab, static_cast<const CFunction&>(c_).m_actionKind);
            default:
                return nullptr;
        }
    }

    // The register type keeps its name; a name the target's list lacks resets the type and the
    // address that goes with it.
    void mapType() {
        const std::vector<std::string>* source = typeList(from_);
        const std::vector<std::string>* target = typeList(target_.vocabulary());
        if (!source || !target)
            return;
        const std::string name = typeNameAt(*source, c_.m_regType);
        const auto found = std::find(target->begin(), target->end(), name);
        if (!name.empty() && found != target->end()) {
            c_.m_regType = static_cast<uint8_t>(found - target->begin());
            return;
        }
        c_.m_regType = defaults_->m_regType;
        note("register type");
        if (c_.m_address != defaults_->m_address) {
            c_.m_address = defaults_->m_address;
            note("address");
        }
    }

    // The sub-type (the parameter of a protocol-31 module) means something only there.
    void mapSubType() {
        if (toProtocol31() && !protocolChanged())
            return;
        if (c_.m_subType != defaults_->m_subType) {
            c_.m_subType = defaults_->m_subType;
            note("sub-type");
        }
    }

    void keepStation(int64_t min, int64_t max) {
        keepWithin("station", c_.m_station, min, max, defaults_->m_station);
    }
    void keepAddress(int64_t min, int64_t max) {
        keepWithin("address", c_.m_address, min, max, defaults_->m_address);
    }
    // The bit number. Under protocol 31 the field holds the parameter number, which the
    // protocol-31 values give; one made there means nothing elsewhere. A hidden bit number is
    // left alone, as the pages leave it.
    void keepBitNumber(bool shown, int64_t min, int64_t max) {
        if (toProtocol31())
            return;
        if (from_.protocol == kProtocol31 && protocolChanged()) {
            if (c_.m_subAddress != defaults_->m_subAddress) {
                c_.m_subAddress = defaults_->m_subAddress;
                note("bit number");
            }
            return;
        }
        if (shown)
            keepWithin("bit number", c_.m_subAddress, min, max, defaults_->m_subAddress);
    }
    // Protocol 31's own values of a component moved to or away from it.
    template <typename Component>
    void protocol31Values(Component& c, const Component& d) {
        if (toProtocol31()) {
            const uint8_t parameter = c.m_subAddress;
            c.updateProtocol31Values();
            if (protocolChanged() && c.m_subAddress != parameter)
                note("bit number");
            return;
        }
        c.m_typeValue = d.m_typeValue;
        c.m_blockWord = d.m_blockWord;
    }
    void keepCount(int64_t min, int64_t max) {
        keepWithin("register count", c_.m_regCount, min, max, defaults_->m_regCount);
    }

    // A stored 32-bit value as the component reads it.
    static int64_t valueOf(int32_t field, bool isSigned) {
        return isSigned ? field : static_cast<int64_t>(static_cast<uint32_t>(field));
    }

    void registerFields(CRegister& reg) {
        const auto& d = static_cast<const CRegister&>(*defaults_);
        const RegisterPageState s = registerPageState(reg, panelStation());
        keepStation(s.station.min, s.station.max);
        keepAddress(s.address.min, s.address.max);
        if (s.countShown)
            keepCount(s.count.min, s.count.max);
        else
            keepCount(d.m_regCount, d.m_regCount);
        keepBitNumber(s.subAddressShown, s.subAddress.min, s.subAddress.max);
        protocol31Values(reg, d);
        const ValueRange limits = registerLimitRange(reg);
        const bool isSigned = reg.m_signed != 0;
        auto inside = [&](int32_t v) {
            const auto value = static_cast<double>(valueOf(v, isSigned));
            return value >= limits.min && value <= limits.max;
        };
        if (!(inside(reg.m_inputHigh) && inside(reg.m_inputLow) && inside(reg.m_engHigh) &&
              inside(reg.m_engLow))) {
            reg.m_inputHigh = d.m_inputHigh;
            reg.m_inputLow = d.m_inputLow;
            reg.m_engHigh = d.m_engHigh;
            reg.m_engLow = d.m_engLow;
            note("limits");
        }
    }

    void dynamicFields(CDynamic& dyn) {
        const auto& d = static_cast<const CDynamic&>(*defaults_);
        const DynamicPageState s = dyn.pageState(panelStation());
        keepStation(s.station.min, s.station.max);
        keepAddress(s.address.min, s.address.max);
        keepBitNumber(s.subAddressShown, s.subAddress.min, s.subAddress.max);
        protocol31Values(dyn, d);
    }

    void barTideFields(CBarTide& item) {
        const auto& d = static_cast<const CBarTide&>(*defaults_);
        const Vocabulary& vocab = target_.vocabulary();
        const CBarTide::CountRule rule = item.countRule();
        const SpinRange station = stationSpinRange(vocab, panelStation());
        keepStation(station.min, rule.lowestStationOnly ? station.min : station.max);
        const CBarTide::Range address = CBarTide::addressRange(target_.protocol(), vocab);
        keepAddress(address.min, address.max);
        keepCount(rule.low, rule.high);
        const CBarTide::Range bits = CBarTide::bitNumberRange(vocab);
        keepBitNumber(vocab.bitNumberShown, bits.min, bits.max);
        if (toProtocol31()) {
            item.applyProtocol31Codes();
        } else {
            item.m_typeValue = d.m_typeValue;
            item.m_blockWord = d.m_blockWord;
        }
        const CBarTide::Range scale = item.fillScaleRange();
        const bool isSigned = item.m_signed != 0;
        auto inside = [&](int32_t v) {
            const int64_t value = valueOf(v, isSigned);
            return value >= scale.min && value <= scale.max;
        };
        if (!(inside(item.m_fullScale) && inside(item.m_zeroScale))) {
            item.m_fullScale = d.m_fullScale;
            item.m_zeroScale = d.m_zeroScale;
            note("scale");
        }
    }

    void lampFields(CLight& lamp) {
        const auto& d = static_cast<const CLight&>(*defaults_);
        const LampPageControls c = lampPageControls(lamp, panelStation());
        keepStation(c.station.min, c.station.max);
        keepAddress(c.address.min, c.address.max);
        keepBitNumber(c.bitNumberShown, c.bitNumber.min, c.bitNumber.max);
        keepWithin("offset", lamp.m_offset, c.offset.min, c.offset.max, d.m_offset);
        protocol31Values(lamp, d);
    }

    void keyFields(CFunction& key) {
        const auto& d = static_cast<const CFunction&>(*defaults_);
        KeyPageControls c = keyPageControls(key, panelStation());
        // An action the target cannot carry out (coils under protocol 1, recipes under 31).
        if ((key.m_actionKind == kActionSetCoil && !c.setCoilEnabled) ||
            (key.m_actionKind == kActionRecipe && !c.recipeEnabled)) {
            key.m_actionKind =
                d.m_actionKind == key.m_actionKind ? uint8_t{kActionJump} : d.m_actionKind;
            note("action");
            c = keyPageControls(key, panelStation());
        }
        keepStation(c.station.min, c.station.max);
        switch (keySubPage(key.m_actionKind)) {
            case KeySubPage::Coil:
                keepAddress(c.address.min, c.address.max);
                keepBitNumber(c.bitNumberShown, c.bitNumber.min, c.bitNumber.max);
                if (c.valueShown)
                    keepWithin("value", key.m_value, c.value.min, c.value.max, d.m_value);
                break;
            case KeySubPage::Recipe:
                keepAddress(c.recipeTarget.min, c.recipeTarget.max);
                keepWithin("length", key.m_length, c.length.min, c.length.max, d.m_length);
                keepWithin("limit", key.m_limit, c.limit.min, c.limit.max, d.m_limit);
                break;
            case KeySubPage::Jump:
                break;
        }
        if (toProtocol31()) {
            key.updateProtocol31Values();
        } else {
            key.m_blockWord = d.m_blockWord;
            key.m_registerTypeValue = d.m_registerTypeValue;
            key.m_coilTypeValue = d.m_coilTypeValue;
        }
    }

    CBase& c_;
    const Vocabulary& from_;
    const Project& target_;
    std::unique_ptr<CBase> defaults_;
    std::vector<std::string> reset_;
};

}  // namespace

std::string componentsToJson(const Project& source, const std::vector<const CBase*>& components) {
    Project carrier(nullptr, source.protocol());
    carrier.panel = source.panel;
    carrier.comm = source.comm;
    auto screen = std::make_unique<CMainView>(carrier.context());
    screen->m_number = 1;
    for (const CBase* component : components) {
        auto copy = componentFromRecord(componentRecord(*component), carrier.context());
        if (copy)
            screen->m_components.push_back(std::move(copy.value()));
    }
    carrier.screens.append(std::move(screen));
    return projectToJson(carrier);
}

Result<TransferredComponents> componentsFromJson(std::string_view json, const Project& target) {
    Project carrier(nullptr, 1);
    if (Status read = projectFromJson(json, carrier); !read)
        return read;
    TransferredComponents result;
    result.protocol = carrier.protocol();
    for (const auto& screen : carrier.screens.screens()) {
        for (const auto& component : screen->components()) {
            auto copy = componentFromRecord(componentRecord(*component), target.context());
            if (!copy)
                return copy.status();
            CBase& pasted = *copy.value();
            std::vector<std::string> reset = adaptToProtocol(pasted, carrier.vocabulary(), target);
            if (!reset.empty())
                result.resets.push_back({result.components.size(), std::move(reset)});
            result.components.push_back(std::move(copy.value()));
        }
    }
    return result;
}

std::vector<std::string> adaptToProtocol(CBase& component, const Vocabulary& from,
                                         const Project& target) {
    return Adapter(component, from, target).run();
}

}  // namespace vanta
