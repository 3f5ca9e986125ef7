#pragma once
// One change of a project, kept in the project's own stored form so that it can be taken back
// and made again exactly: for every part it touched (the settings of the file header, the alarm
// list, a screen's own fields, a whole screen, one component) the part's record as it was before
// and as it is after. Taking every change back therefore gives the project whose file has the
// same bytes as before, whatever the part's class does with its fields.
//
// Parts are addressed by position: a screen by its place in the screen list, a component by its
// place in its screen's list. That holds because changes are taken back and made again in the
// order they were made: a change is undone in the state it left and redone in the state it
// found. A part without a record on one side is one that was not there: a component or screen
// inserted (nothing before) or removed (nothing after).
//
// EditRecorder makes a ProjectEdit while the editor changes the project: it takes each part's
// record before the change and, at finish(), its record afterwards.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "common/Archive.h"
#include "common/Result.h"

namespace vanta {

class CBase;
class CMainView;
struct ModelContext;
class Project;

// A component or a screen as a tagged object, and back (for the context's protocol).
Bytes componentRecord(const CBase& component);
Result<std::unique_ptr<CBase>> componentFromRecord(std::span<const uint8_t> record,
                                                   const ModelContext& context);
Bytes screenRecord(const CMainView& screen);
// A screen's own fields (description, up-key and down-key screens).
Bytes screenFieldsRecord(const CMainView& screen);
Result<std::unique_ptr<CMainView>> screenFromRecord(std::span<const uint8_t> record,
                                                    const ModelContext& context);

class ProjectEdit {
  public:
    enum class Part : uint8_t {
        Settings,      // protocol, panel and communication settings
        Alarms,        // the alarm list
        ScreenFields,  // a screen's description and up-key and down-key screens
        Screen,        // a whole screen with its components
        Component,     // one component
    };
    struct Change {
        Part part = Part::Settings;
        size_t screen = 0;  // position in the screen list (screen parts and components)
        size_t index = 0;   // position in the screen's component list (components)
        std::optional<Bytes> before;
        std::optional<Bytes> after;
    };

    // Takes every change back, the last first, and makes the screen current that was current
    // before. A record that cannot be read (never one this class wrote) stops with its message.
    Status undo(Project& project) const;
    // Makes every change again, in order, and the screen current that was current after.
    Status redo(Project& project) const;

    // True when nothing changed (no part, or every part's record is the same after as before).
    bool isEmpty() const;
    // A later change of the same parts (in the same order) continues this one: this edit keeps
    // its records before and takes the later one's records after. False, and nothing changed,
    // when the parts differ.
    bool absorb(const ProjectEdit& later);
    // The bytes this edit holds (records and the list of changes).
    size_t memoryBytes() const;

    const std::vector<Change>& changes() const { return changes_; }
    size_t screenBefore() const { return screenBefore_; }
    size_t screenAfter() const { return screenAfter_; }

  private:
    friend class EditRecorder;
    std::vector<Change> changes_;
    size_t screenBefore_ = 0;
    size_t screenAfter_ = 0;
};

class EditRecorder {
  public:
    // Starts recording; the current screen position is the one before.
    explicit EditRecorder(Project& project);
    EditRecorder(const EditRecorder&) = delete;
    EditRecorder& operator=(const EditRecorder&) = delete;
    ~EditRecorder();

    // --- before changing a part in place ---
    void settings();
    void alarms();
    void screenFields(size_t screen);
    void screen(size_t screen);
    void component(size_t screen, size_t index);
    // Records taken before the change was made (the part is already changed in the project).
    void componentBefore(size_t screen, size_t index, Bytes before);
    void screenFieldsBefore(size_t screen, Bytes before);

    // --- structural changes, made by the recorder ---
    // Puts the component at the index of the screen's list; its record after is taken at
    // finish(), so it may still be placed or changed. Returns it.
    CBase* insertComponent(size_t screen, size_t index, std::unique_ptr<CBase> component);
    // Removes the component at the index and returns it.
    std::unique_ptr<CBase> removeComponent(size_t screen, size_t index);
    // A screen the list inserted at the position (ScreenList::createScreen); its record after is
    // taken at finish().
    void screenInserted(size_t position);
    // Removes the screen at the position.
    void removeScreen(size_t position);

    // The recorded edit, with every part's record after and the current screen after.
    ProjectEdit finish();

  private:
    struct Pending;
    Project& project_;
    ProjectEdit edit_;
    std::vector<Pending> pending_;  // where each change's record after comes from
};

}  // namespace vanta
