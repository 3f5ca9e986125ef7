#include "emulator/PanelEmulator.h"

#include <algorithm>
#include <ctime>

#include "model/ComponentKinds.h"
#include "model/Geometry.h"

namespace vanta {

namespace {

uint64_t maskOf(int bytes) {
    return bytes >= 8 ? ~0ULL : (1ULL << (8 * bytes)) - 1;
}

bool isCoil(KeyCommand c) {
    return c >= KeyCommand::CoilOn && c <= KeyCommand::CoilMomentary;
}

}  // namespace

WallTime localWallTime() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    WallTime t;
    t.year = parts.tm_year + 1900;
    t.month = parts.tm_mon + 1;
    t.day = parts.tm_mday;
    t.hour = parts.tm_hour;
    t.minute = parts.tm_min;
    t.second = parts.tm_sec;
    t.weekday = parts.tm_wday;
    return t;
}

PanelEmulator::PanelEmulator(const PanelProgram& program, const FontTables& font,
                             RegisterSource& plc, WallClock clock)
    : program_(program), font_(font), plc_(plc), clock_(std::move(clock)) {
    if (!clock_)
        clock_ = localWallTime;
}

// --- screens ---

void PanelEmulator::start(int64_t nowMs) {
    lastKeyMs_ = nowMs;
    saverActive_ = false;
    lastExchange_.reset();
    lastClockSecond_ = -1;
    enterScreen(program_.initialScreen(), nowMs);
    advance(nowMs);
}

void PanelEmulator::enterScreen(uint16_t number, int64_t nowMs) {
    current_ = number;
    mode_ = PanelMode::Screen;
    unlocked_ = false;
    alarmScroll_ = 0;
    trends_.clear();
    if (const LiveScreen* s = screen()) {
        for (size_t i = 0; i < s->components.size(); ++i)
            if (s->components[i].kind == kKindTide)
                trends_[i] = Trend{{}, nowMs};
    }
    ++stateChanges_;
    reportScreen();
    updateWatched();
}

bool PanelEmulator::showScreen(uint16_t number, int64_t nowMs) {
    if (!program_.screen(number))
        return false;
    saverActive_ = false;
    lastKeyMs_ = nowMs;
    enterScreen(number, nowMs);
    return true;
}

void PanelEmulator::updateWatched() {
    std::set<PointKey> points;
    auto addWord = [&](const WordBinding& b) {
        for (size_t i = 0; i < b.registers; ++i)
            points.insert(b.point(i));
    };
    if (const LiveScreen* s = screen()) {
        for (const LiveComponent& c : s->components) {
            switch (c.kind) {
                case kKindRegister:
                case kKindDynamic:
                case kKindBar:
                case kKindTide:
                    addWord(c.word);
                    break;
                case kKindLight:
                    points.insert(c.bit.point);
                    break;
                case kKindFunction:
                    if (isCoil(c.command))
                        points.insert(c.bit.point);
                    else if (c.command == KeyCommand::RecipeIncreaseBase ||
                             c.command == KeyCommand::RecipeDecreaseBase)
                        addWord(c.word);
                    break;
                default:
                    break;
            }
        }
    }
    for (const AlarmCoil& coil : program_.alarmCoils())
        points.insert(coil.bit.point);
    if (program_.control().screenExchange)
        addWord(program_.control().exchange);
    watched_.assign(points.begin(), points.end());
    std::vector<PointKey> fromPlc;
    for (const PointKey& p : watched_)
        if (!program_.areas()[p.area].internal)
            fromPlc.push_back(p);
    plc_.watch(fromPlc);
}

// --- time ---

void PanelEmulator::advance(int64_t nowMs) {
    const unsigned minutes = program_.saverMinutes();
    if (!saverActive_ && minutes > 0 && nowMs - lastKeyMs_ >= int64_t{60000} * minutes) {
        saverActive_ = true;
        momentary_.clear();
        if (const uint16_t saver = program_.saverScreen()) {
            screenBeforeSaver_ = current_;
            enterScreen(saver, nowMs);
        } else {
            mode_ = PanelMode::Screen;
            unlocked_ = false;
            ++stateChanges_;
        }
    }
    followControlBlock(nowMs);
    sampleTrends(nowMs);
}

