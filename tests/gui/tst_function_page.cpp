// The function-key page with real widgets: the sub-page of each action, the recipe base
// operations with their forced values and labels, protocol 1 (no coils) and protocol 31 (no
// recipes), the invisible key, the data format's value range, and the bound controls.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "model/CFunction.h"
#include "model/FunctionPageRules.h"
#include "pages/FunctionPage.h"
#include "project/Project.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"

using namespace vanta;

namespace {

// A project of one protocol with a function key; `prepare` sets fields before the page loads.
struct Fixture {
    explicit Fixture(uint8_t protocol, void (*prepare)(CFunction&) = nullptr)
        : project(nullptr, protocol) {
        key = std::make_unique<CFunction>(project.context(), 0, 0);
        key->PlaceAt(45, 45);
        if (prepare)
            prepare(*key);
        page.resize(512, 230);
        page.show();
        page.fill(*key, project);
    }
    const FunctionPage::Controls& c() const { return page.controls(); }

    static void typeInto(CNumEdit* edit, const char* keys) {
        edit->setFocus();
        edit->selectAll();
        // A refused keystroke drops those queued behind it until the event loop runs again.
        QCoreApplication::processEvents();
        QTest::keyClicks(edit, keys);
    }

    Project project;
    std::unique_ptr<CFunction> key;
    FunctionPage page;
};

}  // namespace

class TestFunctionPage : public QObject {
    Q_OBJECT
  private slots:
    void eachActionShowsItsSubPage();
    void recipeBaseOperationsForceTheirValues();
    void protocol1HasNoCoils();
    void protocol31HasNoRecipes();
    void invisibleClearsTheOptions();
    void formatSetsTheValueRange();
    void hiddenControlsLeaveTheirFieldsAlone();
    void boundControlsWriteThrough();
};

void TestFunctionPage::eachActionShowsItsSubPage() {
    Fixture f(3);
    QCOMPARE(f.key->m_actionKind, uint8_t(kActionSetCoil));
    QVERIFY(f.c().action[kActionSetCoil]->isChecked());
    QVERIFY(f.c().coilPage->isVisible());
    QVERIFY(f.c().jumpPage->isHidden());
    QVERIFY(f.c().recipePage->isHidden());
    QCOMPARE(f.c().coilPage->parentWidget(), f.c().lowerArea);
    // Set coil: the coil radios, no value; the type list is bit list A.
    QVERIFY(f.c().coil[kCoilOn]->isVisible());
    QVERIFY(f.c().coil[kCoilOn]->isChecked());
    QVERIFY(f.c().value->isHidden());
    QVERIFY(f.c().format->isHidden());
    QVERIFY(f.c().subType->isHidden());
    QCOMPARE(f.c().type->count(), int(f.project.vocabulary().bitTypesA.size()));

    // Set register: the word list, the value and its format, no coil radios.
    QSignalSpy changed(&f.page, &PropertyPage::componentChanged);
    f.c().action[kActionSetRegister]->click();
    QCOMPARE(f.key->m_actionKind, uint8_t(kActionSetRegister));
    QVERIFY(f.c().coilPage->isVisible());
    QVERIFY(f.c().value->isVisible());
    QVERIFY(f.c().valueLabel->isVisible());
    QVERIFY(f.c().format->isVisible());
    QVERIFY(f.c().coil[kCoilOn]->isHidden());
    QVERIFY(f.c().bitNumber->isHidden());
    QCOMPARE(f.c().type->count(), int(f.project.vocabulary().wordTypes.size()));
    QCOMPARE(changed.count(), 1);

    // Jump: the screen number is offered while "画面" is selected.
    f.c().action[kActionJump]->click();
    QVERIFY(f.c().jumpPage->isVisible());
    QVERIFY(f.c().coilPage->isHidden());
    QVERIFY(f.c().jump[kJumpScreen]->isChecked());
    QVERIFY(f.c().screen->isEnabled());
    QCOMPARE(f.key->m_targetScreen, uint16_t(1));
    Fixture::typeInto(f.c().screen, "300");
    QCOMPARE(f.key->m_targetScreen, uint16_t(300));
    f.c().jump[kJumpAlarmList]->click();
    QCOMPARE(f.key->m_jumpTarget, uint8_t(kJumpAlarmList));
    QVERIFY(!f.c().screen->isEnabled());

    // Recipe.
    f.c().action[kActionRecipe]->click();
    QVERIFY(f.c().recipePage->isVisible());
    QVERIFY(f.c().jumpPage->isHidden());
    QCOMPARE(f.c().recipeType->count(), int(f.project.vocabulary().alarmWordTypes.size()));
}

