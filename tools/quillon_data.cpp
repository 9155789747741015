// quillon-data: the diary's own readers and writers on the command line, for files edited
// by hand.
//   quillon-data check [--basic B] FILE        reads the file with the diary's reader and
//                                              reports the first problem: exit 1
//   quillon-data rewrite [--basic B] FILE OUT  reads the file and writes it back with the
//                                              diary's writer
//   quillon-data defaults OUT                  writes the basic data of a diary that read
//                                              no file
// FILE is told apart by its name: "基本データ.TXT", "KANKYO.TXT", or one of the trade files
// "取引中データ.TXT", "整理データ.TXT", "コピーデータ.TXT". For a trade file, B is the
// basic data whose groups, sub-items and options are in use (tools/trade_file_rewrite.hpp).
// Messages are printed in UTF-8; the files stay Shift-JIS.

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "common/header_reader.hpp"
#include "diary/files/basic_data.hpp"
#include "diary/files/basic_data_file.hpp"
#include "diary/files/environment.hpp"
#include "runtime/error.hpp"
#include "runtime/file_system.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"
#include "runtime/strings.hpp"
#include "tools/trade_file_rewrite.hpp"

namespace {

enum class FileKind { BasicData, Environment, InProgress, Archive, Copy };

int usage() {
    std::cerr << "usage: quillon-data check [--basic 基本データ.TXT] FILE\n"
                 "       quillon-data rewrite [--basic 基本データ.TXT] FILE OUT\n"
                 "       quillon-data defaults OUT\n"
                 "FILE is a 基本データ.TXT, a KANKYO.TXT or one of the trade files 取引中データ.TXT,\n"
                 "整理データ.TXT and コピーデータ.TXT, told apart by its name.\n"
                 "A trade file is read into a table with a slot for each of its records, whatever\n"
                 "the stock capacity. The groups, sub-items and options written back are\n"
                 "those in use in the basic data given with --basic, or without it the blocks each\n"
                 "record holds.\n";
    return 2;
}

std::optional<FileKind> kindOf(const std::string& path) {
    const runtime::PathParts parts = runtime::splitPath(runtime::fromUtf8(path));
    const std::string upper = runtime::upperAscii(parts.name + parts.extension);
    const auto is = [&](const char* utf8) { return upper == runtime::upperAscii(runtime::fromUtf8(utf8)); };
    if (is("基本データ.TXT")) return FileKind::BasicData;
    if (is("KANKYO.TXT")) return FileKind::Environment;
    if (is("取引中データ.TXT")) return FileKind::InProgress;
    if (is("整理データ.TXT")) return FileKind::Archive;
    if (is("コピーデータ.TXT")) return FileKind::Copy;
    return std::nullopt;
}

diary::TradeFileKind tradeKindOf(FileKind kind) {
    switch (kind) {
    case FileKind::InProgress: return diary::TradeFileKind::InProgress;
    case FileKind::Archive: return diary::TradeFileKind::Archive;
    default: return diary::TradeFileKind::Copy;
    }
}

bool isTradeFile(FileKind kind) {
    return kind == FileKind::InProgress || kind == FileKind::Archive || kind == FileKind::Copy;
}

// Reads the file with the diary's reader and returns what the diary would write back.
// Throws the reader's errors.
std::string readAndWrite(FileKind kind, const std::string& text, const diary::BasicData* basic) {
    if (kind == FileKind::BasicData) {
        diary::BasicData data = diary::defaultBasicData();
        diary::readBasicData(text, data);
        return diary::writeBasicData(data);
    }
    if (kind == FileKind::Environment) {
        diary::Environment env;
        const diary::EnvironmentReadResult found = diary::readEnvironment(text, env);
        // The diary writes the backup line while backups are on, which a readable backup
        // folder entry switches on.
        if (found.backupFolder) env.backupEnabled = 1;
        return diary::writeEnvironment(env, false);
    }
    return tools::rewriteTradeFile(text, tradeKindOf(kind), basic);
}

// The first problem of a file, as the diary shows it, with the line it is on.
int report(const std::string& path, const std::string& text, const common::DataError& e) {
    std::cerr << path << ":" << common::lineAt(text, e.offset()) << ": " << runtime::toUtf8(e.caption()) << "\n"
              << runtime::toUtf8(e.text()) << "\n";
    return 1;
}

int run(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage();
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "defaults") {
        if (args.size() != 1) return usage();
        runtime::writeFileSafely(args[0], diary::writeBasicData(diary::defaultBasicData()));
        return 0;
    }
    if (command != "check" && command != "rewrite") return usage();
    std::optional<std::string> basicPath;
    if (!args.empty() && args[0] == "--basic") {
        if (args.size() < 2) return usage();
        basicPath = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() != (command == "check" ? 1u : 2u)) return usage();
    const std::string& path = args[0];
    const std::optional<FileKind> kind = kindOf(path);
    if (!kind) {
        std::cerr << path << ": not a 基本データ.TXT, KANKYO.TXT, 取引中データ.TXT, 整理データ.TXT or コピーデータ.TXT\n";
        return 2;
    }
    if (basicPath && !isTradeFile(*kind)) {
        std::cerr << "quillon-data: --basic goes with a trade file only\n";
        return 2;
    }
    std::optional<diary::BasicData> basic;
    if (basicPath) {
        const std::string basicText = runtime::readWholeFile(*basicPath);
        basic = diary::defaultBasicData();
        try {
            diary::readBasicData(basicText, *basic);
        } catch (const common::DataError& e) {
            return report(*basicPath, basicText, e);
        }
    }
    const std::string text = runtime::readWholeFile(path);
    std::string written;
    try {
        written = readAndWrite(*kind, text, basic ? &*basic : nullptr);
    } catch (const common::DataError& e) {
        return report(path, text, e);
    }
    if (command == "rewrite") runtime::writeFileSafely(args[1], written);
    else std::cout << path << ": ok\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const runtime::RuntimeError& e) {
        std::cerr << "quillon-data: " << runtime::errorText(e.number()) << " (error " << e.number() << ")\n";
        return 2;
    }
}
