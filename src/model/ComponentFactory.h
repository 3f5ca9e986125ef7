#pragma once
// Creation and copying of components by kind code, and the persistent classes a project reader
// registers, all from the kind table (ComponentKinds).

#include <cstdint>
#include <memory>

#include "common/Archive.h"
#include "model/CBase.h"

namespace vanta {

// A new component of the kind with its defaults, constructed at the click point (screen pixels)
// but not yet placed (the screen calls PlaceAt). Null for a code that has no placing constructor
// (unknown kinds, and the picture, which the editor creates from a loaded bitmap).
std::unique_ptr<CBase> createComponent(uint8_t kind, const ModelContext& context, int32_t x,
                                       int32_t y);

// A new component of the kind with the defaults an archive reads into; null for an unknown code.
std::unique_ptr<CBase> createComponentForLoading(uint8_t kind, const ModelContext& context);

// A copy made by the copy operation of the class the kind code names. Null when the object is
// not of that class.
std::unique_ptr<CBase> copyComponent(const CBase& source);

// Adds the screen and every component class, creatable by class name, to the registry; the
// objects created get the context.
void registerModelClasses(ClassRegistry& registry, const ModelContext& context);

}  // namespace vanta
