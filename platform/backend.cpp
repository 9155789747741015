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

void applyChanges(Model& model, Backend& backend) {
    for (const ModelChange& c : model.takeChanges()) {
        switch (c.what) {
        case ModelChange::Created: backend.createWindow(c.handle); break;
        case ModelChange::Destroyed: backend.destroyWindow(c.handle); break;
        case ModelChange::Changed:
            if (model.exists(c.handle)) backend.sync(c.handle);
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
