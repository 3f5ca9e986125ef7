#include "project/ProjectDocument.h"

#include <cstdio>
#include <filesystem>

#include "common/FileIO.h"
#include "project/OldProjectImport.h"

namespace vanta {

namespace {
constexpr const char* kFailedToOpenCaption = "Open project";
constexpr const char* kFailedToSaveCaption = "Save project";
}  // namespace

ProjectDocument::ProjectDocument(Prompter& prompter, DocumentUi& ui, const FontTables* fonts)
    : prompter_(prompter), ui_(ui), project_(std::make_unique<Project>(fonts)) {}

bool ProjectDocument::reportFailure(const Status& status, const std::string& caption) {
    prompter_.inform(status.message(), status.caption().empty() ? caption : status.caption(),
                     Severity::Error);
    return false;
}

bool ProjectDocument::saveModifiedQuestion() {
    if (!modified_)
        return true;
    const std::string name = path_.empty() ? kUntitled : path_;
    const Answer answer =
        prompter_.ask("Save changes to " + name + " project?", "", Buttons::YesNoCancel);
    if (answer == Answer::Cancel)
        return false;
    if (answer == Answer::Yes)
        return save();
    return true;
}

bool ProjectDocument::open(const std::string& path) {
    if (!saveModifiedQuestion())
        return false;
    ReadFailure failure{};
    auto file = Project::readFile(path, &failure);
    if (!file) {
        if (failure == ReadFailure::Refused)
            return reportFailure(file.status(), kFailedToOpenCaption);
        prompter_.inform("Open file" + path + " error!", "", Severity::Error);
        return false;
    }
    const auto& bytes = file.value();
    Status pre = Project::precheck(
        std::span<const uint8_t>(bytes.data(), std::min<size_t>(bytes.size(), 8)), path);
    if (!pre)
        return reportFailure(pre);

    Status loaded = project_->load(bytes);
    project_->isOpen = true;
    modified_ = false;
    if (!loaded) {
        return reportFailure(Status::failure("Cannot open \"" + path +
                                             "\": the file is damaged or was not "
                                             "written by this program (" +
                                             loaded.message() + ")."),
                             kFailedToOpenCaption);
    }
    path_ = path;
    return true;
}

bool ProjectDocument::save() {
    if (path_.empty())
        return saveAs();
    return saveTo(path_);
}

bool ProjectDocument::saveAs() {
    auto chosen = ui_.askSavePath(path_);
    if (!chosen)
        return false;
    return saveTo(*chosen);
}

bool ProjectDocument::saveTo(const std::string& path) {
    if (isReadOnlyFile(path)) {
        const Answer answer = prompter_.ask(
            path + " is read-only. Do you want to save the project under another name?",
            kFailedToSaveCaption, Buttons::YesNo, Severity::Warning);
        if (answer != Answer::Yes)
            return false;
        auto chosen = ui_.askSavePath(path);
        return chosen && saveTo(*chosen);
    }
    const Bytes bytes = project_->save();
    Status written = writeFileAtomically(path, bytes);
    if (!written)
        return reportFailure(written, kFailedToSaveCaption);
    path_ = path;
    modified_ = false;
    if (onSaved)
        onSaved();
    return true;
}

bool ProjectDocument::newProject(size_t catalogueEntries) {
    if (catalogueEntries == 0) {
        prompter_.inform("The file Ostra_Ptc.dat error!!!", "", Severity::Error);
        return false;
    }
    if (!saveModifiedQuestion())
        return false;
    if (!ui_.choosePlcForNewProject(*project_))
        return false;
    project_->resetToNew(project_->protocol());
    path_.clear();
    modified_ = false;
    return true;
}

bool ProjectDocument::importOldProject(const std::string& oldPath,
                                       const std::function<bool()>& confirm) {
    if (!saveModifiedQuestion())
        return false;
    ReadFailure failure{};
    auto data = readFileLimited(oldPath, kMaxOldProjectBytes, "old project file", &failure);
    if (!data) {
        if (failure == ReadFailure::Refused)
            return reportFailure(data.status(), kImportCaption);
        prompter_.inform("Open the file error!", "", Severity::Error);
        return false;
    }
    if (!looksLikeOldProject(data.value())) {
        prompter_.inform("the file type error!", "", Severity::Error);
        return false;
    }
    if (confirm && !confirm())
        return false;
    // Converted and opened in memory first: nothing is written unless the result opens.
    auto converted = convertOldProject(data.value());
    if (!converted)
        return reportFailure(converted.status(), kImportCaption);
    const std::string target = defaultImportTarget(oldPath);
    if (std::filesystem::exists(target) &&
        prompter_.ask(replaceQuestion(target), kImportCaption, Buttons::YesNo) != Answer::Yes) {
        return false;
    }
    Status written = writeFileAtomically(target, converted->project);
    if (!written)
        return reportFailure(written, kImportCaption);
    prompter_.inform("conversion accomplished!\nThe project was written to " + target);

    Status loaded = project_->load(converted->project);
    project_->isOpen = true;
    modified_ = false;
    if (!loaded)
        return reportFailure(loaded, kFailedToOpenCaption);
    path_ = target;
    return true;
}

}  // namespace vanta
