// The numeric edit and spin: the widget-free field (validation, formatting, write-through,
// stepping) and the widgets driven by keystrokes and clicks.

#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"
#include "widgets/NumericField.h"

using vanta::CNumEdit;
using vanta::CNumSpinCtrl;
using vanta::NumericField;

namespace {

// Types a string one character at a time at the end of the text.
void typeAtEnd(NumericField& field, const std::string& keys) {
    for (char c : keys)
        field.typeCharacter(c, field.text().size(), 0);
}

}  // namespace

class TestNumeric : public QObject {
    Q_OBJECT
  private slots:
    void validationCodes();
    void typingWritesThroughOrRestores();
    void typingBelowTheMinimum();
    void minusSignAndClearing();
    void fieldWidths();
    void hexAndOctal();
    void setValueClampsAndRangeDisables();
    void incrementRules();
    void editTyping();
    void editDeletingAndPasting();
    void spinArrowsAndKeys();
    void spinBindingAndVisibility();
};

void TestNumeric::validationCodes() {
    NumericField f;
    f.setRange(1, 65535);
    QCOMPARE(f.validateText(""), int(vanta::kNumberEmpty));
    QCOMPARE(f.validateText("-"), int(vanta::kNumberInvalid));
    QCOMPARE(f.validateText("12a"), int(vanta::kNumberInvalid));
    QCOMPARE(f.validateText("a"), int(vanta::kNumberInvalid));
    QCOMPARE(f.validateText("-5"), int(vanta::kNumberInvalid));
    QCOMPARE(f.validateText("0"), int(vanta::kNumberOutOfRange));
    QCOMPARE(f.validateText("65536"), int(vanta::kNumberOutOfRange));
    QCOMPARE(f.validateText("99999999999999999999999"), int(vanta::kNumberOutOfRange));
    QCOMPARE(f.validateText("65535"), int(vanta::kNumberValid));
    f.setSigned(true);
    f.setRange(-100, 100);
    QCOMPARE(f.validateText("-"), int(vanta::kNumberLoneMinus));
    QCOMPARE(f.validateText("-100"), int(vanta::kNumberValid));
    QCOMPARE(f.validateText("-101"), int(vanta::kNumberOutOfRange));
    QCOMPARE(f.validateText("--1"), int(vanta::kNumberInvalid));
    QCOMPARE(f.validateText("1-"), int(vanta::kNumberInvalid));
    // The value of a text that is not valid is 0.
    f.textEdited("");
    typeAtEnd(f, "-");
    QCOMPARE(f.value(), 0);
}

void TestNumeric::typingWritesThroughOrRestores() {
    uint16_t screen = 99;
    NumericField f;
    f.setRange(1, 65535);
    f.bind(screen);
    // An emptied text is unfinished typing: the field keeps its value.
    NumericField::Outcome o = f.textEdited("");
    QVERIFY(!o.written && !o.refused);
    QCOMPARE(screen, uint16_t(99));

    o = f.typeCharacter('7', 0, 0);
    QVERIFY(o.written);
    QVERIFY(!o.refused);
    QCOMPARE(o.cursor, size_t(1));
    QCOMPARE(f.text(), std::string("7"));
    QCOMPARE(screen, uint16_t(7));

    typeAtEnd(f, "000");
    QCOMPARE(f.text(), std::string("7000"));
    QCOMPARE(screen, uint16_t(7000));
    // 70000 is above 65535 but has no more digits than the range: it stays as typed and is
    // not written; committing it shows the error state. It never becomes another number.
    o = f.typeCharacter('0', 4, 0);
    QVERIFY(!o.written && !o.refused);
    QCOMPARE(f.text(), std::string("70000"));
    QCOMPARE(screen, uint16_t(7000));
    QVERIFY(!f.hasError());
    QVERIFY(!f.commit());
    QVERIFY(f.hasError());
    QCOMPARE(f.text(), std::string("70000"));
    QCOMPARE(screen, uint16_t(7000));
    // A sixth digit cannot lead to a number of the range: refused, error state on.
    o = f.typeCharacter('1', 5, 0);
    QVERIFY(o.refused);
    QCOMPARE(f.text(), std::string("70000"));

    // A typed character replaces the selection; a valid entry ends the error state.
    o = f.typeCharacter('3', 0, 5);
    QCOMPARE(f.text(), std::string("3"));
    QCOMPARE(screen, uint16_t(3));
    QVERIFY(!f.hasError());
    // A wrong character is refused.
    o = f.typeCharacter('x', 1, 0);
    QVERIFY(o.refused && f.hasError());
    QCOMPARE(f.text(), std::string("3"));
    // Inserted in the middle.
    f.typeCharacter('5', 0, 0);
    QCOMPARE(f.text(), std::string("53"));
    QCOMPARE(screen, uint16_t(53));
    QVERIFY(f.commit());
    // A space changes nothing.
    o = f.typeCharacter(' ', 1, 0);
    QVERIFY(!o.written);
    QCOMPARE(f.text(), std::string("53"));
}

