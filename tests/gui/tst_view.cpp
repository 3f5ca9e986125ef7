// The editor view with real widgets: placing, selecting, dragging and deleting components with
// the mouse and keys, the placement outline, pictures, the screen list, the screen commands with
// their dialogs and questions, the screen page, and the painter canvas against the pixel canvas.

// Mouse moves as window-system events that carry the held buttons (a drag), not cursor moves.
#define QTEST_QPA_MOUSE_HANDLING

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QWheelEvent>
#include <QtTest>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "common/FontTables.h"
#include "dialogs/ScreenDialogs.h"
#include "editor/CVantaView.h"
#include "editor/ScreenPage.h"
#include "model/CMainView.h"
#include "model/CUpLoadPic.h"
#include "model/DrawHelpers.h"
#include "model/PixelCanvas.h"
#include "pages/LampPage.h"
#include "pages/PropertyPage.h"
#include "pages/TextPage.h"
#include "project/ProjectDocument.h"
#include "qtsupport/QtCanvas.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"

using namespace vanta;

namespace {

// Answers questions from a script and records every one.
class ScriptedPrompter : public Prompter {
  public:
    struct Asked {
        std::string text;
        std::string caption;
        std::optional<Answer> defaultAnswer;
    };
    Answer askWith(const std::string& text, const std::string& caption, Buttons buttons,
                   Severity severity, const ButtonOptions& options) override {
        const Answer answer = ask(text, caption, buttons, severity);
        asked.back().defaultAnswer = options.defaultAnswer;
        return answer;
    }
    Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
               Severity) override {
        asked.push_back({text, caption, std::nullopt});
        if (buttons == Buttons::Ok)
            return Answer::Ok;  // a notice takes no scripted answer
        if (answers.empty())
            return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<Asked> asked;
    std::deque<Answer> answers;
};

class NoDocumentUi : public DocumentUi {
  public:
    std::optional<std::string> askSavePath(const std::string&) override { return std::nullopt; }
    bool choosePlcForNewProject(Project&) override { return true; }
};

const FontTables& fonts() {
    static const FontTables tables = [] {
        FontTables t;
        (void)t.loadNarrow(std::string(VANTA_DATA_DIR) + "/Ostra_EN.dat");
        return t;
    }();
    return tables;
}

// A shown view over a new project (screen 1), with its document and scripted prompter.
struct Editor {
    ScriptedPrompter prompter;
    NoDocumentUi ui;
    ProjectDocument document{prompter, ui, &fonts()};
    std::unique_ptr<CVantaView> view;

    explicit Editor(std::initializer_list<uint16_t> extraScreens = {}) {
        view = std::make_unique<CVantaView>(document, prompter);
        document.project().resetToNew(1);
        for (uint16_t n : extraScreens)
            document.project().screens.createScreen(n, {});
        document.project().screens.setCurrentPosition(0);
        view->projectReplaced();
        view->show();
        if (!QTest::qWaitForWindowExposed(view.get()))
            qWarning("view not exposed");
    }
    ScreenList& screens() { return document.project().screens; }
    CMainView& current() { return *screens().current(); }
    QWidget* display() { return view->displayWidget(); }
    QTableWidget* list() { return view->screenListControl(); }
    ScreenPage* screenPage() { return view->findChild<ScreenPage*>(); }
    // The component page shown in the page area, if any.
    PropertyPage* shownPage() { return qobject_cast<PropertyPage*>(view->shownPage()); }

    // Mouse at a point of the display (display coordinates; QTest takes (0, 0) for the centre).
    void move(int x, int y) { QTest::mouseMove(display(), QPoint(x, y)); }
    void press(int x, int y) { QTest::mousePress(display(), Qt::LeftButton, {}, QPoint(x, y)); }
    void release(int x, int y) { QTest::mouseRelease(display(), Qt::LeftButton, {}, QPoint(x, y)); }
    // Arms a kind, moves the outline to the point (display coordinates) and clicks there.
    CBase* place(int kind, int x, int y) {
        view->togglePlacement(kind);
        move(x + 1, y + 1);  // a move to where the mouse already is brings no event
        move(x, y);
        press(x, y);
        release(x, y);
        return current().head();
    }
    void deleteKey() { QTest::keyClick(list(), Qt::Key_Delete); }
    QStringList rowTexts() const {
        QStringList rows;
        QTableWidget* l = view->screenListControl();
        for (int r = 0; r < l->rowCount(); ++r)
            rows << l->item(r, 0)->text() + "|" + l->item(r, 1)->text();
        return rows;
    }
    int selectedRow() const {
        const auto rows = view->screenListControl()->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() : -1;
    }
};

// Runs `act` on the dialog of type D once it is up (inside its exec()).
template <typename D>
void whenDialog(std::function<void(D*)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            QFAIL("the expected dialog is not shown");
        }
        act(dialog);
        if (dialog->isVisible())  // a failed check must not leave exec() waiting
            dialog->reject();
    });
}

