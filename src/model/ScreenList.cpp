#include "model/ScreenList.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace vanta {

namespace {
std::string formatNumber(const char* pattern, unsigned number) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, number);
    return text;
}
}  // namespace

CMainView* ScreenList::current() const {
    return current_ < screens_.size() ? screens_[current_].get() : nullptr;
}

void ScreenList::setCurrentPosition(size_t position) {
    if (position < screens_.size())
        current_ = position;
}

int ScreenList::find(uint16_t number) const {
    size_t i = 0;
    for (; i < screens_.size(); ++i) {
        if (screens_[i]->m_number == number)
            return static_cast<int>(i);
        if (screens_[i]->m_number > number)
            break;
    }
    return -static_cast<int>(i) - 100;
}

size_t ScreenList::insert(std::unique_ptr<CMainView> screen) {
    size_t position = 0;
    while (position < screens_.size() && screens_[position]->m_number <= screen->m_number)
        ++position;
    screens_.insert(screens_.begin() + static_cast<ptrdiff_t>(position), std::move(screen));
    current_ = position;
    return position;
}

CMainView& ScreenList::createScreen(uint16_t number, const ByteString& description) {
    auto screen = std::make_unique<CMainView>(*context_);
    CMainView& created = *screen;
    created.initNewScreen(number, description);
    insert(std::move(screen));
    return created;
}

void ScreenList::removeAt(size_t position) {
    if (position >= screens_.size())
        return;
    screens_.erase(screens_.begin() + static_cast<ptrdiff_t>(position));
    if (current_ >= screens_.size() && !screens_.empty())
        current_ = screens_.size() - 1;
}

std::unique_ptr<CMainView> ScreenList::takeAt(size_t position) {
    if (position >= screens_.size())
        return nullptr;
    std::unique_ptr<CMainView> taken = std::move(screens_[position]);
    screens_.erase(screens_.begin() + static_cast<ptrdiff_t>(position));
    if (current_ >= screens_.size() && !screens_.empty())
        current_ = screens_.size() - 1;
    return taken;
}

void ScreenList::insertAt(size_t position, std::unique_ptr<CMainView> screen) {
    position = std::min(position, screens_.size());
    screens_.insert(screens_.begin() + static_cast<ptrdiff_t>(position), std::move(screen));
}

void ScreenList::replaceAt(size_t position, std::unique_ptr<CMainView> screen) {
    if (position < screens_.size())
        screens_[position] = std::move(screen);
}

void ScreenList::clear() {
    screens_.clear();
    current_ = 0;
}

bool ScreenList::ensureOne() {
    if (!screens_.empty())
        return false;
    createScreen(1, {});
    return true;
}

ScreenList::CopyOutcome ScreenList::copyCurrentTo(uint16_t number, Prompter& prompter) {
    return applyCopy(number, planCopy(number, prompter));
}

ScreenList::CopyOutcome ScreenList::planCopy(uint16_t number, Prompter& prompter) const {
    if (screens_.empty())
        return {};
    const int found = find(number);
    if (found < 0)
        return {CopyOutcome::Created, static_cast<size_t>(-found - 100)};
    const auto target = static_cast<size_t>(found);
    if (target == current_)
        return {};
    const Answer answer =
        prompter.ask(formatNumber("No. %d window exist, do you want to replace it?", number),
                     "The window exist", Buttons::OkCancel, Severity::Question);
    if (answer != Answer::Ok)
        return {};
    return {CopyOutcome::Replaced, target};
}

ScreenList::CopyOutcome ScreenList::applyCopy(uint16_t number, const CopyOutcome& plan) {
    size_t source = current_;
    CopyOutcome outcome;
    switch (plan.kind) {
        case CopyOutcome::Nothing:
            return {};
        case CopyOutcome::Replaced: {
            const size_t target = plan.position;
            screens_[target]->deleteAllComponents();
            screens_[target]->copyFrom(*screens_[source]);
            current_ = target;
            outcome = {CopyOutcome::Replaced, target};
            break;
        }
        case CopyOutcome::Created: {
            const CMainView& from = *screens_[source];
            const bool before = number < from.m_number;
            CMainView& created = createScreen(number, {});
            if (before)
                ++source;  // the source moved one down
            created.copyFrom(*screens_[source]);
            outcome = {CopyOutcome::Created, current_};
            break;
        }
    }
    current()->showScreenPage();
    current()->fillScreenPage();
    return outcome;
}

bool ScreenList::askDeleteCurrent(Prompter& prompter) const {
    const CMainView* screen = current();
    if (screen == nullptr)
        return false;
    // Deleting a whole screen is not what Enter should do by default.
    ButtonOptions options;
    options.defaultAnswer = Answer::Cancel;
    const Answer answer =
        prompter.askWith(formatNumber("Do you want to delete the No. %d window?", screen->m_number),
                         "Delete current window", Buttons::OkCancel, Severity::Question, options);
    return answer == Answer::Ok;
}

bool ScreenList::deleteCurrent(Prompter& prompter) {
    if (!askDeleteCurrent(prompter))
        return false;
    removeAt(current_);
    if (screens_.empty())
        createScreen(1, {});
    return true;
}

}  // namespace vanta