void PanelEmulator::leaveSaver(int64_t nowMs) {
    saverActive_ = false;
    lastKeyMs_ = nowMs;
    ++stateChanges_;
    if (program_.saverScreen() != 0 && program_.screen(screenBeforeSaver_))
        enterScreen(screenBeforeSaver_, nowMs);
}

void PanelEmulator::sampleTrends(int64_t nowMs) {
    const LiveScreen* s = screen();
    if (!s)
        return;
    for (auto& [index, trend] : trends_) {
        const LiveComponent& c = s->components[index];
        const int64_t every = int64_t{1000} * std::max<uint16_t>(c.interval, 1);
        const size_t keep = std::max<size_t>(c.points, 2);
        // After a long pause the samples start again from now rather than catch up.
        if (nowMs - trend.nextSampleMs > every * static_cast<int64_t>(keep))
            trend.nextSampleMs = nowMs;
        while (nowMs >= trend.nextSampleMs) {
            if (auto v = read(c.word)) {
                trend.samples.push_back(rawValue(*v, c.word.bytes(), c.isSigned));
                while (trend.samples.size() > keep)
                    trend.samples.pop_front();
                ++stateChanges_;
            }
            trend.nextSampleMs += every;
        }
    }
}

std::vector<int64_t> PanelEmulator::trendSamples(size_t componentIndex) const {
    auto it = trends_.find(componentIndex);
    if (it == trends_.end())
        return {};
    return {it->second.samples.begin(), it->second.samples.end()};
}

void PanelEmulator::followControlBlock(int64_t nowMs) {
    const ControlBlock& control = program_.control();
    if (control.screenExchange) {
        const auto ordered = read(control.exchange);
        if (ordered && ordered != lastExchange_) {
            lastExchange_ = ordered;
            const uint16_t number = static_cast<uint16_t>(*ordered);
            if (*ordered <= 0xFFFF && program_.screen(number) &&
                (number != current_ || saverActive_ || mode_ != PanelMode::Screen))
                showScreen(number, nowMs);
        }
    }
    if (control.clock)
        writeClock();
}

void PanelEmulator::reportScreen() {
    if (program_.control().reportScreen)
        writeWord(program_.control().report, current_);
}

void PanelEmulator::writeClock() {
    const WallTime t = clock_();
    if (t.second == lastClockSecond_)
        return;
    lastClockSecond_ = t.second;
    const int fields[6] = {t.year, t.month, t.day, t.hour, t.minute, t.second};
    const auto& registers = program_.control().clockRegisters;
    for (size_t i = 0; i < registers.size() && i < 6; ++i)
        writeWord(registers[i], static_cast<uint32_t>(fields[i]));
}

std::optional<uint32_t> PanelEmulator::clockField(uint32_t address) const {
    const WallTime t = clock_();
    switch (address) {
        case 0:
            return static_cast<uint32_t>(t.second);
        case 1:
            return static_cast<uint32_t>(t.minute);
        case 2:
            return static_cast<uint32_t>(t.hour);
        case 3:
            return static_cast<uint32_t>(t.day);
        case 4:
            return static_cast<uint32_t>(t.month);
        case 5:
            return static_cast<uint32_t>(t.year % 100);
        case 6:
            return static_cast<uint32_t>(t.weekday);
        default:
            return 0u;
    }
}

// --- keys ---

void PanelEmulator::press(PanelKey key, int64_t nowMs) {
    lastKeyMs_ = nowMs;
    if (saverActive_) {
        // The key only wakes the panel; its release finds no momentary coil either.
        leaveSaver(nowMs);
        return;
    }
    switch (mode_) {
        case PanelMode::Password:
            pressForPassword(key, nowMs);
            break;
        case PanelMode::Editing:
            pressWhileEditing(key, nowMs);
            break;
        case PanelMode::AlarmList:
            pressInAlarmList(key);
            break;
        case PanelMode::Screen:
            pressOnScreen(key, nowMs);
            break;
    }
    ++stateChanges_;
}

