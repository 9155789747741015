// Directory lists: a list or combo box filled with the folders, the drive or the files a
// path names (a folder part and a name pattern, as the directory listing takes it; no
// pattern means every name). Names are in the listing's order; folders show as "[name]".
// The EX members put the path's folder part in front of each name. A keep flag of -1 adds
// to the items already there, 0 replaces them.

#include <string>

#include "runtime/file_system.hpp"
#include "runtime/forms.hpp"
#include "toolkit/checks.hpp"

namespace kind = runtime::kind;
using namespace toolkit;

namespace {

enum class Fill { Folders, Drive, Files };

constexpr std::size_t maxPathBytes = 260;

void fillList(platform::Handle list, std::string_view path, bool keep, Fill what, bool withFolder) {
    platform::Model& m = runtime::model();
    if (!keep) m.clearItems(list);
    if (what == Fill::Drive) {
        m.addItem(list, "/");
        return;
    }
    const std::string folder = runtime::splitPath(path).directory;
    for (const runtime::FolderEntry& e : runtime::listFolder(path)) {
        const std::string name = withFolder ? folder + e.name : e.name;
        if (what == Fill::Folders && e.isDirectory) m.addItem(list, "[" + name + "]");
        if (what == Fill::Files && e.regular) m.addItem(list, name);
    }
}

std::string_view checkedPath(const PvString* path, std::uint32_t operation, std::uint32_t check) {
    const std::string_view text = path ? runtime::view(path) : std::string_view{};
    if (text.size() > maxPathBytes) fail(runtime::err::IllegalArgument, operation, check);
    return text;
}

void byObject(ObjectVar* object, const PvString* path, std::int16_t keep, std::uint32_t operation, Fill what,
              bool withFolder) {
    const Target t = checkedTarget(object, operation, {kind::ListBox, kind::ComboBox});
    const std::string_view text = checkedPath(path, operation, 5);
    const bool keepItems = checkedFlag(keep, operation, 6);
    fillList(t.handle, text, keepItems, what, withFolder);
}

void byName(ObjectVar* form, const PvString* name, const PvString* path, std::int16_t keep, std::uint32_t operation,
            Fill what) {
    const Target f = checkedTarget(form, operation, {kind::Form});
    const platform::Handle item = runtime::findControl(f.handle, name ? runtime::view(name) : std::string_view{});
    if (!item) fail(runtime::err::ControlNotFound, operation, 5);
    if (!runtime::model().find(item)->hasList()) fail(runtime::err::WrongObjectKind, operation, 6);
    const std::string_view text = checkedPath(path, operation, 7);
    const bool keepItems = checkedFlag(keep, operation, 8);
    fillList(item, text, keepItems, what, false);
}

}  // namespace

extern "C" void PX$SETDIR(ObjectVar* object, const PvString* path, std::int16_t keep) {
    byObject(object, path, keep, op::SetDir, Fill::Folders, false);
}
extern "C" void PX$SETDRIVE(ObjectVar* object, const PvString* path, std::int16_t keep) {
    byObject(object, path, keep, op::SetDrive, Fill::Drive, false);
}
extern "C" void PX$SETFILE(ObjectVar* object, const PvString* path, std::int16_t keep) {
    byObject(object, path, keep, op::SetFile, Fill::Files, false);
}
extern "C" void PX$SETDIREX(ObjectVar* object, const PvString* path, std::int16_t keep) {
    byObject(object, path, keep, op::SetDirEx, Fill::Folders, true);
}
extern "C" void PX$SETDRIVEEX(ObjectVar* object, const PvString* path, std::int16_t keep) {
    byObject(object, path, keep, op::SetDriveEx, Fill::Drive, true);
}
extern "C" void PX$SETFILEEX(ObjectVar* object, const PvString* path, std::int16_t keep) {
    byObject(object, path, keep, op::SetFileEx, Fill::Files, true);
}
extern "C" void PX$SETDLGDIR(ObjectVar* form, const PvString* name, const PvString* path, std::int16_t keep) {
    byName(form, name, path, keep, op::SetDlgDir, Fill::Folders);
}
extern "C" void PX$SETDLGDRIVE(ObjectVar* form, const PvString* name, const PvString* path, std::int16_t keep) {
    byName(form, name, path, keep, op::SetDlgDrive, Fill::Drive);
}
extern "C" void PX$SETDLGFILE(ObjectVar* form, const PvString* name, const PvString* path, std::int16_t keep) {
    byName(form, name, path, keep, op::SetDlgFile, Fill::Files);
}
