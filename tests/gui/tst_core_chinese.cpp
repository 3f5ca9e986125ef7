// The core's own English messages in the Chinese interface: every problem the checks report, the
// download's notice of them and the file messages read as Chinese sentences (values such as
// numbers, protocol and register names and paths kept), while the system's own texts stay as
// they stand and the English interface keeps the core's English exactly.

#include <sys/stat.h>

#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>
#include <cctype>
#include <functional>
#include <memory>
#include <set>

#include "FrameTestSupport.h"
#include "app/Application.h"
#include "app/CMainFrame.h"
#include "checks/DownloadGate.h"
#include "checks/ProjectAnalysis.h"
#include "common/FileIO.h"
#include "common/GbkText.h"
#include "editor/ProblemsDock.h"
#include "model/AlarmListRules.h"
#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CRegister.h"
#include "model/CTide.h"
#include "model/CUpLoadPic.h"
#include "model/Geometry.h"
#include "project/OldProjectImport.h"
#include "project/Project.h"
#include "project/ProjectDocument.h"
#include "protocols/ProtocolNames.h"
#include "qtsupport/AppInfo.h"
#include "qtsupport/CoreText.h"

using namespace vanta;
using vanta::test::fonts;

namespace {

// A translation from the build's folder, installed until it goes out of scope.
class InstalledTranslation {
  public:
    explicit InstalledTranslation(const char* file) {
        ok_ = translator_.load(QStringLiteral(VANTA_DATA_DIR "/") + QString::fromLatin1(file));
        if (ok_)
            QCoreApplication::installTranslator(&translator_);
    }
    ~InstalledTranslation() {
        if (ok_)
            QCoreApplication::removeTranslator(&translator_);
    }
    bool ok() const { return ok_; }