// Types text the way an input method delivers it: one key event per character.
void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

QString writeImage(const QTemporaryDir& dir, const QString& name, int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; x += 2)
            image.setPixel(x, y, qRgb(255, 255, 255));
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

}  // namespace

class TestView : public QObject {
    Q_OBJECT
  private slots:
    void placingEachKind();
    void placementToggleAndOutline();
    void selectDragAndDelete();
    void pictures();
    void screenListClicks();
    void screenListMenu();
    void newScreenDialog();
    void copyScreenDialog();
    void deleteScreens();
    void screenPage();
    void componentPages();
    void painterCanvasMatchesPixelCanvas();
    void keyboardTabEscapeAndPlacing();
    void zoomKeepsPanelPixels();
};

void TestView::placingEachKind() {
    Editor e;
    QSignalSpy modified(e.view.get(), &CVantaView::documentModified);
    for (int kind : {1, 2, 3, 4, 6, 7, 8}) {
        // Outline snapped to (45, 27): panel (20, 12).
        CBase* placed = e.place(kind, 50, 30);
        QVERIFY(placed != nullptr);
        QCOMPARE(int(placed->m_kind), kind);
        QCOMPARE(placed->m_x, 20);
        QCOMPARE(placed->m_y, 12);
        QCOMPARE(placed->m_rect.left, 45);
        QCOMPARE(placed->m_rect.top, 27);
        QCOMPARE(int(e.view->pendingKind()), 0);
        QVERIFY(e.view->hasSelection());
    }
    QCOMPARE(e.current().components().size(), size_t{7});
    QVERIFY(modified.count() >= 7);
    QCOMPARE(e.view->undoStack()->count(), 7);
    QVERIFY(e.document.isModified());

    // In the lower-right corner the outline stops inside the display.
    CBase* lamp = e.place(3, 430, 140);
    QCOMPARE(lamp->m_rect, (Rect{395, 107, 431, 143}));
    QCOMPARE(lamp->m_x, 176);
    QCOMPARE(lamp->m_y, 48);

    // A click without an armed placement on an empty spot places nothing.
    e.document.setModified(false);
    e.press(420, 5);
    e.release(420, 5);
    QCOMPARE(e.current().components().size(), size_t{8});
    QVERIFY(!e.view->hasSelection());
    QVERIFY(!e.document.isModified());
}

