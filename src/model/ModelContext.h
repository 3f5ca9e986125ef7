#pragma once
// What reaches screens and components from the project that holds them: the protocol and its
// register vocabulary, the glyph tables for drawing, the property pages and a warning channel.
// The editor view owns one and keeps it up to date (a protocol change replaces protocol and
// vocabulary in place); every component keeps a pointer to it, so it must outlive them.

#include <cstdint>
#include <functional>
#include <string>

#include "common/FontTables.h"
#include "model/PageHost.h"
#include "protocols/ProtocolProfile.h"
#include "protocols/Vocabulary.h"

namespace vanta {

struct ModelContext {
    uint8_t protocol = 1;                    // 1..kProtocolCount
    const Vocabulary* vocabulary = nullptr;  // of `protocol`
    const FontTables* fonts = nullptr;       // narrow and wide glyphs of the simulated display
    PageHost* pages = nullptr;               // null: no property pages (command line, tests)
    // Notices such as "Register error!" (a message box in the gui); null: ignored.
    std::function<void(const std::string& message)> warn;

    // The vocabulary, or an empty one when none is set.
    const Vocabulary& vocab() const {
        static const Vocabulary empty{};
        return vocabulary ? *vocabulary : empty;
    }
    // The facts of `protocol`: its defaults, switches and codes.
    const ProtocolProfile& profile() const { return protocolProfile(protocol); }
    // The glyph tables, or empty ones (blank glyphs) when none are set.
    const FontTables& fontTables() const {
        static const FontTables empty{};
        return fonts ? *fonts : empty;
    }
    void warning(const std::string& message) const {
        if (warn)
            warn(message);
    }
};

}  // namespace vanta
