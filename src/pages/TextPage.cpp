#include "pages/TextPage.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "model/CChars.h"
#include "qtsupport/QtText.h"

namespace vanta {

TextPage::TextPage(QWidget* parent) : ComponentPage(parent) {
    QGroupBox* outer = addOuterGroup(tr("文本属性"));
    auto* layout = new QVBoxLayout(outer);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);

    QGridLayout* place = nullptr;
    top->addWidget(gridGroup(tr("坐标"), outer, place));
    x_ = makeNumberRow(tr("X:"), outer);
    y_ = makeNumberRow(tr("Y:"), outer);
    addGridRow(place, x_);
    addGridRow(place, y_);
    QBoxLayout* look = nullptr;
    top->addWidget(boxGroup(tr("特性"), outer, look));
    doubleSize_ = new BoundCheckBox(tr("倍角"), outer);
    inverse_ = new BoundCheckBox(tr("反相"), outer);
    look->addWidget(doubleSize_);
    look->addWidget(inverse_);
    top->addStretch(1);

    QGridLayout* text = nullptr;
    layout->addWidget(gridGroup(tr("文本"), outer, text));
    textEdit_ = new QLineEdit(outer);
    addGridRow(text, makeLabel(tr("文字串:"), textEdit_, outer), textEdit_, true);
    layout->addStretch(1);

    x_.setNames("x");
    y_.setNames("y");
    doubleSize_->setObjectName("doubleSize");
    inverse_->setObjectName("inverse");
    textEdit_->setObjectName("text");

    connect(x_.spin, &CNumSpinCtrl::valueChanged, this, &TextPage::onPositionChanged);
    connect(y_.spin, &CNumSpinCtrl::valueChanged, this, &TextPage::onPositionChanged);
    connect(doubleSize_, &BoundCheckBox::changedByUser, this, &TextPage::onDoubleSizeChanged);
    connect(inverse_, &BoundCheckBox::changedByUser, this, &TextPage::onInverseChanged);
    connect(textEdit_, &QLineEdit::textEdited, this, &TextPage::onTextEdited);
}

void TextPage::fill(CBase& component, Project&) {
    release();
    text_ = dynamic_cast<CChars*>(&component);
    if (!text_)
        return;
    bindPosition();
    doubleSize_->bind(text_->m_doubleSize);
    inverse_->bind(text_->m_inverse);
    shownText_ = toQString(text_->m_text);
    textEdit_->setText(shownText_);
}

void TextPage::release() {
    text_ = nullptr;
    for (NumberRow* row : {&x_, &y_})
        row->edit->unbind();
    doubleSize_->unbind();
    inverse_->unbind();
}

void TextPage::bindPosition() {
    x_.spin->bind(text_->m_x, 0, text_->pageXMaximum());
    y_.spin->bind(text_->m_y, 0, text_->pageYMaximum());
}

void TextPage::setCoordinates(int32_t x, int32_t y) {
    x_.spin->setPosition(x);
    y_.spin->setPosition(y);
}

void TextPage::focusTextField() {
    textEdit_->setFocus(Qt::OtherFocusReason);
    textEdit_->selectAll();
}

void TextPage::onPositionChanged() {
    if (!text_)
        return;
    text_->onPagePositionChanged();
    emit componentChanged();
}

void TextPage::onDoubleSizeChanged() {
    if (!text_)
        return;
    text_->onPageSizeChanged();
    bindPosition();
    emit componentChanged();
}

void TextPage::onInverseChanged() {
    if (text_)
        emit componentChanged();
}

void TextPage::onTextEdited(const QString& typed) {
    if (!text_)
        return;
    // The text may grow up to 24 bytes; a longer text from a file may still be shortened. A
    // character the code page cannot hold is refused as well.
    Result<ByteString> bytes = fromQString(typed);
    const bool accepted = bytes.ok() && (CChars::acceptsTypedText(bytes.value()) ||
                                         bytes.value().size() <= text_->m_text.size());
    if (!accepted) {
        const int cursor = textEdit_->cursorPosition() - (typed.size() - shownText_.size());
        textEdit_->setText(shownText_);
        textEdit_->setCursorPosition(std::max(0, cursor));
        return;
    }
    shownText_ = typed;
    text_->m_text = std::move(bytes.value());
    text_->onPageSizeChanged();
    x_.spin->setRange(0, text_->pageXMaximum());
    emit componentChanged();
}

}  // namespace vanta
