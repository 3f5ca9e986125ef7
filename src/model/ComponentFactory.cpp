#include "model/ComponentFactory.h"

#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CMainView.h"
#include "model/CRegister.h"
#include "model/CTide.h"
#include "model/CUpLoadPic.h"

namespace vanta {

namespace {
template <typename T>
std::unique_ptr<CBase> copyAs(const CBase& source) {
    const auto* typed = dynamic_cast<const T*>(&source);
    return typed ? std::make_unique<T>(*typed) : nullptr;
}

template <typename T>
void addClass(ClassRegistry& registry, const ModelContext& context) {
    const T prototype(context);
    const RuntimeClass& rc = prototype.GetRuntimeClass();
    registry.add(rc.name, rc.schema, [&context]() { return std::make_unique<T>(context); });
}
}  // namespace

std::unique_ptr<CBase> createComponent(uint8_t kind, const ModelContext& context, int32_t x,
                                       int32_t y) {
    switch (kind) {
        case kKindChars:
            return std::make_unique<CChars>(context, x, y, "Text");
        case kKindRegister:
            return std::make_unique<CRegister>(context, x, y);
        case kKindDynamic:
            return std::make_unique<CDynamic>(context, x, y, "Dynamic Text");
        case kKindLight:
            return std::make_unique<CLight>(context, x, y);
        case kKindFunction:
            return std::make_unique<CFunction>(context, x, y);
        case kKindBar:
            return std::make_unique<CBar>(context, x, y);
        case kKindTide:
            return std::make_unique<CTide>(context, x, y);
        default:
            return nullptr;
    }
}

std::unique_ptr<CBase> copyComponent(const CBase& source) {
    switch (source.m_kind) {
        case kKindChars:
            return copyAs<CChars>(source);
        case kKindRegister:
            return copyAs<CRegister>(source);
        case kKindDynamic:
            return copyAs<CDynamic>(source);
        case kKindLight:
            return copyAs<CLight>(source);
        case kKindFunction:
            return copyAs<CFunction>(source);
        case kKindBar:
            return copyAs<CBar>(source);
        case kKindTide:
            return copyAs<CTide>(source);
        case kKindPicture:
            return copyAs<CUpLoadPic>(source);
        default:
            return nullptr;
    }
}

void registerModelClasses(ClassRegistry& registry, const ModelContext& context) {
    addClass<CMainView>(registry, context);
    addClass<CChars>(registry, context);
    addClass<CRegister>(registry, context);
    addClass<CDynamic>(registry, context);
    addClass<CLight>(registry, context);
    addClass<CFunction>(registry, context);
    addClass<CBar>(registry, context);
    addClass<CTide>(registry, context);
    addClass<CUpLoadPic>(registry, context);
}

}  // namespace vanta
