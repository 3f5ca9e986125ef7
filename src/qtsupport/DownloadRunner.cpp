#include "qtsupport/DownloadRunner.h"

#include <span>

namespace vanta {

DownloadRunner::DownloadRunner(SerialTransport& transport, LinkJob job, int tickMs, QObject* parent)
    : QObject(parent), transport_(transport), engine_(std::move(job)) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(tickMs > 0 ? tickMs : kLinkTickMs);
    connect(&timer_, &QTimer::timeout, this, [this] { apply(engine_.tick()); });
    connect(&transport_, &SerialTransport::received, this, &DownloadRunner::onReceived);
    connect(&transport_, &SerialTransport::failed, this, &DownloadRunner::onTransportFailed);
}

void DownloadRunner::start() {
    // The panel sees an RTS pulse before the first frame and again after a good download.
    transport_.pulseRts();
    timer_.start();
    apply(engine_.start());
}

void DownloadRunner::pause() {
    apply(engine_.pause());
}
void DownloadRunner::resume() {
    apply(engine_.resume());
}
void DownloadRunner::cancel() {
    apply(engine_.cancel());
}
void DownloadRunner::giveUp() {
    apply(engine_.giveUp());
}

void DownloadRunner::onReceived(const QByteArray& bytes) {
    apply(engine_.received(std::span<const uint8_t>(
        reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()))));
}

void DownloadRunner::onTransportFailed(const QString& reason) {
    apply(engine_.abort("Communication Error!!!\n" + reason.toStdString()));
}

void DownloadRunner::apply(std::vector<LinkAction> actions) {
    for (auto& action : actions) {
        switch (action.kind) {
            case LinkAction::Kind::Send:
                transport_.write(action.bytes);
                break;
            case LinkAction::Kind::Progress:
                emit progress(action.position);
                break;
            case LinkAction::Kind::NoAnswer:
                emit noAnswer();
                break;
            case LinkAction::Kind::Answered:
                emit answered();
                break;
            case LinkAction::Kind::Finished:
                timer_.stop();
                if (action.outcome.end == LinkEnd::Success)
                    transport_.pulseRts();
                emit finishedWith(action.outcome);
                break;
        }
    }
}

}  // namespace vanta
