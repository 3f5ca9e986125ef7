#include "image/ImageCompiler.h"

#include <algorithm>

#include "common/ByteOrder.h"
#include "common/FontTables.h"
#include "image/LimitCorrections.h"
#include "model/BuiltinGlyphs.h"
#include "model/CDynamic.h"
#include "model/CTide.h"
#include "model/PageFormat.h"
#include "project/Project.h"
#include "protocols/SelectionFile.h"

namespace vanta {

namespace {

constexpr uint16_t kAfterHeader = kImageBase + kImageHeaderBytes;  // 0x8030
constexpr size_t kLampSectionBytes = 128;
constexpr size_t kWideGlyphPageBytes = 32;
constexpr size_t kNarrowGlyphPageBytes = 16;
constexpr size_t kPointerEntryBytes = 3;
constexpr const char* kDownloadCaption = "Download data";

// Frees every download record of the project, whatever happened.
class RecordsGuard {
  public:
    explicit RecordsGuard(Project& project) : project_(project) {}
    ~RecordsGuard() {
        for (const auto& screen : project_.screens.screens()) {
            for (const auto& component : screen->components())
                component->FreeDownloadRecord();
        }
        project_.alarms.FreeDownloadBlock();
    }

  private:
    Project& project_;
};

std::string screenName(const CMainView& screen) {
    return "Screen " + std::to_string(screen.m_number);
}

// The kind table's rules for a component (a component of no known kind gathers nothing and keeps
// its list place).
GlyphRule glyphRuleOf(const CBase& component) {
    const ComponentKindInfo* info = findComponentKind(component.m_kind);
    return info ? info->glyphs : GlyphRule::None;
}

bool orderedByCharacterCell(const CBase& component) {
    const ComponentKindInfo* info = findComponentKind(component.m_kind);
    return info && info->recordOrder == RecordOrder::ByCharacterCell;
}

// A screen's components in image order: every list-order component in list order, then those
// ordered by character cell (the registers) by character row, then character column (a stable
// sort keeps list order among equals). The records must have been built.
std::vector<CBase*> imageOrder(const CMainView& screen) {
    std::vector<CBase*> order;
    std::vector<CBase*> byCell;
    for (const auto& component : screen.components()) {
        if (orderedByCharacterCell(*component)) {
            byCell.push_back(component.get());
        } else {
            order.push_back(component.get());
        }
    }
    // The order follows the position the panel receives: bytes 0 and 1 of the record.
    auto row = [](const CBase* c) { return c->m_record.size() >= 2 ? c->m_record[1] / 16 : 0; };
    auto column = [](const CBase* c) { return c->m_record.empty() ? 0 : c->m_record[0] / 8; };
    std::stable_sort(byCell.begin(), byCell.end(), [&](const CBase* a, const CBase* b) {
        if (row(a) != row(b))
            return row(a) < row(b);
        return column(a) < column(b);
    });
    order.insert(order.end(), byCell.begin(), byCell.end());
    return order;
}

uint16_t validatedScreen(const Project& project, uint16_t number) {
    if (project.screens.find(number) >= 0)
        return number;
    return project.screens.empty() ? number : project.screens.at(0).m_number;
}

class Compiler {
  public:
    Compiler(Project& project, const CompileOptions& options, Prompter& prompter)
        : project_(project), options_(options), prompter_(prompter) {
        download_.protocol = project.protocol();
        download_.vocabulary = &project.vocabulary();
        download_.correctComponents = !options.preview;
    }

    CompileResult run() {
        RecordsGuard guard(project_);
        // Building the records corrects these limits in the components themselves.
        const std::vector<LimitCorrection> corrections = findLimitCorrections(project_);
        if (Status s = checkScreens(); !s)
            return failed(s);
        if (Status s = collect(); !s)
            return failed(s);
        if (Status s = collectAlarms(); !s)
            return failed(s);
        if (Status s = buildGlyphTables(); !s)
            return failed(s);
        rebase();
        assignAddresses();
        CompileResult result;
        if (!options_.preview) {
            auto driver =
                Catalogue::loadDriverFrom(Catalogue::pathIn(options_.dataDir), project_.protocol());
            if (!driver)
                return failed(driver.status());
            if (!options_.selectionFile.empty()) {
                (void)SelectionFile::writeEntryIndex(options_.selectionFile,
                                                     static_cast<uint8_t>(driver->entryIndex));
            }
            driverVersion_ = driver->version;
            result.compiled.driver = std::move(driver.value());
        }
        result.compiled.image = assemble();
        if (result.compiled.image.size() > kMaxImageBytes && !options_.preview) {
            return failed(Status::failure(
                "The panel image would be " + std::to_string(result.compiled.image.size()) +
                    " bytes, more than the panel's 32768 bytes. Remove texts, pictures or "
                    "components and try again.",
                kDownloadCaption));
        }
        if (download_.limitsCorrected && !options_.preview) {
            ButtonOptions buttons;
            buttons.okText = "Cancel the download";
            buttons.cancelText = "Correct the limits and download";
            const Answer answer = prompter_.askWith(limitCorrectionQuestion(corrections), "",
                                                    Buttons::OkCancel, Severity::Warning, buttons);
            if (answer == Answer::Ok) {
                // A stopped download leaves the project as it was.
                for (const LimitCorrection& c : corrections)
                    setCorrectedLimits(project_, c, false);
                CompileResult cancelled;
                cancelled.outcome = CompileResult::Outcome::Cancelled;
                return cancelled;
            }
        }
        result.glyphs = {download_.lampUsed, download_.symbols.size(), download_.glyphs.wide.size(),
                         download_.glyphs.narrow.size()};
        result.imageOrder = std::move(imageOrder_);
        result.outcome = CompileResult::Outcome::Compiled;
        return result;
    }

