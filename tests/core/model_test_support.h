#pragma once
// A protocol's vocabulary with the model context that points at it, as the component tests need
// them; the warnings the components send are kept for the tests to read.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/Archive.h"
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

}  // namespace vanta::testing
