#pragma once
// The value/text grid of the dynamic-text page: 32 rows, one per entry, with the value in the
// first column and the text in the second. A click on a cell opens an in-place editor over it:
// the numeric value editor for the first column, the text editor (at most 24 bytes) for the
// second; a text can only be entered in a row that has a value. Every change of an editor is
// stored in the dynamic text at once (CDynamic::SetEntry) and shown in the cell.

#include <QString>
#include <QWidget>

#include "model/PageRanges.h"

class QLineEdit;
class QTableWidget;

namespace vanta {

class CDynamic;
class CNumEdit;

class DynamicTextGrid : public QWidget {
    Q_OBJECT
  public:
    // Column widths of the grid, in the proportion the value and the text take.
    static constexpr int kValueWidthTwips = 550;
    static constexpr int kTextWidthTwips = 2350;
    static constexpr int kRowHeightTwips = 250;

    explicit DynamicTextGrid(QWidget* parent = nullptr);

    // Shows the entries of `dynamic` and edits them from now on; the editors are hidden and the
    // text editor takes at most CDynamic::kMaxTypedBytes bytes.
    void bind(CDynamic& dynamic);
    // Lets go of the dynamic text (it may be deleted while the page is hidden).
    void unbind();
    // Range and entry of the value editor (signed entry, hexadecimal entry).
    void setValueEntry(IntRange range, bool isSigned, bool hex);
    // Shows the entries again (after the values were reformatted).
    void refill();
    void hideEditors();
    // Opens the editor for a cell as a click does (row 1..32, column 0 value, 1 text). A click
    // on the text of a row without a value edits the value.
    void editCell(int row, int column);

    QTableWidget* table() const { return table_; }
    CNumEdit* valueEditor() const { return valueEdit_; }
    QLineEdit* textEditor() const { return textEdit_; }
    // The cell the open editor belongs to (0 when none was opened).
    int editRow() const { return row_; }
    int editColumn() const { return column_; }
    // Text of a cell (row 1..32).
    QString cellText(int row, int column) const;

  signals:
    // An editor changed an entry of the dynamic text.
    void entryChanged();
    // A typed text was refused (a character the panel's code page cannot hold).
    void textRefused(const QString& message);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void setCell(int row, int column, const QString& text);
    void layoutColumns();
    void onValueEdited();
    void onTextEdited(const QString& text);

    QTableWidget* table_ = nullptr;
    CNumEdit* valueEdit_ = nullptr;
    QLineEdit* textEdit_ = nullptr;
    CDynamic* dynamic_ = nullptr;
    int row_ = 0;
    int column_ = 0;
};

}  // namespace vanta