  private:
    static CompileResult failed(const Status& status) {
        CompileResult result;
        result.outcome = CompileResult::Outcome::Failed;
        result.error = status.error();
        if (result.error.caption.empty())
            result.error.caption = kDownloadCaption;
        return result;
    }

    // The panel finds a screen by its number, counts a screen's components in one byte and
    // takes each component's corner as one byte per axis.
    Status checkScreens() const {
        std::vector<bool> seen(0x10000, false);
        for (const auto& screen : project_.screens.screens()) {
            if (seen[screen->m_number]) {
                return Status::failure(screenName(*screen) +
                                           " appears more than once in the screen list; the "
                                           "panel could show only the first of them. Give each "
                                           "screen its own number.",
                                       kDownloadCaption);
            }
            seen[screen->m_number] = true;
            if (screen->components().size() > kMaxComponentsPerScreen) {
                return Status::failure(screenName(*screen) + " holds " +
                                           std::to_string(screen->components().size()) +
                                           " components; the panel shows at most 255 on a "
                                           "screen.",
                                       kDownloadCaption);
            }
            for (const auto& component : screen->components()) {
                if (!isPanelPositionOnDisplay(component->m_x, component->m_y)) {
                    return Status::failure(screenName(*screen) + ": " + component->describe() +
                                               " lies outside the 192 x 64 display; move it "
                                               "onto the display.",
                                           kDownloadCaption);
                }
            }
        }
        return Status::success();
    }

    // Step 1: records and characters, screen by screen, component by component.
    Status collect() {
        for (const auto& screen : project_.screens.screens()) {
            uint8_t trends = 0;
            for (const auto& component : screen->components()) {
                if (component->m_kind == kKindTide)
                    ++trends;
            }
            uint8_t trendIndex = 0;
            for (const auto& component : screen->components()) {
                if (component->m_kind == kKindTide) {
                    static_cast<CTide&>(*component).setTrendPlace(trendIndex++, trends);
                }
            }
            for (const auto& component : screen->components()) {
                component->ComputeRecordSize();
                Status built = component->BuildDownloadRecord(download_);
                if (!built)
                    return prefixed(*screen, built);
                switch (glyphRuleOf(*component)) {
                    case GlyphRule::Text:
                    case GlyphRule::KeySymbols:
                    case GlyphRule::Picture: {
                        Status collected = component->CollectGlyphs(download_);
                        if (!collected)
                            return prefixed(*screen, collected);
                        break;
                    }
                    case GlyphRule::LampGlyphs:
                        download_.lampUsed = true;
                        break;
                    case GlyphRule::None:
                        break;
                }
            }
        }
        return Status::success();
    }

    static Status prefixed(const CMainView& screen, const Status& status) {
        return Status::failure(screenName(screen) + ": " + status.message(),
                               status.caption().empty() ? kDownloadCaption : status.caption());
    }

    uint16_t glyphBase() const {
        return static_cast<uint16_t>(download_.symbols.size() + (download_.lampUsed ? 4 : 0));
    }

    // Step 2.
    Status collectAlarms() {
        if (!project_.alarms.HasTexts())
            return Status::success();
        Status built = project_.alarms.BuildDownloadBlock(download_, glyphBase());
        if (!built) {
            return Status::failure("Alarm list: " + built.message(), kDownloadCaption);
        }
        return Status::success();
    }

    static Status missingFile(const std::string& path) {
        return Status::failure("does the file" + path + " exist?", kDownloadCaption);
    }

