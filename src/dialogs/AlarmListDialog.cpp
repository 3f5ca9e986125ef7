#include "dialogs/AlarmListDialog.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <algorithm>
#include <tuple>

#include "project/Project.h"
#include "qtsupport/CoreText.h"
#include "qtsupport/QtText.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"
#include "widgets/FormWidgets.h"

namespace vanta {

namespace {

// Widths of the two grid columns, in proportion.
constexpr int kCoilWidth = 1000;
constexpr int kTextWidth = 3000;

// What the alarm list stores, to tell whether the dialog changed it.
auto storedState(const CAlarmList& list) {
    return std::make_tuple(list.m_texts, list.m_station, list.m_startAddress, list.m_subAddress,
                           list.m_regType, list.m_bitOffset);
}

}  // namespace

AlarmListDialog::AlarmListDialog(Project& project, QWidget* parent)
    : QDialog(parent),
      project_(project),
      list_(project.alarms),
      editor_(project.alarms, project.vocabulary()),
      controls_(
          alarmDialogControls(project.alarms, project.vocabulary(), project.comm.panelStation)) {
    setWindowTitle(tr("报警列表"));
    resize(440, 420);
    auto* layout = new QVBoxLayout(this);

    auto* start = new QGroupBox(tr("报警列表起始线圈"), this);
    layout->addWidget(start);
    auto* coil = new QGridLayout(start);
    coil->setHorizontalSpacing(10);
    constexpr Qt::Alignment kField = Qt::AlignLeft | Qt::AlignVCenter;
    NumberRow station = makeNumberRow(tr("局号:"), start);
    NumberRow address = makeNumberRow(tr("地址:"), start);
    NumberRow subAddress = makeNumberRow(QString(), start);
    NumberRow bitOffset = makeNumberRow(tr("偏移:"), start);
    station.setNames(QStringLiteral("station"));
    address.setNames(QStringLiteral("address"));
    subAddress.setNames(QStringLiteral("subAddress"));
    bitOffset.setNames(QStringLiteral("bitOffset"));
    c_.station = station.edit;
    c_.stationSpin = station.spin;
    c_.address = address.edit;
    c_.addressSpin = address.spin;
    c_.subAddress = subAddress.edit;
    c_.subAddressSpin = subAddress.spin;
    c_.bitOffsetLabel = bitOffset.label;
    c_.bitOffset = bitOffset.edit;
    c_.bitOffsetSpin = bitOffset.spin;
    c_.type = new QComboBox(start);
    c_.type->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // Station beside the type; the address with its sub-address beside the offset.
    coil->addWidget(station.label, 0, 0);
    coil->addWidget(station.field, 0, 1, kField);
    coil->addWidget(makeLabel(tr("类型:"), c_.type, start), 0, 2);
    coil->addWidget(c_.type, 0, 3, kField);
    auto* addressBox = new QHBoxLayout;
    addressBox->addWidget(address.field);
    addressBox->addWidget(subAddress.field);
    coil->addWidget(address.label, 1, 0);
    coil->addLayout(addressBox, 1, 1, kField);
    coil->addWidget(c_.bitOffsetLabel, 1, 2);
    coil->addWidget(bitOffset.field, 1, 3, kField);
    coil->setColumnStretch(4, 1);
    // Tab reads the start coil as it is laid out: station, type, then the address row.
    setTabOrder(c_.station, c_.type);
    setTabOrder(c_.type, c_.address);
    setTabOrder(c_.address, c_.subAddress);
    setTabOrder(c_.subAddress, c_.bitOffset);

    c_.grid = new QTableWidget(0, 2, this);
    layout->addWidget(c_.grid, 1);
    c_.grid->setHorizontalHeaderLabels({tr("Coil"), tr("Alarm description")});
    c_.grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    c_.grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    c_.grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    c_.grid->horizontalHeader()->setHighlightSections(false);
    c_.grid->verticalHeader()->hide();
    c_.grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    c_.grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c_.grid->setSelectionMode(QAbstractItemView::NoSelection);
    c_.grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c_.grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    c_.grid->setWordWrap(false);
    c_.grid->setTabKeyNavigation(false);
    // The coil column takes a quarter of the grid, and at least its texts' width.
    const int available =
        420 - 2 * c_.grid->frameWidth() - c_.grid->verticalScrollBar()->sizeHint().width();
    c_.grid->setColumnWidth(
        0, std::max(available * kCoilWidth / (kCoilWidth + kTextWidth),
                    c_.grid->fontMetrics().horizontalAdvance(QStringLiteral("WWW 65535.15"))));

    c_.editor = new QLineEdit(c_.grid->viewport());
    c_.editor->setMaxLength(AlarmListEditor::kMaxTextChars);
    c_.editor->hide();
    c_.editor->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    c_.ok = new QPushButton(tr("确定"), this);
    c_.cancel = new QPushButton(tr("取消"), this);
    buttons->addStretch(1);
    buttons->addWidget(c_.ok);
    buttons->addWidget(c_.cancel);
    // Enter belongs to the in-place editor; it never closes the dialog.
    for (QPushButton* button : {c_.ok, c_.cancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    bindControls();
    editor_.open();
    refreshGrid();

    connect(c_.ok, &QPushButton::clicked, this, &AlarmListDialog::accept);
    connect(c_.cancel, &QPushButton::clicked, this, &AlarmListDialog::reject);
    connect(c_.grid, &QTableWidget::cellClicked, this, [this](int row, int) { editRow(row + 1); });
    connect(c_.editor, &QLineEdit::textEdited, this, &AlarmListDialog::onTextEdited);
    // The in-place editor follows its cell when the dialog is resized.
    connect(c_.grid->horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (!c_.editor->isHidden())
            placeEditor();
    });
    for (CNumSpinCtrl* spin : {c_.stationSpin, c_.addressSpin, c_.subAddressSpin, c_.bitOffsetSpin})
        connect(spin, &CNumSpinCtrl::valueChanged, this, &AlarmListDialog::onStartCoilChanged);
    connect(c_.type, &QComboBox::currentIndexChanged, this, &AlarmListDialog::onTypeChanged);
}

bool AlarmListDialog::isAvailable(const Project& project) {
    return project.isOpen && project.vocabulary().alarmAllowed;
}

bool AlarmListDialog::run(Project& project, QWidget* parent) {
    if (!isAvailable(project))
        return false;
    const auto before = storedState(project.alarms);
    AlarmListDialog dialog(project, parent);
    dialog.exec();
    return storedState(project.alarms) != before;
}

void AlarmListDialog::bindControls() {
    const AlarmDialogControls& c = controls_;
    c_.stationSpin->bind(list_.m_station, c.stationMin, c.stationMax);
    {
        const QSignalBlocker block(c_.type);
        for (const std::string& name : c.typeNames)
            c_.type->addItem(QString::fromStdString(name));
        c_.type->setCurrentIndex(list_.m_regType < c_.type->count() ? list_.m_regType : -1);
    }
    if (c.addressOctal)
        c_.addressSpin->bindOctal(list_.m_startAddress, c.addressMin, c.addressMax, true);
    else
        c_.addressSpin->bind(list_.m_startAddress, c.addressMin, c.addressMax, c.addressHex);
    c_.subAddressSpin->bind(list_.m_subAddress, 0, c.subAddressMax, true);
    c_.subAddressSpin->show(c.subAddressShown);
    bindBitOffset();
    c_.bitOffsetLabel->setVisible(c.bitOffsetShown);
    c_.bitOffsetSpin->show(c.bitOffsetShown);
}

void AlarmListDialog::bindBitOffset() {
    c_.bitOffsetSpin->bind(list_.m_bitOffset, 0, controls_.bitOffsetMax, true);
}

QString AlarmListDialog::cellText(int row, int column) const {
    const QTableWidgetItem* item = c_.grid->item(row - 1, column);
    return item ? item->text() : QString();
}

void AlarmListDialog::refreshGrid() {
    const std::vector<AlarmGridRow>& rows = editor_.rows();
    const int count = static_cast<int>(rows.size());
    c_.grid->setRowCount(count);
    for (int r = 0; r < count; ++r) {
        const AlarmGridRow& row = rows[static_cast<size_t>(r)];
        const QString texts[2] = {QString::fromStdString(row.coil), toQString(row.text)};
        for (int column = 0; column < 2; ++column) {
            QTableWidgetItem* item = c_.grid->item(r, column);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                c_.grid->setItem(r, column, item);
            }
            item->setText(texts[column]);
        }
    }
}

void AlarmListDialog::editRow(int row) {
    if (row < 1 || row > static_cast<int>(editor_.rows().size()))
        return;
    row_ = row;
    c_.editor->setText(toQString(editor_.textAt(row)));
    placeEditor();
    c_.editor->show();
    c_.editor->selectAll();
    c_.editor->setFocus();
}

void AlarmListDialog::placeEditor() {
    QTableWidgetItem* item = c_.grid->item(row_ - 1, 1);
    if (!item)
        return;
    c_.grid->scrollToItem(item);
    c_.editor->setGeometry(c_.grid->visualItemRect(item));
}

void AlarmListDialog::onTextEdited(const QString& text) {
    if (row_ < 1)
        return;
    Result<ByteString> bytes = fromQString(text);
    if (!bytes.ok() || !editor_.editText(row_, bytes.value())) {
        // The row keeps its text; the editor shows it again.
        const int cursor = c_.editor->cursorPosition();
        c_.editor->setText(toQString(editor_.textAt(row_)));
        c_.editor->setCursorPosition(std::max(0, cursor - 1));
        if (!bytes.ok())
            QMessageBox::warning(this, QApplication::applicationDisplayName(),
                                 translateCoreText(bytes.message()));
        return;
    }
    refreshGrid();
    // Emptying the last texts takes their rows away: the editor stays on the row that now
    // appends.
    const int rows = static_cast<int>(editor_.rows().size());
    if (row_ > rows) {
        row_ = rows;
        placeEditor();
    }
}

void AlarmListDialog::onEnter() {
    const AlarmEnterMove move = editor_.enter(row_);
    switch (move.action) {
        case AlarmEnterMove::MoveTo:
            editRow(move.row);
            break;
        case AlarmEnterMove::HideEditor:
            c_.editor->hide();
            c_.grid->setFocus();
            break;
        case AlarmEnterMove::Stay:
            break;
    }
}

void AlarmListDialog::onStartCoilChanged() {
    editor_.startCoilChanged();
    refreshGrid();
    if (row_ > static_cast<int>(editor_.rows().size()))
        c_.editor->hide();
}

void AlarmListDialog::onTypeChanged(int index) {
    if (index < 0)
        return;
    list_.m_regType = static_cast<uint8_t>(index);
    editor_.registerTypeChanged();
    controls_ = alarmDialogControls(list_, project_.vocabulary(), project_.comm.panelStation);
    bindBitOffset();
    c_.editor->hide();
    refreshGrid();
}

void AlarmListDialog::accept() {
    editor_.accept();
    QDialog::accept();
}

void AlarmListDialog::reject() {
    editor_.cancel();
    QDialog::reject();
}

bool AlarmListDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == c_.editor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            onEnter();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vanta