void PanelEmulator::release(PanelKey key, int64_t nowMs) {
    lastKeyMs_ = nowMs;
    auto held = momentary_.find(key);
    if (held == momentary_.end())
        return;
    writeBit(held->second, false);
    momentary_.erase(held);
    ++stateChanges_;
}

void PanelEmulator::pressOnScreen(PanelKey key, int64_t nowMs) {
    const LiveScreen* s = screen();
    if (!s)
        return;
    const uint8_t code = panelKeyCode(key);
    for (size_t i = 0; i < s->components.size(); ++i) {
        const LiveComponent& c = s->components[i];
        if (c.kind == kKindFunction && c.keyCode == code) {
            if (c.encrypted && !unlocked_) {
                pending_ = Pending{false, i};
                mode_ = PanelMode::Password;
                typedPassword_.clear();
                passwordRefused_ = false;
                return;
            }
            if (c.command == KeyCommand::CoilMomentary) {
                writeBit(c.bit, true);
                momentary_[key] = c.bit;
                return;
            }
            runKey(i, false, nowMs);
            return;
        }
    }
    switch (key) {
        case PanelKey::Up:
            if (program_.screen(s->upScreen))
                enterScreen(s->upScreen, nowMs);
            break;
        case PanelKey::Down:
            if (program_.screen(s->downScreen))
                enterScreen(s->downScreen, nowMs);
            break;
        case PanelKey::Set:
            if (!s->settable.empty())
                beginEditing(s->settable.front());
            break;
        case PanelKey::Alm:
            mode_ = PanelMode::AlarmList;
            alarmScroll_ = 0;
            break;
        default:
            break;
    }
}

void PanelEmulator::runKey(size_t component, bool viaPassword, int64_t nowMs) {
    const LiveComponent& c = screen()->components[component];
    switch (c.command) {
        case KeyCommand::CoilOn:
            writeBit(c.bit, true);
            break;
        case KeyCommand::CoilOff:
            writeBit(c.bit, false);
            break;
        case KeyCommand::CoilToggle:
            writeBit(c.bit, !readBit(c.bit).value_or(false));
            break;
        case KeyCommand::CoilMomentary:
            // Only after the password: the key is long released, so the coil gets a pulse.
            writeBit(c.bit, true);
            if (viaPassword)
                writeBit(c.bit, false);
            break;
        case KeyCommand::JumpScreen:
            if (program_.screen(c.targetScreen))
                enterScreen(c.targetScreen, nowMs);
            break;
        case KeyCommand::JumpAlarmList:
            mode_ = PanelMode::AlarmList;
            alarmScroll_ = 0;
            break;
        case KeyCommand::WriteRegister:
            writeWord(c.word, c.operand);
            break;
        case KeyCommand::RecipeUpload:
        case KeyCommand::RecipeDownload:
        case KeyCommand::RecipeIncreaseBase:
        case KeyCommand::RecipeDecreaseBase:
            runRecipe(c);
            break;
        case KeyCommand::None:
            break;
    }
}