  private:
    QTranslator translator_;
    bool ok_ = false;
};

template <typename T>
T& place(CMainView& screen, uint8_t kind, int x, int y) {
    return *static_cast<T*>(screen.addComponent(kind, screenFromPanel(x), screenFromPanel(y)));
}

CChars& placeText(CMainView& screen, int x, int y, const ByteString& text) {
    auto& c = place<CChars>(screen, kKindChars, x, y);
    c.m_text = text;
    c.Refit();
    return c;
}

CFunction& placeKey(CMainView& screen, int x, int y, uint8_t action) {
    auto& c = place<CFunction>(screen, kKindFunction, x, y);
    c.m_displayKind = 8;
    c.m_actionKind = action;
    c.Refit();
    return c;
}

MonoBitmap picture(int width, int height) {
    MonoBitmap bitmap(width, height);
    for (int x = 0; x < width; ++x)
        bitmap.setPixel(x, x % height, true);
    return bitmap;
}

void placePicture(CMainView& screen, const ModelContext& context, int x, int y, MonoBitmap bitmap) {
    screen.addComponent(std::make_unique<CUpLoadPic>(context, screenFromPanel(x),
                                                     screenFromPanel(y), std::move(bitmap)),
                        screenFromPanel(x), screenFromPanel(y));
}

// Small projects that, between them, hold every problem the checks report, each kind of
// sentence at least once.
std::vector<Problem> problemsOfEveryKind() {
    std::vector<std::function<void(Project&)>> builders;
    auto add = [&](uint8_t protocol, std::function<void(Project&)> build) {
        builders.push_back([protocol, build](Project& p) {
            p.resetToNew(protocol);
            p.screens.at(0).m_upScreen = 0;
            p.screens.at(0).m_downScreen = 0;
            build(p);
        });
    };
    // Screens that do not exist, a screen number given twice, the panel's own settings.
    add(3, [](Project& p) {
        CMainView& three = p.screens.createScreen(3, "");
        three.m_upScreen = 5;
        three.m_downScreen = 6;
        placeKey(three, 120, 48, kActionJump).m_targetScreen = 12;
        p.panel.initialScreen = 7;
        p.panel.saverAction = 1;
        p.panel.saverScreen = 9;
        p.panel.controlFlags = 1;
        p.panel.plcStation = 0;
        p.panel.controlRegisterNumber = 0;
        p.panel.controlRegisterType = 40;
        auto again = std::make_unique<CMainView>(p.context());
        again->m_number = 3;
        p.screens.append(std::move(again));
    });
    // Places on the display: off it (which the download refuses), wider, past the right and
    // bottom edges, higher; covered and overlapping texts.
    add(3, [](Project& p) { place<CRegister>(p.screens.at(0), kKindRegister, 0, 0).m_x = 200; });
    add(3, [](Project& p) {
        CMainView& s = p.screens.at(0);
        placePicture(s, p.context(), 0, 0, picture(196, 20));
        placeText(s, 0, 24, "abc").m_x = 180;
        placeText(s, 0, 40, "low").m_y = 56;
        CMainView& two = p.screens.createScreen(2, "");
        two.m_upScreen = two.m_downScreen = 0;
        placePicture(two, p.context(), 0, 0, picture(64, 32));
        placeText(two, 8, 8, "hid");
        placeText(two, 100, 40, "right");
        placeText(two, 72, 40, "left..");
        CMainView& four = p.screens.createScreen(4, "");
        four.m_upScreen = four.m_downScreen = 0;
        auto& tall = place<CBar>(four, kKindBar, 0, 0);
        tall.m_width = 10;
        tall.m_height = 70;
    });
    add(3, [](Project& p) {
        for (int i = 0; i < 256; ++i)
            placeText(p.screens.at(0), 0, 0, "");
    });
    // Texts the panel cannot take; dynamic-text values; too many entries.
    add(3, [](Project& p) {
        CMainView& s = p.screens.at(0);
        placeText(s, 0, 0, "ok").m_text = std::string(300, 'a');
        placeText(s, 0, 16, "ok").m_text = std::string("ab\xD6", 3);
        placeText(s, 0, 32, "ok").m_text = std::string("\x81\x20x", 3);
        auto& dyn = place<CDynamic>(s, kKindDynamic, 96, 48);
        dyn.m_values[0] = 1;
        dyn.m_valueTexts[0] = "1";
        dyn.m_texts[0] = std::string("\xFF\x40", 2);
        dyn.m_values[1] = 65537;
        dyn.m_valueTexts[1] = "65537";
        dyn.m_values[2] = 1;
        dyn.m_valueTexts[2] = "1";
        CMainView& two = p.screens.createScreen(2, "");
        two.m_upScreen = two.m_downScreen = 0;
        auto& many = place<CDynamic>(two, kKindDynamic, 0, 0);
        many.m_values.assign(300, 0);
        many.m_texts.assign(300, "t");
        many.m_valueTexts.clear();
        for (int i = 0; i < 300; ++i) {
            many.m_values[static_cast<size_t>(i)] = i;
            many.m_valueTexts.push_back(std::to_string(i));
        }
    });
    // Limits in the wrong order, values outside the protocol's ranges, too wide a register.
    add(3, [](Project& p) {
        CMainView& s = p.screens.at(0);
        auto& reg = place<CRegister>(s, kKindRegister, 0, 0);
        reg.m_limits = 1;
        reg.m_inputHigh = 5;
        reg.m_inputLow = 5;
        reg.m_station = 250;
        auto& bar = place<CBar>(s, kKindBar, 100, 0);
        bar.m_fullScale = 50;
        bar.m_zeroScale = 100;
        place<CRegister>(s, kKindRegister, 0, 16).m_regType = 9;
        auto& wide = place<CRegister>(s, kKindRegister, 0, 32);
        wide.m_digits = 255;
        wide.m_signed = 1;
        place<CLight>(s, kKindLight, 100, 40).m_station = 0;
        auto& trend = place<CTide>(s, kKindTide, 140, 0);
        trend.m_interval = 0;
    });
    // Key actions the panel or the protocol refuses.
    add(3, [](Project& p) {
        CMainView& s = p.screens.at(0);
        placeKey(s, 0, 0, 99);
        placeKey(s, 16, 0, kActionSetCoil).m_coilOperation = kCoilNone;
        CFunction& recipe = placeKey(s, 32, 0, kActionRecipe);
        recipe.m_recipeOperation = 99;
        placeKey(s, 48, 0, kActionJump).m_displayKind = 200;
    });
    add(1, [](Project& p) {
        placeKey(p.screens.at(0), 0, 0, kActionSetCoil).m_coilOperation = kCoilNone;
    });
    add(31, [](Project& p) {
        placeKey(p.screens.at(0), 0, 0, kActionRecipe);
        place<CRegister>(p.screens.at(0), kKindRegister, 0, 16).m_regType = 99;
        place<CRegister>(p.screens.at(0), kKindRegister, 0, 32).m_subType = 99;
    });
    // The alarm list: past its start register, out of range, no alarm list, too many texts.
    add(1, [](Project& p) { p.alarms.m_texts.assign(20, "alarm"); });
    add(3, [](Project& p) {
        p.alarms.m_texts = {"alarm", std::string("\xFF\x40", 2)};
        p.alarms.m_startAddress = 1;
        p.alarms.m_station = 248;
        p.alarms.m_regType = 40;
    });
    add(36, [](Project& p) { p.alarms.m_texts.assign(256, "alarm"); });
    // An image larger than the panel's memory.
    add(3, [](Project& p) {
        for (uint16_t n = 2; n <= 22; ++n) {
            CMainView& s = p.screens.createScreen(n, "");
            s.m_upScreen = s.m_downScreen = 0;
            placePicture(s, p.context(), 0, 0, picture(192, 64));
        }
        placePicture(p.screens.at(0), p.context(), 0, 0, picture(192, 64));
    });

    std::vector<Problem> all;
    for (const auto& build : builders) {
        Project p(nullptr, 3);
        build(p);
        for (Problem& problem : analyseProject(p, fonts()).problems)
            all.push_back(std::move(problem));
    }
    // A refusal the checks do not know, as the analysis reports it.
    Problem refused;
    refused.code = "download-refused";
    refused.message =
        "the download refuses the project: Screen 1: Register at (200, 0) lies outside "
        "the 192 x 64 display; move it onto the display.";
    refused.fix = "Correct what the message names.";
    all.push_back(refused);
    return all;
}

// The words of a text in Latin letters that are no value: a value is a number (0x81 too), a
// protocol's or register type's name, a path, or one of the panel's own names.
QStringList englishWords(const QString& text, const QSet<QString>& values) {
    static const QRegularExpression word(QStringLiteral("(?<![0-9A-Za-z_./])[A-Za-z][A-Za-z']+"));
    QStringList left;
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QString w = it.next().captured();
        if (!values.contains(w))
            left << w;
    }
    return left;
}

