#include "pages/TextPage.h"

#include <QGroupBox>

#include "model/CChars.h"
#include "qtsupport/QtText.h"

namespace vanta {

TextPage::TextPage(QWidget* parent) : ComponentPage(parent) {
    QGroupBox* outer = addGroup(tr("文本属性"), QRect(0, 0, kWidth, kHeight));
    QGroupBox* place = addGroup(tr("坐标"), QRect(16, 24, 150, 84), outer);
    x_ = addNumberRow(tr("X:"), 12, 22, 28, 70, place);
    y_ = addNumberRow(tr("Y:"), 12, 52, 28, 70, place);
    QGroupBox* look = addGroup(tr("特性"), QRect(184, 24, 150, 84), outer);
    doubleSize_ = addCheck(tr("倍角"), QRect(14, 22, 120, kRowHeight), look);
    inverse_ = addCheck(tr("反相"), QRect(14, 52, 120, kRowHeight), look);
    QGroupBox* text = addGroup(tr("文本"), QRect(16, 120, 480, 70), outer);
    addLabel(tr("文字串:"), QRect(12, 28, 60, kRowHeight), text);
    textEdit_ = new QLineEdit(text);
    textEdit_->setGeometry(76, 28, 390, kRowHeight);

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