void TestView::placementToggleAndOutline() {
    Editor e;
    QSignalSpy states(e.view.get(), &CVantaView::commandStateChanged);
    e.view->togglePlacement(3);
    QCOMPARE(int(e.view->pendingKind()), 3);
    e.view->togglePlacement(3);
    QCOMPARE(int(e.view->pendingKind()), 0);
    QCOMPARE(states.count(), 2);

    const struct {
        int kind, w, h;
    } sizes[] = {{3, 36, 36},  {4, 36, 36},  {1, 108, 36}, {2, 90, 36},
                 {8, 180, 36}, {6, 36, 108}, {7, 216, 108}};
    for (const auto& s : sizes) {
        e.view->togglePlacement(s.kind);
        QCOMPARE(int(e.view->pendingKind()), s.kind);
        QCOMPARE(e.view->placementOutline(), QRect(0, 0, s.w, s.h));
    }
    // The trend's outline moves on the 9-unit grid and stops at right 431, bottom 143.
    e.move(100, 20);
    QCOMPARE(e.view->placementOutline(), QRect(99, 18, 216, 108));
    e.move(431, 143);
    const QRect corner = e.view->placementOutline();
    QCOMPARE(corner.x() + corner.width(), 431);
    QCOMPARE(corner.y() + corner.height(), 143);
    QCOMPARE(corner.size(), QSize(216, 108));

    // Kinds without a placement command are ignored; the right button cancels.
    e.view->togglePlacement(5);
    e.view->togglePlacement(9);
    QCOMPARE(int(e.view->pendingKind()), 7);
    QTest::mouseClick(e.display(), Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(int(e.view->pendingKind()), 0);
    QVERIFY(e.current().components().empty());

    // Ctrl held is recorded.
    QTest::keyPress(e.list(), Qt::Key_Control);
    QVERIFY(e.view->ctrlHeld());
    QTest::keyRelease(e.list(), Qt::Key_Control);
    QVERIFY(!e.view->ctrlHeld());
}

void TestView::selectDragAndDelete() {
    Editor e;
    CBase* lamp = e.place(3, 1, 1);     // (0, 0)-(36, 36)
    CBase* text = e.place(1, 100, 80);  // (99, 72)-...
    QCOMPARE(e.current().head(), text);

    // A click on the lamp selects it; the stacking order stays.
    e.document.setModified(false);
    e.press(10, 10);
    QCOMPARE(e.current().head(), text);
    QVERIFY(e.view->hasSelection());
    // 8 units in both directions move nothing; one more makes 9 and moves 4 panel pixels.
    e.move(18, 18);
    QCOMPARE(lamp->m_x, 0);
    QCOMPARE(lamp->m_y, 0);
    QVERIFY(!e.document.isModified());
    QCOMPARE(e.display()->cursor().shape(), Qt::BitmapCursor);
    e.move(19, 19);
    QCOMPARE(lamp->m_x, 4);
    QCOMPARE(lamp->m_y, 4);
    QCOMPARE(lamp->m_rect.left, 9);
    // Dragging back far beyond the edge stops at the display's edge.
    e.move(-200, 19);
    QCOMPARE(lamp->m_x, 0);
    e.release(-200, 19);
    // The drag is one step, made when the button is let go.
    QVERIFY(e.document.isModified());
    QCOMPARE(e.view->undoStack()->undoText(), QString("移动指示灯"));
    QCOMPARE(e.display()->cursor().shape(), Qt::ArrowCursor);
    // Moving without the button does not drag.
    e.move(150, 100);
    QCOMPARE(lamp->m_x, 0);

    // The selection frame is drawn on the display.
    const QImage shown = e.view->renderDisplay().toImage();
    QCOMPARE(QColor(shown.pixel(lamp->m_rect.left, lamp->m_rect.top)), QColor(192, 192, 192));

    // Delete removes the selected component without a question.
    e.deleteKey();
    QCOMPARE(e.current().components().size(), size_t{1});
    QCOMPARE(e.current().head(), text);
    QVERIFY(e.prompter.asked.empty());
    QVERIFY(!e.view->hasSelection());
    QCOMPARE(e.screenPage()->caption(), QString("window1"));

    // With nothing selected, Delete asks to delete the screen.
    e.prompter.answers = {Answer::Cancel};
    e.deleteKey();
    QCOMPARE(e.prompter.asked.size(), size_t{1});
    QCOMPARE(e.prompter.asked[0].text, std::string("Do you want to delete the No. 1 window?"));
    // Enter does not delete a whole screen: Cancel is the default.
    QCOMPARE(e.prompter.asked[0].defaultAnswer, std::optional<Answer>(Answer::Cancel));
    QCOMPARE(e.current().components().size(), size_t{1});

    // Delete typed into a text field edits the text.
    e.screenPage()->descriptionEdit()->setText("ab");
    QTest::keyClick(e.screenPage()->descriptionEdit(), Qt::Key_Home);
    QTest::keyClick(e.screenPage()->descriptionEdit(), Qt::Key_Delete);
    QCOMPARE(e.screenPage()->descriptionEdit()->text(), QString("b"));
    QCOMPARE(e.prompter.asked.size(), size_t{1});
}

void TestView::pictures() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Editor e;
    const QString largest = writeImage(dir, "p196.bmp", 196, 64);
    const QString wide = writeImage(dir, "p197.bmp", 197, 10);
    const QString png = writeImage(dir, "p8.png", 8, 4);
    const QString broken = dir.filePath("broken.bmp");
    {
        QFile f(broken);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("BM not a picture");
    }

    QVERIFY(e.view->placePictureFile(largest));
    QCOMPARE(int(e.view->pendingKind()), 5);
    QCOMPARE(e.view->placementOutline(), QRect(0, 0, 490, 160));
    QVERIFY(e.prompter.asked.empty());
    // The picture command again cancels.
    e.view->placePicture();
    QCOMPARE(int(e.view->pendingKind()), 0);

    QVERIFY(!e.view->placePictureFile(wide));
    QCOMPARE(e.prompter.asked.back().text, std::string("picture size error!!!"));
    QCOMPARE(e.prompter.asked.back().caption, std::string("Open picture"));
    QCOMPARE(int(e.view->pendingKind()), 0);

    QVERIFY(!e.view->placePictureFile(broken));
    QCOMPARE(e.prompter.asked.back().text, std::string("Open the picture error!!!"));
    QCOMPARE(e.prompter.asked.back().caption, std::string("Open picture"));

    // Any format the image reader knows is taken; the bitmap comes from its pixels.
    QVERIFY(e.view->placePictureFile(png));
    QCOMPARE(e.view->placementOutline(), QRect(0, 0, 20, 10));
    e.move(20, 20);
    e.press(20, 20);
    e.release(20, 20);
    auto* picture = dynamic_cast<CUpLoadPic*>(e.current().head());
    QVERIFY(picture != nullptr);
    QCOMPARE(picture->width(), 8);
    QCOMPARE(picture->height(), 4);
    QVERIFY(picture->m_bitmap.pixel(0, 0));
    QVERIFY(!picture->m_bitmap.pixel(1, 0));
    QCOMPARE(picture->m_x, 8);
    QCOMPARE(int(e.view->pendingKind()), 0);
}

