// The fatal error report on the headless backend: the message box the user is shown, and
// the report file written once the box was answered.

#include "runtime/fatal_report.hpp"

#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>

#include "platform/cp932.hpp"
#include "runtime/error.hpp"
#include "tests/runtime/temp_folder.hpp"
#include "toolkit_fixture.hpp"

namespace toolkit::test {
namespace {

using testing_support::readBytes;
using testing_support::TempFolder;
using testing_support::writeBytes;

class FatalReport : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        form = create("DEMOFORM");
        runtime::setMainWindow(windowOf(&form));
        error = runtime::describeFailure("QUILLON", runtime::RuntimeError(runtime::err::ControlNotFound, 0x64000301u));
        reportPath = folder / "QUILLON/fatal-error.txt";
    }
    void answerOk() {
        platform::DialogAnswer ok;
        ok.result = 0;
        backend->queueAnswer(platform::DialogRequest::MessageBox, ok, 1);
    }

    TempFolder folder;
    ObjectVar form = 0;
    runtime::FatalError error;
    std::string reportPath;
    std::ostringstream log;
};

TEST_F(FatalReport, StopBoxOwnedByNoWindowWithTheMainWindowsCurrentCaption_ThenTheFile) {
    Str caption(platform::utf8ToCp932("取引日記 - 2024年"));
    PX$SETWINDOWTEXT(&form, caption.get());
    answerOk();
    runtime::reportFatalError(error, reportPath, log);

    ASSERT_EQ(backend->dialogsAsked().size(), 1u);
    const platform::DialogRequest& box = backend->dialogsAsked().front();
    EXPECT_EQ(box.kind, platform::DialogRequest::MessageBox);
    EXPECT_EQ(box.owner, platform::Handle{0}) << "no window owns the box";
    EXPECT_EQ(platform::cp932ToUtf8(box.caption), "取引日記 - 2024年");
    EXPECT_EQ(platform::cp932ToUtf8(box.text),
              "続行不可能なエラーが発生しました QUILLON [0行]\r\n実行時エラー 1013 (" +
                  std::string(runtime::errorText(1013)) + ")");
    EXPECT_EQ(box.buttons, 0) << "OK alone";
    EXPECT_EQ(box.icon, 0) << "the stop icon";

    EXPECT_EQ(readBytes(reportPath), "XMODL=QUILLON\nXLINE=0\nXMODE=" + std::string(runtime::errorText(1013)) +
                                         "\nXRTL=PLV0RN63\nXADDR=0x64000301\nXCODE=1013\n");
    EXPECT_EQ(testing_support::namesIn(folder / "QUILLON"), std::vector<std::string>{"fatal-error.txt"})
        << "no temporary file is left beside the report";
    EXPECT_EQ(log.str(), "");
}

TEST_F(FatalReport, WithoutMainWindowTheModuleNameIsTheCaption_AndAnOldReportIsReplaced) {
    std::filesystem::create_directories(folder / "QUILLON");
    writeBytes(reportPath, "XMODL=QUILLON\nXCODE=6\n");
    PX$DESTROYWINDOW(&form);
    answerOk();
    runtime::reportFatalError(runtime::describeFailure("QUILLON", std::runtime_error("bad_alloc")), reportPath, log);

    ASSERT_EQ(backend->dialogsAsked().size(), 1u);
    EXPECT_EQ(backend->dialogsAsked().front().caption, "QUILLON");
    EXPECT_EQ(platform::cp932ToUtf8(backend->dialogsAsked().front().text),
              "続行不可能なエラーが発生しました QUILLON [0行]\r\nbad_alloc");
    EXPECT_EQ(readBytes(reportPath),
              "XMODL=QUILLON\nXLINE=0\nXMODE=bad_alloc\nXRTL=PLV0RN63\nXADDR=0x00000000\nXCODE=0\n");
}

TEST_F(FatalReport, AnUnansweredBoxStopsTheRunThereAndWritesNothing) {
    runtime::reportFatalError(error, reportPath, log);
    EXPECT_EQ(backend->dialogsAsked().size(), 1u);
    EXPECT_NE(log.str().find("the message box \"" + platform::cp932ToUtf8(model.find(windowOf(&form))->text) +
                             "\" was not answered"),
              std::string::npos)
        << log.str();
    EXPECT_FALSE(std::filesystem::exists(folder / "QUILLON"));
    EXPECT_FALSE(backend->takeUnanswered().has_value()) << "the reason was told once, in the log";
}

TEST_F(FatalReport, AReportThatCannotBeWrittenIsLeftUnwritten) {
    // A file where the module's folder should be: neither the folder nor the report can be made.
    writeBytes(folder / "QUILLON", "in the way");
    answerOk();
    EXPECT_NO_THROW(runtime::reportFatalError(error, reportPath, log));
    EXPECT_EQ(readBytes(folder / "QUILLON"), "in the way");
    answerOk();
    EXPECT_NO_THROW(runtime::reportFatalError(error, "", log)) << "no folder to write to";
    EXPECT_EQ(backend->dialogsAsked().size(), 2u) << "the user is told all the same";
    EXPECT_EQ(log.str(), "");
}

}  // namespace
}  // namespace toolkit::test
