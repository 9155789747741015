// The standard dialogs on the headless backend: argument checks, what the backend is asked
// to show, and the answers the program gets back.

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <unistd.h>

#include "platform/cp932.hpp"
#include "runtime/error.hpp"
#include "toolkit/file_dialog_rules.hpp"
#include "toolkit_fixture.hpp"

namespace toolkit::test {
namespace {

int raisedNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const runtime::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

// The message of a run that stopped; "" when it did not stop.
std::string stopMessage(const std::function<void()>& f) {
    try {
        f();
    } catch (const runtime::ScriptStop& s) {
        return s.what();
    }
    return {};
}

std::string text(const PvString* s) { return std::string(runtime::view(s)); }

class Dialogs : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form = create("DEMOFORM");
        runtime::setMainWindow(windowOf(&form));
    }
    void answerBox(int result) {
        platform::DialogAnswer a;
        a.result = result;
        backend->queueAnswer(platform::DialogRequest::MessageBox, a, ++line);
    }
    void answerInput(std::string text, bool cancel = false) {
        platform::DialogAnswer a;
        a.text = std::move(text);
        a.cancelled = cancel;
        backend->queueAnswer(platform::DialogRequest::InputBox, a, ++line);
    }
    std::int16_t box(ObjectVar* owner, int buttons, int icon) {
        Str caption(platform::utf8ToCp932("確認")), message(platform::utf8ToCp932("本当に削除しますか？"));
        return PX$MESSAGEBOX(owner, caption.get(), message.get(), static_cast<std::int16_t>(buttons),
                             static_cast<std::int16_t>(icon));
    }
    std::string input(ObjectVar* owner, const std::string& title = "T", const std::string& initial = "") {
        Str t(title), p("prompt"), d(initial);
        return text(PX$INPUTBOX(owner, t.get(), p.get(), d.get()));
    }

    ObjectVar form = 0;
    int line = 0;
};

TEST_F(Dialogs, MessageBox_YesNoWithExclamation_ReturnsFiveAndSix) {
    answerBox(5);
    EXPECT_EQ(box(&form, 4, 2), 5);
    answerBox(6);
    EXPECT_EQ(box(&form, 4, 2), 6);
    ASSERT_EQ(backend->dialogsAsked().size(), 2u);
    const platform::DialogRequest& asked = backend->dialogsAsked().back();
    EXPECT_EQ(asked.kind, platform::DialogRequest::MessageBox);
    EXPECT_EQ(asked.buttons, 4);
    EXPECT_EQ(asked.icon, 2);
    EXPECT_EQ(asked.owner, windowOf(&form));
    EXPECT_EQ(asked.text, platform::utf8ToCp932("本当に削除しますか？"));
    EXPECT_TRUE(model.find(windowOf(&form))->enabled) << "the owner takes input again afterwards";
}

TEST_F(Dialogs, MessageBox_CodesOutOfRangeAreError5BeforeAnythingIsShown) {
    struct Case {
        int buttons, icon;
    };
    answerBox(0);
    for (const Case& c : {Case{0, 5}, Case{6, 0}, Case{-1, 0}, Case{0, -1}}) {
        SCOPED_TRACE(testing::Message() << c.buttons << "/" << c.icon);
        EXPECT_EQ(raisedNumber([&] { box(&form, c.buttons, c.icon); }), 5);
    }
    EXPECT_TRUE(backend->dialogsAsked().empty());
    EXPECT_EQ(backend->firstUnusedAnswerLine(), 1) << "the answer is still waiting for a box";
    EXPECT_EQ(box(&form, 0, 4), 0);
}

TEST_F(Dialogs, MessageBox_OwnerRules) {
    ObjectVar button = attach(&form, "BUTTON1");
    answerBox(1);
    EXPECT_EQ(box(&button, 1, 1), 1);
    EXPECT_EQ(backend->dialogsAsked().back().owner, windowOf(&form)) << "a control's form owns the box";
    answerBox(0);
    EXPECT_EQ(box(nullptr, 0, 0), 0);
    EXPECT_EQ(backend->dialogsAsked().back().owner, windowOf(&form)) << "no variable: the main form";
    ObjectVar empty = 0;
    EXPECT_EQ(raisedNumber([&] { box(&empty, 0, 0); }), 1000);
    PX$DESTROYWINDOW(&button);
    EXPECT_EQ(raisedNumber([&] { box(&button, 0, 0); }), 1000);
}

