#pragma once
// Runs the download link engine on an open serial transport: received bytes come from the
// transport's signal, ticks from a QTimer, and the engine's actions go back to the port or out
// as signals. Nothing blocks, so the gui's progress dialog and the command line both drive it
// from their event loop.

#include <QObject>
#include <QTimer>
#include <vector>

#include "link/LinkEngine.h"
#include "qtsupport/SerialTransport.h"

namespace vanta {

class DownloadRunner : public QObject {
    Q_OBJECT
  public:
    DownloadRunner(SerialTransport& transport, LinkJob job, int tickMs = kLinkTickMs,
                   QObject* parent = nullptr);

    // Starts the download (the transport must be open): pulses RTS, starts the tick and sends
    // the first handshake. RTS is pulsed again after a successful download.
    void start();
    const LinkEngine& engine() const { return engine_; }
    bool finished() const { return engine_.finished(); }

  public slots:
    // Around the cancel question: no new frame while it is open.
    void pause();
    void resume();
    void cancel();
    // The user closed the "No Response!!!" notice.
    void giveUp();

  signals:
    void progress(int position);
    void noAnswer();
    void answered();
    void finishedWith(const vanta::LinkOutcome& outcome);

  private:
    void apply(std::vector<LinkAction> actions);
    void onReceived(const QByteArray& bytes);
    void onTransportFailed(const QString& reason);

    SerialTransport& transport_;
    LinkEngine engine_;
    QTimer timer_;
};

}  // namespace vanta
