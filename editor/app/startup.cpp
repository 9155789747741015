#include "editor/app/startup.hpp"

#include "common/basic_data/basic_data_file.hpp"
#include "common/ui/controls.hpp"
#include "common/ui/stop_message.hpp"
#include "editor/app/main_form.hpp"
#include "editor/model/read_error.hpp"
#include "runtime/file_system.hpp"
#include "runtime/safe_file.hpp"
#include "runtime/sjis.hpp"
#include "runtime/window_system.hpp"

using namespace runtime::literals;
namespace ui = common::ui;

namespace editor {

namespace {

// Reads the file into the data; a file the shared reader refuses ends the editor with
// its message.
void readFile(Editor& e) {
    const std::string text = runtime::readWholeFile(runtime::nativePath(basicDataPath(e)));
    try {
        common::readBasicData(text, e.basic);
    } catch (const common::DataError& error) {
        const common::DataError shown = editorReadError(error, text);
        common::PV$STOP_SUB(shown.caption(), shown.text());
        throw runtime::ProgramEnd{0};
    }
}

}  // namespace

void startUp(Editor& e) {
    e.mainTitle = "　＜＜　ＱＵＩＬＬＯＮ　取引画面設定　Ver.3.0　＞＞"_sj;
    e.headerNumber = 300;
    createWindows(e.windows);
    ui::setText(e.windows.main.form, e.mainTitle);
    e.basic = common::defaultBasicData();
    showBasicData(e);

    const auto chosen = ui::saveDialog(&e.windows.main.form, "基本データファイルを保存する場所は?"_sj,
                                       "基本データ.TXT"_sj, "(*.*)"_sj, 1);
    if (!chosen) throw runtime::ProgramEnd{0};
    const runtime::PathParts place = runtime::splitPath(*chosen);
    e.dataFolder = place.drive + place.directory;
    if (runtime::fileExists(basicDataPath(e))) readFile(e);
    showBasicData(e);

    e.lastChartFolder = e.dataFolder;
    e.loadedText = common::writeBasicData(e.basic);
    e.loadedFields = mainFieldsShown(e);
}

}  // namespace editor
