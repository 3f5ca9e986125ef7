// The dynamic-text page with real widgets: the value/text grid (click-to-edit, values and texts,
// clearing a value, the text limit and refused characters), the display mode and the signed
// option reformatting the values, the register type's value range, and the bound controls.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "model/CDynamic.h"
#include "pages/DynamicPage.h"
#include "pages/DynamicTextGrid.h"
#include "project/Project.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"

using namespace vanta;

namespace {

// Types a text key by key; characters outside ASCII arrive as key events carrying their text.
void typeText(QWidget* widget, const QString& text) {
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.unicode() < 0x80) {
            QTest::keyClick(widget, char(ch.unicode()));
        } else {
            const int length = ch.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length),
                                Qt::NoModifier);
            i += length - 1;
        }
    }
}

// A project of one protocol with a dynamic text placed at the display's origin.
struct Fixture {
    explicit Fixture(uint8_t protocol) : project(nullptr, protocol) {
        dynamic = std::make_unique<CDynamic>(project.context(), 0, 0, ByteString("Dynamic Text"));
        dynamic->PlaceAt(0, 0);
        page.resize(512, 230);
        page.show();
        page.fill(*dynamic, project);
    }
    const DynamicPage::Controls& c() const { return page.controls(); }
    DynamicTextGrid& grid() const { return *page.controls().grid; }

    // A click on a cell of the grid (row 1..32).
    void click(int row, int column) {
        QTableWidget* table = grid().table();
        QTableWidgetItem* item = table->item(row - 1, column);
        table->scrollToItem(item);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(item).center());
    }
    // Clicks the cell and types into the editor that opens (replacing its text).
    void type(int row, int column, const QString& keys) {
        click(row, column);
        QLineEdit* editor = grid().editColumn() == 0 ? static_cast<QLineEdit*>(grid().valueEditor())
                                                     : grid().textEditor();
        editor->selectAll();
        // A refused keystroke drops those queued behind it until the event loop runs again.
        QCoreApplication::processEvents();
        if (keys.isEmpty())
            QTest::keyClick(editor, Qt::Key_Backspace);
        else
            typeText(editor, keys);
    }

    Project project;
    std::unique_ptr<CDynamic> dynamic;
    DynamicPage page;
};

}  // namespace

class TestDynamicPage : public QObject {
    Q_OBJECT
  private slots:
    void gridShowsTheEntries();
    void valuesAndTextsAreEnteredInTheGrid();
    void clearingAValueClearsItsText();
    void textEditorLimitAndRefusedCharacters();
    void hexModeReformatsTheValues();
    void signedOptionAndTypeSetTheValueRange();
    void protocol31ValuesAndSubTypes();
    void boundControlsWriteThrough();
};

void TestDynamicPage::gridShowsTheEntries() {
    Fixture f(3);
    QTableWidget* table = f.grid().table();
    QCOMPARE(table->rowCount(), 32);
    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QString("Value"));
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QString("Content"));
    // The columns share the width as 550 to 2350.
    const double ratio = double(table->columnWidth(0)) / table->columnWidth(1);
    QVERIFY(qAbs(ratio - 550.0 / 2350.0) < 0.02);
    QCOMPARE(f.grid().cellText(1, 0), QString("1"));
    QCOMPARE(f.grid().cellText(1, 1), QString("Dynamic Text"));
    QCOMPARE(f.grid().cellText(2, 0), QString());
    QVERIFY(f.grid().valueEditor()->isHidden());
    QVERIFY(f.grid().textEditor()->isHidden());
    QCOMPARE(f.grid().parentWidget(), static_cast<QWidget*>(f.c().textGroup));
}

