#include "dialogs/EmulatorWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <set>
#include <string_view>
#include <thread>

#include "common/Prompter.h"
#include "emulator/ModbusMapping.h"
#include "image/ImageCompiler.h"
#include "project/Project.h"
#include "widgets/PanelDisplayWidget.h"

namespace vanta {

namespace {

// The keypad as the panel lays it out: (key, row, column).
struct KeyPlace {
    PanelKey key;
    int row;
    int column;
};
constexpr KeyPlace kKeypad[] = {
    {PanelKey::Esc, 0, 0},    {PanelKey::Up, 0, 1},     {PanelKey::Alm, 0, 2},
    {PanelKey::Left, 1, 0},   {PanelKey::Set, 1, 1},    {PanelKey::Right, 1, 2},
    {PanelKey::Clr, 2, 0},    {PanelKey::Down, 2, 1},   {PanelKey::Ent, 2, 2},
    {PanelKey::Digit7, 0, 4}, {PanelKey::Digit8, 0, 5}, {PanelKey::Digit9, 0, 6},
    {PanelKey::Digit4, 1, 4}, {PanelKey::Digit5, 1, 5}, {PanelKey::Digit6, 1, 6},
    {PanelKey::Digit1, 2, 4}, {PanelKey::Digit2, 2, 5}, {PanelKey::Digit3, 2, 6},
    {PanelKey::Digit0, 3, 5},
};

// The computer's keys for the panel's: the name shown in the button's tooltip.
const char* keyboardName(PanelKey key) {
    switch (key) {
        case PanelKey::Esc:
            return "Esc";
        case PanelKey::Left:
            return "Left";
        case PanelKey::Right:
            return "Right";
        case PanelKey::Down:
            return "Down";
        case PanelKey::Up:
            return "Up";
        case PanelKey::Set:
            return "S";
        case PanelKey::Ent:
            return "Enter";
        case PanelKey::Alm:
            return "A";
        case PanelKey::Clr:
            return "Backspace";
        default:
            return nullptr;
    }
}

const int kBauds[] = {1200, 2400, 4800, 9600, 19200, 38400, 115200};

enum Column { kStationColumn, kTypeColumn, kAddressColumn, kValueColumn };

}  // namespace

EmulatorWindow* EmulatorWindow::open(Project& project, const std::string& dataDir,
                                     const FontTables& fonts, Prompter& prompter, QWidget* parent) {
    auto* window = new EmulatorWindow(project, dataDir, fonts, prompter, parent);
    if (!window->compile()) {
        delete window;
        return nullptr;
    }
    window->show();
    window->display_->setFocus();
    return window;
}

EmulatorWindow::EmulatorWindow(Project& project, std::string dataDir, const FontTables& fonts,
                               Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Window),
      project_(project),
      dataDir_(std::move(dataDir)),
      fonts_(fonts),
      prompter_(prompter) {
    setObjectName(QStringLiteral("EmulatorWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("仿真运行"));
    build();
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &EmulatorWindow::tick);
    clock_.start();
}

EmulatorWindow::~EmulatorWindow() {
    emulator_.reset();
    dropModbus();
}

void EmulatorWindow::dropModbus() {
    if (!modbus_)
        return;
    std::thread([source = std::move(modbus_)]() mutable { source.reset(); }).detach();
}

bool EmulatorWindow::compile() {
    CompileOptions options;
    options.dataDir = dataDir_;
    CompileResult result = compileProject(project_, options, prompter_);
    if (result.outcome == CompileResult::Outcome::Cancelled)
        return false;
    if (!result.ok()) {
        prompter_.inform(result.error.message, result.error.caption, Severity::Error);
        return false;
    }
    auto program = PanelProgram::load(std::move(result.compiled.image));
    if (!program) {
        prompter_.inform(program.message(), "", Severity::Error);
        return false;
    }
    fingerprint_ = fingerprint();
    start(std::make_shared<const PanelProgram>(std::move(program).value()));
    return true;
}

uint64_t EmulatorWindow::fingerprint() const {
    const Bytes file = project_.save();
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
}

void EmulatorWindow::start(std::shared_ptr<const PanelProgram> program) {
    const std::optional<uint16_t> shown =
        emulator_ ? std::optional<uint16_t>(emulator_->currentScreen()) : std::nullopt;
    // Keep what the table holds: the points are named again in the new program.
    struct Kept {
        Area area;
        PointWrite write;
    };
    std::vector<Kept> kept;
    if (program_)
        for (const auto& [key, value] : table_.values())
            kept.push_back({program_->areas()[key.area], PointWrite{key, value}});
    emulator_.reset();
    dropModbus();
    table_.clear();
    program_ = std::move(program);
    for (const Kept& k : kept) {
        PointKey key = k.write.key;
        key.area = program_->areas().find(k.area.name, k.area.bits);
        if (key.area < program_->areas().size())
            table_.set(key, k.write.value);
    }
    useSource(source_);
    if (shown && program_->screen(*shown))
        emulator_->showScreen(*shown, clock_.elapsed());
    fillScreens();
    rebuildRows();
    reloadBar_->hide();
    timer_->start(kTickMs);
    tick();
}

bool EmulatorWindow::reload() {
    return compile();
}

void EmulatorWindow::projectChanged() {
    if (!project_.isOpen)
        return;
    if (fingerprint() != fingerprint_)
        reloadBar_->show();
}

bool EmulatorWindow::reloadOffered() const {
    return !reloadBar_->isHidden();
}

// --- source ---

void EmulatorWindow::setModbusSettings(const ModbusSettings& s) {
    if (s.transport == ModbusSettings::Transport::Tcp) {
        tcpHost_->setText(QString::fromStdString(s.host));
        tcpPort_->setValue(s.port);
    } else {
        rtuPort_->setEditText(QString::fromStdString(s.device));
        rtuBaud_->setCurrentText(QString::number(s.baud));
        rtuParity_->setCurrentIndex(s.parity == 'N' ? 0 : s.parity == 'O' ? 1 : 2);
        rtuDataBits_->setCurrentText(QString::number(s.dataBits));
        rtuStopBits_->setCurrentText(QString::number(s.stopBits));
    }
    interval_->setValue(s.intervalMs);
}

ModbusSettings EmulatorWindow::settingsFromFields() const {
    ModbusSettings s;
    if (source_ == Source::ModbusTcp) {
        s.transport = ModbusSettings::Transport::Tcp;
        s.host = tcpHost_->text().trimmed().toStdString();
        s.port = tcpPort_->value();
    } else {
        s.transport = ModbusSettings::Transport::Rtu;
        s.device = rtuPort_->currentText().trimmed().toStdString();
        s.baud = rtuBaud_->currentText().toInt();
        s.parity = "NOE"[std::clamp(rtuParity_->currentIndex(), 0, 2)];
        s.dataBits = rtuDataBits_->currentText().toInt();
        s.stopBits = rtuStopBits_->currentText().toInt();
    }
    s.intervalMs = interval_->value();
    return s;
}

void EmulatorWindow::useSource(Source source) {
    source_ = source;
    const int now = static_cast<int>(clock_.elapsed());
    const std::optional<uint16_t> shown =
        emulator_ ? std::optional<uint16_t>(emulator_->currentScreen()) : std::nullopt;
    emulator_.reset();
    dropModbus();
    RegisterSource* plc = &table_;
    if (source != Source::Table) {
        modbus_ = std::make_unique<ModbusSource>(
            settingsFromFields(),
            [program = program_](const PointKey& key) { return modbusAddressOf(*program, key); });
        plc = modbus_.get();
    }
    emulator_ = std::make_unique<PanelEmulator>(*program_, fonts_, *plc);
    emulator_->start(now);
    if (shown && program_->screen(*shown))
        emulator_->showScreen(*shown, now);
    sourceChoice_->blockSignals(true);
    sourceChoice_->setCurrentIndex(static_cast<int>(source));
    sourceChoice_->blockSignals(false);
    sourceFields_->setCurrentIndex(static_cast<int>(source));
    shownChanges_ = ~0ULL;
    updateLink();
}

void EmulatorWindow::updateLink() {
    QString text;
    if (source_ == Source::Table) {
        text = tr("寄存器表");
    } else {
        const QString where = QString::fromStdString(describeModbusSettings(modbus_->settings()));
        switch (modbus_->link()) {
            case LinkState::Up:
                text = tr("%1: 通信正常").arg(where);
                break;
            case LinkState::Connecting:
                text = tr("%1: 正在连接...").arg(where);
                break;
            case LinkState::Lost:
                text = tr("%1: 通信中断 (%2)")
                           .arg(where, QString::fromStdString(modbus_->lastError()));
                break;
        }
    }
    if (link_->text() != text) {
        link_->setText(text);
        link_->setToolTip(text);
    }
}

// --- time ---

void EmulatorWindow::tick() {
    if (!emulator_)
        return;
    emulator_->advance(clock_.elapsed());
    display_->setPicture(emulator_->render());
    const uint64_t changes = emulator_->changes();
    if (changes != shownChanges_) {
        shownChanges_ = changes;
        refreshValues();
        const int at = screens_->findData(emulator_->currentScreen());
        if (at >= 0 && at != screens_->currentIndex()) {
            screens_->blockSignals(true);
            screens_->setCurrentIndex(at);
            screens_->blockSignals(false);
        }
    }
    if (modbus_)
        updateLink();
}

// --- keys ---

void EmulatorWindow::pressKey(PanelKey key) {
    emulator_->press(key, clock_.elapsed());
    tick();
}

void EmulatorWindow::releaseKey(PanelKey key) {
    emulator_->release(key, clock_.elapsed());
    tick();
}

QPushButton* EmulatorWindow::keyButton(PanelKey key) const {
    auto it = keys_.find(key);
    return it == keys_.end() ? nullptr : it->second;
}

std::optional<PanelKey> EmulatorWindow::keyOf(int qtKey) const {
    switch (qtKey) {
        case Qt::Key_Escape:
            return PanelKey::Esc;
        case Qt::Key_Left:
            return PanelKey::Left;
        case Qt::Key_Right:
            return PanelKey::Right;
        case Qt::Key_Up:
            return PanelKey::Up;
        case Qt::Key_Down:
            return PanelKey::Down;
        case Qt::Key_S:
        case Qt::Key_Space:
            return PanelKey::Set;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return PanelKey::Ent;
        case Qt::Key_A:
            return PanelKey::Alm;
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_C:
            return PanelKey::Clr;
        default:
            if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
                return static_cast<PanelKey>(static_cast<int>(PanelKey::Digit0) + qtKey -
                                             Qt::Key_0);
            return std::nullopt;
    }
}

bool EmulatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (auto key = keyOf(keyEvent->key())) {
            if (!keyEvent->isAutoRepeat()) {
                if (event->type() == QEvent::KeyPress)
                    pressKey(*key);
                else
                    releaseKey(*key);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- register table ---

void EmulatorWindow::rebuildRows() {
    std::set<PointKey> points;
    for (const PointKey& key : program_->knownPoints())
        points.insert(key);
    for (const auto& entry : table_.values())
        points.insert(entry.first);
    for (const auto& entry : emulator_->panelMemory().values())
        points.insert(entry.first);
    // The PLC's values first, then the panel's own; rowOf() looks rows up in this order.
    rows_.assign(points.begin(), points.end());
    std::stable_sort(rows_.begin(), rows_.end(),
                     [this](const PointKey& a, const PointKey& b) { return rowBefore(a, b); });
    filling_ = true;
    registers_->setRowCount(static_cast<int>(rows_.size()));
    for (size_t i = 0; i < rows_.size(); ++i) {
        const PointKey& key = rows_[i];
        const Area& area = program_->areas()[key.area];
        QString address = QString::number(key.address);
        if (area.bits && program_->bitNumbers())
            address += QStringLiteral(".%1").arg(key.bit);
        const QString cells[] = {area.internal ? QString() : QString::number(key.station),
                                 QString::fromStdString(area.name), address, QString()};
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column != kValueColumn)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (column != kTypeColumn)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            registers_->setItem(static_cast<int>(i), column, item);
        }
    }
    filling_ = false;
    refreshValues();
}

bool EmulatorWindow::rowBefore(const PointKey& a, const PointKey& b) const {
    const bool aInternal = program_->areas()[a.area].internal;
    const bool bInternal = program_->areas()[b.area].internal;
    if (aInternal != bInternal)
        return !aInternal;
    return a < b;
}

int EmulatorWindow::rowOf(const PointKey& key) const {
    auto it =
        std::lower_bound(rows_.begin(), rows_.end(), key,
                         [this](const PointKey& a, const PointKey& b) { return rowBefore(a, b); });
    return it != rows_.end() && *it == key ? static_cast<int>(it - rows_.begin()) : -1;
}

void EmulatorWindow::refreshValues() {
    // Values the panel wrote to points no row shows yet (recipe memory, new table entries).
    for (const auto* values : {&table_.values(), &emulator_->panelMemory().values()})
        for (const auto& entry : *values)
            if (rowOf(entry.first) < 0)
                return rebuildRows();
    // The cell the user is typing into keeps what is typed.
    const QWidget* focus = QApplication::focusWidget();
    const bool editing = focus && focus != registers_ && registers_->isAncestorOf(focus);
    filling_ = true;
    for (size_t i = 0; i < rows_.size(); ++i) {
        QTableWidgetItem* item = registers_->item(static_cast<int>(i), kValueColumn);
        if (!item || (editing && registers_->currentItem() == item))
            continue;
        const auto v = emulator_->value(rows_[i]);
        const QString text = v ? QString::number(*v) : QString();
        if (item->text() != text)
            item->setText(text);
    }
    filling_ = false;
}

void EmulatorWindow::registerEdited(QTableWidgetItem* item) {
    if (filling_ || item->column() != kValueColumn)
        return;
    const size_t row = static_cast<size_t>(item->row());
    if (row >= rows_.size())
        return;
    const QString text = item->text().trimmed();
    bool ok = false;
    qlonglong value = text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)
                          ? text.mid(2).toLongLong(&ok, 16)
                          : text.toLongLong(&ok, 10);
    if (ok && value >= -2147483648LL && value <= 4294967295LL)
        emulator_->write(rows_[row], static_cast<uint32_t>(value));
    shownChanges_ = ~0ULL;
    tick();
}

// --- layout ---

void EmulatorWindow::fillScreens() {
    screens_->blockSignals(true);
    screens_->clear();
    for (const LiveScreen& s : program_->screens())
        screens_->addItem(tr("画面 %1").arg(s.number), s.number);
    screens_->setCurrentIndex(screens_->findData(emulator_->currentScreen()));
    screens_->blockSignals(false);
}

void EmulatorWindow::build() {
    auto* layout = new QVBoxLayout(this);

    reloadBar_ = new QFrame(this);
    reloadBar_->setObjectName(QStringLiteral("reloadBar"));
    reloadBar_->setFrameShape(QFrame::StyledPanel);
    auto* reloadLayout = new QHBoxLayout(reloadBar_);
    reloadLayout->addWidget(new QLabel(tr("工程已修改, 仿真运行的仍是原来的画面。"), reloadBar_),
                            1);
    auto* reloadButton = new QPushButton(tr("重新载入(&R)"), reloadBar_);
    reloadButton->setObjectName(QStringLiteral("reloadButton"));
    connect(reloadButton, &QPushButton::clicked, this, [this] { reload(); });
    reloadLayout->addWidget(reloadButton);
    reloadBar_->hide();
    layout->addWidget(reloadBar_);

    layout->addWidget(buildSourceBar());

    auto* body = new QHBoxLayout;
    auto* panelSide = new QVBoxLayout;
    auto* viewBar = new QHBoxLayout;
    viewBar->addWidget(new QLabel(tr("画面:"), this));
    screens_ = new QComboBox(this);
    screens_->setObjectName(QStringLiteral("screenPicker"));
    connect(screens_, &QComboBox::activated, this, [this](int index) {
        emulator_->showScreen(static_cast<uint16_t>(screens_->itemData(index).toUInt()),
                              clock_.elapsed());
        tick();
        display_->setFocus();
    });
    viewBar->addWidget(screens_);
    viewBar->addSpacing(12);
    viewBar->addWidget(new QLabel(tr("缩放:"), this));
    zoom_ = new QSpinBox(this);
    zoom_->setObjectName(QStringLiteral("zoom"));
    zoom_->setRange(PanelDisplayWidget::kMinZoom, PanelDisplayWidget::kMaxZoom);
    zoom_->setSuffix(QStringLiteral("x"));
    viewBar->addWidget(zoom_);
    viewBar->addStretch(1);
    panelSide->addLayout(viewBar);

    display_ = new PanelDisplayWidget(this);
    display_->setFocusPolicy(Qt::StrongFocus);
    display_->setToolTip(
        tr("键盘: 方向键, Esc, Enter=ENT, S或空格=SET, A=ALM, Backspace、Delete或C=CLR, 0-9"));
    display_->installEventFilter(this);
    zoom_->setValue(display_->zoom());
    connect(zoom_, &QSpinBox::valueChanged, display_, &PanelDisplayWidget::setZoom);
    panelSide->addWidget(display_, 0, Qt::AlignHCenter);
    panelSide->addWidget(buildKeypad(), 0, Qt::AlignHCenter);
    panelSide->addStretch(1);
    body->addLayout(panelSide);

    registers_ = new QTableWidget(0, 4, this);
    registers_->setObjectName(QStringLiteral("registerTable"));
    registers_->setHorizontalHeaderLabels({tr("局号"), tr("类型"), tr("地址"), tr("值")});
    registers_->verticalHeader()->hide();
    registers_->horizontalHeader()->setStretchLastSection(true);
    registers_->setSelectionMode(QAbstractItemView::SingleSelection);
    const QFontMetrics metrics(registers_->font());
    for (int column : {kStationColumn, kTypeColumn, kAddressColumn})
        registers_->setColumnWidth(column, metrics.horizontalAdvance(QStringLiteral("0000000")));
    registers_->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("0")) * 40);
    connect(registers_, &QTableWidget::itemChanged, this, &EmulatorWindow::registerEdited);
    body->addWidget(registers_, 1);
    layout->addLayout(body, 1);
}