    // Step 3: sections 3, 4 and 5.
    Status buildGlyphTables() {
        for (uint8_t symbol : download_.symbols) {
            const auto& glyph = symbolGlyph(symbol);
            symbols_.insert(symbols_.end(), glyph.begin(), glyph.end());
        }
        FontTables loaded;
        const FontTables* fonts = options_.fonts;
        if (fonts == nullptr) {
            const std::string wide = options_.dataDir + "/Ostra_CH.dat";
            if (!loaded.loadWide(wide))
                return missingFile(wide);
            const std::string narrow = options_.dataDir + "/Ostra_EN.dat";
            if (!loaded.loadNarrow(narrow))
                return missingFile(narrow);
            fonts = &loaded;
        }
        for (const WideChar& c : download_.glyphs.wide) {
            const WideGlyph rows = fonts->wide(c[0], c[1]);
            auto page = rowsToPageFormat(rows, 16, 16, 2);
            wideGlyphs_.insert(wideGlyphs_.end(), page->begin(), page->end());
        }
        for (uint8_t c : download_.glyphs.narrow) {
            const NarrowGlyph rows = fonts->narrow(c);
            auto page = rowsToPageFormat(rows, 8, 16, 1);
            narrowGlyphs_.insert(narrowGlyphs_.end(), page->begin(), page->end());
        }
        return Status::success();
    }

    size_t lampBytes() const { return download_.lampUsed ? kLampSectionBytes : 0; }

    // Step 3.4: glyph codes relative to the glyph tables, picture addresses.
    void rebase() {
        const uint16_t textBase = glyphBase();
        const uint16_t keyBase = download_.lampUsed ? 4 : 0;
        const size_t wideCount = download_.glyphs.wide.size();
        const size_t narrowCount = download_.glyphs.narrow.size() % 256;
        uint16_t pictureAddress =
            static_cast<uint16_t>(kAfterHeader + lampBytes() +
                                  kWideGlyphPageBytes * (download_.symbols.size() + wideCount) +
                                  kNarrowGlyphPageBytes * narrowCount);
        for (const auto& screen : project_.screens.screens()) {
            for (const auto& component : screen->components()) {
                switch (glyphRuleOf(*component)) {
                    case GlyphRule::Text: {
                        uint16_t base = textBase;
                        component->RebaseGlyphCodes(base);
                        break;
                    }
                    case GlyphRule::KeySymbols: {
                        uint16_t base = keyBase;
                        component->RebaseGlyphCodes(base);
                        break;
                    }
                    case GlyphRule::Picture:
                        component->RebaseGlyphCodes(pictureAddress);
                        break;
                    case GlyphRule::LampGlyphs:
                    case GlyphRule::None:
                        break;
                }
            }
        }
    }

    // Step 4.
    void assignAddresses() {
        const size_t glyphs = lampBytes() + symbols_.size() + wideGlyphs_.size();
        narrowTableAddress_ = static_cast<uint16_t>(kAfterHeader + glyphs);
        screenTableAddress_ = static_cast<uint32_t>(kAfterHeader + glyphs + narrowGlyphs_.size() +
                                                    download_.pictureData.size());
        const auto& screens = project_.screens.screens();
        uint32_t running = screenTableAddress_ + CMainView::kTableEntryBytes * screens.size();
        uint16_t pointer = static_cast<uint16_t>(running);
        for (size_t i = 0; i < screens.size(); ++i) {
            screens[i]->writeScreenTableEntry(screenTable_, i, pointer);
        }
        running += kPointerEntryBytes * componentCount();
        for (const auto& screen : screens) {
            std::vector<uint16_t>& positions = imageOrder_.emplace_back();
            for (CBase* component : imageOrder(*screen)) {
                pointerTable_.push_back(component->m_kind);
                putBE16(pointerTable_, static_cast<uint16_t>(running));
                running += component->m_recordLen;
                positions.push_back(listPosition(*screen, component));
            }
        }
        for (const auto& screen : screens) {
            for (const auto& component : screen->components()) {
                if (component->m_kind != kKindDynamic)
                    continue;
                uint16_t address = static_cast<uint16_t>(running);
                auto& dynamic = static_cast<CDynamic&>(*component);
                const uint16_t before = address;
                dynamic.WriteEntryTable(address);
                running += static_cast<uint16_t>(address - before);
            }
        }
        alarmAddress_ = running;
        if (project_.alarms.HasTexts())
            project_.alarms.AssignOffsets(running);
    }

    static uint16_t listPosition(const CMainView& screen, const CBase* component) {
        const auto& list = screen.components();
        for (size_t i = 0; i < list.size(); ++i) {
            if (list[i].get() == component)
                return static_cast<uint16_t>(i);
        }
        return 0;
    }

