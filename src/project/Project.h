#pragma once
// The whole project as the editor holds it: the protocol and its vocabulary, the panel and
// communication settings, the screens and the alarm list, and the project file that stores them.
//
// The project owns the ModelContext every screen and component points to, so it is neither
// copied nor moved; a protocol change updates the context in place.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "common/Archive.h"
#include "common/FontTables.h"
#include "common/Result.h"
#include "model/CAlarmList.h"
#include "model/ModelContext.h"
#include "model/ScreenList.h"
#include "project/CommSettings.h"
#include "project/PanelSettings.h"
#include "protocols/Vocabulary.h"

namespace vanta {

class Project {
  public:
    static constexpr uint8_t kFileVersion = 12;
    static constexpr size_t kReservedHeaderBytes = 98;

    // fonts (may be null) are used by the components' drawing.
    explicit Project(const FontTables* fonts = nullptr, uint8_t protocol = 1);
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    uint8_t protocol() const { return context_.protocol; }
    const Vocabulary& vocabulary() const { return vocabulary_; }
    ModelContext& context() { return context_; }
    const ModelContext& context() const { return context_; }

    // Rebuilds the vocabulary and the stride for the protocol (what loading a project does).
    void applyProtocol(uint8_t protocol);
    // A protocol chosen in the PLC selection: applyProtocol, then the panel settings that depend
    // on the protocol are reset.
    void changeProtocol(uint8_t protocol);
    // A new project: screens and alarm list emptied, panel settings reset, the protocol applied,
    // screen 1 created and made current; the project is open.
    void resetToNew(uint8_t protocol);
    // Empties the screen list (the project counts as open afterwards, as when a file is opened).
    void clear();

    // The project file (version 12).
    Bytes save() const;
    // Reads a project file into this project. A read failure leaves the project cleared and
    // returns a message naming the byte offset. Afterwards the stored current position is used
    // when valid, else the first screen; a file with no screens gets screen 1.
    Status load(std::span<const uint8_t> file);

    // Checks the first eight bytes as the open command does before anything changes: the magic,
    // the format byte, and (a sound addition) the version, which must be 1, 10, 11 or 12.
    static Status precheck(std::span<const uint8_t> firstBytes, const std::string& path);
    static bool isReadableVersion(uint8_t version);

  private:
    // Declared before the screens, which keep a reference to the context: members are built in
    // this order and destroyed in reverse, so the context outlives every screen.
    Vocabulary vocabulary_;
    ModelContext context_;

  public:
    PanelSettings panel;
    CommSettings comm;
    uint8_t stride = 1;
    ScreenList screens;
    CAlarmList alarms;
    uint8_t loadedVersion = kFileVersion;  // version byte of the last file read
    bool isOpen = false;                   // a project was created, opened or imported

  private:
    // Reads or writes the header fields of the archive's version (bytes 8 onwards).
    void serializeHeader(Archive& ar, uint16_t& currentPosition);
    Status readBody(Archive& ar);
};

}  // namespace vanta
