// The script runner: each kind of line against a small program, and every way a run stops
// early with the line it stopped on.

#include <sstream>

#include "form_fixture.hpp"
#include "platform/headless/script_runner.hpp"

namespace platform::test {
namespace {

// A small program on a fresh model: FORM1 with one control of each kind it needs, FORM2
// with a second BUTTON1.
class ScriptProgram : public FormFixture {
public:
    void TestBody() override {}
    using FormFixture::model;
    HeadlessBackend backend{model};
    std::ostringstream out;
    std::vector<std::string> handled;  // what the program's step saw, "kind:NAME"
    std::optional<ScriptDateTime> clock;
    DialogAnswer lastAnswer;

    Handle button = add(Kind::PushButton, "BUTTON1");
    Handle ask = add(Kind::PushButton, "ASK");
    Handle edit = add(Kind::Edit, "EDIT1");
    Handle list = add(Kind::ListBox, "LIST1");
    Handle box = add(Kind::CheckBox, "CHECK1", Tabbed | 3);
    Handle option = add(Kind::OptionButton, "OPT1", Tabbed | style::Group);
    Handle bar = add(Kind::HScrollBar, "HS1");
    Handle pic = add(Kind::PictureBox, "PIC1", Shown);
    Handle off = add(Kind::PushButton, "OFF", Tabbed | style::Disabled);
    Handle hidden = add(Kind::PushButton, "HIDDEN", style::TabStop);
    Handle form2 = model.createForm("FORM2", "TestForm", style::Visible, 0, {0, 0, 100, 100});
    Handle twin = model.createControl(form2, Kind::PushButton, "BUTTON1", Tabbed, 0, {0, 0, 10, 10});

    ScriptProgram() {
        for (const char* s : {"USD/JPY", "AUD/JPY", "NZD/JPY"}) model.addItem(list, s);
        model.setText(model.lookup("FORM1.BUTTON1").front(), sj("新規取引"));
        model.setFocus(form);
    }

