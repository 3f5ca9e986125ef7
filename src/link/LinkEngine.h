#pragma once
// The PC's side of the serial download link, as a state machine driven by events: bytes
// received, a timer tick, pause/resume around the cancel question, cancel, and giving up on a
// panel that does not answer. Each event returns the actions it causes (bytes to send, a new
// progress position, a notice, the outcome), so the same engine runs under the gui, the
// command line and tests with a virtual clock. It never blocks and never reads the clock.
//
// The flow of one download: handshake, information request, session challenge, invalidation of
// the old image, driver blocks (when the panel's protocol or driver version differs, or when
// forced), image blocks, and the mark that makes the image valid.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "common/Prompter.h"
#include "common/Result.h"
#include "link/LinkProtocol.h"

namespace vanta {

// The period of the link's timer. Every time-out of the link is counted in ticks of this
// length; runners may use another period (tests do).
constexpr int kLinkTickMs = 16;

// Texts of the link that its front ends show (the engine's outcomes carry their own). The failure
// texts are the panel's established wording and stay as they are here; front ends translate them.
namespace linktext {
constexpr const char* kTimeOut = "延时越界";
constexpr const char* kTooManyErrors = "通讯错误次数越界";
constexpr const char* kTooManyResends = "重发次数越界";
constexpr const char* kWrongInformation = "Wrong informationg!";
constexpr const char* kCommunicationError = "Communication Error!!!";
constexpr const char* kComplete = "Download complete!Data %d bytes";
constexpr const char* kProgressTitle = "下载画面数据";
constexpr const char* kCancelButton = "取   消";
constexpr const char* kNoResponse = "No Response!!!";
constexpr const char* kNoResponseCaption = "Vanta  no response";
constexpr const char* kCancelQuestion = "Download will be canceled?";
constexpr const char* kCancelCaption = "Download Data";
constexpr const char* kCaption = "Download data";
}  // namespace linktext

// What one download sends.
struct LinkJob {
    std::vector<uint8_t> image;   // the compiled image, stored at 0x8000 (at most 32768 bytes)
    std::vector<uint8_t> driver;  // the protocol driver, stored at 0x0000 (at most 32768 bytes)
    uint8_t protocol = 0;         // the project's protocol number
    uint8_t driverVersion = 0;    // the version of `driver`
    bool forceDriver = false;     // send the driver even when the panel has the same one
};

enum class LinkEnd : uint8_t { Success, Failure, Cancelled };

struct LinkOutcome {
    LinkEnd end = LinkEnd::Failure;
    std::string message;  // what the user is shown; empty for a cancel
    std::string caption;
    Severity severity = Severity::Information;
};

struct LinkAction {
    enum class Kind : uint8_t {
        Send,      // write `bytes` to the line as one piece
        Progress,  // the progress bar's new `position` (0..10000)
        NoAnswer,  // the first handshake round went unanswered: show "No Response!!!"
        Answered,  // a later handshake round was answered: close that notice, the download goes on
        Finished,  // the download is over; see `outcome`
    };
    Kind kind = Kind::Send;
    std::vector<uint8_t> bytes;
    int position = 0;
    LinkOutcome outcome;
};

// Result of one send-and-wait exchange.
enum class SendResult : uint8_t {
    Ok = 0,
    TimeOut = 1,         // "延时越界"
    TooManyErrors = 2,   // "通讯错误次数越界"
    TooManyResends = 3,  // "重发次数越界"
    Cancelled = 4,
    NoAnswer = 5,  // a handshake round without an answer
};

struct LinkStats {
    int framesSent = 0;  // every send, resends included
    int resends = 0;
    int errorReplies = 0;      // replies judged as errors
    int staleReplies = 0;      // replies of the other kind (or with no frame waiting), dropped
    int drainedReplies = 0;    // replies still owed by a frame already answered, dropped
    int forgottenReplies = 0;  // owed replies that had not come when the frame's time ran out
    int drainTicks = 0;        // ticks spent waiting for owed replies
    int handshakeRounds = 0;
    long bytesSent = 0;
    long bytesReceived = 0;
    bool driverSent = false;
    int frameCount = 0;  // F of the progress step (0 until the information reply)
    int progressStep = 0;
    // Driver and image bytes the panel has acknowledged, and all that the download sends (the
    // driver counts once the panel has said it needs it).
    long payloadAcknowledged = 0;
    long payloadTotal = 0;
    // The frame that invalidates the panel's old image has gone out: from then on the panel
    // needs a complete download.
    bool invalidationSent = false;
};

class LinkEngine {
  public:
    enum class Phase : uint8_t {
        Idle,
        Handshake,
        HandshakeRetry,
        Information,
        Challenge,
        Invalidate,
        Driver,
        Image,
        FinalMark,
        Done
    };