QSet<QString> valueWords() {
    QSet<QString> words = {QStringLiteral("GBK"), QStringLiteral("PLC"), QStringLiteral("Orbis"),
                           QStringLiteral("ON"),  QStringLiteral("OFF"), QStringLiteral("TM")};
    static const QRegularExpression split(QStringLiteral("[^A-Za-z]+"));
    for (int protocol = 0; protocol < 256; ++protocol) {
        const std::string_view name = protocolNameEnglish(static_cast<uint8_t>(protocol));
        for (const QString& w : QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))
                                    .split(split, Qt::SkipEmptyParts))
            words << w;
    }
    return words;
}

bool holdsChinese(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x3000 && c.unicode() <= 0x9FFF)
            return true;
    return false;
}

class KeepingPrompter : public Prompter {
  public:
    Answer ask(const std::string& text, const std::string& caption, Buttons, Severity) override {
        asked.push_back(text);
        captions.push_back(caption);
        return Answer::No;
    }
    std::vector<std::string> asked;
    std::vector<std::string> captions;
};

class NoDocumentUi : public DocumentUi {
  public:
    std::optional<std::string> askSavePath(const std::string&) override { return std::nullopt; }
    bool choosePlcForNewProject(Project&) override { return true; }
};

}  // namespace

class TestCoreChinese : public QObject {
    Q_OBJECT
  private slots:
    void everyProblemReadsInChinese();
    void sentencesInChinese();
    void theDownloadsNoticeInChinese();
    void fileMessagesInChinese();
    void damagedFilesInChinese();
    void theSystemsOwnTextsStayAsTheyStand();
    void theEnglishInterfaceKeepsTheCoresEnglish();
    void theChineseEditorLoadsTheTable();
};

