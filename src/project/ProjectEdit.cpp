#include "project/ProjectEdit.h"

#include <algorithm>
#include <utility>

#include "model/CMainView.h"
#include "model/ComponentFactory.h"
#include "project/Project.h"

namespace vanta {

namespace {

template <typename T>
Result<std::unique_ptr<T>> objectFromRecord(std::span<const uint8_t> record,
                                            const ModelContext& context, const char* what) {
    ClassRegistry registry;
    registerModelClasses(registry, context);
    Archive ar(record, &registry);
    std::unique_ptr<Persistent> object = ar.readObject();
    if (!ar.ok())
        return ar.status();
    auto* typed = dynamic_cast<T*>(object.get());
    if (typed == nullptr)
        return Status::failure(std::string("the record is not a ") + what);
    object.release();
    return std::unique_ptr<T>(typed);
}

Bytes objectRecord(const Persistent& object) {
    Archive ar;
    ar.writeObject(&object);
    return ar.takeData();
}

}  // namespace

Bytes screenFieldsRecord(const CMainView& screen) {
    Archive ar;
    auto& s = const_cast<CMainView&>(screen);  // storing reads nothing back
    ar.ioString(s.m_description);
    ar.io(s.m_upScreen);
    ar.io(s.m_downScreen);
    return ar.takeData();
}

namespace {

Status readScreenFields(std::span<const uint8_t> record, CMainView& screen) {
    Archive ar(record);
    ByteString description;
    uint16_t up = 0, down = 0;
    ar.ioString(description);
    ar.io(up);
    ar.io(down);
    if (!ar.ok())
        return ar.status();
    screen.m_description = std::move(description);
    screen.m_upScreen = up;
    screen.m_downScreen = down;
    return Status::success();
}

Bytes alarmsRecord(const Project& project) {
    Archive ar;
    const_cast<CAlarmList&>(project.alarms).Serialize(ar);
    return ar.takeData();
}

Status readAlarms(std::span<const uint8_t> record, Project& project) {
    // The list's reader sets every stored field and replaces the texts.
    Archive ar(record);
    project.alarms.Serialize(ar);
    return ar.status();
}

Status screenMissing(size_t position) {
    return Status::failure("the edit names screen position " + std::to_string(position) +
                           ", which the project does not have");
}

Status componentMissing(size_t screen, size_t index) {
    return Status::failure("the edit names component " + std::to_string(index) +
                           " of screen position " + std::to_string(screen) +
                           ", which the project does not have");
}

// Puts a part into the state of `record` (nothing: the part is not there).
Status applyRecord(Project& project, const ProjectEdit::Change& change,
                   const std::optional<Bytes>& from, const std::optional<Bytes>& to) {
    ScreenList& screens = project.screens;
    switch (change.part) {
        case ProjectEdit::Part::Settings:
            return to ? project.readSettingsRecord(*to) : Status::success();
        case ProjectEdit::Part::Alarms:
            return to ? readAlarms(*to, project) : Status::success();
        case ProjectEdit::Part::ScreenFields:
            if (change.screen >= screens.size())
                return screenMissing(change.screen);
            return to ? readScreenFields(*to, screens.at(change.screen)) : Status::success();
        case ProjectEdit::Part::Screen: {
            if (!to) {
                if (change.screen >= screens.size())
                    return screenMissing(change.screen);
                screens.takeAt(change.screen);
                return Status::success();
            }
            auto screen = screenFromRecord(*to, project.context());
            if (!screen)
                return screen.status();
            if (from) {
                if (change.screen >= screens.size())
                    return screenMissing(change.screen);
                screens.replaceAt(change.screen, std::move(screen.value()));
            } else {
                if (change.screen > screens.size())
                    return screenMissing(change.screen);
                screens.insertAt(change.screen, std::move(screen.value()));
            }
            return Status::success();
        }
        case ProjectEdit::Part::Component: {
            if (change.screen >= screens.size())
                return screenMissing(change.screen);
            auto& list = screens.at(change.screen).m_components;
            const size_t limit = from ? list.size() : list.size() + 1;
            if (change.index >= limit)
                return componentMissing(change.screen, change.index);
            const auto at = list.begin() + static_cast<ptrdiff_t>(change.index);
            if (!to) {
                list.erase(at);
                return Status::success();
            }
            auto component = componentFromRecord(*to, project.context());
            if (!component)
                return component.status();
            if (from)
                *at = std::move(component.value());
            else
                list.insert(at, std::move(component.value()));
            return Status::success();
        }
    }
    return Status::success();
}

void setCurrent(Project& project, size_t position) {
    ScreenList& screens = project.screens;
    if (!screens.empty())
        screens.setCurrentPosition(std::min(position, screens.size() - 1));
}

}  // namespace

Bytes componentRecord(const CBase& component) {
    return objectRecord(component);
}

Result<std::unique_ptr<CBase>> componentFromRecord(std::span<const uint8_t> record,
                                                   const ModelContext& context) {
    return objectFromRecord<CBase>(record, context, "component");
}

Bytes screenRecord(const CMainView& screen) {
    return objectRecord(screen);
}

Result<std::unique_ptr<CMainView>> screenFromRecord(std::span<const uint8_t> record,
                                                    const ModelContext& context) {
    return objectFromRecord<CMainView>(record, context, "screen");
}

// --- ProjectEdit ---

Status ProjectEdit::undo(Project& project) const {
    for (auto it = changes_.rbegin(); it != changes_.rend(); ++it) {
        if (Status s = applyRecord(project, *it, it->after, it->before); !s)
            return s;
    }
    setCurrent(project, screenBefore_);
    return Status::success();
}

Status ProjectEdit::redo(Project& project) const {
    for (const Change& change : changes_) {
        if (Status s = applyRecord(project, change, change.before, change.after); !s)
            return s;
    }
    setCurrent(project, screenAfter_);
    return Status::success();
}

bool ProjectEdit::isEmpty() const {
    return std::all_of(changes_.begin(), changes_.end(),
                       [](const Change& c) { return c.before == c.after; });
}

bool ProjectEdit::absorb(const ProjectEdit& later) {
    if (later.changes_.size() != changes_.size())
        return false;
    for (size_t i = 0; i < changes_.size(); ++i) {
        const Change& a = changes_[i];
        const Change& b = later.changes_[i];
        // Both change the part in place: the later one starts where this one ended.
        if (a.part != b.part || a.screen != b.screen || a.index != b.index || !a.before ||
            !a.after || !b.before || !b.after)
            return false;
    }
    for (size_t i = 0; i < changes_.size(); ++i)
        changes_[i].after = later.changes_[i].after;
    screenAfter_ = later.screenAfter_;
    return true;
}

size_t ProjectEdit::memoryBytes() const {
    size_t bytes = sizeof(*this) + changes_.capacity() * sizeof(Change);
    for (const Change& c : changes_) {
        if (c.before)
            bytes += c.before->capacity();
        if (c.after)
            bytes += c.after->capacity();
    }
    return bytes;
}

// --- EditRecorder ---

// The object whose record is taken as the change's record after.
struct EditRecorder::Pending {
    enum class Source : uint8_t { None, Settings, Alarms, ScreenFields, Screen, Component };
    Source source = Source::None;
    const CMainView* screen = nullptr;
    const CBase* component = nullptr;
};

EditRecorder::EditRecorder(Project& project) : project_(project) {
    edit_.screenBefore_ = project.screens.currentPosition();
}

EditRecorder::~EditRecorder() = default;

void EditRecorder::settings() {
    edit_.changes_.push_back({ProjectEdit::Part::Settings, 0, 0, project_.settingsRecord(), {}});
    pending_.push_back({Pending::Source::Settings});
}

void EditRecorder::alarms() {
    edit_.changes_.push_back({ProjectEdit::Part::Alarms, 0, 0, alarmsRecord(project_), {}});
    pending_.push_back({Pending::Source::Alarms});
}

void EditRecorder::screenFields(size_t screen) {
    screenFieldsBefore(screen, screenFieldsRecord(project_.screens.at(screen)));
}

void EditRecorder::screenFieldsBefore(size_t screen, Bytes before) {
    const CMainView& s = project_.screens.at(screen);
    edit_.changes_.push_back({ProjectEdit::Part::ScreenFields, screen, 0, std::move(before), {}});
    pending_.push_back({Pending::Source::ScreenFields, &s});
}

void EditRecorder::screen(size_t screen) {
    const CMainView& s = project_.screens.at(screen);
    edit_.changes_.push_back({ProjectEdit::Part::Screen, screen, 0, screenRecord(s), {}});
    pending_.push_back({Pending::Source::Screen, &s});
}

void EditRecorder::component(size_t screen, size_t index) {
    const CBase& c = *project_.screens.at(screen).m_components.at(index);
    componentBefore(screen, index, componentRecord(c));
}

void EditRecorder::componentBefore(size_t screen, size_t index, Bytes before) {
    const CBase& c = *project_.screens.at(screen).m_components.at(index);
    edit_.changes_.push_back({ProjectEdit::Part::Component, screen, index, std::move(before), {}});
    pending_.push_back({Pending::Source::Component, nullptr, &c});
}

CBase* EditRecorder::insertComponent(size_t screen, size_t index,
                                     std::unique_ptr<CBase> component) {
    auto& list = project_.screens.at(screen).m_components;
    index = std::min(index, list.size());
    CBase* inserted = component.get();
    list.insert(list.begin() + static_cast<ptrdiff_t>(index), std::move(component));
    edit_.changes_.push_back({ProjectEdit::Part::Component, screen, index, std::nullopt, {}});
    pending_.push_back({Pending::Source::Component, nullptr, inserted});
    return inserted;
}

std::unique_ptr<CBase> EditRecorder::removeComponent(size_t screen, size_t index) {
    auto& list = project_.screens.at(screen).m_components;
    std::unique_ptr<CBase> removed = std::move(list.at(index));
    list.erase(list.begin() + static_cast<ptrdiff_t>(index));
    edit_.changes_.push_back(
        {ProjectEdit::Part::Component, screen, index, componentRecord(*removed), std::nullopt});
    pending_.push_back({Pending::Source::None});
    return removed;
}

void EditRecorder::screenInserted(size_t position) {
    const CMainView& s = project_.screens.at(position);
    edit_.changes_.push_back({ProjectEdit::Part::Screen, position, 0, std::nullopt, {}});
    pending_.push_back({Pending::Source::Screen, &s});
}

void EditRecorder::removeScreen(size_t position) {
    std::unique_ptr<CMainView> removed = project_.screens.takeAt(position);
    if (!removed)
        return;
    edit_.changes_.push_back(
        {ProjectEdit::Part::Screen, position, 0, screenRecord(*removed), std::nullopt});
    pending_.push_back({Pending::Source::None});
}

ProjectEdit EditRecorder::finish() {
    for (size_t i = 0; i < pending_.size(); ++i) {
        ProjectEdit::Change& change = edit_.changes_[i];
        const Pending& p = pending_[i];
        switch (p.source) {
            case Pending::Source::None:
                break;
            case Pending::Source::Settings:
                change.after = project_.settingsRecord();
                break;
            case Pending::Source::Alarms:
                change.after = alarmsRecord(project_);
                break;
            case Pending::Source::ScreenFields:
                change.after = screenFieldsRecord(*p.screen);
                break;
            case Pending::Source::Screen:
                change.after = screenRecord(*p.screen);
                break;
            case Pending::Source::Component:
                change.after = componentRecord(*p.component);
                break;
        }
    }
    pending_.clear();
    edit_.screenAfter_ = project_.screens.currentPosition();
    return std::move(edit_);
}

}  // namespace vanta
