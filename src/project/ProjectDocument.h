#pragma once
// The document flows of the editor over a Project: the save-modified question, open, save, save
// as, new project and import, with the path, title and modified flag. Questions and notices go
// through the Prompter; what only a widget can do (choosing a file, the PLC selection dialog)
// comes from the DocumentUi the caller supplies. The gui and the tests drive the same flows.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/Prompter.h"
#include "common/Result.h"
#include "project/Project.h"

namespace vanta {

class DocumentUi {
  public:
    virtual ~DocumentUi() = default;
    // A file name to save the project under; nullopt when the user cancels.
    virtual std::optional<std::string> askSavePath(const std::string& suggestion) = 0;
    // Runs the PLC selection for a new project on `project` (protocol and serial parameters);
    // false when the user cancels.
    virtual bool choosePlcForNewProject(Project& project) = 0;
};

class ProjectDocument {
  public:
    static constexpr const char* kUntitled = "无标题";

    ProjectDocument(Prompter& prompter, DocumentUi& ui, const FontTables* fonts = nullptr);

    Project& project() { return *project_; }
    const Project& project() const { return *project_; }

    const std::string& path() const { return path_; }
    // The full path, or "无标题" for a project without one.
    std::string title() const { return path_.empty() ? kUntitled : path_; }
    bool isModified() const { return modified_; }
    void setModified(bool modified = true) { modified_ = modified; }

    // Called after every successful save, whichever flow saved (the editor marks its undo
    // history's clean state there).
    std::function<void()> onSaved;

    // "Save changes to %s project?" when modified. Yes saves (a failed save stops the caller),
    // No goes on, Cancel stops. True when the caller may go on.
    bool saveModifiedQuestion();

    // The open command after the file dialog: the question, the pre-check ("Open file" + path +
    // " error!", "Is it a correct file?", "version does not match!"), then the read. A failed
    // read leaves the project cleared and keeps the previous path. True on success.
    bool open(const std::string& path);

    // Saves under the document's path (asking for one when there is none).
    bool save();
    // Asks for a path and saves there.
    bool saveAs();
    // Writes the project to path through a temporary file; on success the path becomes the
    // document's and the modified flag is cleared; on failure the old file and the flag stay.
    // A read-only file is not written: the user is asked whether to save under another name.
    bool saveTo(const std::string& path);

    // The new-project command: "The file Ostra_Ptc.dat error!!!" when the catalogue has no
    // entry, the question, the PLC selection, then a cleared project with screen 1 and no path.
    bool newProject(size_t catalogueEntries);

    // The import command after the file dialog: the save-modified question, the import dialog
    // (`confirm`: false when the user cancels it), the conversion, opened in memory before
    // anything is written (a damaged old file is named by screen and component and writes
    // nothing), the question before replacing an existing file of the new name, the new file
    // written beside the old one, "conversion accomplished!" with the path written, then the new
    // project open and not modified.
    bool importOldProject(const std::string& oldPath, const std::function<bool()>& confirm);

  private:
    bool reportFailure(const Status& status, const std::string& caption = {});

    Prompter& prompter_;
    DocumentUi& ui_;
    std::unique_ptr<Project> project_;
    std::string path_;
    bool modified_ = false;
};

}  // namespace vanta
