#include "runtime/form_resource.hpp"

#include <algorithm>

#include "runtime/error.hpp"

namespace runtime {

namespace {

// Location codes of malformed-resource errors, one per check, for error reports.
constexpr std::uint32_t kLocation = 0x80007100;

enum Tag : std::uint16_t {
    TagOpen = 0x0001,
    TagClose = 0x0002,
    TagIdentity = 0x0009,
    TagCaption = 0x0B,
    TagName = 0x15,
    TagColorFore = 0x22,
    TagColorBack = 0x23,
    TagRec1E = 0x1E,
    TagRec1F = 0x1F,
    TagRec20 = 0x20,
    TagRec25 = 0x25,
    TagRec27 = 0x27,
    TagFontBlock = 0x2C,
    TagScrollRange = 0x32,
    TagScrollSteps = 0x33,
    TagRec3D = 0x3D,
    TagRec3E = 0x3E,
    TagFontSize = 0x46,
    TagFont = 0x4C,
    TagEvents = 0x50,
    TagObject = 0x70,
    TagRec7C = 0x7C,
    TagMaxLength = 0x9C,
    TagGeometry = 0x9F,
    TagItems = 0xAC,
    TagCheck = 0xAD,
    TagIme = 0xBA,
    TagTrailer = 0xC9,
    TagRecD3 = 0xD3,
    TagRecD4 = 0xD4,
};

constexpr std::uint16_t kFormEvents[] = {EvStart,     EvEnd,      EvSetFocus,  EvKillFocus, EvResize,
                                         EvClick,     EvDblClick, EvMouseDown, EvMouseUp,   EvMouseMove,
                                         EvQueryClose, EvNotifyIcon, EvDropFiles, EvMouseWheel};
constexpr std::uint16_t kButtonEvents[] = {EvOn};
constexpr std::uint16_t kEditEvents[] = {EvChange, EvSetFocus, EvKillFocus, EvDropFiles};
constexpr std::uint16_t kLabelEvents[] = {EvClick, EvDblClick, EvDropFiles};
constexpr std::uint16_t kListEvents[] = {EvChange, EvSetFocus, EvKillFocus, EvClick, EvDblClick, EvDropFiles};
constexpr std::uint16_t kScrollEvents[] = {EvChange};
constexpr std::uint16_t kPictureEvents[] = {EvClick,   EvDblClick,  EvMouseDown, EvMouseUp,
                                            EvMouseMove, EvDropFiles, EvMouseWheel};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool atEnd() const { return pos_ == bytes_.size(); }
    std::uint8_t u8() {
        need(1, 1);
        return bytes_[pos_++];
    }
    std::uint16_t u16() {
        need(2, 2);
        const std::uint16_t v = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    std::uint16_t peek16() {
        need(2, 3);
        return static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    }
    std::uint32_t u32() {
        need(4, 4);
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | bytes_[pos_ + static_cast<std::size_t>(i)];
        pos_ += 4;
        return v;
    }
    std::string str() {
        const auto begin = bytes_.begin() + static_cast<std::ptrdiff_t>(pos_);
        const auto nul = std::find(begin, bytes_.end(), std::uint8_t{0});
        if (nul == bytes_.end()) fail(5);
        std::string s(begin, nul);
        pos_ += s.size() + 1;
        return s;
    }
    void expect16(std::uint16_t v, std::uint32_t check) {
        if (u16() != v) fail(check);
    }
    [[noreturn]] static void fail(std::uint32_t check) { raiseError(err::SystemFailure, kLocation + check); }

private:
    void need(std::size_t n, std::uint32_t check) const {
        if (bytes_.size() - pos_ < n) fail(check);
    }
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

class Writer {
public:
    void u8(std::uint8_t v) { out.push_back(v); }
    void u16(std::uint16_t v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void str(std::string_view s) {
        out.insert(out.end(), s.begin(), s.end());
        out.push_back(0);
    }
    std::vector<std::uint8_t> out;
};

void readEvents(Reader& r, FormObject& o) {
    r.expect16(TagOpen, 10);
    o.events.clear();
    for (;;) {
        const std::uint16_t id = r.u16();
        if (id == TagClose) return;
        o.events.push_back({id, r.str()});
    }
}

// Reads the records of one object up to the tag that ends it (the next object, a block
// open or close, or the trailer), which is left unread.
FormObject readObject(Reader& r) {
    r.expect16(TagObject, 11);
    FormObject o;
    const std::uint32_t kind = r.u32();
    if (!isKnownResourceKind(kind)) Reader::fail(12);
    o.kind = static_cast<ResourceKind>(kind);
    o.style = r.u32();
    o.exStyle = r.u32();
    bool hasGeometry = false;
    for (;;) {
        const std::uint16_t tag = r.peek16();
        if (tag == TagObject || tag == TagOpen || tag == TagClose || tag == TagTrailer) break;
        r.u16();
        switch (tag) {
        case TagRecD4: o.recD4 = r.u32(); break;
        case TagRecD3: o.recD3 = r.u32(); break;
        case TagRec25: o.rec25 = r.u16(); break;
        case TagRec27: o.rec27 = r.u16(); break;
        case TagRec7C: o.rec7C = r.u32(); break;
        case TagCaption: o.caption = r.str(); break;
        case TagName: o.name = r.str(); break;
        case TagRec1E: o.rec1E = r.u16(); break;
        case TagRec1F: o.rec1F = r.u16(); break;
        case TagRec20: o.rec20 = r.u16(); break;
        case TagRec3E: {
            std::array<std::uint16_t, 4> v{};
            for (auto& x : v) x = r.u16();
            o.rec3E = v;
            break;
        }
        case TagRec3D: o.rec3D = r.u16(); break;
        case TagScrollRange:
        case TagScrollSteps: {
            const auto a = static_cast<std::int16_t>(r.u16());
            const auto b = static_cast<std::int16_t>(r.u16());
            (tag == TagScrollRange ? o.scrollRange : o.scrollSteps) = std::array<std::int16_t, 2>{a, b};
            break;
        }
        case TagMaxLength: o.maxLength = r.u32(); break;
        case TagItems: o.items = r.str(); break;
        case TagCheck: o.checkState = r.u32(); break;
        case TagColorFore: o.foreColor = r.u32(); break;
        case TagColorBack: o.backColor = r.u32(); break;
        case TagFontSize: o.fontSize = r.u16(); break;
        case TagFont: {
            FormFont f;
            f.face = r.str();
            f.charset = r.u16();
            o.font = f;
            // The next word is the follow-tag: the tag of the record that comes next.
            break;
        }
        case TagFontBlock: {
            std::array<std::uint8_t, 14> block{};
            for (auto& b : block) b = r.u8();
            o.fontBlock = block;
            break;
        }
        case TagIme: o.imeMode = r.u32(); break;
        case TagGeometry:
            o.geometry.state = r.u32();
            o.geometry.left = static_cast<std::int32_t>(r.u32());
            o.geometry.top = static_cast<std::int32_t>(r.u32());
            o.geometry.width = static_cast<std::int32_t>(r.u32());
            o.geometry.height = static_cast<std::int32_t>(r.u32());
            hasGeometry = true;
            break;
        case TagEvents: readEvents(r, o); break;
        default: Reader::fail(13);
        }
    }
    if (o.name.empty() || !hasGeometry) Reader::fail(14);
    return o;
}

void writeObject(Writer& w, const FormObject& o) {
    w.u16(TagObject);
    w.u32(static_cast<std::uint32_t>(o.kind));
    w.u32(o.style);
    w.u32(o.exStyle);
    const auto opt32 = [&w](std::uint16_t tag, const std::optional<std::uint32_t>& v) {
        if (v) w.u16(tag), w.u32(*v);
    };
    const auto opt16 = [&w](std::uint16_t tag, const std::optional<std::uint16_t>& v) {
        if (v) w.u16(tag), w.u16(*v);
    };
    opt32(TagRecD4, o.recD4);
    opt32(TagRecD3, o.recD3);
    opt16(TagRec25, o.rec25);
    opt16(TagRec27, o.rec27);
    opt32(TagRec7C, o.rec7C);
    if (o.caption) w.u16(TagCaption), w.str(*o.caption);
    w.u16(TagName);
    w.str(o.name);
    opt16(TagRec1E, o.rec1E);
    opt16(TagRec1F, o.rec1F);
    opt16(TagRec20, o.rec20);
    if (o.rec3E) {
        w.u16(TagRec3E);
        for (const auto x : *o.rec3E) w.u16(x);
    }
    opt16(TagRec3D, o.rec3D);
    for (const auto& [tag, pair] : {std::pair{TagScrollRange, o.scrollRange}, std::pair{TagScrollSteps, o.scrollSteps}}) {
        if (!pair) continue;
        w.u16(tag);
        w.u16(static_cast<std::uint16_t>((*pair)[0]));
        w.u16(static_cast<std::uint16_t>((*pair)[1]));
    }
    opt32(TagMaxLength, o.maxLength);
    if (o.items) w.u16(TagItems), w.str(*o.items);
    opt32(TagCheck, o.checkState);
    opt32(TagColorFore, o.foreColor);
    opt32(TagColorBack, o.backColor);
    opt16(TagFontSize, o.fontSize);
    if (o.font) {
        // The font record's last word is the follow-tag: the tag of the next record,
        // which is exactly the tag written next.
        w.u16(TagFont);
        w.str(o.font->face);
        w.u16(o.font->charset);
    }
    if (o.fontBlock) {
        w.u16(TagFontBlock);
        for (const auto b : *o.fontBlock) w.u8(b);
    }
    opt32(TagIme, o.imeMode);
    w.u16(TagGeometry);
    w.u32(o.geometry.state);
    w.u32(static_cast<std::uint32_t>(o.geometry.left));
    w.u32(static_cast<std::uint32_t>(o.geometry.top));
    w.u32(static_cast<std::uint32_t>(o.geometry.width));
    w.u32(static_cast<std::uint32_t>(o.geometry.height));
    w.u16(TagEvents);
    w.u16(TagOpen);
    for (const auto& e : o.events) {
        w.u16(e.id);
        w.str(e.handler);
    }
    w.u16(TagClose);
}

}  // namespace

std::string_view eventSuffix(std::uint16_t id) {
    switch (id) {
    case EvOn: return "ON";
    case EvChange: return "CHANGE";
    case EvStart: return "START";
    case EvEnd: return "END";
    case EvSetFocus: return "SETFOCUS";
    case EvKillFocus: return "KILLFOCUS";
    case EvResize: return "RESIZE";
    case EvClick: return "CLICK";
    case EvDblClick: return "DBLCLICK";
    case EvMouseDown: return "MOUSEDOWN";
    case EvMouseUp: return "MOUSEUP";
    case EvMouseMove: return "MOUSEMOVE";
    case EvQueryClose: return "QUERYCLOSE";
    case EvNotifyIcon: return "NOTIFYICON";
    case EvDropFiles: return "DROPFILES";
    case EvMouseWheel: return "MOUSEWHEEL";
    default: return {};
    }
}

std::span<const std::uint16_t> eventsOfKind(ResourceKind kind) {
    switch (kind) {
    case ResourceKind::Form: return kFormEvents;
    case ResourceKind::PushButton:
    case ResourceKind::CheckBox: return kButtonEvents;
    case ResourceKind::Edit: return kEditEvents;
    case ResourceKind::Label: return kLabelEvents;
    case ResourceKind::ListBox:
    case ResourceKind::ComboBox: return kListEvents;
    case ResourceKind::HScrollBar:
    case ResourceKind::VScrollBar: return kScrollEvents;
    case ResourceKind::PictureBox: return kPictureEvents;
    case ResourceKind::OptionButton:
    case ResourceKind::GroupBox: return {};
    }
    return {};
}

bool isKnownResourceKind(std::uint32_t kind) { return kind == 0 || (kind >= 3 && kind <= 13); }

std::vector<std::string> splitItems(std::string_view items) {
    std::vector<std::string> out;
    if (items.empty()) return out;
    for (;;) {
        const auto crlf = items.find("\r\n");
        out.emplace_back(items.substr(0, crlf));
        if (crlf == std::string_view::npos) return out;
        items.remove_prefix(crlf + 2);
    }
}

FormResource parseFormResource(std::span<const std::uint8_t> bytes) {
    Reader r(bytes);
    if (r.u8() != 'P' || r.u8() != 'V') Reader::fail(20);
    r.expect16(1, 21);
    r.expect16(TagOpen, 22);
    r.expect16(TagIdentity, 23);
    FormResource res;
    res.name = r.str();
    if (r.u8() != 0) Reader::fail(24);
    res.form = readObject(r);
    if (res.form.kind != ResourceKind::Form) Reader::fail(25);
    r.expect16(TagOpen, 26);
    while (r.peek16() == TagObject) {
        res.controls.push_back(readObject(r));
        if (res.controls.back().kind == ResourceKind::Form) Reader::fail(27);
    }
    r.expect16(TagClose, 28);
    r.expect16(TagTrailer, 29);
    res.trailer[0] = r.u32();
    res.trailer[1] = r.u32();
    r.expect16(TagClose, 30);
    if (!r.atEnd()) Reader::fail(31);
    return res;
}

std::vector<std::uint8_t> writeFormResource(const FormResource& res) {
    Writer w;
    w.u8('P');
    w.u8('V');
    w.u16(1);
    w.u16(TagOpen);
    w.u16(TagIdentity);
    w.str(res.name);
    w.u8(0);
    writeObject(w, res.form);
    w.u16(TagOpen);
    for (const auto& c : res.controls) writeObject(w, c);
    w.u16(TagClose);
    w.u16(TagTrailer);
    w.u32(res.trailer[0]);
    w.u32(res.trailer[1]);
    w.u16(TagClose);
    return std::move(w.out);
}

}  // namespace runtime