void PanelEmulator::runRecipe(const LiveComponent& key) {
    const AreaTable& areas = program_.areas();
    const AreaId rp = areas.find("RP", false), lw = areas.find("LW", false);
    const uint32_t step = key.operand;
    if (key.command == KeyCommand::RecipeIncreaseBase ||
        key.command == KeyCommand::RecipeDecreaseBase) {
        // The base moves one step at a time and only while it stays within its limit.
        const int64_t base = read(key.word).value_or(0);
        const int64_t next = key.command == KeyCommand::RecipeIncreaseBase
                                 ? base + step
                                 : base - static_cast<int64_t>(step);
        const bool inside =
            key.command == KeyCommand::RecipeIncreaseBase ? next <= key.limit : next >= key.limit;
        if (step > 0 && inside && next >= 0)
            writeWord(key.word, static_cast<uint32_t>(next));
        return;
    }
    if (rp >= areas.size())
        return;
    const uint32_t base = lw < areas.size() ? value(PointKey{0, lw, 0, 0}).value_or(0) & 0xFFFF : 0;
    std::vector<PointWrite> writes;
    for (uint32_t k = 0; k < step && base + k < kRecipeWords; ++k) {
        const PointKey recipe{0, rp, base + k, 0};
        WordBinding target = key.word;
        target.first = key.word.point(k);
        if (key.command == KeyCommand::RecipeUpload) {
            if (auto v = read(target))
                memory_.set(recipe, *v & 0xFFFF);
        } else {
            writeWord(target, value(recipe).value_or(0));
        }
    }
}

void PanelEmulator::beginEditing(size_t component) {
    const LiveComponent& c = screen()->components[component];
    if (c.passwordProtected && !unlocked_) {
        pending_ = Pending{true, component};
        mode_ = PanelMode::Password;
        typedPassword_.clear();
        passwordRefused_ = false;
        return;
    }
    mode_ = PanelMode::Editing;
    edited_ = component;
    entry_ = Entry{};
    entryTouched_ = false;
}

void PanelEmulator::editNext() {
    const std::vector<size_t>& settable = screen()->settable;
    auto it = std::find(settable.begin(), settable.end(), edited_);
    const size_t next =
        it == settable.end() || std::next(it) == settable.end() ? settable.front() : *std::next(it);
    mode_ = PanelMode::Screen;
    beginEditing(next);
}

void PanelEmulator::pressWhileEditing(PanelKey key, int64_t nowMs) {
    const LiveComponent& c = screen()->components[edited_];
    if (const int digit = panelKeyDigit(key); digit >= 0) {
        if (!entryTouched_)
            entry_ = Entry{};
        entryTouched_ = true;
        if (entry_.digits.size() < std::max<size_t>(c.format.digits, 1))
            entry_.digits.push_back(static_cast<char>('0' + digit));
        return;
    }
    switch (key) {
        case PanelKey::Clr:
            entry_ = Entry{};
            entryTouched_ = true;
            break;
        case PanelKey::Left:
            if (c.format.isSigned && c.format.decimal) {
                entry_.negative = !entry_.negative;
                entryTouched_ = true;
            }
            break;
        case PanelKey::Set:
            editNext();
            break;
        case PanelKey::Ent:
            if (!entryTouched_ || entry_.digits.empty()) {
                mode_ = PanelMode::Screen;
            } else if (auto raw = rawFromEntry(c.format, entry_)) {
                writeWord(c.word, *raw);
                mode_ = PanelMode::Screen;
            } else {
                // Refused: the register keeps its value and waits for another one.
                entry_ = Entry{};
                entryTouched_ = false;
            }
            break;
        case PanelKey::Esc:
            mode_ = PanelMode::Screen;
            break;
        default:
            break;
    }
    (void)nowMs;
}

void PanelEmulator::pressForPassword(PanelKey key, int64_t nowMs) {
    if (const int digit = panelKeyDigit(key); digit >= 0) {
        if (typedPassword_.size() < static_cast<size_t>(kPasswordDigits))
            typedPassword_.push_back(static_cast<char>('0' + digit));
        passwordRefused_ = false;
        return;
    }
    switch (key) {
        case PanelKey::Clr:
            typedPassword_.clear();
            passwordRefused_ = false;
            break;
        case PanelKey::Ent: {
            const int typed = typedPassword_.empty() ? 0 : std::stoi(typedPassword_);
            typedPassword_.clear();
            if (typed != program_.password()) {
                passwordRefused_ = true;
                break;
            }
            unlocked_ = true;
            mode_ = PanelMode::Screen;
            if (pending_.edit)
                beginEditing(pending_.component);
            else
                runKey(pending_.component, true, nowMs);
            break;
        }
        case PanelKey::Esc:
            typedPassword_.clear();
            mode_ = PanelMode::Screen;
            break;
        default:
            break;
    }
}

