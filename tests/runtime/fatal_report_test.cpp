// The fatal error report's texts: the module name, the message box text and the report file,
// and where the file goes.

#include "runtime/fatal_report.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "runtime/error.hpp"
#include "runtime/sjis.hpp"

namespace {

namespace rt = runtime;

TEST(FatalReport, ModuleNameIsTheFileNameWithoutFolderAndExtension) {
    const struct {
        const char* path;
        const char* module;
    } cases[] = {
        {"/x/y/QUILLON", "QUILLON"},
        {"prog.exe", "prog"},
        {"./QUILLSET", "QUILLSET"},
        {"/opt/quill.d/QUILLON", "QUILLON"},  // a dot in a folder is no extension
        {"/x/archive.tar.gz", "archive.tar"},  // only the last extension goes
        {"/x/.hidden", ".hidden"},            // a leading dot starts no extension
        {"/x/日記.bin", "日記"},
        {"QUILLON", "QUILLON"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(rt::moduleNameOf(c.path), c.module) << c.path;
}

TEST(FatalReport, RunTimeErrorGivesItsNumberLocationAndShortText) {
    const rt::FatalError e = rt::describeFailure("QUILLON", rt::RuntimeError(rt::err::ControlNotFound, 0x03F5000Au));
    EXPECT_EQ(e.module, "QUILLON");
    EXPECT_EQ(e.line, 0u);
    EXPECT_EQ(e.number, 1013);
    EXPECT_EQ(e.location, 0x03F5000Au);
    EXPECT_EQ(e.text, rt::errorText(1013));
    EXPECT_EQ(rt::toUtf8(rt::fatalErrorMessage(e)),
              "続行不可能なエラーが発生しました QUILLON [0行]\r\n実行時エラー 1013 (" + std::string(rt::errorText(1013)) + ")");
    EXPECT_EQ(rt::fatalReportText(e), "XMODL=QUILLON\n"
                                      "XLINE=0\n"
                                      "XMODE=" + std::string(rt::errorText(1013)) + "\n"
                                      "XRTL=PLV0RN63\n"
                                      "XADDR=0x03F5000A\n"
                                      "XCODE=1013\n");
}

TEST(FatalReport, OtherFailureIsCodeZeroWithItsMessageOnOneLine) {
    const rt::FatalError e = rt::describeFailure("日記", std::runtime_error("chart cache broken\r\nat entry 7"));
    EXPECT_EQ(e.module, rt::fromUtf8("日記")) << "the module name is CP932 like every runtime string";
    EXPECT_EQ(e.number, 0);
    EXPECT_EQ(e.location, 0u);
    EXPECT_EQ(rt::toUtf8(rt::fatalErrorMessage(e)),
              "続行不可能なエラーが発生しました 日記 [0行]\r\nchart cache broken  at entry 7");
    EXPECT_EQ(rt::toUtf8(rt::fatalReportText(e)), "XMODL=日記\n"
                                                  "XLINE=0\n"
                                                  "XMODE=chart cache broken  at entry 7\n"
                                                  "XRTL=PLV0RN63\n"
                                                  "XADDR=0x00000000\n"
                                                  "XCODE=0\n");
}

TEST(FatalReport, LineNumberAndFullLocationAreWrittenAsGiven) {
    rt::FatalError e;
    e.module = "prog";
    e.line = 4294967295u;
    e.number = 2008;
    e.location = 0xFFFFFFFFu;
    e.text = "network failed";
    EXPECT_EQ(rt::toUtf8(rt::fatalErrorMessage(e)),
              "続行不可能なエラーが発生しました prog [4294967295行]\r\n実行時エラー 2008 (network failed)");
    EXPECT_NE(rt::fatalReportText(e).find("\nXLINE=4294967295\n"), std::string::npos);
    EXPECT_NE(rt::fatalReportText(e).find("\nXADDR=0xFFFFFFFF\n"), std::string::npos);
}

TEST(FatalReport, ReportPathFollowsTheStateHomeRules) {
    const struct {
        const char* stateHome;
        const char* home;
        const char* path;
    } cases[] = {
        {"/var/state", "/home/t", "/var/state/QUILLON/fatal-error.txt"},
        {"/var/state/", "/home/t", "/var/state/QUILLON/fatal-error.txt"},
        {nullptr, "/home/t", "/home/t/.local/state/QUILLON/fatal-error.txt"},
        {"", "/home/t", "/home/t/.local/state/QUILLON/fatal-error.txt"},
        {"state", "/home/t", "/home/t/.local/state/QUILLON/fatal-error.txt"},  // relative: not used
        {"/", "/home/t", "/QUILLON/fatal-error.txt"},
        {"/var/state", nullptr, "/var/state/QUILLON/fatal-error.txt"},
        {nullptr, nullptr, ""},
        {"state", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.stateHome ? c.stateHome : "(unset)") << " / "
                                        << (c.home ? c.home : "(unset)"));
        EXPECT_EQ(rt::fatalReportPath("QUILLON", c.stateHome, c.home), c.path);
    }
}

}  // namespace
