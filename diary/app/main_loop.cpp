#include "diary/app/main_loop.hpp"

#include "diary/app/time_stop.hpp"

namespace diary {

namespace {

// The commands come in five blocks of ten, as they are numbered: 1-10, 11-20, 21-30,
// 31-40 and 41-45, each selecting its routine by the code within the block.
void firstBlock(Diary&, int) {}
void secondBlock(Diary&, int) {}
void thirdBlock(Diary&, int) {}
void fourthBlock(Diary& d, int routine) {
    switch (routine) {
    case 5: setTimeStop(d); break;
    case 6: releaseTimeStop(d); break;
    default: break;
    }
}
void fifthBlock(Diary&, int) {}

}  // namespace

void runCommand(Diary& d, int code) {
    if (code > 40) fifthBlock(d, code - 40);
    else if (code > 30) fourthBlock(d, code - 30);
    else if (code > 20) thirdBlock(d, code - 20);
    else if (code > 10) secondBlock(d, code - 10);
    else firstBlock(d, code);
}

void mainLoop(Diary& d) {
    while (true) {
        d.commandCode = 0;
        while (d.commandCode == 0) PX$WAITEVENT(nullptr);
        runCommand(d, d.commandCode);
    }
}

}  // namespace diary
