// Screens and the screen list: record, screen-table entry, component order, hit testing,
// copying, and the copy-screen and delete-screen flows.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "model/CChars.h"
#include "model/CMainView.h"
#include "model/ComponentFactory.h"
#include "model/PixelCanvas.h"
#include "model/ScreenList.h"

namespace vanta {
namespace {

class ScriptedPrompter : public Prompter {
  public:
    explicit ScriptedPrompter(std::deque<Answer> answers) : answers_(std::move(answers)) {}
    Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
               Severity) override {
        asked.push_back(caption + ": " + text);
        EXPECT_EQ(buttons, Buttons::OkCancel);
        EXPECT_FALSE(answers_.empty());
        Answer a = answers_.front();
        answers_.pop_front();
        return a;
    }
    std::vector<std::string> asked;

  private:
    std::deque<Answer> answers_;
};

std::unique_ptr<CMainView> screenNumbered(const ModelContext& context, uint16_t number) {
    auto screen = std::make_unique<CMainView>(context);
    screen->initNewScreen(number, "s" + std::to_string(number));
    return screen;
}

std::vector<uint16_t> numbersOf(const ScreenList& list) {
    std::vector<uint16_t> out;
    for (const auto& s : list.screens())
        out.push_back(s->m_number);
    return out;
}

std::vector<std::string> textsOf(const CMainView& screen) {
    std::vector<std::string> out;
    for (const auto& c : screen.components())
        out.push_back(static_cast<CChars&>(*c).m_text);
    return out;
}

CChars& addText(CMainView& screen, int32_t x, int32_t y, const std::string& text) {
    CBase* added = screen.addComponent(kKindChars, x, y);
    auto& chars = static_cast<CChars&>(*added);
    chars.m_text = text;
    chars.Refit();
    return chars;
}

TEST(CMainView, NewScreenKeys) {
    ModelContext context;
    CMainView first(context);
    first.initNewScreen(1, "");
    EXPECT_EQ(first.m_upScreen, 0);
    EXPECT_EQ(first.m_downScreen, 2);
    CMainView last(context);
    last.initNewScreen(65535, "end");
    EXPECT_EQ(last.m_upScreen, 65534);
    EXPECT_EQ(last.m_downScreen, 0);
}

TEST(CMainView, RecordWithTaggedComponents) {
    ModelContext context;
    CMainView screen(context);
    screen.initNewScreen(258, "Ab");
    CBase* text = screen.addComponent(kKindChars, 0, 0);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(static_cast<CChars*>(text)->m_text, "Text");

    Archive out;
    screen.Serialize(out);
    Bytes expected{0x02, 0x01, 2, 'A', 'b', 0x01, 0x01, 0x03, 0x01};
    expected.insert(expected.end(), 20, 0);
    expected.insert(expected.end(), {1, 0});                    // count
    expected.insert(expected.end(), {0xFF, 0xFF, 1, 0, 6, 0});  // new class, schema 1
    expected.insert(expected.end(), {'C', 'C', 'h', 'a', 'r', 's'});
    expected.insert(expected.end(), {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 'T', 'e', 'x', 't'});
    expected.insert(expected.end(), 50, 0);
    EXPECT_EQ(out.data(), expected);

    ClassRegistry registry;
    registerModelClasses(registry, context);
    Archive in(expected, &registry);
    CMainView loaded(context);
    loaded.Serialize(in);
    ASSERT_TRUE(in.ok()) << in.errorMessage();
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(loaded.m_number, 258);
    EXPECT_EQ(loaded.m_description, "Ab");
    EXPECT_EQ(loaded.m_upScreen, 257);
    EXPECT_EQ(loaded.m_downScreen, 259);
    ASSERT_EQ(loaded.components().size(), 1u);
    EXPECT_EQ(textsOf(loaded), (std::vector<std::string>{"Text"}));
    EXPECT_EQ(loaded.head()->m_rect, (Rect{0, 0, 72, 36}));
}

TEST(CMainView, RecordRefusesWhatIsNotAComponent) {
    ModelContext context;
    ClassRegistry registry;
    registerModelClasses(registry, context);
    // A screen whose list holds a screen.
    CMainView inner(context);
    Archive out;
    out.writeU16(1);
    out.writeString("");
    out.writeU16(0);
    out.writeU16(0);
    out.writeZeros(20);
    out.writeCount(1);
    out.writeObject(&inner);
    Archive in(out.data(), &registry);
    CMainView loaded(context);
    loaded.Serialize(in);
    EXPECT_FALSE(in.ok());
    EXPECT_TRUE(loaded.components().empty());

    // A count larger than the bytes that follow.
    Bytes truncated{1, 0, 0, 0, 0, 0, 0};
    truncated.insert(truncated.end(), 20, 0);
    truncated.insert(truncated.end(), {0xFF, 0x7F});
    Archive short_(truncated, &registry);
    CMainView none(context);
    none.Serialize(short_);
    EXPECT_FALSE(short_.ok());
}

TEST(CMainView, ScreenTableEntry) {
    ModelContext context;
    CMainView screen(context);
    screen.initNewScreen(0x1234, "");
    for (int i = 0; i < 300; ++i)
        screen.appendComponent(std::make_unique<CChars>(context));
    Bytes table;
    uint16_t offset = 0x8100;
    screen.writeScreenTableEntry(table, 1, offset);
    ASSERT_EQ(table.size(), 18u);
    EXPECT_EQ(Bytes(table.begin() + 9, table.end()),
              (Bytes{0x12, 0x34, 44, 0x12, 0x33, 0x12, 0x35, 0x81, 0x00}));
    EXPECT_EQ(offset, 0x8100 + 900);
}

TEST(CMainView, HitTestBringsTheTopmostToTheFront) {
    ModelContext context;
    CMainView screen(context);
    addText(screen, 0, 0, "AAAA");    // (0, 0)-(72, 36)
    addText(screen, 36, 0, "BBBB");   // (36, 0)-(108, 36), on top
    addText(screen, 200, 100, "CC");  // head
    EXPECT_EQ(textsOf(screen), (std::vector<std::string>{"CC", "BBBB", "AAAA"}));

    EXPECT_TRUE(screen.hitTest({50, 10}));  // covered by both: the nearer the head wins
    EXPECT_EQ(textsOf(screen), (std::vector<std::string>{"BBBB", "CC", "AAAA"}));
    EXPECT_TRUE(screen.hitTest({10, 10}));
    EXPECT_EQ(textsOf(screen), (std::vector<std::string>{"AAAA", "BBBB", "CC"}));
    EXPECT_FALSE(screen.hitTest({72 + 36, 0}));  // right edge of BBBB
    EXPECT_FALSE(screen.hitTest({10, 36}));      // bottom edge of AAAA
    EXPECT_EQ(textsOf(screen), (std::vector<std::string>{"AAAA", "BBBB", "CC"}));

    // The head is drawn last, on top.
    FontTables fonts;
    fonts.setNarrowTable(std::vector<uint8_t>(kNarrowTableBytes, 0xFF));
    context.fonts = &fonts;
    auto& head = static_cast<CChars&>(*screen.head());
    head.m_inverse = 1;  // dark strokes on white: the overlap shows it
    PixelCanvas canvas;
    const Rect selection = screen.draw(canvas, true);
    EXPECT_EQ(canvas.pixel(50, 10), kDisplayDark);
    EXPECT_EQ(selection, (Rect{0, 0, 71, 35}));
    EXPECT_EQ(screen.draw(canvas, false), Rect{});
}

TEST(CMainView, DeleteAndCopy) {
    ModelContext context;
    CMainView source(context);
    source.initNewScreen(3, "source");
    addText(source, 0, 0, "one");
    addText(source, 0, 36, "two");
    addText(source, 0, 72, "three");

    CMainView target(context);
    target.initNewScreen(7, "target");
    addText(target, 0, 0, "old");
    target.deleteAllComponents();
    EXPECT_TRUE(target.components().empty());
    target.copyFrom(source);
    EXPECT_EQ(target.m_description, "source");
    EXPECT_EQ(target.m_number, 7);
    EXPECT_EQ(target.m_upScreen, 6);
    EXPECT_EQ(textsOf(target), textsOf(source));
    // Independent objects.
    static_cast<CChars&>(*source.head()).m_text = "changed";
    EXPECT_EQ(textsOf(target), (std::vector<std::string>{"three", "two", "one"}));
    EXPECT_NE(target.head(), source.head());

    source.deleteSelected();
    EXPECT_EQ(textsOf(source), (std::vector<std::string>{"two", "one"}));
}

TEST(ScreenList, InsertionAndLookup) {
    ModelContext context;
    ScreenList list(context);
    for (uint16_t n : {3, 1, 9})
        list.insert(screenNumbered(context, n));
    EXPECT_EQ(numbersOf(list), (std::vector<uint16_t>{1, 3, 9}));
    EXPECT_EQ(list.insert(screenNumbered(context, 5)), 2u);
    EXPECT_EQ(list.currentPosition(), 2u);
    EXPECT_EQ(numbersOf(list), (std::vector<uint16_t>{1, 3, 5, 9}));
    EXPECT_EQ(list.find(3), 1);
    EXPECT_EQ(list.find(4), -102);
    EXPECT_EQ(list.find(0), -100);
    EXPECT_EQ(list.find(10), -104);
    EXPECT_EQ(list.current()->m_number, 5);
    EXPECT_FALSE(list.ensureOne());
}

TEST(ScreenList, CopyToAnExistingScreenAsks) {
    ModelContext context;
    ScreenList list(context);
    list.createScreen(1, "one");
    list.createScreen(4, "four");
    addText(list.at(1), 0, 0, "x");
    list.setCurrentPosition(0);
    addText(*list.current(), 0, 0, "a");

    ScriptedPrompter cancel({Answer::Cancel});
    EXPECT_EQ(list.copyCurrentTo(4, cancel).kind, ScreenList::CopyOutcome::Nothing);
    EXPECT_EQ(cancel.asked,
              (std::vector<std::string>{
                  "The window exist: No. 4 window exist, do you want to replace it?"}));
    EXPECT_EQ(textsOf(list.at(1)), (std::vector<std::string>{"x"}));

    ScriptedPrompter ok({Answer::Ok});
    const auto outcome = list.copyCurrentTo(4, ok);
    EXPECT_EQ(outcome.kind, ScreenList::CopyOutcome::Replaced);
    EXPECT_EQ(outcome.position, 1u);
    EXPECT_EQ(list.currentPosition(), 1u);
    EXPECT_EQ(list.at(1).m_description, "one");
    EXPECT_EQ(list.at(1).m_number, 4);
    EXPECT_EQ(list.at(1).m_downScreen, 5);
    EXPECT_EQ(textsOf(list.at(1)), (std::vector<std::string>{"a"}));

    ScriptedPrompter none({});
    EXPECT_EQ(list.copyCurrentTo(4, none).kind, ScreenList::CopyOutcome::Nothing);
    EXPECT_TRUE(none.asked.empty());
}

TEST(ScreenList, CopyToANewNumberBeforeTheSource) {
    ModelContext context;
    ScreenList list(context);
    list.createScreen(5, "five");
    list.createScreen(9, "nine");
    list.setCurrentPosition(0);
    addText(*list.current(), 0, 0, "a");
    ScriptedPrompter none({});
    const auto outcome = list.copyCurrentTo(2, none);
    EXPECT_EQ(outcome.kind, ScreenList::CopyOutcome::Created);
    EXPECT_EQ(outcome.position, 0u);
    EXPECT_EQ(numbersOf(list), (std::vector<uint16_t>{2, 5, 9}));
    EXPECT_EQ(list.current()->m_number, 2);
    EXPECT_EQ(list.current()->m_description, "five");
    EXPECT_EQ(list.current()->m_upScreen, 1);
    EXPECT_EQ(list.current()->m_downScreen, 3);
    EXPECT_EQ(textsOf(*list.current()), (std::vector<std::string>{"a"}));
    EXPECT_EQ(textsOf(list.at(1)), (std::vector<std::string>{"a"}));
}

TEST(ScreenList, DeleteKeepsAtLeastOneScreen) {
    ModelContext context;
    ScreenList list(context);
    for (uint16_t n : {1, 2, 3})
        list.createScreen(n, "");
    list.setCurrentPosition(1);
    ScriptedPrompter answers({Answer::Cancel, Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok});
    EXPECT_FALSE(list.deleteCurrent(answers));
    EXPECT_EQ(answers.asked.back(),
              "Delete current window: Do you want to delete the No. 2 window?");
    EXPECT_TRUE(list.deleteCurrent(answers));  // the next screen becomes current
    EXPECT_EQ(numbersOf(list), (std::vector<uint16_t>{1, 3}));
    EXPECT_EQ(list.current()->m_number, 3);
    EXPECT_TRUE(list.deleteCurrent(answers));  // the last: current moves to the new last
    EXPECT_EQ(list.current()->m_number, 1);
    EXPECT_TRUE(list.deleteCurrent(answers));  // emptied: screen 1 again
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.current()->m_number, 1);
    EXPECT_EQ(list.current()->m_description, "");
    EXPECT_EQ(list.current()->m_downScreen, 2);
}

}  // namespace
}  // namespace vanta