void TestView::screenListClicks() {
    Editor e({3, 9});
    QCOMPARE(e.rowTexts(), (QStringList{" 1|", " 3|", " 9|"}));
    QCOMPARE(e.list()->columnWidth(0), 60);
    // The description takes the rest of the list's width.
    QCOMPARE(e.list()->columnWidth(0) + e.list()->columnWidth(1), e.list()->viewport()->width());
    QCOMPARE(e.selectedRow(), 0);

    e.place(3, 1, 1);
    QVERIFY(e.view->hasSelection());
    QTableWidget* list = e.list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(2, 1)).center());
    QCOMPARE(e.current().m_number, uint16_t{9});
    QCOMPARE(e.selectedRow(), 2);
    QCOMPARE(e.screenPage()->caption(), QString("window9"));

    // Back on screen 1 the component is there but no longer selected.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0, 0)).center());
    QCOMPARE(e.current().m_number, uint16_t{1});
    QVERIFY(!e.view->hasSelection());
    QCOMPARE(e.current().components().size(), size_t{1});

    // A click below the rows keeps the current row selected.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(30, 300));
    QCOMPARE(e.selectedRow(), 0);
    QCOMPARE(e.current().m_number, uint16_t{1});
    // A double click changes nothing either.
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualItemRect(list->item(1, 0)).center());
    QCOMPARE(e.selectedRow(), int(e.screens().currentPosition()));
}

void TestView::screenListMenu() {
    Editor e({2});
    QTableWidget* list = e.list();
    // The right button opens the menu on the row under it: its commands act on that screen.
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return;
        for (QAction* action : menu->actions())
            texts << action->text();
        menu->actions().first()->trigger();
        menu->close();
    });
    e.prompter.answers = {Answer::Cancel};
    QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                      list->visualItemRect(list->item(1, 0)).center());
    QCOMPARE(texts, (QStringList{"删除画面(&D)", "复制画面(&C)"}));
    QCOMPARE(e.prompter.asked.size(), size_t{1});
    QCOMPARE(e.prompter.asked[0].text, std::string("Do you want to delete the No. 2 window?"));
    QCOMPARE(e.screens().size(), size_t{2});
    QCOMPARE(e.current().m_number, uint16_t{2});
    QCOMPARE(e.selectedRow(), 1);
}

void TestView::newScreenDialog() {
    Editor e({3, 4});
    e.screens().setCurrentPosition(1);  // screen 3
    e.view->projectReplaced();
    e.document.setModified(false);

    // The proposal is current + 1 even when taken; OK then says so and keeps the dialog open.
    bool checked = false;
    whenDialog<NewScreenDialog>([&](NewScreenDialog* d) {
        QCOMPARE(d->windowTitle(), QString("新建画面"));
        QCOMPARE(d->numberEdit()->text(), QString("4"));
        d->accept();
        QVERIFY(d->isVisible());
        QCOMPARE(e.prompter.asked.back().text, std::string("No.4 window exist"));
        QCOMPARE(e.prompter.asked.back().caption, std::string("window exist"));
        d->numberSpin()->setPosition(2);
        d->descriptionEdit()->setText("报警画面");
        d->accept();
        checked = true;
    });
    e.view->newScreen();
    QVERIFY(checked);
    QCOMPARE(e.current().m_number, uint16_t{2});
    QCOMPARE(e.current().m_upScreen, uint16_t{1});
    QCOMPARE(e.current().m_downScreen, uint16_t{3});
    QCOMPARE(e.rowTexts(), (QStringList{" 1|", " 2|报警画面", " 3|", " 4|"}));
    QCOMPARE(e.selectedRow(), 1);
    QVERIFY(e.document.isModified());

    // Cancel adds nothing.
    whenDialog<NewScreenDialog>([](NewScreenDialog* d) { d->reject(); });
    e.view->newScreen();
    QCOMPARE(e.screens().size(), size_t{4});
}