TEST_F(Dialogs, MessageBox_AnAnswerTheBoxDoesNotOfferOrNoAnswerStopsTheRun) {
    answerBox(5);
    EXPECT_NE(stopMessage([&] { box(&form, 0, 0); }).find("no button 5"), std::string::npos);
    const std::string unanswered = stopMessage([&] { box(&form, 4, 1); });
    EXPECT_NE(unanswered.find("message box"), std::string::npos) << unanswered;
    EXPECT_NE(unanswered.find("確認"), std::string::npos) << "named by its caption: " << unanswered;
    EXPECT_TRUE(model.find(windowOf(&form))->enabled);
}

TEST_F(Dialogs, InputBox_CancelIsCharacter27_OkOnAnEmptyEditIsEmpty) {
    answerInput({}, true);
    const std::string cancelled = input(&form);
    EXPECT_EQ(cancelled, std::string(1, '\x1b'));
    answerInput("");
    EXPECT_EQ(input(&form, "T", "1.5"), "");
    answerInput("105.25");
    EXPECT_EQ(input(&form, "T", "1.5"), "105.25");
    EXPECT_EQ(backend->dialogsAsked().back().initial, "1.5");
    answerInput("x");
    Str t("T"), p("P"), d("");
    EXPECT_EQ(text(PX$WINDLGT(&form, t.get(), p.get(), d.get())), "x");
}

TEST_F(Dialogs, InputBox_HoldsAtMost64BytesAndNeverHalfACharacter) {
    answerInput(std::string(70, '7'));
    EXPECT_EQ(input(&form), std::string(64, '7'));
    // 63 single bytes and a double-byte character: the character does not fit whole.
    answerInput(std::string(63, 'a') + platform::utf8ToCp932("円"));
    EXPECT_EQ(input(&form), std::string(63, 'a'));
}

TEST_F(Dialogs, InputBox_ArgumentChecks) {
    ObjectVar empty = 0;
    ObjectVar button = attach(&form, "BUTTON1");
    EXPECT_EQ(raisedNumber([&] { input(&empty); }), 1002);
    EXPECT_EQ(raisedNumber([&] { input(nullptr); }), 1002);
    EXPECT_EQ(raisedNumber([&] { input(&button); }), 1002);
    EXPECT_EQ(raisedNumber([&] { input(&form, std::string(65, 't')); }), 5);
    EXPECT_EQ(raisedNumber([&] { input(&form, "T", std::string(65, 'd')); }), 5);
    answerInput("ok");
    EXPECT_EQ(input(&form, std::string(64, 't'), std::string(64, 'd')), "ok");
    PX$DESTROYWINDOW(&form);
    EXPECT_EQ(raisedNumber([&] { input(&form); }), 1000);
}

TEST_F(Dialogs, ChooseColor_TheColourGoesIntoTheVariable) {
    platform::DialogAnswer red;
    red.result = 0x0000FF;
    backend->queueAnswer(platform::DialogRequest::ChooseColor, red, ++line);
    std::uint32_t colour = 0x123456;
    EXPECT_EQ(PX$CHOOSECOLOR(&form, &colour), -1);
    EXPECT_EQ(colour, 0x0000FFu);
    EXPECT_EQ(backend->dialogsAsked().back().colour, 0u) << "black is chosen first";
    platform::DialogAnswer cancel;
    cancel.cancelled = true;
    backend->queueAnswer(platform::DialogRequest::ChooseColor, cancel, ++line);
    EXPECT_EQ(PX$CHOOSECOLOR(&form, &colour), 0);
    EXPECT_EQ(colour, 0x0000FFu) << "a cancel leaves the variable";
    ObjectVar empty = 0;
    EXPECT_EQ(raisedNumber([&] { PX$CHOOSECOLOR(&empty, &colour); }), 1000);
    EXPECT_EQ(raisedNumber([&] { PX$PRINTDLG(&empty); }), 1000);
    EXPECT_EQ(PX$PRINTDLG(&form), 0);
}