void TestNumeric::typingBelowTheMinimum() {
    // A width of 16..128: "2" on the way to "20" is accepted and the field waits for the rest.
    uint8_t width = 48;
    NumericField f;
    f.setRange(16, 128);
    f.bind(width);
    f.setValue(48);
    NumericField::Outcome o = f.typeCharacter('2', 0, 2);
    QVERIFY(!o.written && !o.refused);
    QCOMPARE(f.text(), std::string("2"));
    QCOMPARE(width, uint8_t(48));
    o = f.typeCharacter('0', 1, 0);
    QVERIFY(o.written);
    QCOMPARE(width, uint8_t(20));
    QVERIFY(f.commit());
    // Left at "2", the entry fails its check and the field keeps 20.
    f.textEdited("2");
    QVERIFY(!f.commit());
    QCOMPARE(width, uint8_t(20));
    // A fourth digit is more than any value of 16..128 has.
    f.textEdited("100");
    QVERIFY(f.typeCharacter('0', 3, 0).refused);
    QCOMPARE(width, uint8_t(100));
}

void TestNumeric::minusSignAndClearing() {
    uint8_t count = 4;
    NumericField unsignedField;
    unsignedField.setRange(1, 10);
    unsignedField.bind(count);
    unsignedField.setValue(4);
    NumericField::Outcome o = unsignedField.typeCharacter('-', 0, 0);
    QVERIFY(o.refused);
    QCOMPARE(unsignedField.text(), std::string("4"));
    QCOMPARE(count, uint8_t(4));
    // Clearing the text writes nothing (0 is below the minimum); the check refuses it.
    o = unsignedField.textEdited("");
    QVERIFY(!o.written);
    QCOMPARE(count, uint8_t(4));
    QVERIFY(!unsignedField.commit());
    // Where an empty entry means "no value" it is written as 0.
    unsignedField.setEmptyAllowed(true);
    o = unsignedField.textEdited("");
    QVERIFY(o.written);
    QCOMPARE(count, uint8_t(0));
    QVERIFY(unsignedField.commit());

    int32_t limit = 55;
    NumericField signedField;
    signedField.setSigned(true);
    signedField.setRange(-2147483648.0, 2147483647.0);
    signedField.bind(limit);
    signedField.textEdited("");
    o = signedField.typeCharacter('-', 0, 0);
    QVERIFY(!o.written && !o.refused);
    QCOMPARE(signedField.text(), std::string("-"));
    QCOMPARE(limit, 55);
    typeAtEnd(signedField, "2147483648");
    QCOMPARE(limit, int32_t(-2147483647 - 1));
    QCOMPARE(signedField.text(), std::string("-2147483648"));
    QVERIFY(signedField.commit());
}

void TestNumeric::fieldWidths() {
    // Values written into narrower fields keep their low bits; a full 32-bit unsigned range.
    uint32_t wide = 0;
    NumericField u32;
    u32.setRange(0, 4294967295.0);
    u32.bind(wide);
    typeAtEnd(u32, "4294967295");
    QCOMPARE(wide, 4294967295u);
    QCOMPARE(u32.value(), -1);
    u32.setValue(-1);
    QCOMPARE(u32.text(), std::string("4294967295"));

    int16_t s16 = 0;
    NumericField f16;
    f16.setSigned(true);
    f16.setRange(-32768, 32767);
    f16.bind(s16);
    f16.setValue(-300);
    QCOMPARE(s16, int16_t(-300));
    QCOMPARE(f16.boundValue(), -300);
    f16.setValue(40000);  // clamped to the maximum
    QCOMPARE(s16, int16_t(32767));

    uint8_t byte = 0;
    NumericField f8;
    f8.setRange(0, 255);
    f8.bind(byte);
    typeAtEnd(f8, "255");
    QCOMPARE(byte, uint8_t(255));
    QVERIFY(f8.typeCharacter('9', 3, 0).refused);
    QCOMPARE(byte, uint8_t(255));

    // Unbinding stops the write-through.
    f8.unbind();
    f8.setValue(7);
    QCOMPARE(byte, uint8_t(255));
    QCOMPARE(f8.boundValue(), 0);
}