    std::optional<ScriptError> run(const std::string& script) {
        ScriptHooks hooks;
        // The program: records what it handles; ASK opens a message box of はい and いいえ.
        hooks.step = [this] {
            while (auto n = model.takeNotification()) {
                handled.push_back(std::string(notificationWord(n->kind)) + ":" + n->name);
                if (n->kind == NotificationKind::Click && n->name == "ASK") {
                    DialogRequest r;
                    r.caption = sj("確認");
                    r.text = sj("一行目\r\n二行目");
                    r.buttons = 4;
                    lastAnswer = backend.runDialog(r);
                }
            }
        };
        hooks.setClock = [this](const ScriptDateTime& t) { clock = t; };
        ScriptRunner runner(model, backend, hooks, out);
        return runner.run(script);
    }
};

using ScriptFixture = ScriptProgram;

TEST_F(ScriptFixture, ActionsReachTheModelAndTheProgram) {
    const auto error = run(
        "# a comment, then a blank line\n"
        "\n"
        "click FORM1.BUTTON1\n"
        "type EDIT1 ドル円 1\n"
        "pick LIST1 \"AUD/JPY\"\n"
        "tick CHECK1 1\n"
        "tick CHECK1 1\n"
        "scroll HS1 40\n"
        "mousedown PIC1 5 6 1\n"
        "mouseup PIC1 5 6\n"
        "expect FORM1.BUTTON1 text \"新規取引\"\n"
        "expect EDIT1 text \"ドル円 1\"\n"
        "expect EDIT1 modified 1\n"
        "expect LIST1 selected 1\n"
        "expect LIST1 item 2 \"NZD/JPY\"\n"
        "expect CHECK1 checked 1\n"
        "expect HS1 pos 40\n"
        "expect OFF enabled 0\n"
        "expect HIDDEN visible 0\n"
        "clock 2026/12/09 22:15:30\n");
    ASSERT_FALSE(error) << error->text();
    EXPECT_EQ(model.find(edit)->text, sj("ドル円 1"));
    EXPECT_EQ(handled, (Words{"focusout:FORM1", "focusin:BUTTON1", "click:BUTTON1", "focusout:BUTTON1",
                              "focusin:EDIT1", "change:EDIT1", "focusout:EDIT1", "focusin:LIST1", "change:LIST1",
                              "click:LIST1", "focusout:LIST1", "focusin:CHECK1", "click:CHECK1", "scroll:HS1",
                              "mousedown:PIC1", "mouseup:PIC1"}));
    ASSERT_TRUE(clock);
    EXPECT_EQ((std::vector<int>{clock->year, clock->month, clock->day, clock->hour, clock->minute, clock->second}),
              (std::vector<int>{2026, 12, 9, 22, 15, 30}));
}

TEST_F(ScriptFixture, KeysMoveTheFocusAndPressButtons) {
    const auto error = run(
        "key tab\n"
        "expect FORM1.BUTTON1 focused 1\n"
        "key shift+tab\n"
        "expect FORM1 focused 1\n"
        "key tab\n"
        "key enter\n"
        "focus EDIT1\n"
        "key space\n"
        "expect EDIT1 text \" \"\n"
        // As a typist replaces a field: select it all, then type.
        "type EDIT1 10\n"
        "key ctrl+a\n"
        "type EDIT1 3\n"
        "expect EDIT1 text \"3\"\n");
    ASSERT_FALSE(error) << error->text();
    EXPECT_EQ(std::count(handled.begin(), handled.end(), "click:BUTTON1"), 1);
}

TEST_F(ScriptFixture, AnAnswerIsTakenByTheNextDialog) {
    ASSERT_FALSE(run("answer msgbox yes\nclick ASK\n"));
    EXPECT_FALSE(lastAnswer.unanswerable) << *lastAnswer.unanswerable;
    EXPECT_EQ(lastAnswer.result, 5);
}

// An answer may name the caption and text the box must show; "\n" in the script stands
// for the box's line break (CR LF).
TEST_F(ScriptFixture, AnAnswerChecksTheCaptionAndTextItWasGivenFor) {
    ASSERT_FALSE(run("answer msgbox yes \"確認\" \"一行目\\n二行目\"\nclick ASK\n"));
    EXPECT_EQ(lastAnswer.result, 5);
    ASSERT_FALSE(run("answer msgbox no \"確認\"\nclick ASK\n"));
    EXPECT_EQ(lastAnswer.result, 6);
}

TEST_F(ScriptFixture, AFontAnswerIsTheFaceTheSizeAndTheStylesNamed) {
    ScriptRunner runner(model, backend, {}, out);
    runner.load(
        "answer font \"ＭＳ ゴシック\" 12 strikeout bold\n"
        "answer font IPAGothic 9\n"
        "answer font \"ＭＳ ゴシックＭＳ ゴシックＭＳA\" 32767 italic underline\n"
        "answer font cancel\n"
        "answer font \"cancel\" 10\n");
    while (!runner.finished()) ASSERT_FALSE(runner.runNextLine());
    DialogRequest request;
    request.kind = DialogRequest::ChooseFont;
    request.faces = {sj("ＭＳ ゴシック"), "IPAGothic", sj("ＭＳ ゴシックＭＳ ゴシックＭＳA"), "cancel"};
    const Font expected[] = {
        {sj("ＭＳ ゴシック"), 12, true, false, false, true},
        {"IPAGothic", 9, false, false, false, false},
        {sj("ＭＳ ゴシックＭＳ ゴシックＭＳA"), 32767, false, true, true, false},  // 31 bytes
    };
    for (const Font& font : expected) {
        const DialogAnswer answer = backend.runDialog(request);
        EXPECT_FALSE(answer.unanswerable) << *answer.unanswerable;
        EXPECT_FALSE(answer.cancelled);
        EXPECT_EQ(answer.font, font) << cp932ToUtf8(font.face);
    }
    EXPECT_TRUE(backend.runDialog(request).cancelled);
    const DialogAnswer quoted = backend.runDialog(request);
    EXPECT_FALSE(quoted.cancelled) << "\"cancel\" quoted is a face";
    EXPECT_EQ(quoted.font.face, "cancel");
    EXPECT_FALSE(runner.finish());
}

TEST_F(ScriptFixture, TextChecksTakeALineBreakForCrLf) {
    model.setText(edit, sj("一行目\r\n二行目"));
    backend.setClipboardText(sj("上\r\n下"));
    EXPECT_FALSE(run("expect EDIT1 text \"一行目\\n二行目\"\nexpect clipboard \"上\\n下\""));
}

TEST_F(ScriptFixture, ClosingByScriptRemovesTheForm) {
    ASSERT_FALSE(run("close FORM2\nexpect FORM2 exists 0\nexpect FORM2.BUTTON1 exists 0\nexpect BUTTON1 exists 1\n"));
    EXPECT_FALSE(model.exists(form2));
}

TEST_F(ScriptFixture, ATimerFiresWhenTheScriptSays) {
    model.setTimer(form, 3, std::chrono::hours(1), Clock::now());
    ASSERT_FALSE(run("timer FORM1 3\n"));
    EXPECT_EQ(handled, Words{"timer:FORM1"});
}

TEST_F(ScriptFixture, ResizeAndMoveChangeTheForm) {
    ASSERT_FALSE(run("resize FORM1 320 240\nmove FORM1 7 8\nexpect FORM1 width 320\nexpect FORM1 left 7\n"));
    EXPECT_EQ(model.find(form)->rect, (Rect{7, 8, 320, 240}));
    EXPECT_EQ(handled, (Words{"resize:FORM1", "move:FORM1"}));
}

TEST_F(ScriptFixture, PixelAndRangeChecksReadTheRedrawBufferAndTheScrollBar) {
    model.drawInto(pic, [](PixelBuffer& b) {
        b.setPixel(3, 2, 0x3020F0);  // red F0, green 20, blue 30
        return Rect{3, 2, 1, 1};
    });
    model.drawInto(form, [](PixelBuffer& b) {
        b.setPixel(0, 0, 0x0000FF);
        return Rect{0, 0, 1, 1};
    });
    model.setScrollRange(bar, -5, 250);
    EXPECT_FALSE(run("expect PIC1 pixel 3 2 F02030\nexpect PIC1 pixel 0 0 FFFFFF\nexpect FORM1 pixel 0 0 ff0000\n"
                     "expect HS1 range -5 250\n"));
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"expect PIC1 pixel 3 2 F02031", "PIC1 pixel 3,2 is F02030, expected F02031"},
        {"expect FORM1 pixel 0 0 0000FF", "FORM1 pixel 0,0 is FF0000, expected 0000FF"},
        {"expect PIC1 pixel -1 0 FFFFFF", "PIC1 has no pixel -1,0 (its buffer is "},
        {"expect PIC1 pixel 0 0 red", "usage: expect NAME pixel X Y RRGGBB"},
        {"expect PIC1 pixel 0 0 0xFFFF", "usage: expect NAME pixel X Y RRGGBB"},
        {"expect PIC1 pixel 0 0", "usage: expect NAME pixel X Y RRGGBB"},
        {"expect FORM1.BUTTON1 pixel 0 0 FFFFFF", "FORM1.BUTTON1 has no redraw buffer"},
        {"expect HS1 range 0 250", "HS1 range is -5 250, expected 0 250"},
        {"expect HS1 range 0", "usage: expect NAME range MIN MAX"},
        {"expect PIC1 range 0 100", "PIC1 is not a scroll bar"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        const auto error = run(c.script);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->message.substr(0, std::string(c.message).size()), c.message) << error->message;
    }
}

