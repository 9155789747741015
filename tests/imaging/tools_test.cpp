// The command-line converters: exit status, and the run-time error number and text on
// failure.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

#include "jpeg_reference.hpp"

namespace imaging_test {
namespace {

struct ToolRun {
    int status;
    std::string errors;
};

// `environment`: variable settings put before the command ("TMPDIR=/x").
ToolRun runTool(const std::string& arguments, const std::string& folder, const std::string& environment = {}) {
    const std::string errorsFile = folder + "/stderr.txt";
    const std::string command =
        environment + " " + std::string(QUILL_BINARY_DIR) + "/bin/" + arguments + " 2>" + errorsFile;
    const int raw = std::system(command.c_str());
    const std::vector<std::uint8_t> errors = readFile(errorsFile);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, std::string(errors.begin(), errors.end())};
}

TEST(Tools, ConvertBothWaysAndReportErrors) {
    const std::string dir = scratchFolder("tools");
    writeFile(dir + "/in.bmp", makeBmp(makePhotoLike(30, 20, 3)));

    ToolRun run = runTool("bmp2jpeg " + dir + "/in.bmp " + dir + "/out.jpg 90 4", dir);
    EXPECT_EQ(run.status, 0) << run.errors;
    const Image decoded = referenceDecode(readFile(dir + "/out.jpg"));
    EXPECT_EQ(decoded.width, 30);

    run = runTool("jpeg2bmp " + dir + "/out.jpg " + dir + "/back.bmp", dir);
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(bmpPixels(readFile(dir + "/back.bmp")).height, 20);

    run = runTool("jpeg2bmp " + dir + "/absent.jpg " + dir + "/x.bmp", dir);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find("error 63"), std::string::npos) << run.errors;

    run = runTool("jpeg2bmp " + dir + "/in.bmp " + dir + "/x.bmp", dir);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find("error 71"), std::string::npos) << run.errors;
    EXPECT_FALSE(fileExists(dir + "/x.bmp"));
}

TEST(Tools, JapaneseNamesArriveAsTheSameNames) {
    const std::string dir = scratchFolder("tools_japanese") + "/チャート";
    ASSERT_EQ(std::system(("mkdir -p '" + dir + "/一時'").c_str()), 0);
    writeFile(dir + "/元.bmp", makeBmp(makePhotoLike(16, 8, 3)));

    // The temporary 24-bit copy of bmp2jpeg lies in a folder with Japanese letters too.
    ToolRun run = runTool("bmp2jpeg " + dir + "/元.bmp " + dir + "/表.jpg", dir, "TMPDIR=" + dir + "/一時");
    EXPECT_EQ(run.status, 0) << run.errors;
    run = runTool("jpeg2bmp " + dir + "/表.jpg " + dir + "/表.bmp", dir);
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(bmpPixels(readFile(dir + "/表.bmp")).width, 16);
    EXPECT_EQ(std::system(("test -z \"$(ls -A '" + dir + "/一時')\"").c_str()), 0) << "temporary file left";

    // A name CP932 cannot hold is refused, and nothing is written under another name.
    writeFile(dir + "/jürgen.jpg", readFile(dir + "/表.jpg"));
    const struct {
        std::string arguments;
    } refused[] = {{"jpeg2bmp " + dir + "/jürgen.jpg " + dir + "/x.bmp"},
                   {"jpeg2bmp " + dir + "/表.jpg " + dir + "/😀.bmp"},
                   {"bmp2jpeg " + dir + "/元.bmp " + dir + "/ü.jpg"}};
    for (const auto& r : refused) {
        run = runTool(r.arguments, dir);
        EXPECT_EQ(run.status, 2) << r.arguments;
        EXPECT_NE(run.errors.find("Shift-JIS (CP932) cannot hold"), std::string::npos) << run.errors;
    }
    EXPECT_EQ(std::system(("test -z \"$(ls '" + dir + "' | grep -v -e '^元.bmp$' -e '^表' -e '^jürgen.jpg$' -e '^一時$' -e '^stderr.txt$')\"").c_str()), 0)
        << "a file under another name";
}

}  // namespace
}  // namespace imaging_test
