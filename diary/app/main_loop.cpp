#include "diary/app/main_loop.hpp"

#include "diary/app/commands.hpp"
#include "toolkit/toolkit.hpp"

namespace diary {

void mainLoop(Diary& d) {
    while (true) {
        d.commandCode = 0;
        while (d.commandCode == 0) PX$WAITEVENT(nullptr);
        runCommand(d, d.commandCode);
    }
}

}  // namespace diary