void TestCoreChinese::everyProblemReadsInChinese() {
    const InstalledTranslation chinese(kCoreChineseTranslationFile);
    QVERIFY(chinese.ok());
    const std::vector<Problem> problems = problemsOfEveryKind();
    QSet<QString> codes;
    QSet<QString> sentences;
    const QSet<QString> values = valueWords();
    QStringList english;
    for (const Problem& p : problems) {
        codes << QString::fromStdString(p.code);
        sentences << QString::fromStdString(p.message).remove(QRegularExpression("[0-9]+"));
        const QString shown = problemDisplayText(p);
        // The name of a register type, module or parameter is a value too.
        QSet<QString> allowed = values;
        const qsizetype last = QString::fromStdString(p.message).indexOf("the last one, ");
        if (last >= 0)
            allowed << QString::fromStdString(p.message).mid(last + 14);
        if (qEnvironmentVariableIsSet("VANTA_SHOW_PROBLEMS"))
            qInfo("%s\n  %s", qPrintable(QString::fromStdString(problemText(p))),
                  qPrintable(shown));
        if (!holdsChinese(shown) || !englishWords(shown, allowed).isEmpty())
            english << QString::fromStdString(p.message + " / " + p.fix) + " -> " + shown;
    }
    QVERIFY2(english.isEmpty(), qPrintable(english.join(QLatin1Char('\n'))));
    // Every code the checks have, and the sentences of each (the key refusals, the four ways a
    // component does not fit, ...).
    const QSet<QString> expected = {"image-too-large",      "missing-initial-screen",
                                    "missing-saver-screen", "panel-out-of-range",
                                    "missing-up-screen",    "missing-down-screen",
                                    "duplicate-screen",     "too-many-components",
                                    "alarm-not-offered",    "alarm-too-many",
                                    "alarm-past-register",  "alarm-out-of-range",
                                    "text-too-long",        "text-incomplete-character",
                                    "text-not-gbk",         "out-of-range",
                                    "register-too-wide",    "limits-order",
                                    "dynamic-value-range",  "duplicate-dynamic-value",
                                    "too-many-entries",     "missing-jump-target",
                                    "key-refused",          "off-display",
                                    "does-not-fit",         "covered",
                                    "overlapping-texts",    "download-refused"};
    QCOMPARE(codes, expected);
    QVERIFY2(sentences.size() >= 45, qPrintable(QString::number(sentences.size())));
}

