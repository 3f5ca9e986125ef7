// Function key: defaults, size and drawing, the download record of each action, symbols,
// persistent record, and the rules of its property pages.

#include <gtest/gtest.h>

#include "model_test_support.h"

#include "model/BuiltinGlyphs.h"
#include "model/CFunction.h"
#include "model/ComponentFactory.h"
#include "model/FunctionPageRules.h"
#include "model/PixelCanvas.h"
#include "protocols/Vocabulary.h"

using namespace vanta;

namespace {

using Project = vanta::testing::ProtocolModel;

Bytes recordOf(CFunction& key, DownloadContext& download) {
    key.ComputeRecordSize();
    const Status built = key.BuildDownloadRecord(download);
    EXPECT_TRUE(built.ok()) << (built.ok() ? "" : built.message());
    return key.m_record;
}

bool sameImage(const PixelCanvas& canvas, const Rect& at, int number) {
    const KeyImage& image = *keyImage(number);
    for (int y = 0; y < 36; ++y) {
        for (int x = 0; x < 36; ++x) {
            if (!(canvas.pixel(at.left + x, at.top + y) == image.at(x, y))) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

TEST(Function, DefaultsFollowTheProtocol) {
    Project p1(1), p31(31), p5(5);
    const CFunction onOne(p1.context, 0, 0);
    EXPECT_EQ(onOne.m_kind, kKindFunction);
    EXPECT_EQ(onOne.m_actionKind, kActionJump);
    EXPECT_EQ(onOne.keyIndex(), 2);
    const CFunction onKtc(p31.context, 0, 0);
    EXPECT_EQ(onKtc.m_actionKind, kActionSetCoil);
    EXPECT_EQ(onKtc.m_address, 1);
    EXPECT_EQ(CFunction(p5.context).m_address, 0);
}

TEST(Function, SizeDrawingAndRecordWithHand) {
    Project p(3);
    CFunction key(p.context, 0, 0);
    key.m_displayKind = 8;  // "‘0’键"
    key.m_hand = 1;
    key.SetPosition(36, 0);
    EXPECT_EQ(key.m_rect, (Rect{36, 0, 108, 36}));
    PixelCanvas canvas;
    key.Draw(canvas);
    EXPECT_TRUE(sameImage(canvas, {36, 0, 72, 36}, 394));
    EXPECT_TRUE(sameImage(canvas, {72, 0, 108, 36}, 358));

    DownloadContext download;
    const Bytes r = recordOf(key, download);
    ASSERT_EQ(r.size(), 18u);
    EXPECT_EQ(r[9], 10);
    EXPECT_EQ(r[15], 4);

    key.m_doubleSize = 1;
    key.SetPosition(0, 0);
    EXPECT_EQ(key.m_rect, (Rect{0, 0, 144, 72}));
}

TEST(Function, InvisibleKeyDrawsItsDottedImage) {
    Project p(3);
    CFunction key(p.context, 0, 0);
    key.m_displayKind = 5;  // "‘SET’键"
    key.m_invisible = 1;
    key.SetPosition(0, 0);
    EXPECT_EQ(key.keyImage(), 351);
    PixelCanvas canvas;
    key.Draw(canvas);
    EXPECT_TRUE(sameImage(canvas, key.m_rect, 351));
    DownloadContext download;
    EXPECT_EQ(recordOf(key, download)[2], 0x04);
    key.m_invisible = 0;
    key.m_inverse = 1;
    EXPECT_EQ(key.keyImage(), 350);
}

TEST(Function, JumpRecordKeepsStationAndBitNumber) {
    Project p(3);
    CFunction key(p.context);
    key.m_x = 16;
    key.m_y = 32;
    key.m_station = 5;
    key.m_subAddress = 2;
    key.m_address = 7;
    key.m_value = 99;
    key.m_actionKind = kActionJump;
    key.m_targetScreen = 300;
    DownloadContext download;
    EXPECT_EQ(recordOf(key, download),
              (Bytes{16, 32, 0, 5, 0, 0, 0, 0, 2, 6, 0x80, 0, 0, 0x01, 0x2C, 2, 0}));
    key.m_jumpTarget = kJumpAlarmList;
    EXPECT_EQ(recordOf(key, download)[10], 0x81);
}

TEST(Function, SetRegisterRecord) {
    Project p(3);
    CFunction key(p.context);
    key.m_x = 8;
    key.m_y = 16;
    key.m_displayKind = 6;  // "‘ENT’键", code 7
    key.m_inverse = 1;
    key.m_doubleSize = 1;
    key.m_encrypted = 1;
    key.m_actionKind = kActionSetRegister;
    key.m_regType = 0;  // "4x": code 2
    key.m_address = 0x0102;
    key.m_subAddress = 3;
    key.m_keyOption = kFormatSigned;
    key.m_value = -1;
    DownloadContext download;
    EXPECT_EQ(recordOf(key, download), (Bytes{8, 16, 0x43, 1, 0x02, 0x01, 0x02, 0x02, 3, 7, 5, 0xFF,
                                              0xFF, 0xFF, 0xFF, 2, 0}));
    EXPECT_TRUE(download.optionUsed);  // encrypted
}

TEST(Function, SetCoilRecordByProtocol) {
    {
        Project p(12);  // address x 16 + bit number; bit list B "M" = 0
        CFunction key(p.context);
        key.m_address = 5;
        key.m_subAddress = 3;
        key.m_coilOperation = kCoilToggle;
        key.m_value = 0x01020304;
        DownloadContext download;
        const Bytes r = recordOf(key, download);
        EXPECT_EQ(r, (Bytes{0, 0, 0, 1, 0, 0x00, 0x53, 0, 3, 6, 3, 1, 2, 3, 4, 2, 0}));
        EXPECT_FALSE(download.optionUsed);
    }
    {
        Project p(19);  // type code from bit list A: index 1 is "4x" (2), not "1x" of list B
        CFunction key(p.context);
        key.m_regType = 1;
        key.m_coilOperation = kCoilMomentary;
        DownloadContext download;
        const Bytes r = recordOf(key, download);
        EXPECT_EQ(r[4], 2);
        EXPECT_EQ(r[7], 2);
        EXPECT_EQ(r[10], 4);
    }
    {
        Project p(3);  // bit list B: index 1 is "1x" (128)
        CFunction key(p.context);
        key.m_regType = 1;
        DownloadContext download;
        EXPECT_EQ(recordOf(key, download)[4], 128);
    }
}

TEST(Function, Protocol31CoilAndRegisterActions) {
    Project p(31);
    CFunction key(p.context);
    key.m_address = 0x0203;
    key.m_regType = 0;  // RC
    key.m_subType = 5;  // bit list A: "AlarmAck", number 22, type value 16
    onKeyBindingChanged(key);
    EXPECT_EQ(key.m_coilTypeValue, 16);
    EXPECT_EQ(key.m_subAddress, 22);
    EXPECT_EQ(key.m_blockWord, 0x0103);
    DownloadContext download;
    Bytes r = recordOf(key, download);
    EXPECT_EQ(r[4], 16);
    EXPECT_EQ(r[5], 0x01);
    EXPECT_EQ(r[6], 0x03);
    EXPECT_EQ(r[8], 22);

    key.m_actionKind = kActionSetRegister;
    key.m_subType = 0;  // word list: "Itime", number 5, type value 50
    onKeyBindingChanged(key);
    EXPECT_EQ(key.m_registerTypeValue, 50);
    EXPECT_EQ(key.m_subAddress, 5);
    r = recordOf(key, download);
    EXPECT_EQ(r[4], 50);
    EXPECT_EQ(r[7], 2);
    EXPECT_EQ(r[8], 5);
    EXPECT_EQ(r[10], 5);
}

TEST(Function, RecipeRecords) {
    {
        Project p(3);
        CFunction key(p.context);
        key.m_actionKind = kActionRecipe;
        key.m_recipeOperation = kRecipeIncreaseBase;
        key.m_address = 55;
        key.m_length = 10;
        applyRecipeOperation(key);  // type index 3 ("LW", 146), address 0, limit 1023
        DownloadContext download;
        EXPECT_EQ(recordOf(key, download),
                  (Bytes{0, 0, 0, 1, 146, 0, 0, 0, 0, 6, 8, 0x00, 0x0A, 0x03, 0xFF, 2, 0}));
    }
    {
        Project p(11);  // address x 16 + bit number
        CFunction key(p.context);
        key.m_actionKind = kActionRecipe;
        key.m_recipeOperation = kRecipeUpload;
        key.m_regType = 4;  // "TM": 81
        key.m_address = 10;
        key.m_subAddress = 2;
        key.m_length = 0x12345;
        key.m_limit = 7;
        DownloadContext download;
        const Bytes r = recordOf(key, download);
        EXPECT_EQ(r[4], 81);
        EXPECT_EQ(r[5], 0x00);
        EXPECT_EQ(r[6], 0xA2);
        EXPECT_EQ(r[7], 0);
        EXPECT_EQ(r[10], 6);
        EXPECT_EQ(r[11], 0x23);
        EXPECT_EQ(r[12], 0x45);
        EXPECT_EQ(r[13], 0);
        EXPECT_EQ(r[14], 7);
    }
}

TEST(Function, RecordsThePanelCannotCarryOutAreRefused) {
    Project p31(31);
    CFunction recipe(p31.context, 18, 36);
    recipe.m_actionKind = kActionRecipe;
    recipe.m_displayKind = 0;
    recipe.ComputeRecordSize();
    DownloadContext download;
    const Status refused = recipe.BuildDownloadRecord(download);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.message().find("Function key at (8, 16), key ESC"), std::string::npos);
    EXPECT_NE(refused.message().find("recipe"), std::string::npos);

    Project p3(3);
    CFunction coil(p3.context);
    coil.m_coilOperation = kCoilNone;  // left by protocol 1's page
    coil.ComputeRecordSize();
    EXPECT_FALSE(coil.BuildDownloadRecord(download).ok());
    coil.m_coilOperation = kCoilOn;
    coil.m_displayKind = 19;  // no such key in the key table
    EXPECT_FALSE(coil.BuildDownloadRecord(download).ok());
    coil.m_displayKind = 0;
    coil.m_actionKind = 4;
    EXPECT_FALSE(coil.BuildDownloadRecord(download).ok());
}

TEST(Function, SymbolsAreSharedAndRebased) {
    Project p(3);
    DownloadContext download;
    CFunction withHand(p.context);
    withHand.m_hand = 1;
    withHand.m_displayKind = 8;
    CFunction up1(p.context), up2(p.context);
    up1.m_displayKind = 4;
    up2.m_displayKind = 4;
    for (CFunction* key : {&withHand, &up1, &up2}) {
        recordOf(*key, download);
        ASSERT_TRUE(key->CollectGlyphs(download).ok());
    }
    EXPECT_EQ(download.symbols, (std::vector<uint8_t>{kHandSymbol, 8, 4}));
    EXPECT_EQ(withHand.m_record[16], 0);
    EXPECT_EQ(withHand.m_record[17], 1);
    EXPECT_EQ(up1.m_record[16], 2);
    EXPECT_EQ(up2.m_record[16], 2);

    uint16_t base = 4;  // the lamp glyphs come first
    withHand.RebaseGlyphCodes(base);
    up1.RebaseGlyphCodes(base);
    EXPECT_EQ(base, 4);
    EXPECT_EQ(withHand.m_record[16], 4);
    EXPECT_EQ(withHand.m_record[17], 5);
    EXPECT_EQ(up1.m_record[16], 6);
    EXPECT_EQ(withHand.m_record[15], 4);  // bytes before the symbols stay
}

TEST(Function, PersistentRecordRoundTripAndVersion10) {
    Project p(31);
    CFunction key(p.context);
    key.m_x = 4;
    key.m_y = 8;
    key.m_displayKind = 7;
    key.m_hand = 1;
    key.m_encrypted = 1;
    key.m_actionKind = kActionSetRegister;
    key.m_targetScreen = 0x0102;
    key.m_value = -2;
    key.m_keyOption = kFormatSigned;
    key.m_signedFlag = 1;
    key.m_recipeOperation = 2;
    key.m_length = 64;
    key.m_limit = 1023;
    key.m_subType = 9;
    key.m_blockWord = 0x0C01;
    key.m_registerTypeValue = 100;
    key.m_coilTypeValue = 16;
    Archive out;
    key.Serialize(out);
    const Bytes& data = out.data();
    ASSERT_EQ(data.size(), 9u + 8u + 21u + 5u + 91u);
    const Bytes own(data.begin() + 17, data.begin() + 43);
    EXPECT_EQ(own, (Bytes{1, 0, 1,  2, 0, 0, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 2,
                          1, 2, 64, 0, 0, 0, 0xFF, 0x03, 9,    0x01, 0x0C, 100,  16}));

    Archive in(data);
    CFunction loaded(p.context);
    loaded.Serialize(in);
    ASSERT_TRUE(in.ok());
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(loaded.m_value, -2);
    EXPECT_EQ(loaded.m_blockWord, 0x0C01);
    EXPECT_EQ(loaded.m_rect, (Rect{9, 18, 81, 54}));

    // Version 10: fields 14 to 17 are absent, the 91 reserved bytes follow the limit.
    Bytes old(data.begin(), data.begin() + 38);
    old.resize(old.size() + 91, 0);
    Archive in10(old);
    in10.loadedVersion = 10;
    CFunction v10(p.context);
    v10.Serialize(in10);
    ASSERT_TRUE(in10.ok());
    EXPECT_EQ(in10.remaining(), 0u);
    EXPECT_EQ(v10.m_limit, 1023);
    EXPECT_EQ(v10.m_subType, 0);
    EXPECT_EQ(v10.m_blockWord, 0);
    EXPECT_EQ(v10.m_registerTypeValue, 0);
    EXPECT_EQ(v10.m_coilTypeValue, 0);
}

TEST(Function, DisplayModeItemsAndCopy) {
    Project p(3);
    auto made = createComponent(kKindFunction, p.context, 0, 0);
    ASSERT_NE(made, nullptr);
    auto& key = static_cast<CFunction&>(*made);
    key.SetDisplayMode(2, 1);
    key.SetDisplayMode(3, 2);
    key.SetDisplayMode(1, 3);
    key.SetDisplayMode(1, 4);
    key.SetDisplayMode(0, 0);  // ignored
    EXPECT_EQ(key.m_actionKind, 2);
    EXPECT_EQ(key.m_coilOperation, 3);
    EXPECT_EQ(key.m_jumpTarget, 1);
    EXPECT_EQ(key.m_recipeOperation, 1);
    EXPECT_EQ(key.m_displayMode, 1);

    vanta::testing::setEveryField(key);
    DownloadContext download;
    recordOf(key, download);
    auto copied = copyComponent(key);
    ASSERT_NE(copied, nullptr);
    auto& copy = static_cast<CFunction&>(*copied);
    EXPECT_EQ(vanta::testing::store(copy), vanta::testing::store(key));
    EXPECT_EQ(copy.m_signed, 1) << "not stored, but copied";
    EXPECT_EQ(copy.m_rect, key.m_rect);
    EXPECT_EQ(copy.m_images, key.m_images);
    EXPECT_TRUE(copy.m_record.empty());
}

TEST(FunctionPageRules, RecipeBaseOperationsForceValuesAndLabels) {
    Project p(3);
    CFunction key(p.context);
    key.m_actionKind = kActionRecipe;
    key.m_regType = 0;
    key.m_address = 40;
    key.m_recipeOperation = kRecipeIncreaseBase;
    RecipeControls c = applyRecipeOperation(key);
    EXPECT_EQ(c.limitLabel, "Upper:");
    EXPECT_EQ(c.lengthLabel, "Step:");
    EXPECT_EQ(c.lengthMax, 1024);
    EXPECT_TRUE(c.limitShown);
    EXPECT_FALSE(c.bindingEnabled);
    EXPECT_EQ(key.m_limit, 1023);
    EXPECT_EQ(key.m_regType, 3);
    EXPECT_EQ(key.m_address, 0);

    key.m_recipeOperation = kRecipeDecreaseBase;
    c = applyRecipeOperation(key);
    EXPECT_EQ(c.limitLabel, "Lower:");
    EXPECT_EQ(key.m_limit, 0);
    key.m_limit = 500;  // other limits stay
    applyRecipeOperation(key);
    EXPECT_EQ(key.m_limit, 500);

    key.m_recipeOperation = kRecipeUpload;
    key.m_regType = 1;
    c = applyRecipeOperation(key);
    EXPECT_EQ(c.lengthLabel, "Length:");
    EXPECT_EQ(c.lengthMax, 64);
    EXPECT_FALSE(c.limitShown);
    EXPECT_TRUE(c.bindingEnabled);
    EXPECT_EQ(key.m_regType, 1);

    // "目标地址" maximum by the recipe type code: RP, RWI, RDI, then any other.
    EXPECT_EQ(recipeTargetSpinRange(p.vocab, 0).max, 2048);
    EXPECT_EQ(recipeTargetSpinRange(p.vocab, 1).max, 1024);
    EXPECT_EQ(recipeTargetSpinRange(p.vocab, 2).max, 512);
    EXPECT_EQ(recipeTargetSpinRange(p.vocab, 5).max, 65535);  // "4x"
}

TEST(FunctionPageRules, ProtocolOneHasNoCoils) {
    Project p(1);
    CFunction key(p.context);
    key.m_actionKind = kActionSetCoil;
    key.m_coilOperation = kCoilToggle;
    applyKeyPageFill(key);
    EXPECT_EQ(key.m_actionKind, kActionJump);
    EXPECT_EQ(key.m_coilOperation, kCoilNone);
    const KeyPageControls c = keyPageControls(key, 1);
    EXPECT_FALSE(c.setCoilEnabled);
    EXPECT_FALSE(c.storesCoilRadio);
    EXPECT_EQ(c.subPage, KeySubPage::Jump);
    EXPECT_EQ(c.address.entry, NumberEntry::Hex);

    key.m_actionKind = kActionSetRegister;
    EXPECT_TRUE(keyPageControls(key, 1).bitNumberShown);  // only protocol 1 shows it here
}

TEST(FunctionPageRules, InvisibleAndFormat) {
    Project p(3);
    CFunction key(p.context);
    key.m_hand = 1;
    key.m_doubleSize = 1;
    key.m_inverse = 1;
    key.m_invisible = 1;
    applyKeyInvisible(key);
    EXPECT_EQ(key.m_hand + key.m_doubleSize + key.m_inverse, 0);
    EXPECT_FALSE(keyPageControls(key, 1).optionChecksEnabled);
    EXPECT_EQ(key.keyImage(), 336 + 3 * 2);

    key.m_keyOption = kFormatSigned;
    applyKeyFormat(key);
    EXPECT_EQ(key.m_signedFlag, 1);
    EXPECT_EQ(key.m_signed, 1);
    key.m_keyOption = kFormatHex;
    applyKeyFormat(key);
    EXPECT_EQ(key.m_signedFlag, 0);
    EXPECT_EQ(key.m_signed, 0);
}

TEST(FunctionPageRules, ValueRangeFollowsTypeWidthAndFormat) {
    Project p2(2);  // "VW" 2 bytes, "VD" 4 bytes, then "RP" (0x70, 2 bytes)
    CFunction key(p2.context);
    key.m_actionKind = kActionSetRegister;
    key.m_keyOption = kFormatUnsigned;
    EXPECT_EQ(keyValueSpinRange(key), (SpinRange{0, 65535}));
    key.m_keyOption = kFormatSigned;
    EXPECT_EQ(keyValueSpinRange(key), (SpinRange{-32768, 32767}));
    key.m_keyOption = kFormatHex;
    EXPECT_EQ(keyValueSpinRange(key), (SpinRange{0, 65535, NumberEntry::Hex}));
    key.m_regType = 1;
    key.m_keyOption = kFormatUnsigned;
    EXPECT_EQ(keyValueSpinRange(key), (SpinRange{0, 4294967295LL}));
    key.m_keyOption = kFormatSigned;
    EXPECT_EQ(keyValueSpinRange(key), (SpinRange{-2147483648LL, 2147483647LL}));
    key.m_regType = 2;  // "RP"
    key.m_keyOption = kFormatUnsigned;
    EXPECT_EQ(keyValueSpinRange(key), (SpinRange{0, 65535}));

    Project p31(31);  // under 31 the register type value decides
    CFunction ktc(p31.context);
    ktc.m_registerTypeValue = 100;
    EXPECT_EQ(keyValueSpinRange(ktc).max, 4294967295LL);
}

TEST(FunctionPageRules, CoilSubPageRangesAndVisibility) {
    Project p32(32);
    CFunction key(p32.context);
    key.m_actionKind = kActionSetRegister;
    EXPECT_EQ(keyAddressSpinRange(key), (SpinRange{0, 2564}));
    key.m_actionKind = kActionSetCoil;
    EXPECT_EQ(keyAddressSpinRange(key), (SpinRange{0, 127}));

    Project p19(19);
    CFunction coil(p19.context);
    coil.m_regType = 0;  // bit list A "0x"
    KeyPageControls c = keyPageControls(coil, 1);
    EXPECT_FALSE(c.bitNumberShown);
    EXPECT_TRUE(c.coilRadiosShown);
    EXPECT_FALSE(c.valueShown);
    coil.m_regType = 1;  // "4x"
    EXPECT_TRUE(keyPageControls(coil, 1).bitNumberShown);
    coil.m_actionKind = kActionSetRegister;
    c = keyPageControls(coil, 1);
    EXPECT_FALSE(c.bitNumberShown);
    EXPECT_TRUE(c.valueShown);
    EXPECT_FALSE(c.coilRadiosShown);
    EXPECT_EQ(c.typeNames, p19.vocab.wordTypes);

    Project p31(31);
    CFunction ktc(p31.context);
    c = keyPageControls(ktc, 1);
    EXPECT_FALSE(c.recipeEnabled);
    EXPECT_TRUE(keyPageControls(coil, 1).recipeEnabled);
    EXPECT_TRUE(c.subTypeShown);
    EXPECT_FALSE(c.bitNumberShown);
    EXPECT_EQ(c.subTypeNames, p31.vocab.parameterNames(TypeList::BitA, 0));
    ktc.m_actionKind = kActionJump;
    c = keyPageControls(ktc, 1);
    EXPECT_FALSE(c.subTypeShown);
    EXPECT_EQ(c.subPage, KeySubPage::Jump);
    ktc.m_jumpTarget = kJumpAlarmList;
    EXPECT_FALSE(keyPageControls(ktc, 1).jumpScreenEnabled);
}