void TestDynamicPage::valuesAndTextsAreEnteredInTheGrid() {
    Fixture f(3);
    QSignalSpy changed(&f.page, &PropertyPage::componentChanged);

    // A click on the text of a row without a value edits the value.
    f.click(2, 1);
    QCOMPARE(f.grid().editRow(), 2);
    QCOMPARE(f.grid().editColumn(), 0);
    QVERIFY(f.grid().valueEditor()->isVisible());
    QVERIFY(f.grid().textEditor()->isHidden());
    QTest::keyClicks(f.grid().valueEditor(), "25");
    QCOMPARE(f.dynamic->m_values[1], 25);
    QCOMPARE(f.dynamic->m_valueTexts[1], ByteString("25"));
    QCOMPARE(f.grid().cellText(2, 0), QString("25"));

    // Now the text can be entered; the longer text widens the component.
    const int32_t widthBefore = f.dynamic->m_rect.width();
    f.type(2, 1, "Pump running");
    QCOMPARE(f.grid().editColumn(), 1);
    QCOMPARE(f.dynamic->m_texts[1], ByteString("Pump running"));
    QCOMPARE(f.grid().cellText(2, 1), QString("Pump running"));
    QCOMPARE(f.dynamic->m_textWidth, uint8_t(12));
    QCOMPARE(f.dynamic->m_rect.width(), widthBefore);
    f.type(2, 1, QString::fromUtf8("泵运行中，压力正常"));
    QCOMPARE(f.dynamic->m_texts[1].size(), size_t(18));
    QCOMPARE(f.dynamic->m_textWidth, uint8_t(18));
    QVERIFY(f.dynamic->m_rect.width() > widthBefore);
    // The X spin keeps the wider text inside the display.
    QCOMPARE(f.c().x->field().maximum(), double(192 - f.dynamic->m_rect.width() * 4 / 9));
    QVERIFY(changed.count() >= 3);

    // The first row's text is edited in place and loaded with the cell's text.
    f.click(1, 1);
    QCOMPARE(f.grid().textEditor()->text(), QString("Dynamic Text"));
    QCOMPARE(f.grid().textEditor()->selectedText(), QString("Dynamic Text"));
    QTest::keyClick(f.grid().textEditor(), Qt::Key_End);
    QTest::keyClicks(f.grid().textEditor(), "!");
    QCOMPARE(f.dynamic->m_texts[0], ByteString("Dynamic Text!"));
    QCOMPARE(f.dynamic->shownText(), ByteString("Dynamic Text!"));

    // The value editor keeps what the type cannot hold ("4x" is 16 bits, unsigned) out of the
    // entry: 70000 stays in the editor, marked as an error once it is checked.
    f.type(3, 0, "70000");
    QCOMPARE(f.dynamic->m_valueTexts[2], ByteString("7000"));
    QCOMPARE(f.dynamic->m_values[2], 7000);
    QCOMPARE(f.grid().valueEditor()->text(), QString("70000"));
    QVERIFY(!f.grid().valueEditor()->commit());
    QVERIFY(f.grid().valueEditor()->hasInputError());
    // A sign is refused: the editor keeps its text.
    f.type(4, 0, "-");
    QCOMPARE(f.grid().valueEditor()->text(), QString());
    QCOMPARE(f.dynamic->m_values[3], 0);
}

void TestDynamicPage::clearingAValueClearsItsText() {
    Fixture f(3);
    f.type(2, 0, "7");
    f.type(2, 1, "Seven");
    QCOMPARE(f.dynamic->m_texts[1], ByteString("Seven"));

    f.type(2, 0, "");
    QCOMPARE(f.dynamic->m_valueTexts[1], ByteString());
    QCOMPARE(f.dynamic->m_texts[1], ByteString());
    QCOMPARE(f.grid().cellText(2, 0), QString());
    QCOMPARE(f.grid().cellText(2, 1), QString());
    // Without a value the row offers the value again.
    f.click(2, 1);
    QCOMPARE(f.grid().editColumn(), 0);

    // Clearing the first row leaves no text to show but the entry's siblings.
    f.type(1, 0, "");
    QCOMPARE(f.dynamic->m_texts[0], ByteString());
    QCOMPARE(f.dynamic->shownText(), ByteString());
}