// The custom colours start white, go to each chooser, and come back from it changed or
// not, kept through a cancel and for the rest of the run.
TEST_F(Dialogs, ChooseColor_CustomColoursCarryFromOneChooserToTheNext) {
    platform::CustomColours white;
    white.fill(0xFFFFFF);
    std::uint32_t colour = 0;
    platform::DialogAnswer stored;  // the user stores red and green, then cancels
    stored.cancelled = true;
    stored.customColours = white;
    (*stored.customColours)[0] = 0x0000FF;
    (*stored.customColours)[15] = 0xFF00FF00;  // the byte above blue is no part of a colour
    backend->queueAnswer(platform::DialogRequest::ChooseColor, stored, ++line);
    EXPECT_EQ(PX$CHOOSECOLOR(&form, &colour), 0);
    EXPECT_EQ(backend->dialogsAsked().back().customColours, white) << "all 16 are white at the start";

    platform::DialogAnswer untouched;  // an answer that says nothing of them leaves them
    untouched.result = 0x00FF00;
    backend->queueAnswer(platform::DialogRequest::ChooseColor, untouched, ++line);
    EXPECT_EQ(PX$CHOOSECOLOR(&form, &colour), -1);
    platform::CustomColours expected = white;
    expected[0] = 0x0000FF;
    expected[15] = 0x00FF00;
    EXPECT_EQ(backend->dialogsAsked().back().customColours, expected) << "what the cancelled chooser stored";

    backend->queueAnswer(platform::DialogRequest::ChooseColor, untouched, ++line);
    EXPECT_EQ(PX$CHOOSECOLOR(&form, &colour), -1);
    EXPECT_EQ(backend->dialogsAsked().back().customColours, expected);

    runtime::resetWindowSystem();
    backend = &runtime::startHeadless();
    form = create("DEMOFORM");
    backend->queueAnswer(platform::DialogRequest::ChooseColor, untouched, ++line);
    EXPECT_EQ(PX$CHOOSECOLOR(&form, &colour), -1);
    EXPECT_EQ(backend->dialogsAsked().back().customColours, white) << "a fresh window system starts white again";
}

// --- the font dialog ----------------------------------------------------------------------

class ChooseFont : public Dialogs {
protected:
    static FontRecord record(const char* face, float size, std::int16_t bold = 0, std::int16_t italic = 0,
                             std::int16_t underline = 0, std::int16_t strikeout = 0) {
        FontRecord r{size, bold, italic, underline, strikeout, {}};
        const std::string f = platform::utf8ToCp932(face);
        std::memset(r.face, ' ', sizeof r.face);
        std::memcpy(r.face, f.data(), std::min(f.size(), sizeof r.face));
        return r;
    }
    void answerFont(const platform::Font& font) {
        platform::DialogAnswer a;
        a.font = font;
        backend->queueAnswer(platform::DialogRequest::ChooseFont, a, ++line);
    }
    void answerCancel() {
        platform::DialogAnswer a;
        a.cancelled = true;
        backend->queueAnswer(platform::DialogRequest::ChooseFont, a, ++line);
    }
    static std::string face(const FontRecord& r) { return std::string(r.face, sizeof r.face); }
    const platform::DialogRequest& asked() const { return backend->dialogsAsked().back(); }
};

TEST_F(ChooseFont, OwnerAndRecordAreCheckedFirst) {
    ObjectVar empty = 0;
    ObjectVar timer = 0;
    Str timerName("TIMER1");
    PX$CREATETIMER(&timer, &form, timerName.get());
    ObjectVar gone = create("NESTFORM");
    PX$DESTROYWINDOW(&gone);
    const FontRecord good = record("IPAGothic", 12);
    struct Case {
        const char* what;
        ObjectVar* owner;
        std::optional<FontRecord> font;  // none: a null record
        int error;
    };
    const Case cases[] = {
        {"no owner variable", nullptr, good, 1000},
        {"an empty owner", &empty, good, 1000},
        {"a closed owner", &gone, good, 1000},
        {"a timer owner", &timer, good, 1002},
        {"no record", &form, std::nullopt, 5},
        {"a face of 32 bytes", &form, record("ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", 12), 5},
        {"a negative size", &form, record("IPAGothic", -1), 5},
        {"a size that is no number", &form, record("IPAGothic", std::nanf("")), 5},
        {"a size past the largest", &form, record("IPAGothic", 32768), 5},
        {"a style that is not a truth value", &form, record("IPAGothic", 12, 0, 1), 5},
    };
    for (Case c : cases)
        EXPECT_EQ(raisedNumber([&] { PX$CHOOSEFONT(c.owner, c.font ? &*c.font : nullptr); }), c.error) << c.what;
    EXPECT_TRUE(backend->dialogsAsked().empty()) << "no dialog opened for a refused call";
}