void TestCoreChinese::sentencesInChinese() {
    const InstalledTranslation chinese(kCoreChineseTranslationFile);
    QVERIFY(chinese.ok());
    Problem range;
    range.message = "its station 250 lies outside the range 1..247 of protocol 3 (Modbus RTU)";
    range.fix = "Choose its station within 1..247 on its page.";
    QCOMPARE(problemDisplayText(range),
             QStringLiteral("局号 250 超出协议 3 (Modbus RTU) 的范围 1..247。"
                            "请在属性页中将局号设在 1..247 之内。"));
    // A text field refusing a character GBK cannot hold.
    QCOMPARE(translateCoreText(utf8ToGbk("A😀").message()),
             QStringLiteral("字符“😀”(U+1F600) 不能以 GBK 编码保存"));
    Problem jump;
    jump.message = "jumps to screen 12, which does not exist; the key does nothing on the panel";
    jump.fix = "Choose an existing screen or add screen 12.";
    QCOMPARE(problemDisplayText(jump),
             QStringLiteral("跳转到画面 12，该画面不存在；此键在面板上没有作用。"
                            "请选择已有的画面，或添加画面 12。"));
    Problem up;
    up.message =
        "the up key leads to screen 99, which does not exist; pressing it on the panel "
        "does nothing";
    up.fix = "Choose an existing screen, or 0 for none, on the screen's page.";
    QCOMPARE(problemDisplayText(up),
             QStringLiteral("向上键通往画面 99，该画面不存在；在面板上按此键没有作用。"
                            "请在画面属性中选择已有的画面，或填 0 表示不跳转。"));
    Problem covered;
    covered.message = "is completely covered by Picture at (0, 0), which the panel draws over it";
    covered.fix = "Move one of them, or delete the hidden one.";
    QCOMPARE(problemDisplayText(covered),
             QStringLiteral("被图片 (0, 0)完全遮住，面板把后者画在它上面。"
                            "请移开其中一个，或删除被遮住的部件。"));
    Problem entry;
    entry.message = "the text of entry 3 is 300 bytes long; the panel takes at most 255";
    entry.fix = "Shorten the text.";
    QCOMPARE(problemDisplayText(entry),
             QStringLiteral("第 3 项的文本长 300 字节；面板最多接受 255 字节。请缩短文本。"));
    Problem none;
    none.message = "it names register type 2, but protocol 9 (X) has none";
    none.fix = "Choose another protocol or delete the component.";
    QCOMPARE(problemDisplayText(none),
             QStringLiteral("寄存器类型是第 2 种，但协议 9 (X)没有任何寄存器类型。"
                            "请选择其他协议，或删除该部件。"));
    // A refusal that ends with a full stop of its own keeps one.
    Problem refused;
    refused.message =
        "the download refuses the project: Screen 2 holds 256 components; the panel "
        "shows at most 255 on a screen.";
    refused.fix = "Correct what the message names.";
    QCOMPARE(problemDisplayText(refused),
             QStringLiteral("下载拒绝此工程：画面 2 有 256 个部件；面板每个画面最多显示 255 个。"
                            "请更正消息所指出的问题。"));
    // A value is translated only where it is a text of the table: a register type stays.
    Problem type;
    type.message =
        "it names register type 10, but protocol 3 (Modbus RTU) offers 7; the download "
        "would send the code of the last one, TM";
    type.fix = "Choose the register type on its page.";
    QCOMPARE(problemDisplayText(type),
             QStringLiteral("寄存器类型是第 10 种，但协议 3 (Modbus RTU)只提供 7 种；"
                            "下载时将发送最后一种 TM 的代码。请在属性页中选择寄存器类型。"));
}

void TestCoreChinese::theDownloadsNoticeInChinese() {
    const InstalledTranslation chinese(kCoreChineseTranslationFile);
    QVERIFY(chinese.ok());
    std::vector<Problem> problems = problemsOfEveryKind();
    const QSet<QString> values = valueWords();
    // Errors (the notice) and warnings only (the question), each listing some problems.
    std::vector<Problem> warnings;
    for (const Problem& p : problems)
        if (!p.isError())
            warnings.push_back(p);
    for (const std::vector<Problem>* list : {&problems, &warnings}) {
        const QString shown = translateCoreText(downloadGateText(*list));
        QVERIFY2(englishWords(shown, values).isEmpty(), qPrintable(shown));
    }
    Problem one;
    one.severity = ProblemSeverity::Warning;
    one.code = "missing-up-screen";
    one.place = ProblemPlace::Screen;
    one.screen = 1;
    one.message =
        "the up key leads to screen 99, which does not exist; pressing it on the panel "
        "does nothing";
    one.fix = "Choose an existing screen, or 0 for none, on the screen's page.";
    QCOMPARE(
        translateCoreText(downloadGateText({one})),
        QStringLiteral("工程中有 1 个警告。\n\n"
                       "警告：画面 1：向上键通往画面 99，该画面不存在；在面板上按此键没有作用。"
                       "请在画面属性中选择已有的画面，或填 0 表示不跳转。\n\n仍然下载吗？"));
}

