#pragma once
// The gui side of the project document: the file dialogs and the PLC selection that the document
// flows ask for, and the commands of the File menu (open, save, save as, new project, import,
// the question before closing). The flows themselves are ProjectDocument's.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "project/ProjectDocument.h"

namespace vanta {

class ProgramData;

class CVantaDoc : public QObject, public DocumentUi {
    Q_OBJECT
  public:
    // `window` is the parent of the dialogs.
    CVantaDoc(ProgramData& data, Prompter& prompter, QWidget* window);

    ProjectDocument& document() { return document_; }
    Project& project() { return document_.project(); }
    // The full path of the project, or "无标题".
    QString title() const;

    // --- commands ---
    // Asks for a project file, then opens it (the save-modified question and the pre-check first).
    bool openWithDialog();
    // Opens a named project file (command line, dropped file, recent file list).
    bool openPath(const QString& path);
    bool save();
    bool saveAs();
    // The PLC selection first, then a new project with screen 1 and no path.
    bool newProject();
    // Asks for an old project file, shows the import dialog, converts and opens the result.
    bool importWithDialog();
    bool importPath(const QString& path);
    // The save-modified question before the program ends; false keeps it running.
    bool canClose();

    // "PLC选择" on an open project, opened on the project's protocol and parameters (the
    // catalogue entry of its protocol, the one remembered in "In.dat" when that holds it): on OK
    // the parameters, the protocol (its vocabulary; the panel settings that depend on it when it
    // changed), the chosen entry and "In.dat"; OK with nothing changed leaves the project as it
    // was. True on OK.
    bool runPlcSelection(Project& project);

    // --- DocumentUi ---
    std::optional<std::string> askSavePath(const std::string& suggestion) override;
    bool choosePlcForNewProject(Project& project) override;

  signals:
    // The project was replaced (new, opened, imported, or cleared by a failed read).
    void projectReplaced();
    // The document's path changed (its title with it); `path` goes into the recent-file list.
    void pathChanged(const QString& path);

  private:
    bool runPlcSelection(Project& project, int entryIndex);
    // The catalogue entry of the project's protocol.
    int catalogueEntryOf(const Project& project) const;
    // After a flow that may have replaced the project.
    void afterLoad(bool ok, bool wasOpen, const std::string& oldPath);

    ProgramData& data_;
    Prompter& prompter_;
    QPointer<QWidget> window_;
    ProjectDocument document_;
};

}  // namespace vanta