void TestView::copyScreenDialog() {
    Editor e({3});
    e.place(3, 1, 1);
    e.place(1, 100, 50);
    e.current().m_description = "src";
    e.document.setModified(false);

    // The same number: reported, and nothing is copied.
    whenDialog<CopyScreenDialog>([](CopyScreenDialog* d) {
        QCOMPARE(d->label()->text(), QString("Copy window 1 to window:"));
        QCOMPARE(d->targetEdit()->text(), QString("2"));
        d->targetSpin()->setPosition(1);
        d->accept();
    });
    e.view->copyScreen();
    QCOMPARE(e.prompter.asked.back().text,
             std::string("The number is same with the current number!!!"));
    QCOMPARE(e.prompter.asked.back().caption, std::string("Window number exist!"));
    QCOMPARE(e.screens().size(), size_t{2});
    QVERIFY(!e.document.isModified());

    // An absent number makes a new screen with copies of the components.
    whenDialog<CopyScreenDialog>([](CopyScreenDialog* d) { d->accept(); });
    e.view->copyScreen();
    QCOMPARE(e.current().m_number, uint16_t{2});
    QCOMPARE(e.current().components().size(), size_t{2});
    QCOMPARE(int(e.current().head()->m_kind), 1);
    QCOMPARE(e.rowTexts(), (QStringList{" 1|src", " 2|src", " 3|"}));
    QCOMPARE(e.selectedRow(), 1);
    QVERIFY(e.document.isModified());

    // An existing number asks first; Cancel keeps it, OK replaces its content.
    const size_t asked = e.prompter.asked.size();
    e.prompter.answers = {Answer::Cancel, Answer::Ok};
    for (int round = 0; round < 2; ++round) {
        whenDialog<CopyScreenDialog>([](CopyScreenDialog* d) {
            d->targetSpin()->setPosition(3);
            d->accept();
        });
        e.view->copyScreen();
    }
    QCOMPARE(e.prompter.asked.size(), asked + 2);
    QCOMPARE(e.prompter.asked.back().text,
             std::string("No. 3 window exist, do you want to replace it?"));
    QCOMPARE(e.current().m_number, uint16_t{3});
    QCOMPARE(e.current().components().size(), size_t{2});
    QCOMPARE(e.rowTexts().last(), QString(" 3|src"));
    QCOMPARE(e.selectedRow(), 2);
}

void TestView::deleteScreens() {
    Editor e({2, 3});
    e.screens().setCurrentPosition(2);
    e.view->projectReplaced();
    e.prompter.answers = {Answer::Ok};
    e.view->deleteScreen();
    // The last screen went: the new last one is current.
    QCOMPARE(e.rowTexts(), (QStringList{" 1|", " 2|"}));
    QCOMPARE(e.current().m_number, uint16_t{2});
    QCOMPARE(e.selectedRow(), 1);

    e.prompter.answers = {Answer::Ok, Answer::Ok};
    e.view->deleteScreen();
    e.place(3, 1, 1);
    e.press(300, 100);  // deselect
    e.release(300, 100);
    e.deleteKey();
    QCOMPARE(e.prompter.asked.back().text, std::string("Do you want to delete the No. 1 window?"));
    // The only screen went: an empty screen 1 takes its place.
    QCOMPARE(e.screens().size(), size_t{1});
    QCOMPARE(e.current().m_number, uint16_t{1});
    QVERIFY(e.current().components().empty());
    QCOMPARE(e.rowTexts(), (QStringList{" 1|"}));
    QCOMPARE(e.screenPage()->caption(), QString("window1"));
}