    size_t componentCount() const {
        size_t count = 0;
        for (const auto& screen : project_.screens.screens())
            count += screen->components().size();
        return count;
    }

    // Step 6.
    Bytes header() const {
        const PanelSettings& panel = project_.panel;
        const CommSettings& comm = project_.comm;
        const Vocabulary& vocabulary = project_.vocabulary();
        Bytes h(kImageHeaderBytes, 0);
        h[0] = 0xFF;
        h[1] = 0xFF;
        setBE16(&h[2], static_cast<uint16_t>(screenTableAddress_));
        setBE16(&h[4], static_cast<uint16_t>(alarmAddress_));
        setBE16(&h[6], kAfterHeader);
        setBE16(&h[8], narrowTableAddress_);
        h[11] = comm.panelStation;
        h[12] = project_.protocol();
        h[13] = driverVersion_;
        h[14] = project_.loadedVersion;
        setBE16(&h[16], static_cast<uint16_t>(project_.screens.size()));
        setBE16(&h[18], validatedScreen(project_, panel.initialScreen));
        setBE16(&h[20], panel.saverAction == 1 ? validatedScreen(project_, panel.saverScreen) : 0);
        h[22] = saverDelayMinutes(panel.saverDelayIndex);
        h[23] = panel.plcStation;
        h[24] = registerTypeCode(vocabulary, panel.controlRegisterType, 1);
        setBE16(&h[25], panel.controlRegisterNumber);
        h[27] = vocabulary.stride;
        h[29] = panel.controlFlags;
        h[30] = static_cast<uint8_t>(comm.baudIndex + vocabulary.baudOffset);
        h[31] = static_cast<uint8_t>(7 + comm.dataBitsIndex);
        h[32] = static_cast<uint8_t>(1 + comm.stopBitsIndex);
        h[33] = comm.parityIndex;
        h[34] = project_.alarms.HasTexts() ? 1 : 0;
        h[35] = download_.optionUsed ? 1 : 0;
        setBE16(&h[36], passwordBcd(panel.password));
        h[38] = download_.type81Used ? 1 : 0;
        h[39] = comm.option;
        setBE16(&h[40], comm.e5Timeout);
        return h;
    }

    // Step 7.
    Bytes assemble() const {
        Bytes image = header();
        if (download_.lampUsed) {
            for (int lamp = 0; lamp < 4; ++lamp) {
                const auto& glyph = lampGlyph(lamp);
                image.insert(image.end(), glyph.begin(), glyph.end());
            }
        }
        image.insert(image.end(), symbols_.begin(), symbols_.end());
        image.insert(image.end(), wideGlyphs_.begin(), wideGlyphs_.end());
        image.insert(image.end(), narrowGlyphs_.begin(), narrowGlyphs_.end());
        image.insert(image.end(), download_.pictureData.begin(), download_.pictureData.end());
        image.insert(image.end(), screenTable_.begin(), screenTable_.end());
        image.insert(image.end(), pointerTable_.begin(), pointerTable_.end());
        Bytes dynamicData;
        for (const auto& screen : project_.screens.screens()) {
            for (CBase* component : imageOrder(*screen)) {
                image.insert(image.end(), component->m_record.begin(),
                             component->m_record.begin() + component->m_recordLen);
            }
            for (const auto& component : screen->components()) {
                if (component->m_kind == kKindDynamic) {
                    static_cast<const CDynamic&>(*component).AppendTextBlock(dynamicData);
                }
            }
        }
        image.insert(image.end(), dynamicData.begin(), dynamicData.end());
        if (project_.alarms.HasTexts())
            project_.alarms.AppendToImage(image);
        return image;
    }

    Project& project_;
    const CompileOptions& options_;
    Prompter& prompter_;
    DownloadContext download_;
    Bytes symbols_, wideGlyphs_, narrowGlyphs_;
    Bytes screenTable_, pointerTable_;
    std::vector<std::vector<uint16_t>> imageOrder_;
    uint16_t narrowTableAddress_ = 0;
    uint32_t screenTableAddress_ = 0;
    uint32_t alarmAddress_ = 0;
    uint8_t driverVersion_ = 0;
};

}  // namespace

uint16_t passwordBcd(uint16_t password) {
    uint16_t bcd = 0;
    for (int digit = 0; digit < 4; ++digit) {
        bcd = static_cast<uint16_t>(bcd | ((password % 10) << (4 * digit)));
        password /= 10;
    }
    return bcd;
}

CompileResult compileProject(Project& project, const CompileOptions& options, Prompter& prompter) {
    return Compiler(project, options, prompter).run();
}

}  // namespace vanta
