// Every dialog, property page and sub-page of the editor (the scenes of the gallery) in Chinese
// and in English, at the usual font and at a larger one: no label, button, check box, radio
// button, group title or list shows less than its whole text, no visible control overlaps
// another, nothing is cut off by the widget around it, the English interface holds no Chinese
// text outside the user's data, and every window's mnemonics are unique.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "Gallery.h"
#include "app/CMainFrame.h"
#include "widgets/CNumSpinCtrl.h"

using vanta::CMainFrame;
using vanta::CNumSpinCtrl;
using vanta::gallery::Gallery;

namespace {

vanta::gallery::Options options(bool english) {
    vanta::gallery::Options o;
    o.dataDir = QStringLiteral(VANTA_DATA_DIR);
    o.translationDir = QStringLiteral(VANTA_DATA_DIR);
    o.sourceDir = QStringLiteral(VANTA_SOURCE_DIR);
    o.english = english;
    return o;
}

QString describe(const QWidget* w) {
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(w))
        text = label->text();
    else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        text = button->text();
    else if (const auto* group = qobject_cast<const QGroupBox*>(w))
        text = group->title();
    return QStringLiteral("%1 \"%2\" (%3)")
        .arg(QString::fromLatin1(w->metaObject()->className()), text, w->objectName());
}

// Widgets in the toolbar, the menu bar and the status bar's grip are the frame's own.
bool inChrome(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (qobject_cast<const QToolBar*>(p) || qobject_cast<const QMenuBar*>(p) ||
            qobject_cast<const QMenu*>(p))
            return true;
    return false;
}

// The part of `w` that can be seen: its rectangle clipped by every widget around it, in the
// window's coordinates.
QRect visiblePart(const QWidget* w, const QWidget* window) {
    QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        r &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
    return r;
}

bool isLeafControl(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QTableView*>(w) || qobject_cast<const CNumSpinCtrl*>(w) ||
           qobject_cast<const QProgressBar*>(w);
}

// Width the text of a control needs to be seen whole.
void checkText(const QWidget* w, QStringList& problems) {
    const QSize size = w->size();
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return;
        if (label->wordWrap()) {
            if (size.height() < label->heightForWidth(size.width()))
                problems << QStringLiteral("cut off below: ") + describe(w);
            return;
        }
        if (size.width() < label->sizeHint().width() ||
            size.height() < label->fontMetrics().height())
            problems << QStringLiteral("truncated: %1 is %2 wide, needs %3")
                            .arg(describe(w))
                            .arg(size.width())
                            .arg(label->sizeHint().width());
        return;
    }
    if (qobject_cast<const QToolButton*>(w))
        return;  // pictures in the toolbar and the spins' arrows
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        if (button->text().isEmpty())
            return;
        QString shown = button->text();
        shown.remove(QLatin1Char('&'));
        const int text = button->fontMetrics().horizontalAdvance(shown);
        const int needed = qobject_cast<const QPushButton*>(w) ? text + 6 : w->sizeHint().width();
        if (size.width() < needed)
            problems << QStringLiteral("truncated: %1 is %2 wide, needs %3")
                            .arg(describe(w))
                            .arg(size.width())
                            .arg(needed);
        return;
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
        QString title = group->title();
        title.remove(QLatin1Char('&'));
        if (!title.isEmpty() && size.width() < group->fontMetrics().horizontalAdvance(title) + 8)
            problems << QStringLiteral("title truncated: ") + describe(w);
        return;
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
        if (combo->isEditable() || combo->currentText().isEmpty())
            return;
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = false;
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        const int text = combo->fontMetrics().horizontalAdvance(combo->currentText());
        if (field.width() < text)
            problems << QStringLiteral("list shows \"%1\" cut (%2 of %3)")
                            .arg(combo->currentText())
                            .arg(field.width())
                            .arg(text);
    }
}