void TestView::screenPage() {
    Editor e({5});
    ScreenPage* page = e.screenPage();
    QVERIFY(page != nullptr);
    QVERIFY(page->isVisible());
    QCOMPARE(e.view->shownPage(), page);
    QCOMPARE(page->caption(), QString("window1"));
    QCOMPARE(page->upSpin()->position(), 0);
    QCOMPARE(page->downSpin()->position(), 2);

    // Typing is written into the screen and shown in its row at once.
    e.document.setModified(false);
    typeText(page->descriptionEdit(), "主画面");
    QCOMPARE(e.current().m_description, std::string("\xD6\xF7\xBB\xAD\xC3\xE6"));
    QCOMPARE(e.list()->item(0, 1)->text(), QString("主画面"));
    QVERIFY(e.document.isModified());
    // A character the code page cannot hold is refused with a message.
    const size_t asked = e.prompter.asked.size();
    typeText(page->descriptionEdit(), QString::fromUtf8("한"));
    QCOMPARE(e.current().m_description, std::string("\xD6\xF7\xBB\xAD\xC3\xE6"));
    QCOMPARE(page->descriptionEdit()->text(), QString("主画面"));
    QVERIFY(e.prompter.asked.size() > asked);

    page->upSpin()->stepBy(1);
    QCOMPARE(e.current().m_upScreen, uint16_t{1});

    // The page follows the current screen; a component hides it.
    e.list()->selectRow(1);
    QCOMPARE(page->caption(), QString("window5"));
    QCOMPARE(page->screen(), &e.current());
    QCOMPARE(page->upSpin()->position(), 4);
    e.place(3, 1, 1);
    QVERIFY(page->isHidden());
}

void TestView::componentPages() {
    Editor e;
    CBase* text = e.place(1, 50, 30);
    PropertyPage* page = e.shownPage();
    QVERIFY(page != nullptr);
    QVERIFY(dynamic_cast<TextPage*>(page) != nullptr);
    QVERIFY(page->isVisible());
    QVERIFY(e.screenPage()->isHidden());

    // Selecting fills the page without counting as an edit.
    e.release(50, 30);
    e.press(300, 120);
    e.release(300, 120);
    e.document.setModified(false);
    e.press(50, 30);
    QVERIFY(!e.document.isModified());
    auto* xEdit = page->findChild<QLineEdit*>("xEdit");
    QVERIFY(xEdit != nullptr);
    QCOMPARE(xEdit->text(), QString("20"));
    // A drag writes the new position into the page.
    e.move(59, 30);
    e.release(59, 30);
    QCOMPARE(text->m_x, 24);
    QCOMPARE(xEdit->text(), QString("24"));

    // An edit in the page changes the component, repaints and marks the document modified.
    e.document.setModified(false);
    QSignalSpy modified(e.view.get(), &CVantaView::documentModified);
    auto* textEdit = page->findChild<QLineEdit*>("text");
    QVERIFY(textEdit != nullptr);
    textEdit->selectAll();
    QTest::keyClicks(textEdit, "AB");
    QVERIFY(e.document.isModified());
    QVERIFY(modified.count() >= 1);
    QCOMPARE(text->m_rect.width(), 2 * 18);

    // Another kind shows its own page in the same place.
    CBase* lamp = e.place(3, 200, 30);
    QVERIFY(lamp != nullptr);
    QVERIFY(page->isHidden());
    PropertyPage* lampPage = e.shownPage();
    QVERIFY(lampPage != nullptr);
    QVERIFY(dynamic_cast<LampPage*>(lampPage) != nullptr);
}

