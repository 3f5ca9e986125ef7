#include "editor/EditCommand.h"

#include <utility>

#include "editor/CVantaView.h"

namespace vanta {

namespace {
// The one id of every step that may merge; the merge key decides.
constexpr int kMergingStep = 1;
}  // namespace

EditCommand::EditCommand(CVantaView& view, ProjectEdit edit, const QString& text,
                         std::vector<size_t> selectedBefore, std::vector<size_t> selectedAfter,
                         QString mergeKey)
    : QUndoCommand(text),
      view_(view),
      edit_(std::move(edit)),
      selectedBefore_(std::move(selectedBefore)),
      selectedAfter_(std::move(selectedAfter)),
      mergeKey_(std::move(mergeKey)) {}

void EditCommand::undo() {
    view_.applyEdit(edit_, true, selectedBefore_);
}

void EditCommand::redo() {
    if (madeByEditor_) {
        madeByEditor_ = false;
        return;
    }
    view_.applyEdit(edit_, false, selectedAfter_);
}

int EditCommand::id() const {
    return mergeKey_.isEmpty() ? -1 : kMergingStep;
}

bool EditCommand::mergeWith(const QUndoCommand* other) {
    const auto* later = dynamic_cast<const EditCommand*>(other);
    if (later == nullptr || later->mergeKey_ != mergeKey_ || !edit_.absorb(later->edit_))
        return false;
    selectedAfter_ = later->selectedAfter_;
    setObsolete(edit_.isEmpty());
    return true;
}

size_t EditCommand::memoryBytes() const {
    return sizeof(*this) + edit_.memoryBytes() +
           static_cast<size_t>(text().size()) * sizeof(QChar) +
           static_cast<size_t>(mergeKey_.size()) * sizeof(QChar) +
           (selectedBefore_.capacity() + selectedAfter_.capacity()) * sizeof(size_t);
}

}  // namespace vanta