void TestNumeric::hexAndOctal() {
    uint8_t station = 0;
    NumericField hex;
    hex.setRange(0, 255);
    hex.bind(station);
    hex.setHex(true);
    typeAtEnd(hex, "1f");
    QCOMPARE(hex.text(), std::string("1f"));
    QCOMPARE(station, uint8_t(31));
    hex.textEdited("");
    typeAtEnd(hex, "1F");
    QCOMPARE(hex.text(), std::string("1F"));
    QCOMPARE(station, uint8_t(31));
    hex.setValue(31);
    QCOMPARE(hex.text(), std::string("1F"));
    QCOMPARE(hex.validateText("G"), int(vanta::kNumberInvalid));
    QCOMPARE(hex.validateText("100"), int(vanta::kNumberOutOfRange));
    // Two hexadecimal digits reach 255: a third is refused, a minus sign is no hex digit.
    QVERIFY(hex.typeCharacter('0', 2, 0).refused);
    QVERIFY(hex.typeCharacter('-', 0, 0).refused);
    QCOMPARE(hex.maxDigits(), 2);
    // A value out of range is clamped in hexadecimal mode too.
    hex.setValue(0x1234);
    QCOMPARE(hex.text(), std::string("FF"));
    QCOMPARE(station, uint8_t(255));

    uint16_t address = 0;
    NumericField oct;
    oct.setRange(0, 511);
    oct.bind(address);
    oct.setOctal(true);
    typeAtEnd(oct, "17");
    QCOMPARE(address, uint16_t(15));
    // 8 is no octal digit; at most three digits reach 511 (777).
    QVERIFY(oct.typeCharacter('8', 2, 0).refused);
    QCOMPARE(oct.text(), std::string("17"));
    typeAtEnd(oct, "7");
    QCOMPARE(address, uint16_t(0177));
    QVERIFY(oct.typeCharacter('0', 3, 0).refused);
    oct.textEdited("");
    typeAtEnd(oct, "1");
    QCOMPARE(address, uint16_t(1));
    // The range applies to the octal value: 777 (511) is in, 1000 (512) is out.
    QCOMPARE(oct.validateText("777"), int(vanta::kNumberValid));
    QCOMPARE(oct.validateText("1000"), int(vanta::kNumberOutOfRange));
    oct.setValue(64);
    QCOMPARE(oct.text(), std::string("100"));
    // Hexadecimal switches octal display off.
    oct.setHex(true);
    QVERIFY(!oct.isOctal());
}

void TestNumeric::setValueClampsAndRangeDisables() {
    uint16_t v = 0;
    NumericField f;
    f.bind(v);
    f.setRange(10, 20);
    f.setValue(5);
    QCOMPARE(f.text(), std::string("10"));
    QCOMPARE(v, uint16_t(10));
    f.setValue(25);
    QCOMPARE(v, uint16_t(20));
    // A narrower range brings the value into it.
    f.setRange(10, 15);
    QCOMPARE(v, uint16_t(15));
    QVERIFY(f.isEnabled());
    f.setRange(0, 0);
    QVERIFY(!f.isEnabled());
    QCOMPARE(f.text(), std::string("0"));
    QCOMPARE(v, uint16_t(0));
    f.setRange(7, 7);
    QCOMPARE(f.text(), std::string("7"));
    f.setRange(1, 100);
    QVERIFY(f.isEnabled());
    QCOMPARE(v, uint16_t(7));
    // A lower limit above the upper one shows the upper.
    f.setRange(9, 8);
    QVERIFY(!f.isEnabled());
    QCOMPARE(v, uint16_t(8));
}