void PanelEmulator::pressInAlarmList(PanelKey key) {
    const size_t active = activeAlarms().size();
    const size_t last = active > kTextRows ? active - kTextRows : 0;
    switch (key) {
        case PanelKey::Esc:
        case PanelKey::Alm:
            mode_ = PanelMode::Screen;
            break;
        case PanelKey::Up:
            alarmScroll_ = alarmScroll_ > 0 ? alarmScroll_ - 1 : 0;
            break;
        case PanelKey::Down:
            alarmScroll_ = std::min(alarmScroll_ + 1, last);
            break;
        default:
            break;
    }
}

std::optional<size_t> PanelEmulator::editedComponent() const {
    if (mode_ == PanelMode::Editing)
        return edited_;
    return std::nullopt;
}

// --- values ---

std::optional<uint32_t> PanelEmulator::value(const PointKey& key) const {
    const Area& area = program_.areas()[key.area];
    if (area.internal) {
        if (area.name == "TM")
            return clockField(key.address);
        return memory_.value(key);
    }
    return plc_.value(key);
}

void PanelEmulator::write(const PointKey& key, uint32_t value) {
    const Area& area = program_.areas()[key.area];
    const uint32_t masked =
        area.bits ? (value ? 1u : 0u) : static_cast<uint32_t>(value & maskOf(area.width));
    writePoints({{key, masked}});
}

void PanelEmulator::writePoints(const std::vector<PointWrite>& writes) {
    std::vector<PointWrite> toPlc;
    for (const PointWrite& w : writes) {
        const Area& area = program_.areas()[w.key.area];
        if (!area.internal)
            toPlc.push_back(w);
        else if (area.name != "TM")  // the clock is read-only
            memory_.write({w});
    }
    if (!toPlc.empty())
        plc_.write(toPlc);
}

std::optional<uint32_t> PanelEmulator::read(const WordBinding& binding) const {
    uint64_t value = 0;
    for (size_t i = 0; i < binding.registers; ++i) {
        const auto v = this->value(binding.point(i));
        if (!v)
            return std::nullopt;
        value = (value << (8 * binding.width)) | (*v & maskOf(binding.width));
    }
    return static_cast<uint32_t>(value);
}

void PanelEmulator::writeWord(const WordBinding& binding, uint32_t value) {
    std::vector<PointWrite> writes(binding.registers);
    uint64_t rest = value;
    for (size_t i = binding.registers; i-- > 0;) {
        writes[i] =
            PointWrite{binding.point(i), static_cast<uint32_t>(rest & maskOf(binding.width))};
        rest = binding.width >= 8 ? 0 : rest >> (8 * binding.width);
    }
    writePoints(writes);
}

std::optional<bool> PanelEmulator::readBit(const BitBinding& binding) const {
    const auto v = value(binding.point);
    if (!v)
        return std::nullopt;
    return binding.inWord ? ((*v >> binding.bit) & 1) != 0 : *v != 0;
}

void PanelEmulator::writeBit(const BitBinding& binding, bool on) {
    if (!binding.inWord) {
        writePoints({{binding.point, on ? 1u : 0u}});
        return;
    }
    const uint32_t old = value(binding.point).value_or(0);
    const uint32_t mask = 1u << binding.bit;
    writePoints({{binding.point, on ? old | mask : old & ~mask}});
}

std::vector<size_t> PanelEmulator::activeAlarms() const {
    std::vector<size_t> active;
    for (const AlarmCoil& coil : program_.alarmCoils())
        if (readBit(coil.bit).value_or(false))
            active.push_back(coil.text);
    return active;
}

uint64_t PanelEmulator::changes() const {
    return stateChanges_ + memory_.changes() + plc_.changes();
}

}  // namespace vanta
