#include "editor/PreviewDock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <set>

#include "checks/ProjectAnalysis.h"
#include "editor/CVantaView.h"
#include "emulator/PanelProgram.h"
#include "emulator/ValueFormat.h"
#include "model/CDynamic.h"
#include "model/CMainView.h"
#include "model/ComponentKinds.h"
#include "model/Geometry.h"
#include "qtsupport/QtText.h"
#include "widgets/CNumEdit.h"
#include "widgets/PanelDisplayWidget.h"

namespace vanta {

namespace {

// The low `bytes` bytes of a value.
uint32_t rawOfBytes(uint32_t value, uint8_t bytes) {
    return bytes >= 4 ? value : value & ((1u << (8 * bytes)) - 1);
}

struct NumberKind {
    uint8_t bytes = 2;
    bool isSigned = false;
    bool hex = false;
};

NumberKind numberKind(const SampleComponent& c) {
    const LiveComponent& live = *c.live;
    if (c.kind == SampleKind::Register)
        return {live.format.bytes, live.format.isSigned, !live.format.decimal};
    return {live.word.bytes(), live.isSigned, false};
}

// The entries of a dynamic text the panel can show, one per value (the panel shows the first
// entry of a value), each named by the project's text: "1: Run".
std::vector<std::pair<uint16_t, QString>> dynamicChoices(const DecodedComponent& decoded,
                                                         const CDynamic* project) {
    std::vector<std::pair<uint16_t, QString>> choices;
    std::set<uint16_t> seen;
    for (const DynamicEntry& entry : decoded.entries) {
        if (!seen.insert(entry.value).second)
            continue;
        QString label = QString::number(entry.value);
        if (project != nullptr) {
            for (size_t i = 0; i < project->m_values.size() && i < project->m_texts.size() &&
                               i < project->m_valueTexts.size();
                 ++i) {
                if (!project->m_valueTexts[i].empty() &&
                    static_cast<uint16_t>(project->m_values[i]) == entry.value) {
                    label = QStringLiteral("%1: %2").arg(toQString(project->m_valueTexts[i]),
                                                         toQString(project->m_texts[i]));
                    break;
                }
            }
        }
        choices.emplace_back(entry.value, label);
    }
    return choices;
}

// The sample table asks for the height of its header and a few rows: the frame gives the docks
// their wished height at start, and the editor's display and pages above keep their room. The
// dock's height beyond the picture goes to the table.
class SampleTable : public QTableWidget {
  public:
    static constexpr int kWishedRows = 4;
    using QTableWidget::QTableWidget;
    QSize sizeHint() const override {
        return {QTableWidget::sizeHint().width(),
                horizontalHeader()->sizeHint().height() +
                    kWishedRows * verticalHeader()->defaultSectionSize() + 2 * frameWidth()};
    }
};

}  // namespace

PreviewDock::PreviewDock(const FontTables& fonts, QWidget* parent)
    : QDockWidget(tr("面板预览"), parent), samples_(fonts), layout_(kPanelWidth, kPanelHeight) {
    setObjectName(QStringLiteral("previewDock"));
    toggleViewAction()->setText(tr("面板预览(&P)"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);

    // The screen shown (or why the display stays dark) in a line of its own, the controls below.
    caption_ = new QLabel(body);
    caption_->setObjectName(QStringLiteral("previewCaption"));
    caption_->setMinimumHeight(caption_->fontMetrics().height());
    layout->addWidget(caption_);
    auto* controls = new QHBoxLayout;
    resetButton_ = new QToolButton(body);
    resetButton_->setObjectName(QStringLiteral("previewResetSamples"));
    resetButton_->setText(tr("重置示例值"));
    resetButton_->setToolTip(tr("所有示例值恢复为默认值, 预览恢复为布局画面"));
    resetButton_->setEnabled(false);
    controls->addWidget(resetButton_);
    controls->addStretch(1);
    auto* zoomLabel = new QLabel(tr("放大"), body);
    controls->addWidget(zoomLabel);
    zoom_ = new QSpinBox(body);
    zoom_->setObjectName(QStringLiteral("previewZoom"));
    zoom_->setRange(PanelDisplayWidget::kMinZoom, PanelDisplayWidget::kMaxZoom);
    zoom_->setSuffix(QStringLiteral(" x"));
    zoom_->setValue(kDockZoom);
    zoomLabel->setBuddy(zoom_);
    controls->addWidget(zoom_);
    windowButton_ = new QToolButton(body);
    windowButton_->setObjectName(QStringLiteral("previewWindowButton"));
    windowButton_->setText(tr("全尺寸..."));
    windowButton_->setToolTip(tr("在单独的窗口中放大显示面板预览"));
    controls->addWidget(windowButton_);
    layout->addLayout(controls);

    display_ = new PanelDisplayWidget(body);
    display_->setZoom(kDockZoom);
    display_->setToolTip(tr("面板将显示的当前画面, 由下载映像绘制"));
    layout->addWidget(display_, 0, Qt::AlignCenter);

    table_ = new SampleTable(0, SampleColumnCount, body);
    table_->setObjectName(QStringLiteral("previewSamples"));
    table_->setHorizontalHeaderLabels({tr("部件"), tr("地址"), tr("示例值"), tr("面板显示")});
    table_->horizontalHeaderItem(ValueColumn)
        ->setToolTip(tr("寄存器和棒图: 寄存器中的原始数值 (HEX/BCD 为十六进制); 指示灯: 位; "
                        "动态文本: 显示的文本"));
    table_->horizontalHeaderItem(ShownColumn)->setToolTip(tr("面板按寄存器的格式显示的文字"));
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(ValueColumn, QHeaderView::Fixed);
    header->setStretchLastSection(true);
    fitValueColumn();
    // At least the header and a row (it scrolls).
    table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height() +
                             2 * table_->fontMetrics().height());
    layout->addWidget(table_, 1);
    setWidget(body);

    connect(zoom_, &QSpinBox::valueChanged, display_, &PanelDisplayWidget::setZoom);
    connect(windowButton_, &QToolButton::clicked, this, &PreviewDock::openWindow);
    connect(resetButton_, &QToolButton::clicked, this, &PreviewDock::resetSamples);
}

const MonoBitmap& PreviewDock::picture() const {
    return display_->picture();
}

void PreviewDock::showScreen(const ProjectAnalysis& analysis, const CMainView* screen) {
    open_ = screen != nullptr;
    compiled_ = analysis.compiled();
    screenNumber_ = open_ ? screen->m_number : 0;
    layout_ =
        open_ ? previewScreen(analysis, screenNumber_) : MonoBitmap(kPanelWidth, kPanelHeight);
    if (open_)
        samples_.load(analysis, screenNumber_);
    else
        samples_.load(ProjectAnalysis{}, 0);
    rebuildRows(analysis, screen);
    showPicture();
}

void PreviewDock::rebuildRows(const ProjectAnalysis& analysis, const CMainView* screen) {
    std::vector<Row> rows;
    QStringList keys;
    for (const SampleComponent& c : samples_.components()) {
        const CBase* component =
            screen != nullptr ? samples_.projectComponent(analysis, *screen, *c.live) : nullptr;
        Row row;
        row.component = c;
        row.name = component != nullptr ? CVantaView::componentName(component->m_kind,
                                                                    component->m_x, component->m_y)
                                        : CVantaView::kindName(c.live->kind);
        row.point = QString::fromStdString(samples_.pointName(*c.live));
        QString key = row.name + QChar('|') + row.point + QChar('|') + QString::number(int(c.kind));
        if (c.kind == SampleKind::Dynamic) {
            row.choices =
                dynamicChoices(samples_.decoded(*c.live), dynamic_cast<const CDynamic*>(component));
            for (const auto& [value, label] : row.choices)
                key += QChar('|') + label;
        }
        keys << key;
        rows.push_back(std::move(row));
    }
    rows_ = std::move(rows);
    // The editors stay while the rows do (an edit elsewhere), so that one being used keeps its
    // focus; the rows then point into the new image.
    if (keys != rowKeys_) {
        rowKeys_ = keys;
        filling_ = true;
        table_->clearContents();
        table_->setRowCount(static_cast<int>(rows_.size()));
        for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
            table_->setItem(r, ComponentColumn, new QTableWidgetItem(rows_[size_t(r)].name));
            table_->setItem(r, PointColumn, new QTableWidgetItem(rows_[size_t(r)].point));
            table_->setItem(r, ShownColumn, new QTableWidgetItem);
            table_->setCellWidget(r, ValueColumn, makeEditor(r));
        }
        filling_ = false;
        fitValueColumn();
        // The new editors take their cells now rather than at the next layout.
        table_->doItemsLayout();
    }
    refreshEditors();
}

