#include <gtest/gtest.h>

#include "common/header_reader.hpp"
#include "diary/files/environment.hpp"
#include "runtime/sjis.hpp"

using namespace diary;
using namespace runtime::literals;

namespace {

Environment sample() {
    Environment env;
    env.windows[0] = WindowPlace{10, 20};
    env.windows[1] = WindowPlace{-4, 300.5f};
    env.chartWindowWidth = 640;
    env.chartWindowHeight = 480;
    env.zoomIndex = 3;
    env.basicDataFolder = "/home/trader/基本/"_sj;
    env.tradeDataFolder = "/home/trader/moved/";
    env.recordedTradeFolder = "/home/trader/data/";
    env.chartSourceFolder = "/";
    env.backupFolder = "/backup/";
    env.backupEnabled = 1;
    return env;
}

}  // namespace

TEST(EnvironmentFile, RoundTripsAndWritesTheRecordedFolderWhenRelocated) {
    const std::string file = writeEnvironment(sample(), false);
    Environment back;
    const auto found = readEnvironment(file, back);
    EXPECT_TRUE(found.basicDataFolder && found.tradeDataFolder && found.chartSourceFolder && found.backupFolder);
    EXPECT_EQ(back.backupEnabled, 0);  // backups go on only once the folder check passes
    back.backupEnabled = 1;
    EXPECT_EQ(writeEnvironment(back, false), file);
    EXPECT_EQ(back.chartWindowWidth, 640);
    EXPECT_EQ(back.zoomIndex, 3);
    ASSERT_TRUE(back.windows[1]);
    EXPECT_EQ(back.windows[1]->y, 300.5f);
    EXPECT_EQ(back.basicDataFolder, "/home/trader/基本/"_sj);

    const std::string relocated = writeEnvironment(sample(), true);
    EXPECT_NE(relocated.find("0300_取引中データ設定格納パス,\"/home/trader/data/\"\r\n"_sj), std::string::npos);
    EXPECT_EQ(relocated.substr(relocated.size() - 4), "\r\n\r\n");  // ends with an empty line
}

TEST(EnvironmentFile, BackupLineOnlyWhileBackupsAreOn) {
    Environment env = sample();
    env.backupEnabled = 0;
    const std::string file = writeEnvironment(env, false);
    EXPECT_EQ(file.find("バックアップ"_sj), std::string::npos);
    Environment back;
    EXPECT_FALSE(readEnvironment(file, back).backupFolder);
    EXPECT_EQ(back.backupEnabled, 0);
}

TEST(EnvironmentFile, ChartSectionLayout) {
    const std::string file = writeEnvironment(sample(), false);
    EXPECT_NE(file.find("0300_ＣＧ用ウインドウ,5\r\n横サイズ, 640\r\n縦サイズ, 480\r\nＸ座標位置,-4\r\n"
                        "Ｙ座標位置, 300.5\r\n倍率, 3\r\n"_sj),
              std::string::npos);
}

TEST(EnvironmentFile, LaterVersionSectionLeavesItsLinesToBeReadAsHeaders) {
    Environment env;
    try {
        readEnvironment("0301_メイン・ウインドウ,5\r\nＸ座標位置, 10\r\nＹ座標位置, 20\r\n"_sj, env);
        ADD_FAILURE() << "the position line has no '_': a header error";
    } catch (const common::HeaderError& e) {
        EXPECT_EQ(e.caption(), "Ｘ座標位置←ヘッダーエラー"_sj);
        EXPECT_EQ(e.text(), "KANKYO.TXTの上記のヘッダーを修正して下さい"_sj);
    }
    EXPECT_FALSE(env.windows[0]);
}
