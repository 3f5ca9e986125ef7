#include "pages/BarTidePage.h"

#include <type_traits>
#include <utility>

#include "model/CBar.h"
#include "model/CTide.h"
#include "model/LightPageRules.h"
#include "project/Project.h"

namespace vanta {

namespace {

constexpr int kRow = 26;

// The scale value as an edit of the given signedness shows it.
int64_t shownScale(int32_t value, bool isSigned) {
    return isSigned ? value : static_cast<int64_t>(static_cast<uint32_t>(value));
}

}  // namespace

BarTidePage::BarTidePage(QWidget* parent) : ComponentPage(parent) {
    outer_ = addGroup(tr("Bar Graph Property"), QRect(0, 0, kWidth, kHeight));
    QGroupBox* g = outer_;

    QGroupBox* place = addGroup(tr("坐标"), QRect(8, 18, 146, 70), g);
    x_ = addNumberRow(tr("X:"), 10, 18, 30, 64, place);
    y_ = addNumberRow(tr("Y:"), 10, 44, 30, 64, place);
    QGroupBox* size = addGroup(tr("尺寸"), QRect(8, 90, 146, 70), g);
    width_ = addNumberRow(tr("宽:"), 10, 18, 30, 64, size);
    height_ = addNumberRow(tr("高:"), 10, 44, 30, 64, size);
    // Bar: the direction; trend: points and sampling interval.
    directionLabel_ = addLabel(tr("方向:"), QRect(10, 168, 40, kRowHeight), g);
    direction_ = new QComboBox(g);
    direction_->setGeometry(50, 168, 96, kRowHeight);
    direction_->addItems(QStringList{tr("向上"), tr("向下"), tr("向左"), tr("向右")});
    points_ = addNumberRow(tr("数据采集:"), 8, 168, 62, 50, g);
    pointsUnit_ =
        addLabel(tr("点"), QRect(8 + 62 + 50 + CNumSpinCtrl::kWidth + 2, 168, 20, kRowHeight), g);
    interval_ = addNumberRow(tr("采样间隔:"), 8, 196, 62, 50, g);
    intervalUnit_ =
        addLabel(tr("秒"), QRect(8 + 62 + 50 + CNumSpinCtrl::kWidth + 2, 196, 20, kRowHeight), g);

    QGroupBox* reg = addGroup(tr("寄存器"), QRect(160, 18, 196, 206), g);
    int y = 18;
    station_ = addNumberRow(tr("局号:"), 8, y, 58, 62, reg);
    address_ = addNumberRow(tr("地址:"), 8, y += kRow, 58, 62, reg);
    bitNumber_ = addNumberRow(QString(), 8 + 58 + 62 + CNumSpinCtrl::kWidth + 4, y, 0, 30, reg);
    addLabel(tr("类型:"), QRect(8, y += kRow, 58, kRowHeight), reg);
    type_ = addCombo(QRect(66, y, 78, kRowHeight), reg);
    count_ = addNumberRow(tr("寄存器个数:"), 8, y += kRow, 58 + 14, 48, reg);
    subTypeLabel_ = addLabel(tr("子类型:"), QRect(8, y, 58, kRowHeight), reg);
    subType_ = addCombo(QRect(66, y, 122, kRowHeight), reg);
    addLabel(tr("模式:"), QRect(8, y += kRow + 2, 40, kRowHeight), reg);
    hexMode_ = addRadio(tr("HEX/BCD"), QRect(50, y, 90, kRowHeight), reg);
    decimalMode_ = addRadio(tr("十进制"), QRect(50, y += 22, 90, kRowHeight), reg);
    signed_ = addCheck(tr("有符号数"), QRect(8, y += kRow, 120, kRowHeight), reg);

    QGroupBox* show = addGroup(tr("显示"), QRect(362, 18, 142, 112), g);
    addLabel(tr("满额度值:"), QRect(8, 16, 120, 20), show);
    full_ = addNumberRow(QString(), 8, 36, 0, 104, show);
    addLabel(tr("零额度值:"), QRect(8, 60, 120, 20), show);
    zero_ = addNumberRow(QString(), 8, 80, 0, 104, show);

    const std::pair<NumberRow*, const char*> rows[] = {{&x_, "x"},
                                                       {&y_, "y"},
                                                       {&width_, "width"},
                                                       {&height_, "height"},
                                                       {&station_, "station"},
                                                       {&address_, "address"},
                                                       {&bitNumber_, "bitNumber"},
                                                       {&count_, "count"},
                                                       {&full_, "fullScale"},
                                                       {&zero_, "zeroScale"},
                                                       {&points_, "points"},
                                                       {&interval_, "interval"}};
    for (const auto& [row, name] : rows)
        row->setNames(name);
    type_->setObjectName("type");
    subType_->setObjectName("subType");
    hexMode_->setObjectName("hexMode");
    decimalMode_->setObjectName("decimalMode");
    signed_->setObjectName("signed");
    direction_->setObjectName("direction");

    for (NumberRow* row : {&x_, &y_}) {
        connect(row->spin, &CNumSpinCtrl::valueChanged, this, [this, row] {
            if (!item_)
                return;
            item_->onPagePositionChanged();
            changed(row->edit);
        });
    }
    for (NumberRow* row : {&width_, &height_}) {
        connect(row->spin, &CNumSpinCtrl::valueChanged, this, [this, row] {
            if (!item_)
                return;
            item_->onPageSizeChanged();
            changed(row->edit);
        });
    }
    for (QRadioButton* radio : {hexMode_, decimalMode_}) {
        connect(radio, &QRadioButton::clicked, this, [this, radio] {
            if (!item_)
                return;
            const bool wasSigned = item_->m_signed != 0;
            item_->applyDisplayMode(radio == hexMode_ ? 0 : 1);
            if (wasSigned != (item_->m_signed != 0))
                dataShapeChanged(wasSigned);
            changed(radio);
        });
    }
    connect(signed_, &BoundCheckBox::changedByUser, this, [this] {
        if (!item_)
            return;
        dataShapeChanged(item_->m_signed == 0);
        changed(signed_);
    });
    connect(type_, &BoundComboBox::changedByUser, this, [this] {
        if (!item_)
            return;
        item_->applyCountRule();
        if (item_->context().profile().moduleAddressing) {
            const auto& names =
                item_->context().vocab().parameterNames(TypeList::Word, item_->m_regType);
            if (item_->m_subType >= names.size())
                item_->m_subType = 0;
        }
        dataShapeChanged(item_->m_signed != 0);
        item_->applyProtocol31Codes();
        changed(type_);
    });
    connect(count_.spin, &CNumSpinCtrl::valueChanged, this, [this] {
        if (!item_)
            return;
        dataShapeChanged(item_->m_signed != 0);
        changed(count_.edit);
    });
    connect(subType_, &BoundComboBox::changedByUser, this, [this] {
        if (!item_)
            return;
        item_->applyProtocol31Codes();
        changed(subType_);
    });
    connect(address_.spin, &CNumSpinCtrl::valueChanged, this, [this] {
        if (!item_)
            return;
        item_->applyProtocol31Codes();
        emit componentChanged();
    });
    for (NumberRow* row : {&station_, &bitNumber_, &points_, &interval_}) {
        connect(row->spin, &CNumSpinCtrl::valueChanged, this, [this] {
            if (item_)
                emit componentChanged();
        });
    }
    connect(full_.spin, &CNumSpinCtrl::valueChanged, this, [this] { onScaleChanged(true); });
    connect(zero_.spin, &CNumSpinCtrl::valueChanged, this, [this] { onScaleChanged(false); });
    connect(direction_, &QComboBox::activated, this, [this](int index) {
        if (!bar_ || index < 0)
            return;
        bar_->setDirection(static_cast<uint8_t>(index));
        changed(direction_);
    });
}

void BarTidePage::fill(CBase& component, Project& project) {
    release();
    item_ = dynamic_cast<CBarTide*>(&component);
    if (!item_)
        return;
    bar_ = dynamic_cast<CBar*>(item_);
    tide_ = dynamic_cast<CTide*>(item_);
    panelStation_ = project.comm.panelStation;
    outer_->setTitle(bar_ ? tr("Bar Graph Property") : tr("Trend Lind Property"));
    directionLabel_->setVisible(bar_ != nullptr);
    direction_->setVisible(bar_ != nullptr);
    for (NumberRow* row : {&points_, &interval_})
        row->setShown(tide_ != nullptr);
    pointsUnit_->setVisible(tide_ != nullptr);
    intervalUnit_->setVisible(tide_ != nullptr);

    type_->bind(item_->m_regType);
    subType_->bind(item_->m_subType);
    signed_->bind(item_->m_signed);
    item_->applyProtocol31Codes();
    scaleRange_ = item_->fillScaleRange();
    update(nullptr);
}

void BarTidePage::release() {
    item_ = nullptr;
    bar_ = nullptr;
    tide_ = nullptr;
    for (NumberRow* row : {&x_, &y_, &width_, &height_, &station_, &address_, &bitNumber_, &count_,
                           &full_, &zero_, &points_, &interval_})
        row->edit->unbind();
    type_->unbind();
    subType_->unbind();
    signed_->unbind();
}

void BarTidePage::setCoordinates(int32_t x, int32_t y) {
    x_.spin->setPosition(x);
    y_.spin->setPosition(y);
    if (!item_)
        return;
    const CBarTide::Range w = item_->widthRange();
    const CBarTide::Range h = item_->heightRange();
    width_.spin->setRange(static_cast<double>(w.min), static_cast<double>(w.max));
    height_.spin->setRange(static_cast<double>(h.min), static_cast<double>(h.max));
}

void BarTidePage::changed(const QObject* source) {
    update(source);
    emit componentChanged();
}

void BarTidePage::dataShapeChanged(bool shownSigned) {
    const bool isSigned = item_->m_signed != 0;
    if (CBarTide::wideScaleChecks(item_->pageTypeCode(), item_->m_regCount)) {
        for (int32_t* scale : {&item_->m_fullScale, &item_->m_zeroScale}) {
            const int64_t checked =
                CBarTide::clampTypedScale(shownScale(*scale, shownSigned), isSigned);
            *scale = static_cast<int32_t>(static_cast<uint32_t>(checked));
        }
    }
    scaleRange_ = item_->changedScaleRange();
}

void BarTidePage::onScaleChanged(bool full) {
    if (!item_)
        return;
    int32_t& field = full ? item_->m_fullScale : item_->m_zeroScale;
    int32_t& accepted = full ? acceptedFull_ : acceptedZero_;
    const bool isSigned = item_->m_signed != 0;
    if (CBarTide::wideScaleChecks(item_->pageTypeCode(), item_->m_regCount) &&
        !CBarTide::typedScaleAcceptable(shownScale(field, isSigned), isSigned)) {
        (full ? full_ : zero_).spin->setPosition(accepted);
        field = accepted;
    }
    accepted = field;
    emit componentChanged();
}

void BarTidePage::update(const QObject* source) {
    CBarTide& it = *item_;
    const ModelContext& context = it.context();
    const Vocabulary& vocab = context.vocab();
    const bool p31 = context.profile().moduleAddressing;  // module and parameter binding
    const bool isSigned = it.m_signed != 0;

    auto bind = [source](NumberRow& row, auto& field, int64_t min, int64_t max, bool hex = false,
                         bool octal = false) {
        const auto lo = static_cast<double>(min);
        const auto hi = static_cast<double>(max);
        if (row.edit == source) {
            row.spin->setRange(lo, hi);
            return;
        }
        if constexpr (std::is_same_v<std::decay_t<decltype(field)>, uint16_t>) {
            if (octal) {
                row.spin->bindOctal(field, lo, hi, true);
                return;
            }
        }
        row.spin->bind(field, lo, hi, hex);
    };
    bind(x_, it.m_x, 0, it.xRange().max);
    bind(y_, it.m_y, 0, it.yRange().max);
    bind(width_, it.m_width, it.widthRange().min, it.widthRange().max);
    bind(height_, it.m_height, it.heightRange().min, it.heightRange().max);

    const CBarTide::CountRule rule = it.countRule();
    const SpinRange station = stationSpinRange(vocab, panelStation_);
    bind(station_, it.m_station, station.min, rule.lowestStationOnly ? station.min : station.max,
         station.entry == NumberEntry::Hex);
    const CBarTide::Range address = CBarTide::addressRange(context.protocol, vocab);
    bind(address_, it.m_address, address.min, address.max, vocab.hexAddresses,
         vocab.octalAddresses);
    bind(count_, it.m_regCount, rule.low, rule.high);
    // A hidden bit number is left alone (under protocol 31 it holds the parameter number).
    const bool bitNumberShown = vocab.bitNumberShown && !p31;
    if (bitNumberShown) {
        const CBarTide::Range bits = CBarTide::bitNumberRange(vocab);
        bind(bitNumber_, it.m_subAddress, bits.min, bits.max);
    } else {
        bitNumber_.edit->unbind();
    }
    for (NumberRow* row : {&full_, &zero_}) {
        int32_t& field = row == &full_ ? it.m_fullScale : it.m_zeroScale;
        if (row->edit == source)
            continue;
        row->spin->bind(field, static_cast<double>(scaleRange_.min),
                        static_cast<double>(scaleRange_.max), false, isSigned);
    }
    acceptedFull_ = it.m_fullScale;
    acceptedZero_ = it.m_zeroScale;
    if (tide_) {
        bind(points_, tide_->m_points, tide_->pointsRange().min, tide_->pointsRange().max);
        bind(interval_, tide_->m_interval, CTide::intervalRange().min, CTide::intervalRange().max);
    }
    if (bar_)
        direction_->setCurrentIndex(bar_->m_direction < 4 ? bar_->m_direction : -1);

    type_->setItems(vocab.wordTypes);
    subType_->setItems(p31 ? vocab.parameterNames(TypeList::Word, it.m_regType)
                           : std::vector<std::string>{});
    hexMode_->setChecked(it.m_displayMode == 0);
    decimalMode_->setChecked(it.m_displayMode != 0);
    signed_->refresh();

    signed_->setEnabled(it.m_displayMode != 0);
    count_.setAllowed(rule.editable);
    const bool scales = CBarTide::scalesEditable(it.typeName());
    full_.setAllowed(scales);
    zero_.setAllowed(scales);

    count_.setShown(vocab.registerCountShown && !p31);
    bitNumber_.setShown(bitNumberShown);
    subTypeLabel_->setVisible(p31);
    subType_->setVisible(p31);
}

}  // namespace vanta