TEST_F(ChooseFont, TheChosenFontGoesIntoTheRecordPaddedWithSpaces) {
    FontRecord font = record("ＭＳ ゴシック", 9.4f, -1, 0, 0, -1);
    answerFont({"ipagothic", 14, false, true, true, false});
    EXPECT_EQ(PX$CHOOSEFONT(&form, &font), -1);
    const platform::Font started{platform::utf8ToCp932("ＭＳ ゴシック"), 9, true, false, false, true};
    EXPECT_EQ(asked().kind, platform::DialogRequest::ChooseFont);
    EXPECT_EQ(asked().owner, windowOf(&form));
    EXPECT_EQ(asked().font, started);
    EXPECT_EQ(font.size, 14.0f);
    EXPECT_EQ((std::vector<int>{font.bold, font.italic, font.underline, font.strikeout}),
              (std::vector<int>{0, -1, -1, 0}));
    EXPECT_EQ(face(font), "IPAGothic" + std::string(23, ' ')) << "the face as the dialog lists it";

    answerCancel();
    EXPECT_EQ(PX$CHOOSEFONT(&form, &font), 0);
    EXPECT_EQ(face(font), "IPAGothic" + std::string(23, ' ')) << "a cancel leaves the record";
    EXPECT_EQ(font.size, 14.0f);
}

// A record the program has not filled (no face, size 0) starts at the owner's font; the
// faces offered are the font families, with a face that is none of them first.
TEST_F(ChooseFont, EmptyPartsStartAtTheOwnersFontAndTheFaceIsOffered) {
    platform::Font own{"FixedSys", 11, false, true, false, false};
    model.change(windowOf(&form))->font = own;
    FontRecord blank{};
    answerCancel();
    EXPECT_EQ(PX$CHOOSEFONT(&form, &blank), 0);
    own.italic = false;  // the styles are the record's
    EXPECT_EQ(asked().font, own);
    // Sorted by their bytes without regard to case: "Ｐ" is 82 6F, "ゴ" 83 53.
    const std::vector<std::string> families = {"FixedSys", "IPAGothic", "IPAPGothic",
                                               platform::utf8ToCp932("ＭＳ Ｐゴシック"),
                                               platform::utf8ToCp932("ＭＳ ゴシック")};
    EXPECT_EQ(asked().faces, families);

    FontRecord unknown = record("Courier New", 10);
    answerFont({"Courier New", 10});
    EXPECT_EQ(PX$CHOOSEFONT(&form, &unknown), -1);
    ASSERT_FALSE(asked().faces.empty());
    EXPECT_EQ(asked().faces.front(), "Courier New");
    EXPECT_EQ(face(unknown), "Courier New" + std::string(21, ' '));
}

// A face is found among the families without regard to the case of ASCII letters only:
// "ＭＳ ピシック" differs from the family "ＭＳ ゴシック" in one trail byte, 0x73 against
// 0x53, and is a face of its own that the dialog offers and gives back.
TEST_F(ChooseFont, AFaceDifferingFromAFamilyInATrailByteIsAFaceOfItsOwn) {
    const std::string own = platform::utf8ToCp932("ＭＳ ピシック");
    FontRecord font = record("ＭＳ ピシック", 12);
    answerFont({own, 12});
    EXPECT_EQ(PX$CHOOSEFONT(&form, &font), -1);
    ASSERT_FALSE(asked().faces.empty());
    EXPECT_EQ(asked().faces.front(), own) << "offered as a face that is no family";
    EXPECT_EQ(face(font), own + std::string(32 - own.size(), ' '));

    FontRecord lower = record("ipagothic", 12);
    answerFont({"ipagothic", 12});
    EXPECT_EQ(PX$CHOOSEFONT(&form, &lower), -1);
    EXPECT_EQ(asked().faces.front(), "FixedSys") << "ASCII letters still find the family";
    EXPECT_EQ(face(lower), "IPAGothic" + std::string(23, ' '));
}