void TestDynamicPage::textEditorLimitAndRefusedCharacters() {
    Fixture f(3);
    f.type(1, 1, QString(30, QChar('x')));
    QCOMPARE(f.dynamic->m_texts[0], ByteString(24, 'x'));
    QCOMPARE(f.grid().textEditor()->text(), QString(24, QChar('x')));
    // Double-byte characters count two bytes each.
    f.type(1, 1, QString(13, QChar(0x6E29)));  // 温
    QCOMPARE(f.dynamic->m_texts[0].size(), size_t(24));

    // A character the code page cannot hold is refused with a message; the text stays.
    f.type(1, 1, "ok");
    QSignalSpy refused(&f.grid(), &DynamicTextGrid::textRefused);
    auto seen = std::make_shared<QString>();
    QTimer::singleShot(0, [seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *seen = box->text();
            box->accept();
        }
    });
    QTest::sendKeyEvent(QTest::Click, f.grid().textEditor(), Qt::Key_unknown,
                        QString::fromUtf8("\xF0\x9F\x98\x80"), Qt::NoModifier);
    QCOMPARE(refused.count(), 1);
    QVERIFY(seen->contains("GBK"));
    QCOMPARE(f.dynamic->m_texts[0], ByteString("ok"));
    QCOMPARE(f.grid().textEditor()->text(), QString("ok"));
}

void TestDynamicPage::hexModeReformatsTheValues() {
    Fixture f(3);
    f.c().isSigned->click();
    QCOMPARE(f.dynamic->m_signed, uint8_t(1));
    f.type(2, 0, "300");
    f.type(3, 0, "-5");
    QCOMPARE(f.dynamic->m_values[2], -5);

    f.c().modeHex->click();
    QCOMPARE(f.dynamic->m_displayMode, uint8_t(0));
    QCOMPARE(f.dynamic->m_signed, uint8_t(0));
    QVERIFY(!f.c().isSigned->isChecked());
    QVERIFY(!f.c().isSigned->isEnabled());
    QCOMPARE(f.grid().cellText(1, 0), QString("1"));
    QCOMPARE(f.grid().cellText(2, 0), QString("12c"));
    QCOMPARE(f.grid().cellText(3, 0), QString("0"));
    QCOMPARE(f.dynamic->m_values[2], 0);
    QCOMPARE(f.grid().cellText(4, 0), QString());
    QVERIFY(f.grid().valueEditor()->isHidden());

    // The value editor now takes hexadecimal digits, and no sign.
    f.type(4, 0, "fF");
    QCOMPARE(f.dynamic->m_values[3], 255);
    QCOMPARE(f.dynamic->m_valueTexts[3], ByteString("fF"));
    f.type(4, 0, "-");
    QCOMPARE(f.dynamic->m_values[3], 255);
    QCOMPARE(f.dynamic->m_valueTexts[3], ByteString("fF"));
    QCOMPARE(f.grid().cellText(4, 0), QString("fF"));

    // Back to decimal: the values are shown in decimal again and "有符号数" is offered.
    f.c().modeDecimal->click();
    QCOMPARE(f.dynamic->m_displayMode, uint8_t(1));
    QVERIFY(f.c().isSigned->isEnabled());
    QCOMPARE(f.grid().cellText(2, 0), QString("300"));
    QCOMPARE(f.grid().cellText(4, 0), QString("255"));
}

