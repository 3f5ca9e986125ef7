#include "emulator/RegisterSource.h"

namespace vanta {

std::optional<uint32_t> RegisterTable::value(const PointKey& key) const {
    auto it = values_.find(key);
    return it == values_.end() ? 0u : it->second;
}

void RegisterTable::write(const std::vector<PointWrite>& writes) {
    for (const PointWrite& w : writes) {
        auto [it, added] = values_.try_emplace(w.key, w.value);
        if (added || it->second != w.value) {
            it->second = w.value;
            ++changes_;
        }
    }
}

void RegisterTable::clear() {
    if (!values_.empty())
        ++changes_;
    values_.clear();
}

}  // namespace vanta