void TestFunctionPage::recipeBaseOperationsForceTheirValues() {
    Fixture f(3, [](CFunction& k) {
        k.m_actionKind = kActionRecipe;
        k.m_limit = 0;
        k.m_address = 40;
        k.m_regType = 1;
    });
    QVERIFY(f.c().recipe[kRecipeUpload]->isChecked());
    QCOMPARE(f.c().lengthLabel->text(), QString("Length:"));
    QCOMPARE(f.c().length->field().maximum(), 64.0);
    QVERIFY(f.c().limit->isHidden());
    QVERIFY(f.c().limitLabel->isHidden());
    QVERIFY(f.c().recipeType->isEnabled());
    QCOMPARE(f.c().recipeType->currentIndex(), 1);
    QCOMPARE(f.c().target->text(), QString("40"));
    Fixture::typeInto(f.c().length, "100");
    QCOMPARE(f.key->m_length, 10);

    f.c().recipe[kRecipeIncreaseBase]->click();
    QCOMPARE(f.key->m_recipeOperation, uint8_t(kRecipeIncreaseBase));
    QCOMPARE(f.c().limitLabel->text(), QString("Upper:"));
    QCOMPARE(f.key->m_limit, uint16_t(1023));
    QCOMPARE(f.c().limit->text(), QString("1023"));
    QVERIFY(f.c().limit->isVisible());
    QCOMPARE(f.c().lengthLabel->text(), QString("Step:"));
    QCOMPARE(f.c().length->field().maximum(), 1024.0);
    QCOMPARE(f.key->m_regType, uint8_t(3));
    QCOMPARE(f.c().recipeType->currentIndex(), 3);
    QCOMPARE(f.key->m_address, uint16_t(0));
    QCOMPARE(f.c().target->text(), QString("0"));
    QVERIFY(!f.c().recipeType->isEnabled());
    QVERIFY(!f.c().target->isEnabled());
    QVERIFY(!f.c().recipeStation->isEnabled());
    Fixture::typeInto(f.c().length, "1000");
    QCOMPARE(f.key->m_length, 1000);

    f.c().recipe[kRecipeDecreaseBase]->click();
    QCOMPARE(f.c().limitLabel->text(), QString("Lower:"));
    QCOMPARE(f.key->m_limit, uint16_t(0));
    QCOMPARE(f.c().limit->text(), QString("0"));

    // Back to a transfer: the step no longer fits a length.
    f.c().recipe[kRecipeDownload]->click();
    QCOMPARE(f.c().lengthLabel->text(), QString("Length:"));
    QCOMPARE(f.key->m_length, 64);
    QVERIFY(f.c().limit->isHidden());
    QVERIFY(f.c().recipeType->isEnabled());
    QVERIFY(f.c().target->isEnabled());

    // The recipe type decides how far the target address reaches.
    for (int i = 0; i < f.c().recipeType->count(); ++i) {
        f.c().recipeType->setCurrentIndex(i);
        QCOMPARE(f.key->m_regType, uint8_t(i));
        const double expected =
            double(recipeAddressMaximum(recipeTypeCode(f.project.vocabulary(), i)));
        QCOMPARE(f.c().target->field().maximum(), expected);
    }
}