// An answer no user could give ends a scripted run, naming the dialog.
TEST_F(ChooseFont, AnAnswerTheDialogCannotGiveStopsTheRun) {
    FontRecord font = record("IPAGothic", 12);
    EXPECT_EQ(stopMessage([&] { PX$CHOOSEFONT(&form, &font); }),
              "the font dialog \"\" was not answered (no 'answer font' before it)");
    answerFont({"Arial", 12});
    EXPECT_EQ(stopMessage([&] { PX$CHOOSEFONT(&form, &font); }), "the font dialog offers no face \"Arial\"");
    answerFont({"IPAGothic", 0});
    EXPECT_EQ(stopMessage([&] { PX$CHOOSEFONT(&form, &font); }), "the font dialog takes no size 0");
    EXPECT_EQ(face(font), "IPAGothic" + std::string(23, ' '));
    EXPECT_EQ(font.size, 12.0f);
    EXPECT_TRUE(model.find(windowOf(&form))->enabled) << "the owner is given back";
}

// --- open and save dialogs ---------------------------------------------------------------

TEST(FileFilter, EntriesBecomePairsOfTheEntryAndItsPatterns) {
    using Pairs = std::vector<platform::FileFilter>;
    const std::string image = platform::utf8ToCp932("画像(*.JPG, *.BMP)");
    const std::string text = platform::utf8ToCp932("テキスト(*.TXT)");
    struct Case {
        std::string filter;
        std::optional<Pairs> pairs;
    };
    const std::vector<Case> cases = {
        {image + ";" + text, Pairs{{image, "*.JPG;*.BMP"}, {text, "*.TXT"}}},
        {"", Pairs{{platform::utf8ToCp932("すべてのﾌｧｲﾙ(*.*)"), "*.*"}}},
        {"All (\t*.a ,\t*.b)", Pairs{{"All (\t*.a ,\t*.b)", "*.a;*.b"}}},
        {"no parentheses", std::nullopt},
        {"a(*.a);b", std::nullopt},
        {"closed before opened)(", std::nullopt},
        {"x(" + std::string(600, 'y') + ")", std::nullopt},  // over 1024 bytes converted
        {"x(" + std::string(500, 'y') + ")", Pairs{{"x(" + std::string(500, 'y') + ")", std::string(500, 'y')}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(parseFilter(c.filter), c.pairs);
    }
}

TEST(FileDialogStart, FolderWithoutItsSlashUnlessRoot_AndTheFileName) {
    struct Case {
        std::string path;
        std::string folder, file;
    };
    for (const Case& c : {Case{"/", "/", ""}, Case{"/home/u/charts/a.jpg", "/home/u/charts", "a.jpg"},
                          Case{"/home/u/charts/", "/home/u/charts", ""}, Case{"charts/a.jpg", "/work/charts", "a.jpg"},
                          Case{"", "/work", ""}, Case{"/a/../b.txt", "/", "b.txt"}, Case{"/top.txt", "/", "top.txt"}}) {
        SCOPED_TRACE(c.path);
        const StartPlace start = startPlace(c.path, "/work");
        EXPECT_EQ(start.folder, c.folder);
        EXPECT_EQ(start.file, c.file);
    }
}

class FileDialogs : public Dialogs {
protected:
    void SetUp() override {
        Dialogs::SetUp();
        folder = std::filesystem::temp_directory_path() / ("quill_file_dialog_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "chart.jpg") << "x";
    }
    void TearDown() override {
        std::filesystem::remove_all(folder);
        Dialogs::TearDown();
    }
    void answerFile(std::string path, bool cancel = false) {
        platform::DialogAnswer a;
        a.text = std::move(path);
        a.cancelled = cancel;
        backend->queueAnswer(platform::DialogRequest::OpenFile, a, ++line);
    }
    std::string open(const std::string& initial, std::int16_t mode = 0, const std::string& title = "T",
                     const std::string& filter = "(*.JPG)") {
        Str t(title), p(initial), f(filter);
        return text(PX$WINOPENDLG(&form, t.get(), p.get(), f.get(), mode));
    }
    std::string save(const std::string& initial, std::int16_t mode = 0) {
        Str t("T"), p(initial), f("");
        return text(PX$WINSAVEDLG(&form, t.get(), p.get(), f.get(), mode));
    }
    std::string in(const char* name) const { return (folder / name).string(); }

    std::filesystem::path folder;
};

TEST_F(FileDialogs, TheRequestCarriesFolderFileAndFilterPairs) {
    answerFile(in("chart.jpg"));
    EXPECT_EQ(open(in("chart.jpg"), 0, "T", "Charts(*.JPG, *.BMP);All(*.*)"), in("chart.jpg"));
    const platform::DialogRequest& asked = backend->dialogsAsked().back();
    EXPECT_EQ(asked.kind, platform::DialogRequest::OpenFile);
    EXPECT_EQ(asked.folder, folder.string());
    EXPECT_EQ(asked.fileName, "chart.jpg");
    ASSERT_EQ(asked.filters.size(), 2u);
    EXPECT_EQ(asked.filters[0].patterns, "*.JPG;*.BMP");
    answerFile("cancel", true);
    EXPECT_EQ(save("/"), std::string(1, '\x1b'));
    EXPECT_EQ(backend->dialogsAsked().back().kind, platform::DialogRequest::SaveFile);
    EXPECT_EQ(backend->dialogsAsked().back().folder, "/");
    EXPECT_EQ(backend->dialogsAsked().back().fileName, "");
}

TEST_F(FileDialogs, ArgumentChecks) {
    ObjectVar empty = 0;
    ObjectVar button = attach(&form, "BUTTON1");
    Str t("T"), p("/"), f("");
    EXPECT_EQ(raisedNumber([&] { PX$WINOPENDLG(&empty, t.get(), p.get(), f.get(), 0); }), 1000);
    EXPECT_EQ(raisedNumber([&] { PX$WINOPENDLG(nullptr, t.get(), p.get(), f.get(), 0); }), 1000);
    EXPECT_EQ(raisedNumber([&] { PX$WINSAVEDLG(&button, t.get(), p.get(), f.get(), 0); }), 1002);
    EXPECT_EQ(raisedNumber([&] { open("/", 0, std::string(65, 't')); }), 5);
    EXPECT_EQ(raisedNumber([&] { open("/" + std::string(260, 'p')); }), 5);
    EXPECT_EQ(raisedNumber([&] { open("/", 0, "T", "x(" + std::string(509, 'y') + ")"); }), 5);  // 512 bytes
    EXPECT_EQ(raisedNumber([&] { open("/", 2); }), 5);
    EXPECT_EQ(raisedNumber([&] { open("/", -1); }), 5);
    EXPECT_EQ(raisedNumber([&] { open("/", 0, "T", "Charts *.JPG"); }), 5);
    EXPECT_TRUE(backend->dialogsAsked().empty()) << "nothing is shown after a failed check";
    answerFile(in("chart.jpg"));
    EXPECT_EQ(open("/", 0, std::string(64, 't')), in("chart.jpg"));
}

TEST_F(FileDialogs, ModesDecideWhichChoicesTheDialogTakes) {
    // A bare name is a file of the folder the dialog shows.
    answerFile("chart.jpg");
    EXPECT_EQ(open(in("")), in("chart.jpg"));
    answerFile(in("new.jpg"));
    EXPECT_NE(stopMessage([&] { open(in("")); }).find("the file does not exist"), std::string::npos);
    answerFile(in("new.jpg"));
    EXPECT_EQ(open(in(""), 1), in("new.jpg")) << "mode 1 asks only for the folder";
    answerFile(in("nofolder/new.jpg"));
    EXPECT_NE(stopMessage([&] { open(in(""), 1); }).find("folder does not exist"), std::string::npos);
    answerFile(in("new.jpg"));
    EXPECT_EQ(save(in("")), in("new.jpg"));
    answerFile(in("nofolder/new.jpg"));
    EXPECT_NE(stopMessage([&] { save(in(""), 1); }).find("folder does not exist"), std::string::npos);
}

}  // namespace
}  // namespace toolkit::test
