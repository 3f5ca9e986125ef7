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
#include "common/FileIO.h"
#include "common/FontTables.h"
#include "common/Result.h"
#include "model/CAlarmList.h"
#include "model/CMainView.h"
#include "model/CUpLoadPic.h"
#include "model/ModelContext.h"
#include "model/MonoBitmap.h"
#include "model/ScreenList.h"
#include "project/CommSettings.h"
#include "project/PanelSettings.h"
#include "protocols/Vocabulary.h"

namespace vanta {

// The largest project file, piece by piece: what a project of 65,535 screens of 255 components
// takes when every piece is as large as the editor lets it be. The reader refuses a larger input
// before reading it, so a huge file or an endless stream never fills the memory.
namespace projectfile {
// Magic, version, the settings of the header, the reserved block and the screen count.
inline constexpr uint64_t kMaxHeaderBytes = 256;
// A tag: a new class with its name (at most 16 bytes for this system's class names) or an
// object of a known class (2 bytes, 6 beyond the 32,767th object).
inline constexpr uint64_t kMaxTagBytes = 16;
// A string of 65,535 bytes or more carries a 7-byte length prefix.
inline constexpr uint64_t kMaxLengthPrefixBytes = 7;
inline constexpr uint64_t kMaxScreens = 65535;
inline constexpr uint64_t kMaxComponentsPerScreen = 255;
// The screen page takes a description of 65,535 characters, two bytes each in the code page.
inline constexpr uint64_t kMaxDescriptionBytes = 2 * 65535;
inline constexpr uint64_t kMaxScreenRecordBytes = kMaxTagBytes + 2 + kMaxLengthPrefixBytes +
                                                  kMaxDescriptionBytes + 4 +
                                                  CMainView::kReservedBytes + 2;
// The largest component is a 196 x 64 picture: kind, position, bitmap description, rows of 32
// bits each and the reserved block.
inline constexpr uint64_t kMaxPictureRowBytes = (kPictureMaxWidth + 31) / 32 * 4;
inline constexpr uint64_t kMaxComponentRecordBytes =
    kMaxTagBytes + 1 + 4 + 4 + kBitmapDescriptionBytes + kMaxPictureRowBytes * kPictureMaxHeight +
    CUpLoadPic::kReservedBytes;
// 255 alarm texts of 64 two-byte characters after the list's fields and reserved block.
inline constexpr uint64_t kMaxAlarmListBytes =
    5 + CAlarmList::kReservedBytes + 2 + CAlarmList::kMaxTexts * (1 + 2 * 64);
inline constexpr uint64_t kMaxFileBytes =
    kMaxHeaderBytes +
    kMaxScreens * (kMaxScreenRecordBytes + kMaxComponentsPerScreen * kMaxComponentRecordBytes) +
    kMaxAlarmListBytes;
}  // namespace projectfile

class Project {
  public:
    static constexpr uint8_t kFileVersion = 12;
    static constexpr size_t kReservedHeaderBytes = 98;
    static constexpr uint64_t kMaxFileBytes = projectfile::kMaxFileBytes;

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
    // returns a message naming the byte offset (also given in `failureOffset` when asked for);
    // running out of memory is a failure too. Afterwards the stored current position is used
    // when valid, else the first screen; a file with no screens gets screen 1.
    Status load(std::span<const uint8_t> file, size_t* failureOffset = nullptr);

    // Reads a project file from disk within kMaxFileBytes (the message names the path, the size
    // and the limit); `failure` as in readFileLimited.
    static Result<Bytes> readFile(const std::string& path, ReadFailure* failure = nullptr);

    // The settings the file header holds (protocol, panel and communication settings, stride) in
    // the header's stored form, and back; the current screen position is not part of it. Reading
    // applies the stored protocol (its vocabulary), as loading a file does.
    Bytes settingsRecord() const;
    Status readSettingsRecord(std::span<const uint8_t> record);

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
    Status loadChecked(std::span<const uint8_t> file, size_t* failureOffset);
};

}  // namespace vanta
