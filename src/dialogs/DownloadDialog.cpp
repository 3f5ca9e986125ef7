#include "dialogs/DownloadDialog.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "image/ImageCompiler.h"
#include "project/Project.h"
#include "protocols/SelectionFile.h"
#include "qtsupport/DownloadRunner.h"
#include "qtsupport/SerialTransport.h"

namespace vanta {

namespace {

constexpr int kProgressEnd = 10000;

std::string text(const QString& s) {
    return s.toStdString();
}

}  // namespace

DownloadDialog::DownloadDialog(SerialTransport& transport, LinkJob job, Prompter& prompter,
                               int tickMs, QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      runner_(std::make_unique<DownloadRunner>(transport, std::move(job), tickMs)) {
    setWindowTitle(tr("下载画面数据"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    bar_ = new QProgressBar(this);
    bar_->setRange(0, kProgressEnd);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setMinimumWidth(280);

    cancelButton_ = new QPushButton(tr("取   消"), this);
    // Enter is the cancel question by itself; the button must not be clicked by it as well.
    cancelButton_->setAutoDefault(false);
    cancelButton_->setDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    layout->addWidget(cancelButton_, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint());

    connect(cancelButton_, &QPushButton::clicked, this, &DownloadDialog::askCancel);
    connect(runner_.get(), &DownloadRunner::progress, bar_, &QProgressBar::setValue);
    connect(runner_.get(), &DownloadRunner::noAnswer, this, &DownloadDialog::showNoResponse);
    connect(runner_.get(), &DownloadRunner::answered, this, &DownloadDialog::panelAnswered);
    connect(runner_.get(), &DownloadRunner::finishedWith, this, &DownloadDialog::ended);
}

DownloadDialog::~DownloadDialog() {
    closeNotice();
    // The runner goes first: it refers to the transport and its timer must not tick on.
    runner_.reset();
}

LinkOutcome DownloadDialog::run() {
    if (ended_)
        return outcome_;
    // The link starts (with its RTS pulse) once the dialog is on screen and its event loop turns.
    QTimer::singleShot(0, this, [this] {
        if (!ended_)
            runner_->start();
    });
    exec();
    return outcome_;
}

void DownloadDialog::reject() {
    askCancel();
}

void DownloadDialog::accept() {
    askCancel();
}

void DownloadDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            askCancel();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void DownloadDialog::askCancel() {
    if (asking_ || ended_)
        return;
    asking_ = true;
    // No new frame goes out while the question is open; replies and ticks are still handled.
    runner_->pause();
    const Answer answer =
        prompter_.ask(text(tr("Download will be canceled?")), text(tr("Download Data")),
                      Buttons::OkCancel, Severity::Question);
    asking_ = false;
    if (ended_)
        return;  // the download ended while the question was open
    if (answer == Answer::Ok || answer == Answer::Yes)
        runner_->cancel();
    if (!ended_)
        runner_->resume();
}

void DownloadDialog::showNoResponse() {
    if (ended_ || notice_)
        return;
    auto* box = new QMessageBox(QMessageBox::Information, tr("Gorsa  no response"),
                                tr("No Response!!!"), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    // Closed by the user (OK or the close box) before the panel answered: give up.
    connect(box, &QMessageBox::finished, this, [this] {
        if (!ended_)
            runner_->giveUp();
    });
    notice_ = box;
    box->show();
}

void DownloadDialog::panelAnswered() {
    closeNotice();
}

void DownloadDialog::closeNotice() {
    if (!notice_)
        return;
    QMessageBox* box = notice_.data();
    notice_.clear();
    // Closed by the program: that is no giving up.
    box->disconnect(this);
    box->close();
}

void DownloadDialog::ended(const LinkOutcome& outcome) {
    if (ended_)
        return;
    ended_ = true;
    outcome_ = outcome;
    closeNotice();
    if (outcome.end == LinkEnd::Success)
        bar_->setValue(kProgressEnd);
    done(outcome.end == LinkEnd::Success ? QDialog::Accepted : QDialog::Rejected);
}

bool runDownload(Project& project, const QString& dataDir, const QString& portDevice,
                 bool forceDriver, Prompter& prompter, QWidget* parent, int tickMs) {
    CompileOptions options;
    options.dataDir = dataDir.toStdString();
    options.selectionFile = SelectionFile::pathIn(options.dataDir);
    CompileResult compiled = compileProject(project, options, prompter);
    if (compiled.outcome == CompileResult::Outcome::Cancelled)
        return false;  // "Register Limit error, cancel?" answered OK
    if (!compiled.ok()) {
        // A missing glyph file is a question of set-up, everything else a warning.
        const bool missingFile = compiled.error.message.rfind("does the file", 0) == 0;
        prompter.inform(compiled.error.message, compiled.error.caption,
                        missingFile ? Severity::Information : Severity::Warning);
        return false;
    }

    LinkJob job;
    job.image = std::move(compiled.compiled.image);
    job.driver = std::move(compiled.compiled.driver.bytes);
    job.driverVersion = compiled.compiled.driver.version;
    job.protocol = project.protocol();
    job.forceDriver = forceDriver;
    compiled = CompileResult{};
    if (Status fits = LinkEngine::validate(job); !fits) {
        prompter.inform(fits.message(), fits.caption(), Severity::Warning);
        return false;
    }

    SerialTransport transport;
    if (Status opened = transport.open(portDevice.toStdString()); !opened) {
        prompter.inform(opened.message(), opened.caption(), Severity::Warning);
        return false;
    }

    LinkOutcome outcome;
    {
        // The dialog owns the compiled bytes; they go with it.
        DownloadDialog dialog(transport, std::move(job), prompter, tickMs, parent);
        outcome = dialog.run();
    }
    transport.close();

    // A cancel carries no message.
    if (!outcome.message.empty())
        prompter.inform(outcome.message, outcome.caption, outcome.severity);
    return outcome.end == LinkEnd::Success;
}

}  // namespace vanta