TEST_F(ScriptFixture, DumpListsEveryWindowInUtf8) {
    ASSERT_FALSE(run("dump\n"));
    const std::string text = out.str();
    EXPECT_NE(text.find("form FORM1 \"\" at 100,100 400x300 visible focus"), std::string::npos) << text;
    const Rect client = model.clientRect(form);
    EXPECT_NE(text.find("buffer " + std::to_string(client.w) + "x" + std::to_string(client.h)), std::string::npos)
        << text;
    EXPECT_NE(text.find("button FORM1.BUTTON1 \"新規取引\""), std::string::npos) << text;
    EXPECT_NE(text.find("items [\"USD/JPY\", \"AUD/JPY\", \"NZD/JPY\"]"), std::string::npos) << text;
    EXPECT_NE(text.find("button FORM2.BUTTON1"), std::string::npos) << text;
}

// Every way a run stops: the line number and what went wrong.
TEST_F(ScriptFixture, ALineThatCannotBeCarriedOutEndsTheRun) {
    struct Case {
        const char* script;
        int line;
        const char* message;
    };
    const Case cases[] = {
        {"click NOPE", 1, "no window named NOPE"},
        {"\n# two lines in\nclick BUTTON1", 3, "BUTTON1 is ambiguous: FORM1.BUTTON1, FORM2.BUTTON1"},
        {"click OFF", 1, "OFF is disabled"},
        {"click HIDDEN", 1, "HIDDEN is hidden"},
        {"jump BUTTON1", 1, "unknown command jump"},
        {"click", 1, "usage: click NAME"},
        {"type EDIT1 \"open", 1, "a quoted text is not closed"},
        {"pick LIST1 \"EUR/JPY\"", 1, "LIST1 has no item \"EUR/JPY\""},
        {"pick LIST1 3", 1, "LIST1 value out of range"},
        {"pick EDIT1 0", 1, "EDIT1 has no items to pick"},
        {"tick BUTTON1 1", 1, "BUTTON1 is ambiguous"},
        {"tick FORM1.ASK 1", 1, "FORM1.ASK is not a check box"},
        {"tick OPT1 1\ntick OPT1 0", 2, "OPT1 is an option button"},
        {"scroll HS1 101", 1, "HS1 value out of range"},
        {"type LIST1 x", 1, "LIST1 does not take this action"},
        {"key f5", 1, "unknown key f5"},
        {"key a", 1, "key a needs ctrl+ (type types text)"},
        {"key shift+a", 1, "key a needs ctrl+"},
        {"expect EDIT1 text \"x\"", 1, "EDIT1 text is \"\", expected \"x\""},
        {"expect clipboard \"x\"", 1, "the clipboard holds \"\", expected \"x\""},
        {"expect CHECK1 checked 1", 1, "CHECK1 checked is 0, expected 1"},
        {"expect LIST1 item 9 \"x\"", 1, "LIST1 has no item 9 (3 items)"},
        {"expect FORM2 exists 0", 1, "FORM2 exists, expected exists 0"},
        {"expect EDIT1 colour 1", 1, "unknown property colour"},
        {"click ASK", 1, "the message box \"確認\" was not answered (no 'answer msgbox' before it)"},
        {"answer input yes\nclick ASK", 2, "the message box \"確認\" was not answered (the next answer is for a input)"},
        {"answer msgbox ok\nclick ASK", 2, "the message box \"確認\" has no button 0"},
        {"answer msgbox maybe", 1, "a message box answer is 0-6 or ok"},
        {"answer msgbox ok\nclick FORM1.BUTTON1", 1, "no msgbox dialog took this answer"},
        {"answer msgbox ok \"警告\"\nclick ASK", 2,
         "the dialog's caption is \"確認\", expected \"警告\" (answered on line 1)"},
        {"answer msgbox ok \"確認\" \"一行目\"\nclick ASK", 2,
         "the dialog \"確認\" says \"一行目\r\n二行目\", expected \"一行目\" (answered on line 1)"},
        {"answer color red", 1, "a colour answer is 0xBBGGRR"},
        {"answer color 0x1000000", 1, "a colour answer is 0xBBGGRR"},
        {"answer color 0x0000FF\nclick FORM1.BUTTON1", 1, "no color dialog took this answer"},
        {"answer font x", 1, "a font answer is \"FACE\" SIZE"},
        {"answer font IPAGothic 0", 1, "a font answer is"},
        {"answer font IPAGothic 32768", 1, "a font answer is"},
        {"answer font IPAGothic 12pt", 1, "a font answer is"},
        {"answer font IPAGothic 12 bold heavy", 1, "a font answer is"},
        {"answer font IPAGothic 12 bold bold", 1, "a font answer is"},
        {"answer font IPAGothic 12 \"bold\"", 1, "a font answer is"},
        {"answer font \"\" 12", 1, "a font face is 1 to 31 bytes"},
        {"answer font ABCDEFGHIJKLMNOPQRSTUVWXYZ012345 12", 1, "a font face is 1 to 31 bytes"},
        {"answer font \"ＭＳ ゴシックＭＳ ゴシックＭＳAB\" 12", 1, "a font face is 1 to 31 bytes"},
        {"answer font IPAGothic 12\nclick FORM1.BUTTON1", 1, "no font dialog took this answer"},
        {"answer dice 6", 1, "unknown dialog dice"},
        {"clock 2026/13/01 00:00:00", 1, "not a date and time"},
        {"close FORM2\nclick FORM2.BUTTON1", 2, "no window named FORM2.BUTTON1"},
        {"resize FORM1 -1 5", 1, "FORM1 value out of range"},
        {"close FORM1.ASK", 1, "FORM1.ASK does not take this action"},
        {"drop PIC1 a.bmp", 1, "PIC1 does not take this action"},
        {"drop PIC1", 1, "usage: drop NAME PATH"},
        {"timer FORM1 3", 1, "FORM1 has no timer 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        ScriptProgram program;
        const auto error = program.run(c.script);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->line, c.line);
        EXPECT_EQ(error->message.substr(0, std::string(c.message).size()), c.message) << error->message;
        EXPECT_EQ(error->text().substr(0, 5 + std::to_string(c.line).size()), "line " + std::to_string(c.line));
    }
}