// Text, clipping and overlap problems of every visible control of a window.
QStringList layoutProblems(QWidget* window) {
    QStringList problems;
    std::vector<std::pair<const QWidget*, QRect>> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || inChrome(w) || w->size().isEmpty())
            continue;
        if (qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
            qobject_cast<const QGroupBox*>(w) || qobject_cast<const QComboBox*>(w))
            checkText(w, problems);
        if (!isLeafControl(w))
            continue;
        // Cut by a widget around it (a scrolled area shows the rest when scrolled).
        bool scrolled = false;
        for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
            scrolled = scrolled || qobject_cast<const QAbstractScrollArea*>(p);
        const QRect whole(w->mapTo(window, QPoint(0, 0)), w->size());
        const QRect seen = visiblePart(w, window);
        if (!scrolled && seen != whole && !qobject_cast<const QToolButton*>(w))
            problems << QStringLiteral("cut by its parent: ") + describe(w);
        if (!seen.isEmpty())
            controls.emplace_back(w, seen);
    }
    for (size_t i = 0; i < controls.size(); ++i) {
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const QWidget* a = controls[i].first;
            const QWidget* b = controls[j].first;
            if (a->isAncestorOf(b) || b->isAncestorOf(a))
                continue;
            if (controls[i].second.intersects(controls[j].second))
                problems << QStringLiteral("overlap: %1 and %2").arg(describe(a), describe(b));
        }
    }
    return problems;
}

bool holdsChinese(const QString& text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3000 && u <= 0x303F) ||
            (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

// Every text of the interface in a window (not the user's data in lists and fields).
QStringList interfaceTexts(QWidget* window) {
    QStringList texts{window->windowTitle()};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<const QLabel*>(w))
            texts << label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            texts << button->text();
        else if (const auto* group = qobject_cast<const QGroupBox*>(w))
            texts << group->title();
        else if (const auto* combo = qobject_cast<const QComboBox*>(w);
                 combo && !combo->isEditable())
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        else if (const auto* table = qobject_cast<const QTableWidget*>(w))
            for (int c = 0; c < table->columnCount(); ++c)
                if (const QTableWidgetItem* header = table->horizontalHeaderItem(c))
                    texts << header->text();
        texts << w->toolTip() << w->statusTip();
    }
    for (QAction* action : window->findChildren<QAction*>())
        texts << action->text() << action->toolTip() << action->statusTip();
    return texts;
}

// Mnemonics of one window (with its menu bar) or one menu that are used twice.
QStringList repeatedMnemonics(const QList<QString>& texts) {
    QStringList repeated;
    QString seen;
    for (const QString& text : texts) {
        const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
        if (at < 0)
            continue;
        const QChar key = text.at(at + 1).toLower();
        if (seen.contains(key))
            repeated << text;
        seen += key;
    }
    return repeated;
}

QStringList windowMnemonicTexts(QWidget* window) {
    QStringList texts;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || inChrome(w))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(w); label && label->buddy())
            texts << label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            texts << button->text();
    }
    if (auto* frame = qobject_cast<QMainWindow*>(window))
        for (QAction* menu : frame->menuBar()->actions())
            texts << menu->text();
    return texts;
}

}  // namespace

class TestLayout : public QObject {
    Q_OBJECT
  private slots:
    void theChecksSeeWhatIsWrong();
    void everySceneFitsItsTexts_data();
    void everySceneFitsItsTexts();
    void englishInterfaceHoldsNoChinese();
    void mnemonicsAreUniqueInEveryMenuAndWindow_data();
    void mnemonicsAreUniqueInEveryMenuAndWindow();
};