// The names and addresses as wide as they are; the editors as wide as the longest number (an
// eleven-character 32-bit value) or the widest dynamic text, so that the table fits beside the
// problem list and shows every text whole.
void PreviewDock::fitValueColumn() {
    const QFontMetrics metrics = table_->fontMetrics();
    int width =
        metrics.horizontalAdvance(QStringLiteral("-2147483648")) + 3 * metrics.averageCharWidth();
    width = std::max(width, table_->horizontalHeader()->sectionSizeHint(ValueColumn));
    for (int r = 0; r < table_->rowCount(); ++r)
        if (auto* combo = qobject_cast<QComboBox*>(table_->cellWidget(r, ValueColumn)))
            width = std::max(width, combo->sizeHint().width());
    table_->horizontalHeader()->resizeSection(ValueColumn, width);
}

QWidget* PreviewDock::makeEditor(int row) {
    const Row& r = rows_[size_t(row)];
    switch (r.component.kind) {
        case SampleKind::Lamp: {
            auto* box = new QCheckBox(table_);
            box->setToolTip(tr("指示灯的位: 选中为 1"));
            connect(box, &QCheckBox::toggled, this, [this, row](bool on) {
                if (filling_ || size_t(row) >= rows_.size())
                    return;
                samples_.setBit(*rows_[size_t(row)].component.live, on);
                sampleChanged();
            });
            return box;
        }
        case SampleKind::Dynamic: {
            auto* box = new QComboBox(table_);
            box->setToolTip(tr("面板显示的文本"));
            for (const auto& [value, label] : r.choices)
                box->addItem(label, value);
            connect(box, &QComboBox::activated, this, [this, row, box](int index) {
                if (filling_ || size_t(row) >= rows_.size() || index < 0)
                    return;
                samples_.setValue(*rows_[size_t(row)].component.live,
                                  box->itemData(index).toUInt());
                sampleChanged();
            });
            return box;
        }
        case SampleKind::Register:
        case SampleKind::Bar:
            break;
    }
    // The editor of every number field: free typing, and an entry the register cannot hold gets
    // the error state (a red frame and the allowed range) while the sample keeps its value.
    auto* edit = new CNumEdit(table_);
    const NumberKind kind = numberKind(r.component);
    const int bits = 8 * kind.bytes;
    edit->setSigned(kind.isSigned && !kind.hex);
    edit->setHex(kind.hex);
    if (kind.isSigned && !kind.hex)
        edit->setRange(-std::ldexp(1.0, bits - 1), std::ldexp(1.0, bits - 1) - 1);
    else
        edit->setRange(0, std::ldexp(1.0, bits) - 1);
    edit->setToolTip(kind.hex ? tr("寄存器中的原始数值, 十六进制")
                              : tr("寄存器中的原始数值 (%1 字节, %2)")
                                    .arg(kind.bytes)
                                    .arg(kind.isSigned ? tr("有符号") : tr("无符号")));
    connect(edit, &CNumEdit::committed, this, [this, row] { commitNumber(row); });
    return edit;
}

