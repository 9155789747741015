#include "runtime/objects.hpp"

#include <algorithm>
#include <map>

namespace runtime {

namespace {

struct Table {
    std::map<ObjectVar, ObjectRecord> records;
    // Handles are never reused, so a stale variable can never reach a new object.
    ObjectVar next = 0x00100001;
};

Table& table() {
    static Table t;
    return t;
}

}  // namespace

bool isWindowKind(std::uint32_t k) {
    return k == kind::Form || (k >= kind::PushButton && k <= kind::PictureBox) || k == kind::TextWindow ||
           k == kind::BitmapButton;
}

std::optional<ObjectRecord> getRecord(const ObjectVar* variable) {
    if (variable == nullptr || *variable == 0) return std::nullopt;
    const auto it = table().records.find(*variable);
    if (it == table().records.end()) return std::nullopt;
    return it->second;
}

bool storeRecord(const ObjectVar* variable, const ObjectRecord& record) {
    if (variable == nullptr || *variable == 0) return false;
    const auto it = table().records.find(*variable);
    if (it == table().records.end()) return false;
    it->second = record;
    return true;
}

ObjectVar createObject(const ObjectRecord& record) {
    Table& t = table();
    if (t.next == 0) return 0;  // all 32-bit handles used up
    const ObjectVar handle = t.next++;
    t.records.emplace(handle, record);
    return handle;
}

bool releaseObject(ObjectVar handle) { return table().records.erase(handle) != 0; }

std::optional<ObjectVar> findObjectByWindow(std::uint32_t window) {
    if (window == 0) return std::nullopt;
    for (const auto& [handle, record] : table().records)
        if (isWindowKind(record.kind) && record.window == window) return handle;
    return std::nullopt;
}

void setRecordName(ObjectRecord& record, std::string_view name) {
    record.name.fill(0);
    const auto n = std::min(name.size(), record.name.size() - 1);
    std::copy_n(name.begin(), n, record.name.begin());
}

}  // namespace runtime