void TestView::painterCanvasMatchesPixelCanvas() {
    Editor e;
    CMainView& screen = e.current();
    screen.addComponent(kKindChars, 0, 0);
    screen.addComponent(kKindLight, 130, 0);
    screen.addComponent(kKindFunction, 180, 0);
    screen.addComponent(kKindBar, 240, 10);
    screen.addComponent(kKindTide, 20, 36);
    MonoBitmap bitmap(9, 5);
    for (int i = 0; i < 5; ++i)
        bitmap.setPixel(i * 2, i, true);
    screen.addComponent(std::make_unique<CUpLoadPic>(screen.context(), 300, 90, bitmap), 300, 90);
    screen.addComponent(kKindDynamic, 250, 108);

    PixelCanvas pixels(kDisplayWidth, kDisplayHeight, rgb(1, 2, 3));
    QImage image(kDisplayWidth, kDisplayHeight, QImage::Format_RGB32);
    image.fill(QColor(1, 2, 3));
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        for (Canvas* c : {static_cast<Canvas*>(&pixels), static_cast<Canvas*>(&canvas)}) {
            const Rect frame = screen.draw(*c, true);
            DrawDottedFrame(*c, frame.left, frame.top, frame.right, frame.bottom);
            DrawSolidFrame(*c, 400, 2, 430, 30);
            c->drawLine({400, 140}, {430, 120}, rgb(9, 9, 9), 3);
            c->drawLine({431, 100}, {380, 100}, rgb(7, 7, 7), 2);
            c->frameRect({2, 130, 20, 143}, rgb(5, 6, 7));
            c->setPixel({431, 143}, rgb(8, 8, 8));
            // Drawing partly outside is clipped, never wrapped.
            c->drawMonoBitmap({420, 130, 460, 160}, bitmap, rgb(255, 0, 0), rgb(0, 0, 255));
        }
    }
    int differ = 0;
    for (int y = 0; y < kDisplayHeight; ++y)
        for (int x = 0; x < kDisplayWidth; ++x) {
            const Color p = pixels.pixel(x, y);
            if (image.pixel(x, y) != qRgb(p.r, p.g, p.b))
                ++differ;
        }
    QCOMPARE(differ, 0);

    // The register's sample text is drawn in a scalable font, inside its box.
    CBase* reg = screen.addComponent(kKindRegister, 18, 108);
    QImage text(kDisplayWidth, kDisplayHeight, QImage::Format_RGB32);
    text.fill(Qt::black);
    {
        QPainter painter(&text);
        QtCanvas canvas(painter);
        reg->Draw(canvas);
    }
    int light = 0;
    for (int y = 0; y < kDisplayHeight; ++y)
        for (int x = 0; x < kDisplayWidth; ++x)
            if (text.pixel(x, y) == qRgb(255, 255, 255)) {
                QVERIFY(reg->m_rect.contains({x, y}));
                ++light;
            }
    QVERIFY(light > 20);
    QCOMPARE(QtCanvas::pixelSize(250), 33);
}

// The keyboard: Tab goes from the screen list to the display and into the page (the list's cells
// do not take it), Escape cancels an armed placement wherever the focus is in the view, the
// arrows move the outline and Enter places, and a new text takes the focus into its text field.
void TestView::keyboardTabEscapeAndPlacing() {
    Editor e;
    e.view->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(e.view.get()));
    e.list()->setFocus();
    QTest::keyClick(e.list(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), e.view->displayWidget());
    QTest::keyClick(e.view->displayWidget(), Qt::Key_Tab);
    QWidget* inPage = QApplication::focusWidget();
    QVERIFY(inPage != nullptr);
    QVERIFY(e.view->shownPage()->isAncestorOf(inPage));
    QTest::keyClick(inPage, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), e.view->displayWidget());

    // Escape cancels the placement from the display, the list and the page.
    for (QWidget* where : {e.view->displayWidget(), static_cast<QWidget*>(e.list()), inPage}) {
        e.view->togglePlacement(3);
        where->setFocus();
        QTest::keyClick(where, Qt::Key_Escape);
        QCOMPARE(int(e.view->pendingKind()), 0);
    }

    // Arming a placement gives the display the keyboard, wherever the focus was; arrows move
    // the outline by 4 panel pixels; Enter places there.
    QWidget* display = e.view->displayWidget();
    inPage->setFocus();
    e.view->togglePlacement(3);
    QCOMPARE(QApplication::focusWidget(), display);
    QTest::keyClick(display, Qt::Key_Right);
    QTest::keyClick(display, Qt::Key_Right);
    QTest::keyClick(display, Qt::Key_Down);
    QTest::keyClick(display, Qt::Key_Left);
    QTest::keyClick(display, Qt::Key_Up);
    QTest::keyClick(display, Qt::Key_Up);  // stops at the top
    QCOMPARE(e.view->placementOutline(), QRect(9, 0, 36, 36));
    QTest::keyClick(display, Qt::Key_Return);
    QCOMPARE(int(e.view->pendingKind()), 0);
    CBase* lamp = e.current().head();
    QCOMPARE(int(lamp->m_kind), 3);
    QCOMPARE(lamp->m_x, 4);
    QCOMPARE(lamp->m_y, 0);
    // With the lamp selected the arrows move it by one panel pixel.
    e.document.setModified(false);
    QTest::keyClick(display, Qt::Key_Down);
    QCOMPARE(lamp->m_y, 1);
    QVERIFY(e.document.isModified());

    // A text placed with the mouse or with Enter is typed into at once.
    CBase* text = e.place(1, 100, 60);
    QCOMPARE(int(text->m_kind), 1);
    auto* textEdit = e.shownPage()->findChild<QLineEdit*>("text");
    QVERIFY(textEdit != nullptr);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(textEdit));
    e.view->togglePlacement(1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(int(e.current().head()->m_kind), 1);
    QVERIFY(e.current().head() != text);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(textEdit));
}

