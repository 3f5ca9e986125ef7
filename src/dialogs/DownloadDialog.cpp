#include "dialogs/DownloadDialog.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
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

    stage_ = new QLabel(this);
    stage_->setObjectName(QStringLiteral("stage"));
    bar_ = new QProgressBar(this);
    bar_->setRange(0, kProgressEnd);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setMinimumWidth(320);
    bytes_ = new QLabel(this);
    bytes_->setObjectName(QStringLiteral("bytes"));
    timeLeft_ = new QLabel(this);
    timeLeft_->setObjectName(QStringLiteral("timeLeft"));

    cancelButton_ = new QPushButton(tr("取   消"), this);
    // Enter is the cancel question by itself; the button must not be clicked by it as well.
    cancelButton_->setAutoDefault(false);
    cancelButton_->setDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stage_);
    layout->addWidget(bar_);
    auto* figures = new QHBoxLayout;
    figures->addWidget(bytes_);
    figures->addStretch(1);
    figures->addWidget(timeLeft_);
    layout->addLayout(figures);
    layout->addWidget(cancelButton_, 0, Qt::AlignHCenter);
    // Room for the longest texts the labels show, so that the dialog keeps its size.
    stage_->setMinimumWidth(longestStageWidth());
    bytes_->setMinimumWidth(bytes_->fontMetrics().horizontalAdvance(bytesText(65536, 65536)) + 4);
    timeLeft_->setMinimumWidth(timeLeft_->fontMetrics().horizontalAdvance(timeLeftText(-1)) + 4);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    refresh_.setInterval(250);
    connect(&refresh_, &QTimer::timeout, this, &DownloadDialog::showState);
    connect(runner_.get(), &DownloadRunner::progress, this, &DownloadDialog::showState);
    showState();

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
        if (!ended_) {
            clock_.start();
            refresh_.start();
            runner_->start();
            showState();
        }
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
    auto* box = new QMessageBox(QMessageBox::Information, tr("Vanta  no response"),
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

QString DownloadDialog::stageText(LinkEngine::Phase phase) {
    switch (phase) {
        case LinkEngine::Phase::Idle:
        case LinkEngine::Phase::Handshake:
        case LinkEngine::Phase::HandshakeRetry:
            return tr("连接面板");
        case LinkEngine::Phase::Information:
        case LinkEngine::Phase::Challenge:
            return tr("读取面板信息");
        case LinkEngine::Phase::Invalidate:
            return tr("清除面板上的旧画面");
        case LinkEngine::Phase::Driver:
            return tr("下载协议驱动程序");
        case LinkEngine::Phase::Image:
            return tr("下载画面数据");
        case LinkEngine::Phase::FinalMark:
        case LinkEngine::Phase::Done:
            return tr("确认画面数据");
    }
    return {};
}

int DownloadDialog::longestStageWidth() const {
    int widest = 0;
    for (LinkEngine::Phase phase : {LinkEngine::Phase::Handshake, LinkEngine::Phase::Information,
                                    LinkEngine::Phase::Invalidate, LinkEngine::Phase::Driver,
                                    LinkEngine::Phase::Image, LinkEngine::Phase::FinalMark})
        widest = std::max(widest, stage_->fontMetrics().horizontalAdvance(stageText(phase)));
    return widest + 4;
}

QString DownloadDialog::bytesText(long sent, long total) {
    return tr("已发送 %1 / %2 字节")
        .arg(QLocale().toString(static_cast<qlonglong>(sent)),
             QLocale().toString(static_cast<qlonglong>(total)));
}

QString DownloadDialog::timeLeftText(long seconds) {
    if (seconds < 0)
        return tr("剩余时间: 估算中");
    if (seconds < 60)
        return tr("剩余时间: %1 秒").arg(seconds);
    return tr("剩余时间: %1 分 %2 秒").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void DownloadDialog::showState() {
    const LinkEngine& engine = runner_->engine();
    const LinkStats& stats = engine.stats();
    if (!ended_)
        stage_->setText(stageText(engine.phase()));
    if (stats.payloadTotal <= 0) {
        bytes_->setText(QString());
        timeLeft_->setText(QString());
        return;
    }
    bytes_->setText(bytesText(stats.payloadAcknowledged, stats.payloadTotal));
    // The rate so far, once the first blocks are through.
    if (stats.payloadAcknowledged > 0 && firstBlockMs_ < 0) {
        firstBlockMs_ = clock_.isValid() ? clock_.elapsed() : 0;
        firstBlockBytes_ = stats.payloadAcknowledged;
    }
    long seconds = -1;
    const long sent = stats.payloadAcknowledged - firstBlockBytes_;
    const qint64 elapsed = clock_.isValid() ? clock_.elapsed() - firstBlockMs_ : 0;
    if (firstBlockMs_ >= 0 && sent > 0 && elapsed > 0) {
        const double rate = static_cast<double>(sent) / static_cast<double>(elapsed);  // per ms
        seconds = std::lround((stats.payloadTotal - stats.payloadAcknowledged) / rate / 1000.0);
    }
    timeLeft_->setText(timeLeftText(seconds));
}

void DownloadDialog::ended(const LinkOutcome& outcome) {
    if (ended_)
        return;
    ended_ = true;
    refresh_.stop();
    showState();
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
    bool invalidated = false;
    {
        // The dialog owns the compiled bytes; they go with it.
        DownloadDialog dialog(transport, std::move(job), prompter, tickMs, parent);
        outcome = dialog.run();
        invalidated = dialog.runner().engine().stats().invalidationSent;
    }
    transport.close();

    // A download that stopped after the panel's old image was invalidated leaves the panel
    // without a valid image: the user is told so, after a cancel as well.
    std::string message = outcome.message;
    if (outcome.end != LinkEnd::Success && invalidated) {
        if (!message.empty())
            message += "\n";
        message += DownloadDialog::tr("面板上的旧画面在下载开始时已被清除: 面板需要一次完整的下载.")
                       .toStdString();
    }
    if (!message.empty())
        prompter.inform(message, outcome.caption.empty() ? linktext::kCaption : outcome.caption,
                        outcome.end == LinkEnd::Success ? outcome.severity : Severity::Warning);
    return outcome.end == LinkEnd::Success;
}

}  // namespace vanta
