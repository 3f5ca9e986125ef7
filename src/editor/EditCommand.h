#pragma once
// One step of the editor's undo history: what an edit changed in the project (ProjectEdit, in
// the project's stored form), the step's name, and the components to show selected once it has
// been undone or redone. The change is already made when the step is pushed, so the first redo
// does nothing. Steps with the same merge key follow each other into one (the keystrokes typed
// into one field, the arrow presses of one nudge); a merged step that ends where it began
// leaves the history.

#include <QString>
#include <QUndoCommand>
#include <cstddef>
#include <vector>

#include "project/ProjectEdit.h"

namespace vanta {

class CVantaView;

class EditCommand : public QUndoCommand {
  public:
    // `selectedBefore` and `selectedAfter`: positions, in the list of the screen current before
    // and after the edit, of the components selected then.
    EditCommand(CVantaView& view, ProjectEdit edit, const QString& text,
                std::vector<size_t> selectedBefore, std::vector<size_t> selectedAfter,
                QString mergeKey = {});

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    const ProjectEdit& edit() const { return edit_; }
    // The bytes the step holds.
    size_t memoryBytes() const;

  private:
    CVantaView& view_;
    ProjectEdit edit_;
    std::vector<size_t> selectedBefore_;
    std::vector<size_t> selectedAfter_;
    QString mergeKey_;
    bool madeByEditor_ = true;  // the first redo comes from the push: the edit is in place
};

}  // namespace vanta
