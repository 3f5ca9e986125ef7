#pragma once
// The editor's download command: compile the project, open the PC's serial port, send the image
// (and the protocol driver when the panel needs it) under the modal progress dialog
// "下载画面数据", close the port and report how it ended.
//
// The link runs on the port's received-bytes signal and a timer, so the window keeps handling
// its events for the whole download: nothing waits and nothing blocks. The dialog shows the
// stage (handshake, the panel's information, invalidating the old image, driver, image), the
// bytes the panel has acknowledged of all it gets, and the time left at the rate so far. A
// download that ends without success after the old image was invalidated says that the panel
// now needs a complete download. Enter, Escape, the close
// box and the button "取   消" hold the link after its current frame and ask "Download will be
// canceled?". A panel that does not answer the first handshake round brings up the non-modal
// notice "No Response!!!", which closes by itself when the panel answers; closing it gives up.

#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <memory>

#include "common/Prompter.h"
#include "link/LinkEngine.h"

class QKeyEvent;
class QLabel;
class QProgressBar;
class QPushButton;

namespace vanta {

class DownloadRunner;
class Project;
class SerialTransport;

class DownloadDialog : public QDialog {
    Q_OBJECT
  public:
    // The transport must be open; the dialog owns the job (the compiled bytes) until it is
    // destroyed. The cancel question goes to the prompter.
    DownloadDialog(SerialTransport& transport, LinkJob job, Prompter& prompter,
                   int tickMs = kLinkTickMs, QWidget* parent = nullptr);
    ~DownloadDialog() override;

    // Shows the dialog modally, starts the link and returns when the download has ended (the
    // dialog is closed by then).
    LinkOutcome run();
    const LinkOutcome& outcome() const { return outcome_; }

    QProgressBar* progressBar() const { return bar_; }
    QLabel* stageLabel() const { return stage_; }
    QLabel* bytesLabel() const { return bytes_; }
    QLabel* timeLeftLabel() const { return timeLeft_; }

    // What the labels say: the stage of a phase, "sent of total", the time left (-1 while it is
    // being estimated).
    static QString stageText(LinkEngine::Phase phase);
    static QString bytesText(long sent, long total);
    static QString timeLeftText(long seconds);
    QPushButton* cancelButton() const { return cancelButton_; }
    // The "No Response!!!" notice while it is shown, else null.
    QMessageBox* noResponseNotice() const { return notice_.data(); }
    const DownloadRunner& runner() const { return *runner_; }

  public slots:
    // Escape and the close box: the cancel question (the dialog closes only when the download
    // has ended).
    void reject() override;
    // Enter: the cancel question too.
    void accept() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void askCancel();
    void showNoResponse();
    void panelAnswered();
    void closeNotice();
    void ended(const LinkOutcome& outcome);
    void showState();
    int longestStageWidth() const;

    Prompter& prompter_;
    std::unique_ptr<DownloadRunner> runner_;
    QProgressBar* bar_ = nullptr;
    QLabel* stage_ = nullptr;
    QLabel* bytes_ = nullptr;
    QLabel* timeLeft_ = nullptr;
    QTimer refresh_;
    QElapsedTimer clock_;
    qint64 firstBlockMs_ = -1;  // when the first block was acknowledged
    long firstBlockBytes_ = 0;
    QPushButton* cancelButton_ = nullptr;
    QPointer<QMessageBox> notice_;
    LinkOutcome outcome_;
    bool asking_ = false;
    bool ended_ = false;
};

// The whole download command. `dataDir` holds "Ostra_EN.dat", "Ostra_CH.dat", "Ostra_Ptc.dat"
// and "In.dat" (its byte 0 is rewritten with the catalogue entry of the driver); `portDevice`
// names the port as SerialTransport does ("COMn", a device name or a path); `forceDriver` sends
// the driver even when the panel has the same one. Every question and message goes to the
// prompter except the "No Response!!!" notice, which the dialog shows itself. The port is closed
// and the compiled bytes are discarded before it returns. True only when the panel acknowledged
// the final mark.
bool runDownload(Project& project, const QString& dataDir, const QString& portDevice,
                 bool forceDriver, Prompter& prompter, QWidget* parent, int tickMs = kLinkTickMs);

}  // namespace vanta
