#include "model/ScreenList.h"

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
    if (screens_.empty())
        return {};
    const int found = find(number);
    size_t source = current_;
    CopyOutcome outcome;
    if (found >= 0) {
        const auto target = static_cast<size_t>(found);
        if (target == source)
            return {};
        const Answer answer =
            prompter.ask(formatNumber("No. %d window exist, do you want to replace it?", number),
                         "The window exist", Buttons::OkCancel, Severity::Question);
        if (answer != Answer::Ok)
            return {};
        screens_[target]->deleteAllComponents();
        screens_[target]->copyFrom(*screens_[source]);
        current_ = target;
        outcome = {CopyOutcome::Replaced, target};
    } else {
        const CMainView& from = *screens_[source];
        const bool before = number < from.m_number;
        CMainView& created = createScreen(number, {});
        if (before)
            ++source;  // the source moved one down
        created.copyFrom(*screens_[source]);
        outcome = {CopyOutcome::Created, current_};
    }
    current()->showScreenPage();
    current()->fillScreenPage();
    return outcome;
}

bool ScreenList::deleteCurrent(Prompter& prompter) {
    CMainView* screen = current();
    if (screen == nullptr)
        return false;
    const Answer answer =
        prompter.ask(formatNumber("Do you want to delete the No. %d window?", screen->m_number),
                     "Delete current window", Buttons::OkCancel, Severity::Question);
    if (answer != Answer::Ok)
        return false;
    removeAt(current_);
    if (screens_.empty())
        createScreen(1, {});
    return true;
}

}  // namespace vanta
