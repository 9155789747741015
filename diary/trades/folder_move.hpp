#pragma once
// What moving the trade-data folder decides, without windows or files: which chart images
// the trades in progress take along, which images of the old chart folder closed trades
// still name, and which of the rest may go.

#include <string>
#include <string_view>
#include <vector>

#include "diary/files/trade_record.hpp"

namespace diary {

// The chart names a record holds, slot by slot: memo charts 1..5, the stop-loss chart,
// option charts 1..5, group charts 1..11; empty slots left out.
std::vector<std::string> recordChartNames(const TradeRecord& r);

// The chart images the trades in progress name, each once, in the order first met (the
// order they are taken along in).
std::vector<std::string> chartsToTransfer(const TradeTable& table);

// Every chart name of every record of the table (the archive's, for what must stay).
std::vector<std::string> chartNamesOf(const TradeTable& table);

// Empties every slot of the table that names `name` (an image that is not there any more
// is dropped from its trades); the number of slots emptied.
int dropChart(TradeTable& table, const std::string& name);

// Two image names that may be the same file: equal but for the case of ASCII letters. A
// folder searched without regard to case would find either under the other's name. The
// bytes are compared one by one, so a double-byte character whose second byte is a letter
// can match another one: such a file is kept, which is the side to err on.
bool sameImageName(std::string_view a, std::string_view b);

// Marks `name` as still in use: flags[i] = 1 for every entry of `names` that is the same
// image name. An empty name marks nothing.
void PX$ＣＧ削除_SUB(const std::string& name, const std::vector<std::string>& names, std::vector<int>& flags);

// The images of the old chart folder (`listed`) that may be deleted once the move is
// done: those that no name of `kept` names (closed trades' images, and the trade images
// whose copy in the new folder was not verified), and that `unreadText` (what the archive
// holds that could not be read as records) does not mention anywhere.
std::vector<std::string> imagesToDelete(const std::vector<std::string>& listed, const std::vector<std::string>& kept,
                                        std::string_view unreadText);

}  // namespace diary
