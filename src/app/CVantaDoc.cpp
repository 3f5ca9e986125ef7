#include "app/CVantaDoc.h"

#include <QFileDialog>
#include <QFileInfo>

#include "app/ProgramData.h"
#include "dialogs/ImportDialog.h"
#include "dialogs/PlcDialog.h"

namespace vanta {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Qt reads the patterns from the last parentheses of a filter; the texts may end in a space.
QString filter(const QString& text) {
    return text.trimmed();
}

}  // namespace

CVantaDoc::CVantaDoc(ProgramData& data, Prompter& prompter, QWidget* window)
    : QObject(window),
      data_(data),
      prompter_(prompter),
      window_(window),
      document_(prompter, *this, &data.fonts()) {}

QString CVantaDoc::title() const {
    if (!document_.project().isOpen || document_.path().empty())
        return tr("无标题");
    return qs(document_.path());
}

bool CVantaDoc::openWithDialog() {
    QFileDialog dialog(window_, tr("打开"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({filter(tr("Vanta工程文件 (*.osp)")), filter(tr("所有文件 (*)"))});
    if (!document_.path().empty())
        dialog.setDirectory(QFileInfo(qs(document_.path())).absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return openPath(dialog.selectedFiles().first());
}

void CVantaDoc::afterLoad(bool ok, bool wasOpen, const std::string& oldPath) {
    Project& p = document_.project();
    if (!ok && p.isOpen && p.screens.empty()) {
        // A file that failed while being read left the project cleared: that is no project,
        // so nothing can be saved over the previous file by mistake.
        p.isOpen = false;
        emit projectReplaced();
        emit pathChanged(QString());
        return;
    }
    if (ok) {
        emit projectReplaced();
        emit pathChanged(qs(document_.path()));
    } else if (wasOpen != p.isOpen || oldPath != document_.path()) {
        emit pathChanged(QString());
    }
}

bool CVantaDoc::openPath(const QString& path) {
    const bool wasOpen = document_.project().isOpen;
    const std::string oldPath = document_.path();
    const bool ok = document_.open(QFileInfo(path).absoluteFilePath().toStdString());
    afterLoad(ok, wasOpen, oldPath);
    return ok;
}

bool CVantaDoc::save() {
    if (!document_.save())
        return false;
    emit pathChanged(qs(document_.path()));
    return true;
}

bool CVantaDoc::saveAs() {
    if (!document_.saveAs())
        return false;
    emit pathChanged(qs(document_.path()));
    return true;
}

std::optional<std::string> CVantaDoc::askSavePath(const std::string& suggestion) {
    QFileDialog dialog(window_, tr("另存为"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter(tr("Vanta工程文件 (*.osp)")));
    dialog.setDefaultSuffix(QStringLiteral("osp"));
    if (!suggestion.empty()) {
        dialog.selectFile(qs(suggestion));
    } else {
        dialog.selectFile(tr("无标题") + QStringLiteral(".osp"));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

bool CVantaDoc::newProject() {
    const bool ok = document_.newProject(data_.catalogueSize());
    if (ok) {
        emit projectReplaced();
        emit pathChanged(QString());
    }
    return ok;
}

bool CVantaDoc::choosePlcForNewProject(Project& project) {
    return runPlcSelection(project);
}

bool CVantaDoc::runPlcSelection(Project& project) {
    PlcDialog dialog(data_.catalogue(), data_.selection().entryIndex, project.comm,
                     project.protocol(), window_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    project.comm = dialog.settings();
    if (dialog.entryIndex() < 0)
        return true;
    const uint8_t protocol = dialog.protocol();
    if (protocol != project.protocol())
        project.changeProtocol(protocol);
    else
        project.applyProtocol(protocol);
    data_.setEntryIndex(static_cast<uint8_t>(dialog.entryIndex()));
    // The driver's version goes to the status bar; a damaged entry is reported now rather than
    // at the download.
    if (const Catalogue* catalogue = data_.catalogue()) {
        auto driver = catalogue->loadDriver(protocol);
        if (!driver)
            prompter_.inform(driver.message(), driver.error().caption, Severity::Error);
    }
    Status written = data_.writeSelection();
    if (!written)
        prompter_.inform(written.message(), written.caption(), Severity::Error);
    return true;
}

bool CVantaDoc::importWithDialog() {
    QFileDialog dialog(window_, tr("打开"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({filter(tr("旧工程文件 (*.grx)")), filter(tr("所有文件 (*)"))});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return importPath(dialog.selectedFiles().first());
}

bool CVantaDoc::importPath(const QString& path) {
    const bool wasOpen = document_.project().isOpen;
    const std::string oldPath = document_.path();
    const bool ok =
        document_.importOldProject(QFileInfo(path).absoluteFilePath().toStdString(), [this] {
            ImportDialog dialog(window_);
            return dialog.exec() == QDialog::Accepted;
        });
    afterLoad(ok, wasOpen, oldPath);
    return ok;
}

bool CVantaDoc::canClose() {
    return document_.saveModifiedQuestion();
}

}  // namespace vanta