void TestNumeric::incrementRules() {
    uint16_t v = 0;
    NumericField f;
    f.bind(v);
    f.setRange(0, 100);
    f.setValue(0);
    f.increment(-1);
    QCOMPARE(v, uint16_t(0));
    f.setRange(1, 100);
    f.setValue(1);
    f.increment(-1);
    QCOMPARE(v, uint16_t(1));
    f.setStep(10);
    f.setValue(95);
    f.increment(1);
    QCOMPARE(v, uint16_t(100));
    f.setValue(5);
    f.increment(-1);  // below zero: the minimum
    QCOMPARE(v, uint16_t(1));
    f.setValue(50);
    f.increment(-2);
    QCOMPARE(v, uint16_t(30));

    // Unsigned over the whole 32-bit range: up from the top wraps to the minimum.
    uint32_t w = 0;
    NumericField wide;
    wide.bind(w);
    wide.setRange(0, 4294967295.0);
    wide.setValue(-1);
    wide.increment(1);
    QCOMPARE(w, 0u);

    int32_t s = 0;
    NumericField sf;
    sf.setSigned(true);
    sf.bind(s);
    sf.setRange(-5, 5);
    sf.setValue(-4);
    sf.increment(-3);
    QCOMPARE(s, -5);
    sf.increment(20);
    QCOMPARE(s, 5);
}

void TestNumeric::editTyping() {
    uint16_t v = 5;
    QWidget window;
    auto* edit = new CNumEdit(&window);
    auto* other = new QLineEdit(&window);
    CNumSpinCtrl spin(edit);
    spin.bind(v, 1, 65535);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(edit->text(), QString("5"));
    QSignalSpy changed(edit, &CNumEdit::valueChanged);
    QSignalSpy spinChanged(&spin, &CNumSpinCtrl::valueChanged);

    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "7");
    QCOMPARE(edit->text(), QString("7"));
    QCOMPARE(v, uint16_t(7));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(spinChanged.count(), 1);

    // Typed on to 70000: kept as typed, not written, no error until the entry is checked.
    QTest::keyClicks(edit, "0000");
    QCOMPARE(edit->text(), QString("70000"));
    QCOMPARE(v, uint16_t(7000));
    QVERIFY(!edit->hasInputError());
    // Enter checks it: a red frame and a tooltip with the range; the field keeps 7000.
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(edit->hasInputError());
    QCOMPARE(edit->toolTip(), QStringLiteral("允许: 1 至 65535"));
    QCOMPARE(edit->text(), QString("70000"));
    QCOMPARE(v, uint16_t(7000));
    // An over-long keystroke is refused visibly.
    QTest::keyClicks(edit, "1");
    QCOMPARE(edit->text(), QString("70000"));
    QVERIFY(edit->hasInputError());
    // Fixing the entry ends the error state.
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QString("7000"));
    QVERIFY(!edit->hasInputError());
    QCOMPARE(edit->toolTip(), QString());

    // The focus leaving checks the entry as well.
    edit->selectAll();
    QTest::keyClicks(edit, "0");
    QCOMPARE(v, uint16_t(7000));
    other->setFocus();
    QVERIFY(edit->hasInputError());
    QCOMPARE(edit->text(), QString("0"));
    spin.setPosition(12);
    QVERIFY(!edit->hasInputError());

    // A minus sign in an unsigned control is refused.
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, "-");
    QCOMPARE(edit->text(), QString("12"));
    QCOMPARE(v, uint16_t(12));

    int32_t s = 3;
    CNumEdit signedEdit;
    CNumSpinCtrl signedSpin(&signedEdit);
    signedSpin.bind(s, -100, 100, false, true);
    signedEdit.selectAll();
    QTest::keyClicks(&signedEdit, "-");
    QCOMPARE(signedEdit.text(), QString("-"));
    QCOMPARE(s, 3);
    QTest::keyClicks(&signedEdit, "42");
    QCOMPARE(s, -42);

    uint8_t h = 0;
    CNumEdit hexEdit;
    CNumSpinCtrl hexSpin(&hexEdit);
    hexSpin.bind(h, 0, 255, true);
    hexEdit.selectAll();
    QTest::keyClicks(&hexEdit, "1f");
    QCOMPARE(hexEdit.text(), QString("1f"));
    QCOMPARE(h, uint8_t(31));
    hexSpin.setPosition(31);
    QCOMPARE(hexEdit.text(), QString("1F"));
    QCOMPARE(hexEdit.rangeHint(), QStringLiteral("允许: 0 至 FF (十六进制)"));
}

