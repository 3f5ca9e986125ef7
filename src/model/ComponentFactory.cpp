#include "model/ComponentFactory.h"

#include "model/CMainView.h"

namespace vanta {

std::unique_ptr<CBase> createComponent(uint8_t kind, const ModelContext& context, int32_t x,
                                       int32_t y) {
    const ComponentKindInfo* info = findComponentKind(kind);
    return info && info->makeAt ? info->makeAt(context, x, y) : nullptr;
}

std::unique_ptr<CBase> createComponentForLoading(uint8_t kind, const ModelContext& context) {
    const ComponentKindInfo* info = findComponentKind(kind);
    return info ? info->makeForLoading(context) : nullptr;
}

std::unique_ptr<CBase> copyComponent(const CBase& source) {
    const ComponentKindInfo* info = findComponentKind(source.m_kind);
    return info ? info->copy(source) : nullptr;
}

void registerModelClasses(ClassRegistry& registry, const ModelContext& context) {
    {
        const CMainView prototype(context);
        const RuntimeClass& rc = prototype.GetRuntimeClass();
        registry.add(rc.name, rc.schema,
                     [&context]() { return std::make_unique<CMainView>(context); });
    }
    for (const ComponentKindInfo& kind : componentKinds()) {
        const auto make = kind.makeForLoading;
        registry.add(kind.runtimeClass.name, kind.runtimeClass.schema,
                     [make, &context]() -> std::unique_ptr<Persistent> { return make(context); });
    }
}

}  // namespace vanta
