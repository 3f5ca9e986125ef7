#include "pages/DynamicTextGrid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

#include "model/CDynamic.h"
#include "qtsupport/CoreText.h"
#include "qtsupport/QtText.h"
#include "widgets/CNumEdit.h"

namespace vanta {

namespace {

// The value text of a cell as stored: the editor's characters (digits, hexadecimal letters and
// the minus sign) are plain ASCII.
ByteString asciiBytes(const QString& text) {
    const QByteArray latin = text.toLatin1();
    return ByteString(latin.constData(), static_cast<size_t>(latin.size()));
}

}  // namespace

DynamicTextGrid::DynamicTextGrid(QWidget* parent) : QWidget(parent) {
    table_ = new QTableWidget(static_cast<int>(CDynamic::kEntries), 2, this);
    table_->setHorizontalHeaderLabels({tr("Value"), tr("Content")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->setWordWrap(false);
    // Row height as the grid's twips give it on this screen, never below one line of text.
    const int twipsHeight = kRowHeightTwips * logicalDpiY() / 1440;
    const int rowHeight = std::max(twipsHeight, fontMetrics().height() + 4);
    table_->verticalHeader()->setMinimumSectionSize(1);
    table_->verticalHeader()->setDefaultSectionSize(rowHeight);
    table_->horizontalHeader()->setFixedHeight(rowHeight + 2);
    for (int row = 0; row < table_->rowCount(); ++row)
        for (int column = 0; column < 2; ++column)
            table_->setItem(row, column, new QTableWidgetItem);

    // The editors sit on the grid's viewport, so they scroll with the cells.
    valueEdit_ = new CNumEdit(table_->viewport());
    // An emptied value is an entry of its own: the row has no value (and loses its text).
    valueEdit_->setEmptyAllowed(true);
    valueEdit_->hide();
    textEdit_ = new QLineEdit(table_->viewport());
    textEdit_->hide();

    connect(table_, &QTableWidget::cellClicked, this,
            [this](int row, int column) { editCell(row + 1, column); });
    connect(valueEdit_, &CNumEdit::valueChanged, this, &DynamicTextGrid::onValueEdited);
    connect(textEdit_, &QLineEdit::textEdited, this, &DynamicTextGrid::onTextEdited);
}

void DynamicTextGrid::bind(CDynamic& dynamic) {
    hideEditors();
    dynamic_ = &dynamic;
    row_ = 0;
    column_ = 0;
    refill();
}

void DynamicTextGrid::unbind() {
    hideEditors();
    valueEdit_->unbind();
    dynamic_ = nullptr;
    row_ = 0;
    column_ = 0;
}

void DynamicTextGrid::setValueEntry(IntRange range, bool isSigned, bool hex) {
    valueEdit_->unbind();
    valueEdit_->setSigned(isSigned);
    valueEdit_->setHex(hex);
    valueEdit_->setRange(range.min, range.max);
    if (dynamic_)
        valueEdit_->bind(dynamic_->m_editValue);
}

void DynamicTextGrid::refill() {
    if (!dynamic_)
        return;
    const std::vector<DynamicGridRow> rows = dynamic_->FillGrid();
    for (int row = 1; row <= table_->rowCount(); ++row) {
        const size_t i = static_cast<size_t>(row - 1);
        setCell(row, 0, i < rows.size() ? toQString(rows[i].valueText) : QString());
        setCell(row, 1, i < rows.size() ? toQString(rows[i].text) : QString());
    }
}

void DynamicTextGrid::hideEditors() {
    valueEdit_->hide();
    textEdit_->hide();
}

QString DynamicTextGrid::cellText(int row, int column) const {
    const QTableWidgetItem* item = table_->item(row - 1, column);
    return item ? item->text() : QString();
}

void DynamicTextGrid::setCell(int row, int column, const QString& text) {
    if (QTableWidgetItem* item = table_->item(row - 1, column))
        item->setText(text);
}

void DynamicTextGrid::editCell(int row, int column) {
    if (!dynamic_ || row < 1 || row > table_->rowCount() || column < 0 || column > 1)
        return;
    column = dynamic_->editColumnFor(row, column);
    hideEditors();
    const QString text = cellText(row, column);
    QWidget* editor = nullptr;
    if (column == 0) {
        // Load the editor with the cell's text; the value it stands for goes into the buffer.
        valueEdit_->field().textEdited(text.toStdString());
        valueEdit_->setText(text);
        editor = valueEdit_;
    } else {
        Result<ByteString> bytes = fromQString(text);
        dynamic_->m_editText = bytes.ok() ? bytes.value() : ByteString();
        textEdit_->setText(text);
        editor = textEdit_;
    }
    row_ = row;
    column_ = column;
    table_->scrollToItem(table_->item(row - 1, column));
    editor->setGeometry(table_->visualItemRect(table_->item(row - 1, column)));
    editor->show();
    editor->raise();
    static_cast<QLineEdit*>(editor)->selectAll();
    editor->setFocus();
}

void DynamicTextGrid::onValueEdited() {
    if (!dynamic_ || row_ < 1 || column_ != 0)
        return;
    const ByteString shown = dynamic_->SetEntry(row_, 0, asciiBytes(valueEdit_->text()));
    setCell(row_, 0, toQString(shown));
    if (shown.empty())
        setCell(row_, 1, QString());
    emit entryChanged();
}

void DynamicTextGrid::onTextEdited(const QString& text) {
    if (!dynamic_ || row_ < 1 || column_ != 1)
        return;
    Result<ByteString> bytes = fromQString(text);
    if (!bytes.ok() || !CDynamic::acceptsTypedText(bytes.value())) {
        // The entry keeps its text; the editor shows it again.
        const int cursor = textEdit_->cursorPosition();
        textEdit_->setText(toQString(dynamic_->m_editText));
        textEdit_->setCursorPosition(std::max(0, cursor - 1));
        if (!bytes.ok())
            emit textRefused(translateCoreText(bytes.message()));
        return;
    }
    dynamic_->m_editText = std::move(bytes.value());
    setCell(row_, 1, toQString(dynamic_->SetEntry(row_, 1)));
    emit entryChanged();
}

void DynamicTextGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    table_->setGeometry(rect());
    layoutColumns();
}

void DynamicTextGrid::layoutColumns() {
    const int scrollBar = table_->verticalScrollBar()->sizeHint().width();
    const int available = std::max(0, table_->width() - 2 * table_->frameWidth() - scrollBar);
    const int valueWidth = available * kValueWidthTwips / (kValueWidthTwips + kTextWidthTwips);
    table_->setColumnWidth(0, valueWidth);
    table_->setColumnWidth(1, available - valueWidth);
}

}  // namespace vanta