void PreviewDock::commitNumber(int row) {
    if (filling_ || size_t(row) >= rows_.size())
        return;
    auto* edit = qobject_cast<CNumEdit*>(table_->cellWidget(row, ValueColumn));
    if (edit == nullptr)
        return;
    const SampleComponent& c = rows_[size_t(row)].component;
    const uint32_t raw = rawOfBytes(static_cast<uint32_t>(edit->value()), numberKind(c).bytes);
    // Leaving the editor commits too: an unchanged value sets no sample.
    if (raw == samples_.value(*c.live))
        return;
    samples_.setValue(*c.live, raw);
    sampleChanged();
}

void PreviewDock::refreshEditors() {
    filling_ = true;
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        const SampleComponent& c = rows_[size_t(r)].component;
        QWidget* editor = table_->cellWidget(r, ValueColumn);
        QString shown;
        if (auto* box = qobject_cast<QCheckBox*>(editor)) {
            box->setChecked(samples_.bit(*c.live));
        } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            const uint16_t value = static_cast<uint16_t>(samples_.value(*c.live));
            combo->setCurrentIndex(combo->findData(value));
        } else if (auto* edit = qobject_cast<CNumEdit*>(editor)) {
            const NumberKind kind = numberKind(c);
            const uint32_t raw = samples_.value(*c.live);
            // A number being typed stays until it is entered (an analysis may come meanwhile).
            const bool typing = edit->hasFocus() && edit->isChanged();
            if (!typing)
                edit->setValue(static_cast<int32_t>(
                    kind.isSigned && !kind.hex ? rawValue(raw, kind.bytes, true) : raw));
            if (c.kind == SampleKind::Register)
                shown = QString::fromStdString(formatRegister(c.live->format, raw));
        }
        if (QTableWidgetItem* item = table_->item(r, ShownColumn))
            item->setText(shown);
    }
    filling_ = false;
}

void PreviewDock::sampleChanged() {
    refreshEditors();
    showPicture();
}

void PreviewDock::resetSamples() {
    samples_.reset();
    refreshEditors();
    showPicture();
}

void PreviewDock::showPicture() {
    const bool samplesShown = open_ && samples_.anySet() && samples_.running();
    const MonoBitmap& picture = samplesShown ? samples_.render() : layout_;
    display_->setPicture(picture);
    if (windowDisplay_ != nullptr)
        windowDisplay_->setPicture(picture);
    resetButton_->setEnabled(samples_.anySet());
    if (!open_)
        caption_->clear();
    else if (!compiled_)
        caption_->setText(tr("画面 %1: 无法编译").arg(screenNumber_));
    else if (samplesShown)
        caption_->setText(tr("画面 %1, 显示示例值").arg(screenNumber_));
    else
        caption_->setText(tr("画面 %1").arg(screenNumber_));
}

void PreviewDock::openWindow() {
    if (window_ == nullptr) {
        window_ = new QDialog(this);
        window_->setObjectName(QStringLiteral("previewWindow"));
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->setWindowTitle(tr("面板预览"));
        auto* layout = new QVBoxLayout(window_);
        windowDisplay_ = new PanelDisplayWidget(window_);
        windowDisplay_->setZoom(kWindowZoom);
        windowDisplay_->setPicture(display_->picture());
        layout->addWidget(windowDisplay_, 1, Qt::AlignCenter);
        connect(window_, &QObject::destroyed, this, [this] { windowDisplay_ = nullptr; });
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

}  // namespace vanta
