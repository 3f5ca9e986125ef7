#pragma once
// The project's screens in ascending number order, with the current screen (the one the editor
// shows and edits), and the copy-screen and delete-screen flows of the editor's commands.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "common/Prompter.h"
#include "model/CMainView.h"
#include "model/ModelContext.h"

namespace vanta {

class ScreenList {
  public:
    explicit ScreenList(const ModelContext& context) : context_(&context) {}

    size_t size() const { return screens_.size(); }
    bool empty() const { return screens_.empty(); }
    CMainView& at(size_t position) const { return *screens_.at(position); }
    const std::vector<std::unique_ptr<CMainView>>& screens() const { return screens_; }

    // The screen at the current position; null when the list is empty.
    CMainView* current() const;
    size_t currentPosition() const { return current_; }
    void setCurrentPosition(size_t position);

    // The position of the screen with that number; when absent, -(insertion position) - 100, so
    // a result below 0 means absent and -result - 100 is where it would go.
    int find(uint16_t number) const;
    // Inserts before the first screen with a larger number (appends when none); the current
    // position becomes its position, which is returned.
    size_t insert(std::unique_ptr<CMainView> screen);
    // A new screen (initNewScreen) inserted by number; it becomes the current screen.
    CMainView& createScreen(uint16_t number, const ByteString& description);
    // Appends in stored order (project reading); the caller keeps the order ascending.
    void append(std::unique_ptr<CMainView> screen) { screens_.push_back(std::move(screen)); }
    // Removes and destroys the screen at the position.
    void removeAt(size_t position);
    // Takes the screen at the position out of the list (null outside the list); the current
    // position moves to the new last screen when it was the last.
    std::unique_ptr<CMainView> takeAt(size_t position);
    // Puts a screen back at a position (the caller keeps the numbers ascending); the current
    // position does not change.
    void insertAt(size_t position, std::unique_ptr<CMainView> screen);
    // Replaces the screen at the position (nothing outside the list).
    void replaceAt(size_t position, std::unique_ptr<CMainView> screen);
    void clear();
    // A project always holds a screen: creates screen 1 with an empty description when the list
    // is empty. True when it did.
    bool ensureOne();

    struct CopyOutcome {
        enum Kind : uint8_t { Nothing, Replaced, Created } kind = Nothing;
        size_t position = 0;  // of the target, now the current screen
    };
    // Copies the current screen's description and components to the screen `number`: nothing
    // when that is the current screen; an existing target is replaced after the question "No. %d
    // window exist, do you want to replace it?" (keeping its number and key screens); an absent
    // one is created by number. The target becomes current and its screen page is shown.
    CopyOutcome copyCurrentTo(uint16_t number, Prompter& prompter);
    // The two halves of copyCurrentTo, for a caller that records what changes: the question
    // first (the plan says what will happen: Nothing, Replaced with the target's position, or
    // Created), then the copy.
    CopyOutcome planCopy(uint16_t number, Prompter& prompter) const;
    CopyOutcome applyCopy(uint16_t number, const CopyOutcome& plan);

    // Asks "Do you want to delete the No. %d window?" and on OK destroys the current screen; the
    // current position stays (now the next screen) or moves to the new last screen; an emptied
    // list gets screen 1. True when the screen was deleted.
    bool deleteCurrent(Prompter& prompter);
    // The question of deleteCurrent alone (Cancel is the default answer): true on OK.
    bool askDeleteCurrent(Prompter& prompter) const;

  private:
    const ModelContext* context_;
    std::vector<std::unique_ptr<CMainView>> screens_;
    size_t current_ = 0;
};

}  // namespace vanta
