#include "app/CVantaDoc.h"

#include <QFileDialog>
#include <QFileInfo>

#include "app/ProgramData.h"
#include "dialogs/ImportDialog.h"
#include "dialogs/PlcDialog.h"
#include "protocols/Catalogue.h"

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
    // A new project starts from the choice remembered in "In.dat".
    return runPlcSelection(project, data_.selection().entryIndex);
}

bool CVantaDoc::runPlcSelection(Project& project) {
    return runPlcSelection(project, catalogueEntryOf(project));
}

int CVantaDoc::catalogueEntryOf(const Project& project) const {
    const int remembered = data_.selection().entryIndex;
    const Catalogue* catalogue = data_.catalogue();
    if (catalogue == nullptr)
        return remembered;
    const auto& entries = catalogue->entries();
    const auto holdsProtocol = [&](size_t i) { return entries[i].protocol == project.protocol(); };
    if (remembered >= 0 && static_cast<size_t>(remembered) < entries.size() &&
        holdsProtocol(static_cast<size_t>(remembered)))
        return remembered;
    for (size_t i = 0; i < entries.size(); ++i)
        if (holdsProtocol(i))
            return static_cast<int>(i);
    return remembered;
}

bool CVantaDoc::runPlcSelection(Project& project, int entryIndex) {
    PlcDialog dialog(data_.catalogue(), entryIndex, project.comm, project.protocol(), window_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (dialog.entryIndex() < 0) {
        project.comm = dialog.settings();
        return true;
    }
    const uint8_t protocol = dialog.protocol();
    // The project changes only where the user changed something.
    if (protocol != project.protocol())
        project.changeProtocol(protocol);
    if (!(project.comm == dialog.settings()))
        project.comm = dialog.settings();
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