    // `random` draws the challenge bytes; by default a generator seeded from the system.
    explicit LinkEngine(LinkJob job, std::function<uint8_t()> random = {});

    std::vector<LinkAction> start();
    std::vector<LinkAction> received(std::span<const uint8_t> bytes);
    std::vector<LinkAction> tick();
    // The cancel question opens (pause) and closes (resume): no new frame is sent in between.
    std::vector<LinkAction> pause();
    std::vector<LinkAction> resume();
    // The user confirmed the cancel; noticed at the next wake-up or frame boundary.
    std::vector<LinkAction> cancel();
    // The user closed the "No Response!!!" notice before the panel answered.
    std::vector<LinkAction> giveUp();
    // The line itself failed (device gone); ends the download with `message`.
    std::vector<LinkAction> abort(const std::string& message);

    Phase phase() const { return phase_; }
    bool finished() const { return phase_ == Phase::Done; }
    bool paused() const { return paused_; }
    int progress() const { return progress_; }
    const LinkStats& stats() const { return stats_; }
    const LinkOutcome& outcome() const { return outcome_; }
    // Session values of the current download (valid after the challenge was drawn).
    const SessionKeys& sessionKeys() const { return keys_; }

    // Round(10000 / frames) with halves rounded up.
    static int progressStep(int frames);
    // Whether a job fits the panel: an image of at most 32768 bytes at 0x8000 and a driver of
    // at most 32768 bytes below it (anything larger would wrap or run into the image). start()
    // refuses a job that does not fit with the same message.
    static Status validate(const LinkJob& job);

  private:
    struct Exchange {
        std::vector<uint8_t> frame;
        int mode = 0;  // 1 for the handshake, 0 for every other frame
        int errors = 0;
        int ticks = 0;
        int sends = 0;
        int replies = 0;  // replies of this frame's kind that came, errors included
        int lastSendTick = 0;
        int limit = 0;
        int step = 0;
        int maxSends = 0;
        ReplyStatus status = ReplyStatus::Nothing;
        bool waiting = false;
        bool draining = false;  // answered; the replies to its other sends are still owed
        bool answerAnnounced = false;
    };

    void begin(std::vector<uint8_t> frame, int mode);
    void transmit();
    void takeReply(const std::vector<uint8_t>& frame);
    void evaluate();
    void drain();
    void announceAnswered();
    void afterReply();  // step 4 of send-and-wait: resend or give a result
    void exchangeDone(SendResult result);
    void next();  // the frame after the current one, past the pause gate
    void sendPhaseFrame();
    void handleInformation(const std::vector<uint8_t>& reply);
    void drawChallenge();
    void addProgress(int delta);
    void finish(LinkEnd end, std::string message, std::string caption, Severity severity);
    void failSend(SendResult result);
    std::vector<LinkAction> flush();

    LinkJob job_;
    std::function<uint8_t()> random_;
    Phase phase_ = Phase::Idle;
    Exchange ex_;
    std::vector<uint8_t> rx_;      // received bytes not yet part of a complete reply
    std::vector<uint8_t> answer_;  // the reply that answered the current frame
    int unansweredEarlier_ = 0;    // sends of earlier frames whose replies never came
    std::vector<uint8_t> challenge_;
    SessionKeys keys_;
    size_t offset_ = 0;        // within the driver or the image
    size_t driverLength_ = 0;  // 0 when the panel keeps its driver
    bool cancelRequested_ = false;
    bool paused_ = false;
    bool heldAtGate_ = false;  // a frame is due but the cancel question is open
    int progress_ = 0;
    LinkStats stats_;
    LinkOutcome outcome_;
    std::vector<LinkAction> out_;
};

}  // namespace vanta