void TestFunctionPage::protocol1HasNoCoils() {
    Fixture f(1, [](CFunction& k) { k.m_actionKind = kActionSetCoil; });
    QCOMPARE(f.key->m_actionKind, uint8_t(kActionJump));
    QVERIFY(f.c().action[kActionJump]->isChecked());
    QVERIFY(!f.c().action[kActionSetCoil]->isEnabled());
    QVERIFY(f.c().jumpPage->isVisible());
    QCOMPARE(f.key->m_coilOperation, kCoilNone);

    f.c().action[kActionSetRegister]->click();
    QVERIFY(f.c().coilPage->isVisible());
    for (QRadioButton* button : f.c().coil) {
        QVERIFY(button->isHidden());
        QVERIFY(!button->isChecked());
    }
    // Station and address are typed in hexadecimal; the bit number stays offered.
    QVERIFY(f.c().station->field().isHex());
    QVERIFY(f.c().address->field().isHex());
    QVERIFY(f.c().bitNumber->isVisible());
    Fixture::typeInto(f.c().address, "1f");
    QCOMPARE(f.key->m_address, uint16_t(0x1f));
    QVERIFY(!f.c().action[kActionSetCoil]->isEnabled());
}

void TestFunctionPage::protocol31HasNoRecipes() {
    Fixture f(31);
    QVERIFY(f.c().action[kActionRecipe]->isHidden());
    QVERIFY(f.c().subType->isVisible());
    QVERIFY(f.c().subTypeLabel->isVisible());
    QVERIFY(f.c().bitNumber->isHidden());
    QCOMPARE(f.c().subType->count(),
             int(f.project.vocabulary().parameterNames(TypeList::BitA, f.key->m_regType).size()));

    f.c().action[kActionSetRegister]->click();
    QCOMPARE(f.c().subType->count(),
             int(f.project.vocabulary().parameterNames(TypeList::Word, f.key->m_regType).size()));
    // The parameter decides the type value, the parameter number and the value's width.
    if (f.c().subType->count() > 1) {
        f.c().subType->setCurrentIndex(1);
        QCOMPARE(f.key->m_subType, uint8_t(1));
    }
    const uint8_t typeValue = f.key->m_registerTypeValue;
    const uint8_t parameter = f.key->m_subAddress;
    f.key->updateProtocol31Values();
    QCOMPARE(f.key->m_registerTypeValue, typeValue);
    QCOMPARE(f.key->m_subAddress, parameter);
    const SpinRange range = keyValueSpinRange(*f.key);
    QCOMPARE(f.c().value->field().maximum(), double(range.max));
}

void TestFunctionPage::invisibleClearsTheOptions() {
    Fixture f(3);
    f.c().hand->click();
    f.c().doubleSize->click();
    f.c().inverse->click();
    QCOMPARE(f.key->m_rect.width(), 144);
    QCOMPARE(f.key->m_rect.height(), 72);
    QCOMPARE(f.c().x->field().maximum(), double(192 - 144 * 4 / 9));

    f.c().invisible->click();
    QCOMPARE(f.key->m_invisible, uint8_t(1));
    for (QCheckBox* box : {f.c().hand, f.c().doubleSize, f.c().inverse}) {
        QVERIFY(!box->isChecked());
        QVERIFY(!box->isEnabled());
    }
    QCOMPARE(f.key->m_hand, uint8_t(0));
    QCOMPARE(f.key->m_doubleSize, uint8_t(0));
    QCOMPARE(f.key->m_inverse, uint8_t(0));
    QCOMPARE(f.key->m_rect.width(), 36);
    QCOMPARE(f.key->m_rect.height(), 36);
    QCOMPARE(f.c().x->field().maximum(), double(192 - 16));
    // The dotted image of the key.
    QCOMPARE(f.key->keyImage(), 336 + 3 * f.key->keyIndex());

    f.c().invisible->click();
    for (QCheckBox* box : {f.c().hand, f.c().doubleSize, f.c().inverse})
        QVERIFY(box->isEnabled());
}

