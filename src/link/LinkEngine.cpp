#include "link/LinkEngine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <utility>

namespace vanta {

namespace {

constexpr const char* kCaption = linktext::kCaption;

// Limits of one send-and-wait exchange.
constexpr int kMaxErrorReplies = 8;  // the ninth error reply ends it
constexpr int kMaxTicks = 100;
constexpr int kMaxSendsData = 10;
constexpr int kMaxSendsHandshake = 1000000;
constexpr int kTickStepData = 30;
constexpr int kTickStepHandshake = 2;

constexpr int kProgressEnd = 10000;
constexpr int kProgressAfterHandshake = 50;

const char* failureText(SendResult result) {
    switch (result) {
        case SendResult::TimeOut:
            return linktext::kTimeOut;
        case SendResult::TooManyErrors:
            return linktext::kTooManyErrors;
        case SendResult::TooManyResends:
            return linktext::kTooManyResends;
        default:
            return linktext::kCommunicationError;
    }
}

std::function<uint8_t()> systemRandom() {
    auto seed = static_cast<uint32_t>(std::random_device{}()) ^
                static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    auto gen = std::make_shared<std::mt19937>(seed);
    return [gen] { return static_cast<uint8_t>((*gen)() >> 24); };
}

}  // namespace

LinkEngine::LinkEngine(LinkJob job, std::function<uint8_t()> random)
    : job_(std::move(job)), random_(random ? std::move(random) : systemRandom()) {}

int LinkEngine::progressStep(int frames) {
    if (frames <= 0)
        return 0;
    return (2 * kProgressEnd + frames) / (2 * frames);
}

Status LinkEngine::validate(const LinkJob& job) {
    char text[128];
    if (job.image.size() > link::kImageAreaSize) {
        std::snprintf(text, sizeof text, "The image is too large: %zu bytes (at most %zu)!",
                      job.image.size(), link::kImageAreaSize);
        return Status::failure(text, kCaption);
    }
    if (job.driver.size() > link::kDriverAreaSize) {
        std::snprintf(text, sizeof text,
                      "The protocol driver is too large: %zu bytes (at most %zu)!",
                      job.driver.size(), link::kDriverAreaSize);
        return Status::failure(text, kCaption);
    }
    return Status::success();
}

std::vector<LinkAction> LinkEngine::flush() {
    return std::exchange(out_, {});
}

std::vector<LinkAction> LinkEngine::start() {
    if (phase_ != Phase::Idle)
        return {};
    if (Status fits = validate(job_); !fits) {
        finish(LinkEnd::Failure, fits.message(), fits.caption(), Severity::Warning);
        return flush();
    }
    phase_ = Phase::Handshake;
    stats_.handshakeRounds = 1;
    const uint8_t ostra[] = {'O', 's', 't', 'r', 'a'};
    begin(makeFrame(link::kHandshake, ostra), 1);
    return flush();
}

std::vector<LinkAction> LinkEngine::received(std::span<const uint8_t> bytes) {
    stats_.bytesReceived += static_cast<long>(bytes.size());
    if (finished() || phase_ == Phase::Idle)
        return {};
    rx_.insert(rx_.end(), bytes.begin(), bytes.end());
    // Each reply is judged on its own as it completes, in the order the line brought them.
    while (!finished()) {
        const std::optional<std::vector<uint8_t>> reply = takeReplyFrame(rx_);
        if (!reply)
            break;
        takeReply(*reply);
    }
    return flush();
}

std::vector<LinkAction> LinkEngine::tick() {
    if (finished() || phase_ == Phase::Idle)
        return {};
    ++ex_.ticks;
    if (ex_.waiting && ex_.draining)
        ++stats_.drainTicks;
    // The waiting side is woken on every second tick.
    if (ex_.waiting && ex_.ticks % 2 == 0)
        evaluate();
    return flush();
}

std::vector<LinkAction> LinkEngine::pause() {
    paused_ = true;
    return flush();
}

std::vector<LinkAction> LinkEngine::resume() {
    paused_ = false;
    if (heldAtGate_ && !finished()) {
        heldAtGate_ = false;
        next();
    }
    return flush();
}

std::vector<LinkAction> LinkEngine::cancel() {
    if (finished())
        return {};
    cancelRequested_ = true;
    if (heldAtGate_ || phase_ == Phase::Idle) {
        heldAtGate_ = false;
        finish(LinkEnd::Cancelled, {}, {}, Severity::Information);
    }
    return flush();
}

std::vector<LinkAction> LinkEngine::giveUp() {
    // Once a handshake was answered the panel is there, even while its other replies drain.
    if (phase_ == Phase::HandshakeRetry && !ex_.draining) {
        finish(LinkEnd::Failure, linktext::kCommunicationError, kCaption, Severity::Warning);
    }
    return flush();
}

std::vector<LinkAction> LinkEngine::abort(const std::string& message) {
    if (!finished())
        finish(LinkEnd::Failure, message, kCaption, Severity::Warning);
    return flush();
}

void LinkEngine::begin(std::vector<uint8_t> frame, int mode) {
    ex_ = Exchange{};
    ex_.frame = std::move(frame);
    ex_.mode = mode;
    ex_.step = mode == 1 ? kTickStepHandshake : kTickStepData;
    ex_.maxSends = mode == 1 ? kMaxSendsHandshake : kMaxSendsData;
    ex_.limit = ex_.step;
    ex_.sends = 1;
    transmit();
}

void LinkEngine::transmit() {
    // Every send starts from a clean verdict. Bytes already received stay: a reply on its way
    // when the frame goes again is still counted, and judged by its kind, once it completes.
    ex_.status = ReplyStatus::Nothing;
    ex_.lastSendTick = ex_.ticks;
    LinkAction action;
    action.kind = LinkAction::Kind::Send;
    action.bytes = ex_.frame;
    out_.push_back(std::move(action));
    ++stats_.framesSent;
    stats_.bytesSent += static_cast<long>(ex_.frame.size());
    ex_.waiting = true;
}

void LinkEngine::takeReply(const std::vector<uint8_t>& reply) {
    if (!ex_.waiting) {
        ++stats_.staleReplies;  // nothing was asked: the answer to a frame already done
        return;
    }
    const ReplyVerdict verdict = judgeReply(reply, ex_.frame[3]);
    if (verdict == ReplyVerdict::Stale && ex_.frame[3] == link::kInfoRequest && !ex_.draining) {
        // An acknowledge while the information is asked for: one still owed to an unanswered
        // handshake, or else the panel's answer to the request, and a wrong one.
        if (unansweredEarlier_ == 0) {
            finish(LinkEnd::Failure, linktext::kWrongInformation, kCaption, Severity::Warning);
            return;
        }
        --unansweredEarlier_;
    }
    switch (verdict) {
        case ReplyVerdict::Noise:
            return;
        case ReplyVerdict::Stale:
            ++stats_.staleReplies;
            return;
        case ReplyVerdict::Malformed:
            finish(LinkEnd::Failure, linktext::kWrongInformation, kCaption, Severity::Warning);
            return;
        case ReplyVerdict::Good:
        case ReplyVerdict::Error:
        case ReplyVerdict::Unusable:
            break;
    }
    ++ex_.replies;
    if (ex_.draining) {
        ++stats_.drainedReplies;
        if (ex_.replies >= ex_.sends)
            exchangeDone(SendResult::Ok);
        return;
    }
    if (verdict == ReplyVerdict::Unusable)
        return;
    if (verdict == ReplyVerdict::Good)
        answer_ = reply;
    ex_.status = verdict == ReplyVerdict::Good ? ReplyStatus::Good : ReplyStatus::Error;
    evaluate();
}

void LinkEngine::evaluate() {
    if (cancelRequested_) {
        exchangeDone(SendResult::Cancelled);
        return;
    }
    if (ex_.draining) {
        drain();
        return;
    }
    switch (ex_.status) {
        case ReplyStatus::Good:
            if (ex_.replies < ex_.sends) {
                // A resend went out before this answer came: its reply is still on the way and
                // would be taken for the next frame's. Wait for it before going on.
                ex_.draining = true;
                if (phase_ == Phase::HandshakeRetry)
                    announceAnswered();
                return;
            }
            exchangeDone(SendResult::Ok);
            return;
        case ReplyStatus::Error:
            ++ex_.errors;
            ++stats_.errorReplies;
            afterReply();
            return;
        case ReplyStatus::Nothing:
            if (ex_.ticks > ex_.limit)
                afterReply();
            return;
    }
}

void LinkEngine::drain() {
    // Replies still owed when the frame's whole time-out has passed since its last send are
    // taken as lost.
    if (ex_.ticks - ex_.lastSendTick > kMaxTicks) {
        stats_.forgottenReplies += ex_.sends - ex_.replies;
        exchangeDone(SendResult::Ok);
    }
}

void LinkEngine::announceAnswered() {
    if (ex_.answerAnnounced)
        return;
    ex_.answerAnnounced = true;
    LinkAction notice;
    notice.kind = LinkAction::Kind::Answered;
    out_.push_back(std::move(notice));
}

void LinkEngine::afterReply() {
    if (ex_.errors > kMaxErrorReplies) {
        exchangeDone(SendResult::TooManyErrors);
    } else if (ex_.ticks > kMaxTicks) {
        exchangeDone(ex_.mode == 1 ? SendResult::NoAnswer : SendResult::TimeOut);
    } else {
        ++ex_.sends;
        ex_.limit += ex_.step;
        if (ex_.sends <= ex_.maxSends) {
            ++stats_.resends;
            transmit();
        } else {
            exchangeDone(SendResult::TooManyResends);
        }
    }
}

void LinkEngine::exchangeDone(SendResult result) {
    ex_.waiting = false;
    unansweredEarlier_ += std::max(0, ex_.sends - ex_.replies);
    switch (phase_) {
        case Phase::Handshake:
        case Phase::HandshakeRetry:
            if (result == SendResult::Cancelled) {
                finish(LinkEnd::Cancelled, {}, {}, Severity::Information);
            } else if (result == SendResult::NoAnswer) {
                if (phase_ == Phase::Handshake) {
                    phase_ = Phase::HandshakeRetry;
                    LinkAction notice;
                    notice.kind = LinkAction::Kind::NoAnswer;
                    out_.push_back(std::move(notice));
                }
                ++stats_.handshakeRounds;
                std::vector<uint8_t> frame = ex_.frame;
                begin(std::move(frame), 1);
            } else {
                if (phase_ == Phase::HandshakeRetry)
                    announceAnswered();
                addProgress(kProgressAfterHandshake);
                phase_ = Phase::Information;
                next();
            }
            return;
        case Phase::Information:
            if (result != SendResult::Ok)
                return failSend(result);
            handleInformation(answer_);
            return;
        case Phase::Challenge:
            if (result != SendResult::Ok)
                return failSend(result);
            phase_ = Phase::Invalidate;
            next();
            return;
        case Phase::Invalidate:
            if (result != SendResult::Ok)
                return failSend(result);
            offset_ = 0;
            phase_ = driverLength_ > 0 ? Phase::Driver : Phase::Image;
            next();
            return;
        case Phase::Driver:
        case Phase::Image: {
            if (result != SendResult::Ok)
                return failSend(result);
            addProgress(stats_.progressStep);
            const size_t total = phase_ == Phase::Driver ? driverLength_ : job_.image.size();
            const size_t block = std::min(link::kMaxBlockData, total - offset_);
            offset_ += block;
            stats_.payloadAcknowledged += static_cast<long>(block);
            if (offset_ >= total) {
                offset_ = 0;
                phase_ = phase_ == Phase::Driver ? Phase::Image : Phase::FinalMark;
            }
            next();
            return;
        }
        case Phase::FinalMark: {
            if (result != SendResult::Ok)
                return failSend(result);
            addProgress(kProgressEnd);
            char text[96];
            std::snprintf(text, sizeof text, linktext::kComplete,
                          static_cast<int>(job_.image.size()));
            finish(LinkEnd::Success, text, kCaption, Severity::Information);
            return;
        }
        case Phase::Idle:
        case Phase::Done:
            return;
    }
}

void LinkEngine::failSend(SendResult result) {
    if (result == SendResult::Cancelled) {
        finish(LinkEnd::Cancelled, {}, {}, Severity::Information);
    } else {
        finish(LinkEnd::Failure, failureText(result), kCaption, Severity::Warning);
    }
}

void LinkEngine::handleInformation(const std::vector<uint8_t>& reply) {
    const bool wellFormed = reply.size() == link::kInfoReplySize && reply[3] == link::kInfoReply &&
                            reply[2] == reply.size();
    if (!wellFormed) {
        finish(LinkEnd::Failure, linktext::kWrongInformation, kCaption, Severity::Warning);
        return;
    }
    const uint8_t panelProtocol = reply[5];
    const uint8_t panelVersion = reply[6];
    const bool sendDriver =
        panelProtocol != job_.protocol || panelVersion != job_.driverVersion || job_.forceDriver;
    driverLength_ = sendDriver ? job_.driver.size() : 0;
    stats_.driverSent = driverLength_ > 0;
    stats_.payloadTotal = static_cast<long>(driverLength_ + job_.image.size());
    const size_t frames =
        job_.image.size() / link::kMaxBlockData + driverLength_ / link::kMaxBlockData + 2;
    stats_.frameCount = static_cast<int>(frames);
    stats_.progressStep = progressStep(stats_.frameCount);
    addProgress(stats_.progressStep);
    drawChallenge();
    phase_ = Phase::Challenge;
    next();
}

void LinkEngine::drawChallenge() {
    // Fresh bytes for every session; a zero offset or key would leave addresses or data in the
    // clear, so such draws are thrown away.
    std::array<uint8_t, link::kChallengeSize> bytes{};
    do {
        for (auto& b : bytes)
            b = random_();
        keys_ = deriveSessionKeys(bytes);
    } while (keys_.addressOffset == 0 || keys_.dataKey == 0);
    challenge_.assign(bytes.begin(), bytes.end());
}

void LinkEngine::next() {
    if (paused_) {
        heldAtGate_ = true;
        return;
    }
    if (cancelRequested_) {
        finish(LinkEnd::Cancelled, {}, {}, Severity::Information);
        return;
    }
    sendPhaseFrame();
}

void LinkEngine::sendPhaseFrame() {
    switch (phase_) {
        case Phase::Information:
            begin(makeFrame(link::kInfoRequest), 0);
            return;
        case Phase::Challenge:
            begin(makeFrame(link::kChallenge, challenge_), 0);
            return;
        case Phase::Invalidate: {
            stats_.invalidationSent = true;
            const std::vector<uint8_t> erased(link::kMaxBlockData, 0xFF);
            begin(makeWriteBlock(link::kImageBase, erased, keys_), 0);
            return;
        }
        case Phase::Driver: {
            const size_t n = std::min(link::kMaxBlockData, driverLength_ - offset_);
            const std::span<const uint8_t> block(job_.driver.data() + offset_, n);
            begin(makeWriteBlock(static_cast<uint16_t>(offset_), block, keys_), 0);
            return;
        }
        case Phase::Image:
            if (offset_ < job_.image.size()) {
                const size_t n = std::min(link::kMaxBlockData, job_.image.size() - offset_);
                const std::span<const uint8_t> block(job_.image.data() + offset_, n);
                begin(
                    makeWriteBlock(static_cast<uint16_t>(link::kImageBase + offset_), block, keys_),
                    0);
                return;
            }
            phase_ = Phase::FinalMark;
            [[fallthrough]];
        case Phase::FinalMark: {
            const uint8_t mark[] = {link::kValidMark0, link::kValidMark1};
            begin(makeWriteBlock(link::kImageBase, mark, keys_), 0);
            return;
        }
        default:
            return;
    }
}

void LinkEngine::addProgress(int delta) {
    const int position = std::min(kProgressEnd, progress_ + delta);
    if (position == progress_)
        return;
    progress_ = position;
    LinkAction action;
    action.kind = LinkAction::Kind::Progress;
    action.position = position;
    out_.push_back(std::move(action));
}

void LinkEngine::finish(LinkEnd end, std::string message, std::string caption, Severity severity) {
    phase_ = Phase::Done;
    ex_.waiting = false;
    heldAtGate_ = false;
    outcome_.end = end;
    outcome_.message = std::move(message);
    outcome_.caption = std::move(caption);
    outcome_.severity = severity;
    LinkAction action;
    action.kind = LinkAction::Kind::Finished;
    action.outcome = outcome_;
    out_.push_back(std::move(action));
}

}  // namespace vanta
