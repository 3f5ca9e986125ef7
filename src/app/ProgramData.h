#pragma once
// What the editor reads from its program folder and keeps until it ends: the glyph tables, the
// protocol catalogue and the selection file "In.dat" (chosen catalogue entry and PC port).

#include <optional>
#include <string>

#include "common/FontTables.h"
#include "common/Result.h"
#include "protocols/Catalogue.h"
#include "protocols/SelectionFile.h"

namespace vanta {

class ProgramData {
  public:
    static constexpr const char* kNarrowFontFile = "Ostra_EN.dat";
    static constexpr const char* kWideFontFile = "Ostra_CH.dat";

    // `folder` holds the data files (the program folder unless the command line names another).
    explicit ProgramData(std::string folder);

    const std::string& folder() const { return folder_; }
    std::string pathOf(const std::string& name) const;

    FontTables& fonts() { return fonts_; }
    const FontTables& fonts() const { return fonts_; }
    // Reads the narrow glyph table (required: fails when "Ostra_EN.dat" is missing or short) and
    // the double-byte table when it is there (the display then shows Chinese texts).
    Status loadFonts();

    // Reads the protocol catalogue and then "In.dat" (created empty when missing). A catalogue
    // that cannot be read leaves an empty one; the failure is returned for the caller to report.
    Status loadCatalogue();
    // The catalogue, null when none could be read.
    const Catalogue* catalogue() const { return catalogue_ ? &*catalogue_ : nullptr; }
    size_t catalogueSize() const { return catalogue_ ? catalogue_->size() : 0; }
    std::string cataloguePath() const { return Catalogue::pathIn(folder_); }

    const Selection& selection() const { return selection_; }
    // The entry chosen in the PLC selection (it names an entry of the catalogue afterwards).
    void setEntryIndex(uint8_t index);
    void setPortIndex(uint8_t index) { selection_.portIndex = index; }
    // Reads "In.dat" again (a download rewrites its entry index).
    void reloadSelection();
    // Rewrites "In.dat" with the entry index and the port index.
    Status writeSelection() const;

    // The catalogue entry of a protocol: the chosen entry when it holds that protocol, else the
    // first entry that does; -1 when the catalogue has none (or the chosen index named no entry).
    int entryFor(uint8_t protocol) const;
    // What the status bar shows for a protocol: its name, "." and the driver version of its
    // catalogue entry; empty when the protocol has no entry.
    std::string protocolVersionText(uint8_t protocol) const;

  private:
    std::string folder_;
    FontTables fonts_;
    std::optional<Catalogue> catalogue_;
    Selection selection_;
};

}  // namespace vanta
