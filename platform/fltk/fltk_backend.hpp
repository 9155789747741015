#pragma once
// The backend a trader sees: real windows drawn by FLTK 1.3. It only translates: model
// state into widgets (texts to UTF-8, geometry as the model holds it, fonts onto the IPA
// families), and what the user does into the model (typed UTF-8 back to CP932, clicks,
// picks, mouse, keys through the model's keyboard rules).

#include <map>
#include <memory>
#include <string>

#include "platform/backend.hpp"

class Fl_Widget;
class Fl_Window;

namespace platform {

class FltkBackend : public Backend {
public:
    // Takes over FLTK's event dispatch and font table and makes LC_CTYPE a UTF-8 one (the
    // X input method needs it); one instance at a time.
    explicit FltkBackend(Model& model);
    ~FltkBackend() override;
    FltkBackend(const FltkBackend&) = delete;
    FltkBackend& operator=(const FltkBackend&) = delete;

    void createWindow(Handle h) override;
    void destroyWindow(Handle h) override;
    void sync(Handle h) override;
    void redrawArea(Handle h, Rect area) override;
    void pumpEvents(std::chrono::milliseconds timeout) override;
    std::string clipboardText() override;
    void setClipboardText(const std::string& cp932) override;
    DialogAnswer runDialog(const DialogRequest& request) override;
    Size textExtent(const Font& font, const std::string& cp932) override;
    // The families fontconfig knows (FLTK's font list), with the faces the forms name.
    std::vector<std::string> fontFamilies() override;

    // The widget showing a model window (an Fl_Window for a form), or null.
    Fl_Widget* widget(Handle h) const;

    Model& model() { return model_; }
    // True while the backend itself changes widgets: their reactions are not the user's.
    bool syncing() const { return syncing_; }

private:
    static int dispatch(int event, Fl_Window* window);
    void raiseFrontForm();
    struct Entry;

    Model& model_;
    std::map<Handle, std::unique_ptr<Entry>> widgets_;
    bool syncing_ = false;
    Handle raised_ = 0;
    std::string clipboard_;
    static FltkBackend* current_;
};

}  // namespace platform
