// The property pages of static text, register, lamp, bar graph / trend and picture, driven
// through their controls: every change lands in the component and the page's rules follow.

#include <QDialog>
#include <QGroupBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>
#include <vector>

#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CLight.h"
#include "model/CRegister.h"
#include "model/CTide.h"
#include "model/CUpLoadPic.h"
#include "pages/PageWidgets.h"
#include "pages/PropertyPage.h"
#include "project/Project.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"

using namespace vanta;

namespace {

// Forwards the model's page calls to one page, as the editor view does.
class TestHost : public PageHost {
  public:
    PropertyPage* page = nullptr;
    Project* project = nullptr;
    void showPage(uint8_t) override {}
    void fillPage(CBase& component) override {
        if (page)
            page->fill(component, *project);
    }
    void setPageCoordinates(uint8_t, int32_t x, int32_t y) override {
        if (page)
            page->setCoordinates(x, y);
    }
    void showScreenPage() override {}
    void setScreenCaption(const std::string&) override {}
    void fillScreenPage(CMainView&) override {}
};

// A project of one protocol with a page of one kind bound to it.
struct Fixture {
    explicit Fixture(uint8_t kind, uint8_t protocol = 4) : project(nullptr, protocol) {
        page.reset(createPropertyPage(kind, nullptr));
        host.page = page.get();
        host.project = &project;
        project.context().pages = &host;
    }
    template <typename T>
    T* find(const char* name) const {
        T* child = page->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
    CNumEdit* edit(const char* base) const {
        return find<CNumEdit>((std::string(base) + "Edit").c_str());
    }
    Project project;
    TestHost host;
    std::unique_ptr<PropertyPage> page;
};

// Replaces the edit's text by typing.
void retype(CNumEdit* edit, const QString& text) {
    QCoreApplication::processEvents();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Types text that may hold characters beyond Latin-1, one key event per character.
void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
    }
}

// A choice made by the user in a drop-down list.
void choose(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

}  // namespace

class TestPages : public QObject {
    Q_OBJECT
  private slots:
    void factoryAndPageFrame();
    void textPage();
    void registerModeAndDigits();
    void registerOptionsAndTypes();
    void registerLimits();
    void lampPage();
    void barPage();
    void trendPage();
    void picturePage();
    void tabFollowsTheBindingsReadingOrder();
};

void TestPages::factoryAndPageFrame() {
    // Every kind of the kind table has its page; bar graph and trend share theirs.
    for (const ComponentKindInfo& kind : componentKinds())
        QVERIFY2(pageMakerOf(kind.code) != nullptr, kind.displayName);
    QVERIFY(pageMakerOf(kKindBar) == pageMakerOf(kKindTide));
    QVERIFY(pageMakerOf(kKindChars) != pageMakerOf(kKindDynamic));
    QVERIFY(!createPropertyPage(0, nullptr));
    QVERIFY(!createPropertyPage(9, nullptr));

    for (uint8_t kind : {kKindChars, kKindRegister, kKindLight, kKindBar, kKindPicture}) {
        std::unique_ptr<PropertyPage> page(createPropertyPage(kind, nullptr));
        QVERIFY(page);
        QVERIFY(page->isHidden());
    }

    // Enter and Escape in a page never reach the window around it.
    QDialog dialog;
    PropertyPage* page = createPropertyPage(kKindChars, &dialog);
    dialog.show();
    page->show();
    auto* x = page->findChild<CNumEdit*>("xEdit");
    x->setFocus();
    QTest::keyClick(x, Qt::Key_Escape);
    QTest::keyClick(x, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
}

void TestPages::textPage() {
    Fixture f(kKindChars);
    CChars text(f.project.context(), 0, 0, "AB");
    text.SetPosition(0, 0);
    f.page->fill(text, f.project);
    QSignalSpy changed(f.page.get(), &PropertyPage::componentChanged);
    CNumEdit* x = f.edit("x");
    QCOMPARE(x->text(), QString("0"));
    QCOMPARE(x->field().maximum(), 176.0);

    retype(x, "40");
    QCOMPARE(text.m_x, 40);
    QCOMPARE(text.m_rect.left, 90);
    QVERIFY(changed.count() >= 1);

    // Double size at the right edge moves the text left; the X spin follows.
    retype(x, "176");
    QCOMPARE(text.m_x, 176);
    f.find<BoundCheckBox>("doubleSize")->click();
    QCOMPARE(text.m_doubleSize, uint8_t(1));
    QCOMPARE(text.m_rect.width(), 72);
    QCOMPARE(text.m_rect.right, 432);
    QCOMPARE(text.m_x, 160);
    QCOMPARE(x->text(), QString("160"));
    QCOMPARE(x->field().maximum(), 160.0);
    QCOMPARE(f.edit("y")->field().maximum(), 32.0);

    f.find<BoundCheckBox>("inverse")->click();
    QCOMPARE(text.m_inverse, uint8_t(1));

    // The text grows up to 24 bytes; a character more is refused.
    auto* edit = f.find<QLineEdit>("text");
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, "CD");
    QCOMPARE(text.m_text, std::string("ABCD"));
    QCOMPARE(text.m_rect.width(), 4 * 36);
    QCOMPARE(x->field().maximum(), 128.0);
    edit->selectAll();
    QTest::keyClicks(edit, QString(24, 'x'));
    QCOMPARE(text.m_text, std::string(24, 'x'));
    QTest::keyClicks(edit, "y");
    QCOMPARE(edit->text(), QString(24, 'x'));
    QCOMPARE(text.m_text, std::string(24, 'x'));
    // Double-byte characters count two bytes.
    edit->selectAll();
    typeText(edit, QString::fromUtf8("文本"));
    QCOMPARE(text.m_text.size(), size_t(4));

    // A longer text loaded from a file is kept, and may be shortened.
    CChars loaded(f.project.context(), 0, 0, std::string(30, 'L'));
    loaded.SetPosition(0, 0);
    f.page->fill(loaded, f.project);
    QCOMPARE(edit->text(), QString(30, 'L'));
    edit->setFocus();
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(loaded.m_text, std::string(29, 'L'));
    QTest::keyClicks(edit, "M");
    QCOMPARE(loaded.m_text, std::string(29, 'L'));
}

void TestPages::registerModeAndDigits() {
    Fixture f(kKindRegister, 2);
    CRegister reg(f.project.context(), 0, 0);
    reg.SetPosition(0, 0);
    reg.m_signed = 1;
    reg.m_decimals = 2;
    f.page->fill(reg, f.project);
    auto* hex = f.find<QRadioButton>("hexMode");
    auto* dec = f.find<QRadioButton>("decimalMode");
    auto* isSigned = f.find<BoundCheckBox>("signed");
    CNumEdit* decimals = f.edit("decimals");
    CNumEdit* digits = f.edit("digits");
    QVERIFY(dec->isChecked());
    QVERIFY(isSigned->isChecked());

    // HEX/BCD: no sign, no decimals.
    hex->click();
    QCOMPARE(reg.m_displayMode, uint8_t(0));
    QCOMPARE(reg.m_signed, uint8_t(0));
    QCOMPARE(reg.m_decimals, uint8_t(0));
    QVERIFY(!isSigned->isChecked());
    QVERIFY(!isSigned->isEnabled());
    QVERIFY(!decimals->isEnabled());
    QCOMPARE(decimals->text(), QString("0"));
    QCOMPARE(reg.m_rect.width(), 5 * 18);
    dec->click();
    QCOMPARE(reg.m_displayMode, uint8_t(1));
    QVERIFY(isSigned->isEnabled());
    QVERIFY(decimals->isEnabled());

    // Decimals above the digits take the digits up; digits below the decimals take the
    // decimals down, once the entry is complete. The width follows ("0." when they are equal).
    retype(decimals, "7");
    QTest::keyClick(decimals, Qt::Key_Return);
    QCOMPARE(reg.m_decimals, uint8_t(7));
    QCOMPARE(reg.m_digits, uint8_t(7));
    QCOMPARE(digits->text(), QString("7"));
    QCOMPARE(reg.m_rect.width(), 9 * 18);
    retype(digits, "3");
    QTest::keyClick(digits, Qt::Key_Return);
    QCOMPARE(reg.m_digits, uint8_t(3));
    QCOMPARE(reg.m_decimals, uint8_t(3));
    QCOMPARE(decimals->text(), QString("3"));
    QCOMPARE(reg.m_rect.width(), 5 * 18);
    QTest::keyClick(decimals, Qt::Key_Down);
    QCOMPARE(reg.m_decimals, uint8_t(2));
    QCOMPARE(reg.m_rect.width(), 4 * 18);

    // Typing 10 digits passes through 1 on the way: the decimals are not pulled down by it.
    retype(decimals, "3");
    QTest::keyClick(decimals, Qt::Key_Return);
    QCOMPARE(reg.m_decimals, uint8_t(3));
    retype(digits, "10");
    QCOMPARE(reg.m_digits, uint8_t(10));
    QCOMPARE(reg.m_decimals, uint8_t(3));
    QTest::keyClick(digits, Qt::Key_Return);
    QCOMPARE(reg.m_digits, uint8_t(10));
    QCOMPARE(reg.m_decimals, uint8_t(3));
    QCOMPARE(decimals->text(), QString("3"));
}

void TestPages::registerOptionsAndTypes() {
    Fixture f(kKindRegister, 3);
    CRegister reg(f.project.context(), 0, 0);
    reg.SetPosition(0, 0);
    f.page->fill(reg, f.project);
    auto* settable = f.find<BoundCheckBox>("settable");
    auto* password = f.find<BoundCheckBox>("password");
    auto* limits = f.find<BoundCheckBox>("limits");
    QVERIFY(!password->isEnabled());
    QVERIFY(!f.edit("inputHigh")->isEnabled());
    QVERIFY(!f.find<QComboBox>("dataKind")->isEnabled());

    settable->click();
    QVERIFY(password->isEnabled());
    password->click();
    QCOMPARE(reg.m_password, uint8_t(1));
    settable->click();
    QCOMPARE(reg.m_password, uint8_t(0));
    QVERIFY(!password->isChecked());
    QVERIFY(!password->isEnabled());

    limits->click();
    QVERIFY(f.edit("inputHigh")->isEnabled());
    QVERIFY(f.edit("inputLow")->isEnabled());
    QVERIFY(f.find<QComboBox>("dataKind")->isEnabled());
    choose(f.find<QComboBox>("dataKind"), 1);
    QCOMPARE(reg.m_dataKind, uint8_t(1));

    // Protocol 3: input registers ("3x") cannot be set; addresses start at 1.
    settable->click();
    auto* type = f.find<QComboBox>("type");
    QCOMPARE(type->itemText(1), QString("3x"));
    choose(type, 1);
    QCOMPARE(reg.m_regType, uint8_t(1));
    QCOMPARE(reg.m_settable, uint8_t(0));
    QVERIFY(!settable->isEnabled());
    choose(type, 0);
    QVERIFY(settable->isEnabled());
    QCOMPARE(f.edit("address")->field().minimum(), 1.0);

    // "TM" reads one register of the lowest station.
    retype(f.edit("station"), "9");
    QCOMPARE(reg.m_station, uint8_t(9));
    choose(type, type->findText("TM"));
    QCOMPARE(reg.m_station, uint8_t(1));
    QCOMPARE(f.edit("station")->text(), QString("1"));
    QVERIFY(!f.edit("station")->isEnabled());
    QVERIFY(!f.edit("count")->isEnabled());

    // Protocol 31: the parameter list instead of the register count.
    Fixture p31(kKindRegister, 31);
    CRegister module(p31.project.context(), 0, 0);
    module.SetPosition(0, 0);
    p31.page->show();
    p31.page->fill(module, p31.project);
    QVERIFY(p31.find<QComboBox>("subType")->isVisible());
    QVERIFY(p31.find<QComboBox>("subType")->count() > 0);
    QVERIFY(!p31.edit("count")->isVisible());
    QCOMPARE(module.m_typeValue, uint8_t(50));
    QCOMPARE(module.m_subAddress, uint8_t(5));
}

void TestPages::registerLimits() {
    Fixture f(kKindRegister, 2);
    CRegister reg(f.project.context(), 0, 0);
    reg.SetPosition(0, 0);
    f.page->fill(reg, f.project);
    CNumEdit* high = f.edit("inputHigh");
    CNumEdit* low = f.edit("inputLow");
    f.find<BoundCheckBox>("limits")->click();
    QCOMPARE(high->text(), QString("65535"));
    QCOMPARE(high->field().maximum(), 65535.0);
    retype(high, "70000");  // refused at the last digit
    QCOMPARE(reg.m_inputHigh, 7000);

    // A 32-bit type, signed: the limits take 32-bit values; the lowest one is refused the way
    // the panel wants it (upper limit 100, lower limit back to its value).
    choose(f.find<QComboBox>("type"), 1);  // VD
    f.find<BoundCheckBox>("signed")->click();
    QCOMPARE(high->field().minimum(), -2147483648.0);
    QCOMPARE(high->field().maximum(), 2147483647.0);
    retype(low, "-5");
    QCOMPARE(reg.m_inputLow, -5);
    retype(high, "-2147483648");
    QCOMPARE(reg.m_inputHigh, 100);
    QCOMPARE(high->text(), QString("100"));
    // Typed digit by digit, the lower limit keeps the last value it accepted.
    retype(low, "-2147483648");
    QCOMPARE(reg.m_inputLow, -214748364);
    QCOMPARE(low->text(), QString("-214748364"));
    // A lone minus sign changes nothing yet.
    retype(low, "-");
    QCOMPARE(reg.m_inputLow, -214748364);
    QTest::keyClicks(low, "5");
    QCOMPARE(reg.m_inputLow, -5);

    // Back to unsigned: negative limits become 10.
    f.find<BoundCheckBox>("signed")->click();
    QCOMPARE(reg.m_inputLow, 10);
    QCOMPARE(low->text(), QString("10"));
    QCOMPARE(high->field().maximum(), 4294967295.0);
    retype(f.edit("engHigh"), "4294967295");
    QCOMPARE(static_cast<uint32_t>(reg.m_engHigh), 4294967295u);
}

void TestPages::lampPage() {
    Fixture f(kKindLight, 1);
    CLight lamp(f.project.context(), 396, 0);
    lamp.SetPosition(396, 0);
    QCOMPARE(lamp.m_x, 176);
    lamp.m_station = 10;
    f.page->show();
    f.page->fill(lamp, f.project);
    QSignalSpy changed(f.page.get(), &PropertyPage::componentChanged);
    CNumEdit* x = f.edit("x");
    QCOMPARE(x->field().maximum(), 176.0);
    // Protocol 1: station and address in hexadecimal, the offset shown.
    QCOMPARE(f.edit("station")->text(), QString("A"));
    QVERIFY(f.edit("station")->field().isHex());
    QVERIFY(f.edit("offset")->isVisible());

    // Double size at the right edge: the 32-pixel square still ends at x 192.
    f.find<BoundCheckBox>("doubleSize")->click();
    QCOMPARE(lamp.m_doubleSize, uint8_t(1));
    QCOMPARE(lamp.m_x, 160);
    QCOMPARE(lamp.m_rect.right, 432);
    QCOMPARE(x->text(), QString("160"));
    QCOMPARE(x->field().maximum(), 160.0);
    QCOMPARE(f.edit("y")->field().maximum(), 32.0);

    choose(f.find<QComboBox>("shape"), 1);
    choose(f.find<QComboBox>("logic"), 1);
    QCOMPARE(lamp.m_displayKind, uint8_t(1));
    QCOMPARE(lamp.m_inverse, uint8_t(1));
    QCOMPARE(lamp.drawnImage(), 333);

    // The offset range follows the word type at the lamp's type index.
    QCOMPARE(f.edit("offset")->field().maximum(), 7.0);
    choose(f.find<QComboBox>("type"), 2);
    QCOMPARE(lamp.m_regType, uint8_t(2));
    QCOMPARE(f.edit("offset")->field().maximum(), 31.0);
    QVERIFY(changed.count() >= 4);

    // Protocol 7: octal addresses.
    Fixture p7(kKindLight, 7);
    CLight octal(p7.project.context(), 0, 0);
    octal.SetPosition(0, 0);
    octal.m_address = 8;
    p7.page->fill(octal, p7.project);
    CNumEdit* address = p7.edit("address");
    QCOMPARE(address->text(), QString("10"));
    retype(address, "17");
    QCOMPARE(octal.m_address, uint16_t(15));
    QVERIFY(!p7.edit("offset")->isVisible());
}

void TestPages::barPage() {
    Fixture f(kKindBar, 4);
    CBar bar(f.project.context(), 0, 0);
    bar.SetPosition(0, 0);
    f.page->show();
    f.page->fill(bar, f.project);
    QCOMPARE(f.page->findChild<QGroupBox*>()->title(), QString("Bar Graph Property"));
    auto* direction = f.find<QComboBox>("direction");
    QVERIFY(direction->isVisible());
    QVERIFY(!f.edit("points")->isVisible());
    QCOMPARE(f.edit("width")->text(), QString("16"));
    QCOMPARE(f.edit("height")->text(), QString("48"));
    QCOMPARE(f.edit("fullScale")->text(), QString("65535"));

    // Up to down keeps the size; up to left turns the bar.
    choose(direction, CBar::kDown);
    QCOMPARE(bar.m_direction, uint8_t(CBar::kDown));
    QCOMPARE(bar.m_width, uint8_t(16));
    choose(direction, CBar::kLeft);
    QCOMPARE(bar.m_width, uint8_t(48));
    QCOMPARE(bar.m_height, uint8_t(16));
    QCOMPARE(bar.m_rect.width(), 108);
    QCOMPARE(bar.m_rect.height(), 36);
    QCOMPARE(f.edit("width")->text(), QString("48"));
    QCOMPARE(f.edit("height")->text(), QString("16"));
    QCOMPARE(f.edit("x")->field().maximum(), 144.0);
    QCOMPARE(f.edit("y")->field().maximum(), 48.0);

    // Signed scales: the range turns signed and the full scale is brought into it.
    f.find<BoundCheckBox>("signed")->click();
    QCOMPARE(f.edit("fullScale")->field().minimum(), -32768.0);
    QCOMPARE(bar.m_fullScale, 32767);
    retype(f.edit("zeroScale"), "-100");
    QCOMPARE(bar.m_zeroScale, -100);
    // HEX/BCD drops the sign.
    f.find<QRadioButton>("hexMode")->click();
    QCOMPARE(bar.m_signed, uint8_t(0));
    QVERIFY(!f.find<BoundCheckBox>("signed")->isEnabled());
    QCOMPARE(f.edit("zeroScale")->field().minimum(), 0.0);

    // The X position limits the width.
    retype(f.edit("x"), "100");
    QCOMPARE(bar.m_x, 100);
    QCOMPARE(f.edit("width")->field().maximum(), 92.0);
}

void TestPages::trendPage() {
    Fixture f(kKindTide, 4);
    CTide trend(f.project.context(), 0, 0);
    trend.SetPosition(0, 0);
    f.page->show();
    f.page->fill(trend, f.project);
    QCOMPARE(f.page->findChild<QGroupBox*>()->title(), QString("Trend Lind Property"));
    QVERIFY(!f.find<QComboBox>("direction")->isVisible());
    QVERIFY(f.edit("points")->isVisible());
    QCOMPARE(f.edit("points")->text(), QString("20"));
    QCOMPARE(f.edit("interval")->field().maximum(), 60000.0);
    QCOMPARE(f.edit("x")->field().maximum(), 96.0);

    // The width cannot pass through values below 16 while typing: one digit is typed over.
    CNumEdit* width = f.edit("width");
    width->setSelection(0, 1);
    QTest::keyClicks(width, "5");
    QCOMPARE(width->text(), QString("56"));
    QCOMPARE(trend.m_width, uint8_t(56));
    QCOMPARE(trend.m_rect.width(), 126);
    QCOMPARE(f.edit("x")->field().maximum(), 136.0);
    QCOMPARE(f.edit("points")->field().maximum(), 54.0);
    retype(f.edit("interval"), "600");
    QCOMPARE(trend.m_interval, uint16_t(600));

    // Two registers: 32-bit scales.
    retype(f.edit("count"), "2");
    QCOMPARE(trend.m_regCount, uint8_t(2));
    QCOMPARE(f.edit("fullScale")->field().maximum(), 4294967295.0);
    retype(f.edit("fullScale"), "4000000000");
    QCOMPARE(static_cast<uint32_t>(trend.m_fullScale), 4000000000u);
}

void TestPages::picturePage() {
    Fixture f(kKindPicture, 4);
    CUpLoadPic picture(f.project.context(), 0, 0, MonoBitmap(40, 10));
    picture.SetPosition(0, 0);
    f.page->fill(picture, f.project);
    QCOMPARE(f.find<QLineEdit>("width")->text(), QString("40"));
    QCOMPARE(f.find<QLineEdit>("height")->text(), QString("10"));
    QVERIFY(!f.find<QLineEdit>("width")->isEnabled());
    QCOMPARE(f.edit("x")->field().maximum(), 152.0);
    QCOMPARE(f.edit("y")->field().maximum(), 54.0);
    QSignalSpy changed(f.page.get(), &PropertyPage::componentChanged);
    retype(f.edit("x"), "10");
    QCOMPARE(picture.m_rect.left, 23);
    QCOMPARE(changed.count(), 2);  // "1", then "10"
    retype(f.edit("x"), "200");    // refused at the last digit
    QCOMPARE(picture.m_x, 20);
}

// Tab goes through the register binding as it is read: station, type, address and sub-address
// on the register page; station, address and bit number, type on the lamp page.
void TestPages::tabFollowsTheBindingsReadingOrder() {
    // The position in the focus chain of each named control.
    auto chainOrder = [](QWidget* page, const QStringList& names) {
        QStringList seen;
        QWidget* w = page;
        do {
            w = w->nextInFocusChain();
            if (names.contains(w->objectName()) && !seen.contains(w->objectName()))
                seen << w->objectName();
        } while (w != page);
        return seen;
    };
    const QStringList names{"stationEdit", "type", "addressEdit", "subAddressEdit"};
    std::unique_ptr<PropertyPage> reg(createPropertyPage(kKindRegister, nullptr));
    QCOMPARE(chainOrder(reg.get(), names), names);
    std::unique_ptr<PropertyPage> lamp(createPropertyPage(kKindLight, nullptr));
    QCOMPARE(chainOrder(lamp.get(), {"stationEdit", "type", "addressEdit", "bitNumberEdit"}),
             (QStringList{"stationEdit", "addressEdit", "bitNumberEdit", "type"}));
}

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
