#include "platform/backend.hpp"

#include "platform/cp932.hpp"

namespace platform {

const char* dialogWord(DialogRequest::Kind kind) {
    switch (kind) {
    case DialogRequest::MessageBox: return "msgbox";
    case DialogRequest::InputBox: return "input";
    case DialogRequest::OpenFile:
    case DialogRequest::SaveFile: return "file";
    case DialogRequest::ChooseColor: return "color";
    case DialogRequest::ChooseFont: return "font";
    }
    return "";
}

std::vector<int> messageBoxResults(int buttons) {
    enum { Ok, Cancel, Abort, Retry, Ignore, Yes, No };
    switch (buttons) {
    case 1: return {Ok, Cancel};
    case 2: return {Abort, Retry, Ignore};
    case 3: return {Yes, No, Cancel};
    case 4: return {Yes, No};
    case 5: return {Retry, Cancel};
    default: return {Ok};
    }
}

void applyChanges(Model& model, Backend& backend) {
    for (const ModelChange& c : model.takeChanges()) {
        switch (c.what) {
        case ModelChange::Created: backend.createWindow(c.handle); break;
        case ModelChange::Destroyed: backend.destroyWindow(c.handle); break;
        case ModelChange::Changed:
            if (model.exists(c.handle)) backend.sync(c.handle);
            break;
        case ModelChange::Pixels:
            if (model.exists(c.handle)) backend.redrawArea(c.handle, c.area);
            break;
        }
    }
}

}  // namespace platform

namespace platform {

std::vector<std::string> Backend::fontFamilies() {
    return {utf8ToCp932("ＭＳ ゴシック"), utf8ToCp932("ＭＳ Ｐゴシック"), "FixedSys", "IPAGothic", "IPAPGothic"};
}

}  // namespace platform