void TestFunctionPage::formatSetsTheValueRange() {
    Fixture f(3, [](CFunction& k) { k.m_actionKind = kActionSetRegister; });
    QCOMPARE(f.c().type->currentText(), QString("4x"));
    QCOMPARE(f.c().format->currentIndex(), int(kFormatUnsigned));
    QCOMPARE(f.c().value->field().minimum(), 0.0);
    QCOMPARE(f.c().value->field().maximum(), 65535.0);
    Fixture::typeInto(f.c().value, "40000");
    QCOMPARE(f.key->m_value, 40000);

    f.c().format->setCurrentIndex(kFormatSigned);
    QCOMPARE(f.key->m_keyOption, uint8_t(kFormatSigned));
    QCOMPARE(f.key->m_signed, uint8_t(1));
    QCOMPARE(f.key->m_signedFlag, uint8_t(1));
    QCOMPARE(f.c().value->field().minimum(), -32768.0);
    QCOMPARE(f.c().value->field().maximum(), 32767.0);
    QCOMPARE(f.key->m_value, 32767);
    Fixture::typeInto(f.c().value, "-1");
    QCOMPARE(f.key->m_value, -1);

    f.c().format->setCurrentIndex(kFormatHex);
    QCOMPARE(f.key->m_signed, uint8_t(0));
    QVERIFY(f.c().value->field().isHex());
    QCOMPARE(f.c().value->field().minimum(), 0.0);
    Fixture::typeInto(f.c().value, "fFf");
    QCOMPARE(f.key->m_value, 0xfff);

    // Another type: the range follows its width.
    for (int i = 0; i < f.c().type->count(); ++i) {
        f.c().type->setCurrentIndex(i);
        QCOMPARE(f.c().value->field().maximum(), double(keyValueSpinRange(*f.key).max));
    }
}

void TestFunctionPage::hiddenControlsLeaveTheirFieldsAlone() {
    // A set-coil key sends its value although the page does not show it; the base operations'
    // forced values belong to recipe keys only.
    Fixture f(3, [](CFunction& k) {
        k.m_value = 100000;
        k.m_recipeOperation = kRecipeIncreaseBase;
        k.m_regType = 0;
        k.m_address = 77;
    });
    QCOMPARE(f.key->m_value, 100000);
    QCOMPARE(f.key->m_regType, uint8_t(0));
    QCOMPARE(f.key->m_address, uint16_t(77));
    QCOMPARE(f.key->m_limit, uint16_t(0));
    f.c().action[kActionJump]->click();
    QCOMPARE(f.key->m_value, 100000);
    QCOMPARE(f.key->m_address, uint16_t(77));
}

void TestFunctionPage::boundControlsWriteThrough() {
    Fixture f(3);
    QSignalSpy changed(&f.page, &PropertyPage::componentChanged);
    QCOMPARE(f.c().key->count(), kFunctionKeyCount);
    QCOMPARE(f.c().key->itemText(0), QString("‘ESC’键"));
    QCOMPARE(f.c().key->currentIndex(), int(CFunction::kDefaultKey));
    f.c().key->setCurrentIndex(8);
    QCOMPARE(f.key->m_displayKind, uint8_t(8));

    f.c().coil[kCoilMomentary]->click();
    QCOMPARE(f.key->m_coilOperation, uint8_t(kCoilMomentary));
    f.c().encrypted->click();
    QCOMPARE(f.key->m_encrypted, uint8_t(1));

    Fixture::typeInto(f.c().x, "100");
    QCOMPARE(f.key->m_x, 100);
    QCOMPARE(f.key->m_rect.left, 225);
    QVERIFY(changed.count() >= 4);

    f.page.setCoordinates(20, 10);
    QCOMPARE(f.c().x->text(), QString("20"));
    QCOMPARE(f.c().y->text(), QString("10"));

    // A key on a page that is loaded again shows its own values.
    CFunction other(f.project.context(), 0, 0);
    other.PlaceAt(0, 0);
    other.m_actionKind = kActionJump;
    other.m_targetScreen = 42;
    f.page.fill(other, f.project);
    QVERIFY(f.c().jumpPage->isVisible());
    QCOMPARE(f.c().screen->text(), QString("42"));
    Fixture::typeInto(f.c().screen, "43");
    QCOMPARE(other.m_targetScreen, uint16_t(43));
    QCOMPARE(f.key->m_targetScreen, uint16_t(0));

    // Hidden by the view, the page lets go of the key (which may be deleted meanwhile).
    f.page.hide();
    QSignalSpy afterHide(&f.page, &PropertyPage::componentChanged);
    f.c().screenSpin->stepBy(1);
    f.c().jump[kJumpAlarmList]->click();
    QCOMPARE(other.m_targetScreen, uint16_t(43));
    QCOMPARE(other.m_jumpTarget, uint8_t(kJumpScreen));
    QCOMPARE(afterHide.count(), 0);
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestFunctionPage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_function_page.moc"
