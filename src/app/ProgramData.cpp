#include "app/ProgramData.h"

#include "protocols/ProtocolNames.h"

namespace vanta {

ProgramData::ProgramData(std::string folder) : folder_(std::move(folder)) {
    if (!folder_.empty() && folder_.back() == '/')
        folder_.pop_back();
}

std::string ProgramData::pathOf(const std::string& name) const {
    return folder_.empty() ? name : folder_ + "/" + name;
}

Status ProgramData::loadFonts() {
    Status narrow = fonts_.loadNarrow(pathOf(kNarrowFontFile));
    if (!narrow)
        return narrow;
    // Without the double-byte table the display leaves Chinese characters blank; the download
    // reports the missing file when it needs it.
    (void)fonts_.loadWide(pathOf(kWideFontFile));
    return Status::success();
}

Status ProgramData::loadCatalogue() {
    auto opened = Catalogue::open(cataloguePath());
    Status status = opened.status();
    if (opened)
        catalogue_.emplace(std::move(opened.value()));
    else
        catalogue_.reset();
    reloadSelection();
    return status;
}

void ProgramData::reloadSelection() {
    selection_ = SelectionFile::read(SelectionFile::pathIn(folder_), catalogueSize());
}

void ProgramData::setEntryIndex(uint8_t index) {
    selection_.entryIndex = index;
    selection_.entryBeyondCatalogue = index >= catalogueSize();
}

Status ProgramData::writeSelection() const {
    return SelectionFile::write(SelectionFile::pathIn(folder_), selection_.entryIndex,
                                selection_.portIndex);
}

int ProgramData::entryFor(uint8_t protocol) const {
    if (!catalogue_ || selection_.entryBeyondCatalogue)
        return -1;
    const auto& entries = catalogue_->entries();
    if (selection_.entryIndex < entries.size() &&
        entries[selection_.entryIndex].protocol == protocol)
        return selection_.entryIndex;
    return catalogue_->find(protocol);
}

std::string ProgramData::protocolVersionText(uint8_t protocol) const {
    const int entry = entryFor(protocol);
    if (entry < 0)
        return {};
    return std::string(protocolNameEnglish(protocol)) + "." +
           std::to_string(catalogue_->entries()[static_cast<size_t>(entry)].driverVersion);
}

}  // namespace vanta
