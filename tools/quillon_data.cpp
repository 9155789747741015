// quillon-data: the diary's own readers and writers on the command line, for files edited
// by hand.
//   quillon-data check FILE          reads "基本データ.TXT" or "KANKYO.TXT" (by the file's
//                                    name) and reports the first problem: exit 1
//   quillon-data rewrite FILE OUT    reads the file and writes it back with the diary's writer
//   quillon-data defaults OUT        writes the basic data of a diary that read no file
// Messages are printed in UTF-8; the files stay Shift-JIS.

#include <iostream>
#include <string>

#include "common/header_reader.hpp"
#include "diary/files/basic_data.hpp"
#include "diary/files/basic_data_file.hpp"
#include "diary/files/environment.hpp"
#include "runtime/error.hpp"
#include "runtime/file_system.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"
#include "runtime/strings.hpp"

namespace {

enum class FileKind { BasicData, Environment };

int usage() {
    std::cerr << "usage: quillon-data check FILE\n"
                 "       quillon-data rewrite FILE OUT\n"
                 "       quillon-data defaults OUT\n"
                 "FILE is a 基本データ.TXT or a KANKYO.TXT, told apart by its name.\n";
    return 2;
}

bool kindOf(const std::string& path, FileKind& kind) {
    const runtime::PathParts parts = runtime::splitPath(runtime::fromUtf8(path));
    const std::string upper = runtime::upperAscii(parts.name + parts.extension);
    if (upper == runtime::upperAscii(runtime::fromUtf8("基本データ.TXT"))) kind = FileKind::BasicData;
    else if (upper == "KANKYO.TXT") kind = FileKind::Environment;
    else return false;
    return true;
}

// Reads the file with the diary's reader and returns what the diary would write back.
// Throws the reader's errors.
std::string readAndWrite(FileKind kind, const std::string& text) {
    if (kind == FileKind::BasicData) {
        diary::BasicData data = diary::defaultBasicData();
        diary::readBasicData(text, data);
        return diary::writeBasicData(data);
    }
    diary::Environment env;
    const diary::EnvironmentReadResult found = diary::readEnvironment(text, env);
    // The diary writes the backup line while backups are on, which a readable backup
    // folder entry switches on.
    if (found.backupFolder) env.backupEnabled = 1;
    return diary::writeEnvironment(env, false);
}

int run(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string command = argv[1];
    if (command == "defaults") {
        if (argc != 3) return usage();
        runtime::writeFileSafely(argv[2], diary::writeBasicData(diary::defaultBasicData()));
        return 0;
    }
    if ((command == "check" && argc != 3) || (command == "rewrite" && argc != 4) ||
        (command != "check" && command != "rewrite"))
        return usage();
    const std::string path = argv[2];
    FileKind kind;
    if (!kindOf(path, kind)) {
        std::cerr << path << ": not a 基本データ.TXT or KANKYO.TXT\n";
        return 2;
    }
    const std::string text = runtime::readWholeFile(path);
    std::string written;
    try {
        written = readAndWrite(kind, text);
    } catch (const common::DataError& e) {
        std::cerr << path << ":" << common::lineAt(text, e.offset()) << ": " << runtime::toUtf8(e.caption()) << "\n"
                  << runtime::toUtf8(e.text()) << "\n";
        return 1;
    }
    if (command == "rewrite") runtime::writeFileSafely(argv[3], written);
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