QWidget* EmulatorWindow::buildSourceBar() {
    auto* box = new QGroupBox(tr("PLC"), this);
    auto* row = new QHBoxLayout(box);
    sourceChoice_ = new QComboBox(box);
    sourceChoice_->setObjectName(QStringLiteral("sourceChoice"));
    sourceChoice_->addItems({tr("寄存器表"), tr("Modbus RTU"), tr("Modbus TCP")});
    row->addWidget(sourceChoice_);

    sourceFields_ = new QStackedWidget(box);
    sourceFields_->addWidget(new QWidget(sourceFields_));

    auto* rtu = new QWidget(sourceFields_);
    auto* rtuRow = new QHBoxLayout(rtu);
    rtuRow->setContentsMargins(0, 0, 0, 0);
    rtuPort_ = new QComboBox(rtu);
    rtuPort_->setObjectName(QStringLiteral("rtuPort"));
    rtuPort_->setEditable(true);
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
        rtuPort_->addItem(port.systemLocation());
    rtuBaud_ = new QComboBox(rtu);
    for (int baud : kBauds)
        rtuBaud_->addItem(QString::number(baud));
    rtuParity_ = new QComboBox(rtu);
    rtuParity_->addItems({QStringLiteral("NONE"), QStringLiteral("ODD"), QStringLiteral("EVEN")});
    rtuDataBits_ = new QComboBox(rtu);
    rtuDataBits_->addItems({QStringLiteral("7"), QStringLiteral("8")});
    rtuStopBits_ = new QComboBox(rtu);
    rtuStopBits_->addItems({QStringLiteral("1"), QStringLiteral("2")});
    rtuRow->addWidget(new QLabel(tr("通信口:"), rtu));
    rtuRow->addWidget(rtuPort_, 1);
    for (QComboBox* c : {rtuBaud_, rtuParity_, rtuDataBits_, rtuStopBits_})
        rtuRow->addWidget(c);
    sourceFields_->addWidget(rtu);

    auto* tcp = new QWidget(sourceFields_);
    auto* tcpRow = new QHBoxLayout(tcp);
    tcpRow->setContentsMargins(0, 0, 0, 0);
    tcpHost_ = new QLineEdit(QStringLiteral("127.0.0.1"), tcp);
    tcpHost_->setObjectName(QStringLiteral("tcpHost"));
    tcpPort_ = new QSpinBox(tcp);
    tcpPort_->setObjectName(QStringLiteral("tcpPort"));
    tcpPort_->setRange(1, 65535);
    tcpPort_->setValue(502);
    tcpRow->addWidget(new QLabel(tr("主机:"), tcp));
    tcpRow->addWidget(tcpHost_, 1);
    tcpRow->addWidget(new QLabel(tr("端口:"), tcp));
    tcpRow->addWidget(tcpPort_);
    sourceFields_->addWidget(tcp);
    row->addWidget(sourceFields_, 2);

    row->addWidget(new QLabel(tr("周期:"), box));
    interval_ = new QSpinBox(box);
    interval_->setObjectName(QStringLiteral("pollInterval"));
    interval_->setRange(10, 10000);
    interval_->setSingleStep(50);
    interval_->setValue(100);
    interval_->setSuffix(QStringLiteral(" ms"));
    row->addWidget(interval_);
    connect_ = new QPushButton(tr("连接(&C)"), box);
    connect_->setObjectName(QStringLiteral("connectButton"));
    row->addWidget(connect_);
    link_ = new QLabel(box);
    link_->setObjectName(QStringLiteral("linkState"));
    // A long failure text must not widen the window: the whole of it is in the tooltip.
    link_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    link_->setMinimumWidth(link_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);
    row->addWidget(link_, 1);

    connect(sourceChoice_, &QComboBox::activated, this, [this](int index) {
        sourceFields_->setCurrentIndex(index);
        if (index == 0)
            useSource(Source::Table);
    });
    connect(connect_, &QPushButton::clicked, this,
            [this] { useSource(static_cast<Source>(sourceChoice_->currentIndex())); });

    // The serial settings of the project as the defaults of the RTU line.
    const Project& p = project_;
    rtuBaud_->setCurrentText(
        QString::number(kBauds[std::min<size_t>(p.comm.baudIndex + p.vocabulary().baudOffset, 6)]));
    rtuParity_->setCurrentIndex(std::min<int>(p.comm.parityIndex, 2));
    rtuDataBits_->setCurrentIndex(std::min<int>(p.comm.dataBitsIndex, 1));
    rtuStopBits_->setCurrentIndex(std::min<int>(p.comm.stopBitsIndex, 1));
    return box;
}

QWidget* EmulatorWindow::buildKeypad() {
    auto* pad = new QWidget(this);
    pad->setObjectName(QStringLiteral("keypad"));
    auto* grid = new QGridLayout(pad);
    grid->setSpacing(4);
    grid->setColumnMinimumWidth(3, 12);
    for (const KeyPlace& k : kKeypad) {
        const PanelKey key = k.key;
        auto* button = new QPushButton(QString::fromUtf8(panelKeyLabel(key)), pad);
        button->setObjectName(QStringLiteral("key_%1").arg(QLatin1String(panelKeyName(key))));
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumSize(44, 32);
        const char* keyboard = keyboardName(key);
        button->setToolTip(keyboard ? tr("键盘: %1").arg(QLatin1String(keyboard))
                                    : tr("键盘: %1").arg(QLatin1String(panelKeyName(key))));
        connect(button, &QPushButton::pressed, this, [this, key] { pressKey(key); });
        connect(button, &QPushButton::released, this, [this, key] { releaseKey(key); });
        grid->addWidget(button, k.row, k.column);
        keys_[key] = button;
    }
    return pad;
}

}  // namespace vanta