// The display at another zoom: the same panel pixels for the same place on the panel, the
// display's size following the zoom within 1x..4x, Ctrl with the wheel, and every panel pixel a
// sharp block of zoom x zoom screen pixels.
void TestView::zoomKeepsPanelPixels() {
    Editor e;
    QWidget* display = e.view->displayWidget();
    QCOMPARE(e.view->zoom(), CVantaView::kDefaultZoom);
    QCOMPARE(display->size(), QSize(432, 144));
    e.view->setZoom(4.0);
    QCOMPARE(display->size(), QSize(768, 256));
    e.view->zoomIn();
    QCOMPARE(e.view->zoom(), 4.0);
    e.view->setZoom(0.5);
    QCOMPARE(e.view->zoom(), 1.0);
    QCOMPARE(display->size(), QSize(192, 64));
    e.view->zoomOut();
    QCOMPARE(e.view->zoom(), 1.0);
    e.view->zoomIn();
    QCOMPARE(e.view->zoom(), 1.5);
    e.view->resetZoom();
    QCOMPARE(e.view->zoom(), 2.25);

    // Ctrl with the wheel steps the zoom; the wheel alone does not.
    QWheelEvent up(QPointF(10, 10), display->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120),
                   Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(display, &up);
    QCOMPARE(e.view->zoom(), 2.5);
    QWheelEvent plain(QPointF(10, 10), display->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(display, &plain);
    QCOMPARE(e.view->zoom(), 2.5);

    // At 4x a lamp placed at panel (20, 12) lands where it lands at 2.25x.
    e.view->setZoom(4.0);
    const QPoint at(20 * 4 + 2, 12 * 4 + 2);
    e.view->togglePlacement(3);
    QTest::mouseMove(display, at + QPoint(1, 1));
    QTest::mouseMove(display, at);
    QTest::mousePress(display, Qt::LeftButton, {}, at);
    QTest::mouseRelease(display, Qt::LeftButton, {}, at);
    CBase* lamp = e.current().head();
    QVERIFY(lamp != nullptr);
    QCOMPARE(lamp->m_x, 20);
    QCOMPARE(lamp->m_y, 12);
    // Dragging by 4 panel pixels at 4x moves it by 4 panel pixels.
    QTest::mousePress(display, Qt::LeftButton, {}, at);
    QTest::mouseMove(display, at + QPoint(16, 0));
    QTest::mouseRelease(display, Qt::LeftButton, {}, at + QPoint(16, 0));
    QCOMPARE(lamp->m_x, 24);

    // Sharp: the glyphs of a text are drawn from the panel's pixels, so inside the text every
    // 4 x 4 block of the display is one colour (nothing selected, so no frame is drawn).
    const QPoint textAt(0 * 4 + 2, 32 * 4 + 2);
    e.view->togglePlacement(1);
    QTest::mouseMove(display, textAt + QPoint(1, 1));
    QTest::mouseMove(display, textAt);
    QTest::mousePress(display, Qt::LeftButton, {}, textAt);
    QTest::mouseRelease(display, Qt::LeftButton, {}, textAt);
    CBase* text = e.current().head();
    QCOMPARE(text->m_y, 32);
    QTest::mouseClick(display, Qt::LeftButton, {}, QPoint(400, 20));
    QVERIFY(!e.view->hasSelection());
    const QImage shot = display->grab().toImage();
    const QRect textOnScreen(text->m_x * 4, text->m_y * 4, text->m_rect.width() * 4 * 4 / 9, 64);
    int blocks = 0;
    int lit = 0;
    bool uniform = true;
    for (int y = textOnScreen.top(); y < textOnScreen.bottom(); y += 4)
        for (int x = textOnScreen.left(); x < textOnScreen.right(); x += 4, ++blocks) {
            lit += shot.pixel(x, y) != shot.pixel(textOnScreen.topLeft()) ? 1 : 0;
            for (int dy = 0; dy < 4; ++dy)
                for (int dx = 0; dx < 4; ++dx)
                    uniform = uniform && shot.pixel(x + dx, y + dy) == shot.pixel(x, y);
        }
    QVERIFY(blocks >= 32 * 16);
    QVERIFY(lit > 0);
    QVERIFY(uniform);
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestView test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_view.moc"