void TestCoreChinese::fileMessagesInChinese() {
    const InstalledTranslation chinese(kCoreChineseTranslationFile);
    QVERIFY(chinese.ok());
    QTemporaryDir dir;
    KeepingPrompter prompter;
    NoDocumentUi ui;
    ProjectDocument document(prompter, ui, nullptr);
    // A device is refused; a damaged file; a read-only file offered another name.
    document.open("/dev/null");
    const std::string damaged = dir.filePath("damaged.osp").toStdString();
    Project good(nullptr, 3);
    good.resetToNew(3);
    Bytes bytes = good.save();
    bytes.resize(bytes.size() / 2);
    QVERIFY(writeFileAtomically(damaged, bytes).ok());
    document.open(damaged);
    const std::string locked = dir.filePath("locked.osp").toStdString();
    QVERIFY(writeFileAtomically(locked, good.save()).ok());
    ::chmod(locked.c_str(), 0444);
    document.project().resetToNew(3);
    document.saveTo(locked);
    // The import's question before replacing a project of the same name.
    QCOMPARE(translateCoreText(replaceQuestion("/tmp/a.osp")),
             QStringLiteral("/tmp/a.osp 已存在。要替换它吗？"));

    QCOMPARE(prompter.asked.size(), size_t{3});
    QCOMPARE(translateCoreText(prompter.asked[0]),
             QStringLiteral("无法打开 \"/dev/null\"：它是设备，不是文件。"));
    QCOMPARE(translateCoreText(prompter.captions[0]), QStringLiteral("打开工程"));
    QVERIFY2(translateCoreText(prompter.asked[1])
                 .startsWith(QStringLiteral("无法打开 \"%1\"：文件已损坏，或不是本程序写的（")
                                 .arg(QString::fromStdString(damaged))),
             prompter.asked[1].c_str());
    QCOMPARE(
        translateCoreText(prompter.asked[2]),
        QString::fromStdString(locked) + QStringLiteral(" 是只读的。要以另一个名字保存工程吗？"));
    QCOMPARE(translateCoreText(prompter.captions[2]), QStringLiteral("保存工程"));
    // A save that fails names its reason in Chinese too.
    QCOMPARE(translateCoreText(std::string("Cannot save \"/x/a.osp\": the disk is full. The "
                                           "previous file is unchanged.")),
             QStringLiteral("无法保存 \"/x/a.osp\"：磁盘已满。原来的文件没有改变。"));
}

namespace {

// What a reader says of a damaged file, the same message told apart from its numbers.
std::string shapeOf(const std::string& message) {
    std::string shape;
    for (const char c : message)
        if (!std::isdigit(static_cast<unsigned char>(c)) || shape.empty() || shape.back() != '#')
            shape += std::isdigit(static_cast<unsigned char>(c)) ? '#' : c;
    return shape;
}

// An English word left in a Chinese text: two letters or more, outside quotes (a class name)
// and other than a name in capitals ("GBK").
bool holdsEnglishWords(const QString& text) {
    static const QRegularExpression quoted(QStringLiteral("“[^”]*”|\"[^\"]*\""));
    static const QRegularExpression word(QStringLiteral("[A-Za-z]*[a-z][A-Za-z]*"));
    QString rest = text;
    rest.remove(quoted);
    for (auto it = word.globalMatch(rest); it.hasNext();)
        if (it.next().capturedLength() >= 2)
            return true;
    return false;
}

}  // namespace

void TestCoreChinese::damagedFilesInChinese() {
    const InstalledTranslation chinese(kCoreChineseTranslationFile);
    QVERIFY(chinese.ok());
    // The sample project and old project cut at every length and with each byte changed, read
    // through the real readers: each different refusal is translated once.
    const auto sample = [](const char* name) {
        return readWholeFile(std::string(VANTA_SOURCE_DIR "/data/samples/") + name).value();
    };
    const std::vector<uint8_t> project = sample("demo.osp");
    const std::vector<uint8_t> old = sample("old.grx");
    const std::function<Status(std::span<const uint8_t>)> readers[] = {
        [](std::span<const uint8_t> bytes) { return Project(nullptr, 3).load(bytes); },
        [](std::span<const uint8_t> bytes) { return convertOldProject(bytes).status(); },
    };
    std::set<std::string> seen;
    QStringList english;
    const auto read = [&](const std::function<Status(std::span<const uint8_t>)>& reader,
                          std::span<const uint8_t> bytes) {
        const Status status = reader(bytes);
        if (status.ok() || !seen.insert(shapeOf(status.message())).second)
            return;
        if (coreFixedTexts().contains(QString::fromStdString(status.message())))
            return;  // the system's own texts stand as they are
        const QString text = translateCoreText(status.message());
        if (holdsEnglishWords(text))
            english << QString::fromStdString(status.message()) + QStringLiteral(" → ") + text;
    };
    for (size_t r = 0; r < 2; ++r) {
        std::vector<uint8_t> bytes = r == 0 ? project : old;
        for (size_t n = 0; n < bytes.size(); ++n)
            read(readers[r], std::span<const uint8_t>(bytes.data(), n));
        for (size_t at = 0; at < bytes.size(); ++at) {
            const uint8_t kept = bytes[at];
            for (const uint8_t changed : {uint8_t(0xFF), uint8_t(kept ^ 0x40)}) {
                bytes[at] = changed;
                read(readers[r], bytes);
            }
            bytes[at] = kept;
        }
    }
    QVERIFY(seen.size() >= 10);
    QVERIFY2(english.isEmpty(), qPrintable(english.join(QLatin1Char('\n'))));
}