void TestDynamicPage::signedOptionAndTypeSetTheValueRange() {
    Fixture f(3);
    f.type(2, 0, "40000");
    QCOMPARE(f.dynamic->m_values[1], 40000);
    QCOMPARE(f.grid().valueEditor()->field().maximum(), 65535.0);
    QCOMPARE(f.grid().valueEditor()->field().minimum(), 0.0);

    f.c().isSigned->click();
    QCOMPARE(f.grid().valueEditor()->field().maximum(), 32767.0);
    QCOMPARE(f.grid().valueEditor()->field().minimum(), -32768.0);
    QVERIFY(f.grid().valueEditor()->field().isSigned());
    QCOMPARE(f.dynamic->m_values[1], 32767);
    QCOMPARE(f.grid().cellText(2, 0), QString("32767"));
    f.type(3, 0, "-32768");
    QCOMPARE(f.dynamic->m_values[2], -32768);

    // Unchecking clamps the negative value to 0.
    f.c().isSigned->click();
    QCOMPARE(f.dynamic->m_values[2], 0);
    QCOMPARE(f.grid().cellText(3, 0), QString("0"));

    // A type of another width: the range follows it ("RP" of the panel is 16 bits, like "4x";
    // every type keeps within 16 bits).
    const int count = f.c().type->count();
    QVERIFY(count > 2);
    for (int i = 0; i < count; ++i) {
        f.c().type->setCurrentIndex(i);
        QCOMPARE(f.dynamic->m_regType, uint8_t(i));
        const IntRange expected = f.dynamic->valueRange();
        QCOMPARE(f.grid().valueEditor()->field().maximum(), double(expected.max));
        QVERIFY(expected.max <= 65535);
        for (int v : f.dynamic->m_values)
            QVERIFY(v <= expected.max && v >= expected.min);
    }
}

void TestDynamicPage::protocol31ValuesAndSubTypes() {
    Fixture f(31);
    QVERIFY(f.c().subType->isVisible());
    QVERIFY(f.c().subType->count() > 0);
    f.type(2, 0, "15");
    QCOMPARE(f.dynamic->m_values[1], 15);
    f.type(3, 0, "16");
    QCOMPARE(f.dynamic->m_valueTexts[2], ByteString("1"));

    f.c().isSigned->click();
    QCOMPARE(f.dynamic->m_values[1], 7);
    QCOMPARE(f.grid().valueEditor()->field().minimum(), -8.0);
    QCOMPARE(f.grid().valueEditor()->field().maximum(), 7.0);

    // The sub-type list follows the module; the parameter decides the type value.
    if (f.c().type->count() > 1) {
        f.c().type->setCurrentIndex(1);
        QCOMPARE(f.dynamic->m_regType, uint8_t(1));
        const auto& names = f.project.vocabulary().parameterNames(TypeList::Word, 1);
        QCOMPARE(f.c().subType->count(), int(names.size()));
    }
}

void TestDynamicPage::boundControlsWriteThrough() {
    Fixture f(3);
    QSignalSpy changed(&f.page, &PropertyPage::componentChanged);
    f.c().x->selectAll();
    QTest::keyClicks(f.c().x, "40");
    QCOMPARE(f.dynamic->m_x, 40);
    QCOMPARE(f.dynamic->m_rect.left, int(40 * 2.25 + 0.5));
    QCOMPARE(changed.count(), 2);

    // The view writes a dragged position into the spins.
    f.page.setCoordinates(12, 8);
    QCOMPARE(f.c().x->text(), QString("12"));
    QCOMPARE(f.c().y->text(), QString("8"));

    // Double size: the text fills the display's width, X can only be 0.
    f.c().doubleSize->click();
    QCOMPARE(f.dynamic->m_doubleSize, uint8_t(1));
    QCOMPARE(f.dynamic->m_rect.height(), 72);
    QCOMPARE(f.c().y->field().maximum(), double(64 - 72 * 4 / 9));
    f.c().inverse->click();
    QCOMPARE(f.dynamic->m_inverse, uint8_t(1));

    QCOMPARE(f.dynamic->m_x, 0);
    QCOMPARE(f.c().x->field().maximum(), 0.0);
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestDynamicPage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dynamic_page.moc"