// The checks themselves: a window with a label too narrow for its text, two buttons on top of
// each other, a check box cut by its group, Chinese text and a mnemonic used twice.
void TestLayout::theChecksSeeWhatIsWrong() {
    QWidget window;
    window.resize(400, 200);
    auto* label = new QLabel(QStringLiteral("Engineering maximum:"), &window);
    label->setGeometry(10, 10, 60, 20);
    auto* a = new QPushButton(QStringLiteral("&Apply"), &window);
    a->setGeometry(10, 40, 80, 24);
    auto* b = new QPushButton(QStringLiteral("&Again"), &window);
    b->setGeometry(60, 50, 80, 24);
    auto* group = new QGroupBox(QStringLiteral("组"), &window);
    group->setGeometry(200, 10, 100, 60);
    auto* check = new QCheckBox(QStringLiteral("Inverse"), group);
    check->setGeometry(50, 20, 120, 20);
    window.show();
    const QString found = layoutProblems(&window).join(QLatin1Char('\n'));
    QVERIFY2(found.contains(QStringLiteral("truncated: QLabel \"Engineering maximum:\"")),
             qPrintable(found));
    QVERIFY2(found.contains(QStringLiteral("overlap: QPushButton")), qPrintable(found));
    QVERIFY2(found.contains(QStringLiteral("cut by its parent: QCheckBox")), qPrintable(found));
    QVERIFY(interfaceTexts(&window).contains(QStringLiteral("组")));
    QVERIFY(holdsChinese(QStringLiteral("组")) && !holdsChinese(QStringLiteral("Group")));
    QCOMPARE(repeatedMnemonics(windowMnemonicTexts(&window)), QStringList{"&Again"});
}

void TestLayout::everySceneFitsItsTexts_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<double>("fontScale");
    QTest::newRow("Chinese") << false << 1.0;
    QTest::newRow("English") << true << 1.0;
    QTest::newRow("Chinese, larger font") << false << 1.5;
    QTest::newRow("English, larger font") << true << 1.5;
}

void TestLayout::everySceneFitsItsTexts() {
    QFETCH(bool, english);
    QFETCH(double, fontScale);
    const QFont usual = QApplication::font();
    QFont font = usual;
    font.setPointSizeF(usual.pointSizeF() * fontScale);
    QApplication::setFont(font);
    QStringList problems;
    {
        Gallery gallery(options(english));
        QVERIFY(gallery.ok());
        const QStringList names = gallery.names();
        QVERIFY(names.size() >= 25);
        for (const QString& name : names) {
            QWidget* window = gallery.show(name);
            QVERIFY2(window, qPrintable(name));
            for (const QString& problem : layoutProblems(window))
                problems << name + QStringLiteral(": ") + problem;
        }
    }
    QApplication::setFont(usual);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void TestLayout::englishInterfaceHoldsNoChinese() {
    QStringList chinese;
    Gallery gallery(options(true));
    QVERIFY(gallery.ok());
    for (const QString& name : gallery.names()) {
        QWidget* window = gallery.show(name);
        for (const QString& text : interfaceTexts(window))
            if (holdsChinese(text))
                chinese << name + QStringLiteral(": ") + text;
    }
    QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QLatin1Char('\n'))));
}

void TestLayout::mnemonicsAreUniqueInEveryMenuAndWindow_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("Chinese") << false;
    QTest::newRow("English") << true;
}

void TestLayout::mnemonicsAreUniqueInEveryMenuAndWindow() {
    QFETCH(bool, english);
    QStringList repeated;
    Gallery gallery(options(english));
    QVERIFY(gallery.ok());
    for (QMenu* menu : gallery.mainFrame()->menuBar()->findChildren<QMenu*>()) {
        QStringList texts;
        for (QAction* action : menu->actions())
            if (!action->isSeparator())
                texts << action->text();
        for (const QString& text : repeatedMnemonics(texts))
            repeated << menu->title() + QStringLiteral(": ") + text;
    }
    for (const QString& name : gallery.names()) {
        QWidget* window = gallery.show(name);
        for (const QString& text : repeatedMnemonics(windowMnemonicTexts(window)))
            repeated << name + QStringLiteral(": ") + text;
    }
    QVERIFY2(repeated.isEmpty(), qPrintable(repeated.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