void TestCoreChinese::theSystemsOwnTextsStayAsTheyStand() {
    const InstalledTranslation chinese(kCoreChineseTranslationFile);
    QVERIFY(chinese.ok());
    QStringList changed;
    for (const QString& text : coreFixedTexts())
        if (translateCoreText(text) != text)
            changed << text;
    for (const char* text : {"Open file/tmp/a.osp error!", "Download complete!Data 120 bytes",
                             "Save changes to 无标题 project?", "does the file/tmp/x.dat exist?",
                             "conversion accomplished!"})
        if (translateCoreText(std::string(text)) != QString::fromUtf8(text))
            changed << QString::fromUtf8(text);
    QVERIFY2(changed.isEmpty(), qPrintable(changed.join(QLatin1Char('\n'))));
    // Every text of the table has its Chinese; the system's texts are not in it.
    QStringList untranslated;
    for (const QString& text : coreChineseFixedTexts() + coreChinesePatterns())
        if (QCoreApplication::translate(kCoreTextContext, text.toUtf8()) == text)
            untranslated << text;
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
    for (const QString& text : coreFixedTexts() + coreTextPatterns())
        QCOMPARE(QCoreApplication::translate(kCoreTextContext, text.toUtf8()), text);
}

void TestCoreChinese::theEnglishInterfaceKeepsTheCoresEnglish() {
    const std::vector<Problem> problems = problemsOfEveryKind();
    // Without a translation (the command line's texts) and with the English one alike.
    for (const bool withEnglish : {false, true}) {
        std::unique_ptr<InstalledTranslation> english;
        if (withEnglish) {
            english = std::make_unique<InstalledTranslation>(app::kTranslationFile);
            QVERIFY(english->ok());
        }
        for (const Problem& p : problems)
            QCOMPARE(problemDisplayText(p), QString::fromStdString(problemText(p)));
        const std::string notice = downloadGateText(problems);
        QCOMPARE(translateCoreText(notice), QString::fromStdString(notice));
        for (const QString& text : coreChineseFixedTexts() + coreChinesePatterns())
            QVERIFY2(!holdsChinese(QCoreApplication::translate(kCoreTextContext, text.toUtf8())),
                     qPrintable(text));
    }
}

void TestCoreChinese::theChineseEditorLoadsTheTable() {
    StartupOptions options;
    options.dataDir = QStringLiteral(VANTA_DATA_DIR);
    options.translationDir = QStringLiteral(VANTA_DATA_DIR);
    options.translate = false;
    options.splash = false;
    KeepingPrompter prompter;
    {
        Application application(options, &prompter);
        QVERIFY(application.initialise());
        QCOMPARE(translateCoreText(std::string("Choose another action for the key.")),
                 QStringLiteral("请为此键选择其他动作。"));
        QCOMPARE(translateCoreText(std::string("延时越界")), QStringLiteral("延时越界"));
    }
    // Gone with the editor.
    QCOMPARE(translateCoreText(std::string("Choose another action for the key.")),
             QStringLiteral("Choose another action for the key."));
    options.translate = true;
    Application english(options, &prompter);
    QVERIFY(english.initialise());
    QCOMPARE(translateCoreText(std::string("Choose another action for the key.")),
             QStringLiteral("Choose another action for the key."));
}

QTEST_MAIN(TestCoreChinese)
#include "tst_core_chinese.moc"
