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

ToolRun runTool(const std::string& arguments, const std::string& folder) {
    const std::string errorsFile = folder + "/stderr.txt";
    const std::string command = std::string(QUILL_BINARY_DIR) + "/bin/" + arguments + " 2>" + errorsFile;
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

}  // namespace
}  // namespace imaging_test
