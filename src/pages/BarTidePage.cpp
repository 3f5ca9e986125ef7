#include "pages/BarTidePage.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <type_traits>
#include <utility>

#include "model/CBar.h"
#include "model/CTide.h"
#include "model/LightPageRules.h"
#include "project/Project.h"

namespace vanta {

namespace {

// The scale value as an edit of the given signedness shows it.
int64_t shownScale(int32_t value, bool isSigned) {
    return isSigned ? value : static_cast<int64_t>(static_cast<uint32_t>(value));
}

}  // namespace

BarTidePage::BarTidePage(QWidget* parent) : ComponentPage(parent) {
    outer_ = addOuterGroup(tr("Bar Graph Property"));
    QGroupBox* g = outer_;
    auto* columns = new QHBoxLayout(g);

    // Position and size; the bar's direction or the trend's points and sampling interval.
    auto* left = new QVBoxLayout;
    columns->addLayout(left);
    QGridLayout* place = nullptr;
    left->addWidget(gridGroup(tr("坐标"), g, place));
    x_ = makeNumberRow(tr("X:"), g);
    y_ = makeNumberRow(tr("Y:"), g);
    addGridRow(place, x_);
    addGridRow(place, y_);
    QGridLayout* size = nullptr;
    left->addWidget(gridGroup(tr("尺寸"), g, size));
    width_ = makeNumberRow(tr("宽:"), g);
    height_ = makeNumberRow(tr("高:"), g);
    addGridRow(size, width_);
    addGridRow(size, height_);
    QGridLayout* sampling = newGrid();
    sampling->setContentsMargins(0, 0, 0, 0);
    left->addLayout(sampling);
    direction_ = new QComboBox(g);
    direction_->addItems(QStringList{tr("向上"), tr("向下"), tr("向左"), tr("向右")});
    directionLabel_ = makeLabel(tr("方向:"), direction_, g);
    addGridRow(sampling, directionLabel_, direction_);
    points_ = makeNumberRow(tr("数据采集:"), g);
    pointsUnit_ = new QLabel(tr("点"), g);
    points_.box->addSpacing(4);
    points_.box->addWidget(pointsUnit_);
    addGridRow(sampling, points_);
    interval_ = makeNumberRow(tr("采样间隔:"), g);
    intervalUnit_ = new QLabel(tr("秒"), g);
    interval_.box->addSpacing(4);
    interval_.box->addWidget(intervalUnit_);
    addGridRow(sampling, interval_);
    left->addStretch(1);

    // The register.
    QBoxLayout* reg = nullptr;
    columns->addWidget(boxGroup(tr("寄存器"), g, reg));
    binding_ = new RegisterBinding(RegisterBinding::Order::AddressFirst, g);
    reg->addWidget(binding_);
    station_ = binding_->station;
    address_ = binding_->address;
    bitNumber_ = binding_->subAddress;
    type_ = binding_->type;
    subType_ = binding_->subType;
    count_ = makeNumberRow(tr("寄存器个数:"), binding_);
    binding_->addRow(count_, RegisterBinding::Place::AfterSubType);
    hexMode_ = new QRadioButton(tr("HEX/BCD"), binding_);
    decimalMode_ = new QRadioButton(tr("十进制"), binding_);
    auto* modes = new QVBoxLayout;
    modes->setSpacing(0);
    modes->addWidget(hexMode_);
    modes->addWidget(decimalMode_);
    auto* modeLabel = new QLabel(tr("模式:"), binding_);
    binding_->addRow(modeLabel, modes, RegisterBinding::Place::AfterSubType);
    binding_->grid()->setAlignment(modeLabel, Qt::AlignTop | Qt::AlignLeft);
    signed_ = new BoundCheckBox(tr("有符号数"), binding_);
    binding_->addRow(nullptr, signed_, RegisterBinding::Place::AfterSubType);
    reg->addStretch(1);

    // The scale.
    QBoxLayout* show = nullptr;
    columns->addWidget(boxGroup(tr("显示"), g, show));
    full_ = makeNumberRow(QString(), g);
    zero_ = makeNumberRow(QString(), g);
    show->addWidget(makeLabel(tr("满额度值:"), full_.edit, g));
    show->addWidget(full_.field);
    show->addWidget(makeLabel(tr("零额度值:"), zero_.edit, g));
    show->addWidget(zero_.field);
    show->addStretch(1);
    columns->addStretch(1);

    const std::pair<NumberRow*, const char*> rows[] = {{&x_, "x"},
                                                       {&y_, "y"},
                                                       {&width_, "width"},
                                                       {&height_, "height"},
                                                       {&bitNumber_, "bitNumber"},
                                                       {&count_, "count"},
                                                       {&full_, "fullScale"},
                                                       {&zero_, "zeroScale"},
                                                       {&points_, "points"},
                                                       {&interval_, "interval"}};
    for (const auto& [row, name] : rows)
        row->setNames(name);
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
    binding_->setSubAddressShown(bitNumberShown);
    binding_->setSubTypeShown(p31);
}

}  // namespace vanta