void TestNumeric::editDeletingAndPasting() {
    uint16_t v = 0;
    CNumEdit edit;
    CNumSpinCtrl spin(&edit);
    spin.bind(v, 100, 200);
    spin.setPosition(150);
    QSignalSpy changed(&edit, &CNumEdit::valueChanged);
    edit.setCursorPosition(3);
    QTest::keyClick(&edit, Qt::Key_Backspace);  // "15": out of range, kept, nothing written
    QCOMPARE(edit.text(), QString("15"));
    QCOMPARE(v, uint16_t(150));
    QCOMPARE(changed.count(), 0);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Backspace);  // empty: nothing written either
    QCOMPARE(edit.text(), QString());
    QCOMPARE(v, uint16_t(150));
    QCOMPARE(changed.count(), 0);
    // Pasting a number of the range writes it; pasting anything else is refused.
    edit.insert(QStringLiteral("180"));
    QCOMPARE(v, uint16_t(180));
    QCOMPARE(changed.count(), 1);
    edit.setText(QStringLiteral("18x"));
    emit edit.textEdited(edit.text());
    QCOMPARE(edit.text(), QString("180"));
    QVERIFY(edit.hasInputError());
    // The arrows start from the number shown, and clear the error state.
    QTest::keyClick(&edit, Qt::Key_Up);
    QCOMPARE(v, uint16_t(181));
    QVERIFY(!edit.hasInputError());
}

void TestNumeric::spinArrowsAndKeys() {
    uint16_t v = 0;
    QWidget page;
    auto* edit = new CNumEdit(&page);
    edit->setGeometry(10, 10, 50, 20);
    auto* spin = new CNumSpinCtrl(edit, &page);
    spin->bind(v, 0, 10);
    page.show();
    // The spin sits right beside its buddy.
    QCOMPARE(spin->geometry(), QRect(60, 10, CNumSpinCtrl::kWidth, 20));
    edit->move(20, 30);
    QCOMPARE(spin->geometry().topLeft(), QPoint(70, 30));

    QSignalSpy changed(spin, &CNumSpinCtrl::valueChanged);
    const QList<QToolButton*> buttons = spin->findChildren<QToolButton*>();
    QCOMPARE(buttons.size(), 2);
    QToolButton* up = buttons[0]->arrowType() == Qt::UpArrow ? buttons[0] : buttons[1];
    QToolButton* down = up == buttons[0] ? buttons[1] : buttons[0];
    down->click();
    QCOMPARE(v, uint16_t(0));
    up->click();
    up->click();
    QCOMPARE(v, uint16_t(2));
    QCOMPARE(edit->text(), QString("2"));
    QCOMPARE(spin->position(), 2);
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(v, uint16_t(3));
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(v, uint16_t(1));
    QCOMPARE(changed.count(), 6);

    // min == max disables the pair and shows the maximum; the arrows then do nothing.
    spin->setRange(4, 4);
    QVERIFY(!edit->isEnabled());
    QVERIFY(!spin->isEnabled());
    QCOMPARE(edit->text(), QString("4"));
    QCOMPARE(v, uint16_t(4));
    spin->stepBy(1);
    QCOMPARE(v, uint16_t(4));
    spin->setRange(0, 9);
    QVERIFY(edit->isEnabled());
    QVERIFY(spin->isEnabled());
}

void TestNumeric::spinBindingAndVisibility() {
    QWidget page;
    auto* edit = new CNumEdit(&page);
    auto* spin = new CNumSpinCtrl(edit, &page);
    uint16_t a = 12, b = 8;
    spin->bind(a, 0, 100);
    spin->bind(b, 0, 100);
    QCOMPARE(edit->text(), QString("8"));
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(a, uint16_t(12));
    QCOMPARE(b, uint16_t(9));
    // Binding shows the field's value clamped into the range, and writes the clamped value.
    uint16_t c = 500;
    spin->bind(c, 1, 200);
    QCOMPARE(edit->text(), QString("200"));
    QCOMPARE(c, uint16_t(200));
    // Octal binding of a 16-bit address.
    uint16_t address = 8;
    spin->bindOctal(address, 0, 4095, true);
    QCOMPARE(edit->text(), QString("10"));
    spin->bind(address, 0, 4095);
    QCOMPARE(edit->text(), QString("8"));

    page.show();
    spin->show(false);
    QVERIFY(!edit->isVisible());
    QVERIFY(!spin->isVisible());
    spin->show(true);
    QVERIFY(edit->isVisible());
    QVERIFY(spin->isVisible());
}

QTEST_MAIN(TestNumeric)
#include "tst_numeric.moc"