TEST_F(ScriptFixture, WithoutFontsTextIsMeasuredInFixedPitchCells) {
    const Font font{sj("ＭＳ Ｐゴシック"), 12};  // 16 pixels
    EXPECT_EQ(backend.textExtent(font, sj("ドル円") + "ab"), (Size{8 * 8, 16}));
    EXPECT_EQ(backend.textExtent(font, ""), (Size{0, 16}));
}

TEST_F(ScriptFixture, AClockLineNeedsAProgramClock) {
    ScriptRunner runner(model, backend, ScriptHooks{}, out);
    const auto error = runner.run("clock 2026/12/09 10:00:00\n");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->text(), "line 1: this program has no clock to set");
}

TEST_F(ScriptFixture, NoLineRunsAfterTheProgramEnded) {
    bool ended = false;
    ScriptHooks hooks;
    hooks.step = [&] { ended = !model.exists(form); };
    hooks.programEnded = [&] { return ended; };
    ScriptRunner runner(model, backend, hooks, out);
    const auto error = runner.run("close FORM1\n\nclick FORM2.BUTTON1\n");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->text(), "line 3: the program has already ended");
}

}  // namespace
}  // namespace platform::test

namespace platform::test {
namespace {

// A program that owns its event loop: whenever it waits with nothing to do, the headless
// backend asks the script for the next user action.
TEST(ScriptedEventWait, AProgramsIdleWaitFeedsTheScriptLineByLine) {
    ScriptProgram program;
    std::ostringstream out;
    ScriptRunner runner(program.model, program.backend, ScriptHooks{}, out);
    runner.load("click FORM1.BUTTON1\ntype EDIT1 abc\nexpect EDIT1 text \"abc\"\n");
    std::optional<ScriptError> error;
    program.backend.idleHook = [&] {
        bool ran = false;
        error = runner.runNextLine(&ran);
        return ran && !error;
    };
    // The program's loop: handle what arrived, wait again, until the script is used up.
    std::vector<std::string> handled;
    while (!runner.finished() && !error) {
        program.backend.pumpEvents(std::chrono::milliseconds(0));
        while (auto n = program.model.takeNotification()) handled.push_back(std::string(notificationWord(n->kind)) + ":" + n->name);
    }
    ASSERT_FALSE(error) << error->text();
    EXPECT_FALSE(runner.finish());
    EXPECT_EQ(handled, (Words{"focusout:FORM1", "focusin:BUTTON1", "click:BUTTON1", "focusout:BUTTON1",
                              "focusin:EDIT1", "change:EDIT1"}));
}

}  // namespace
}  // namespace platform::test
