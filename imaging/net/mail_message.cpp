#include "imaging/net/mail_message.hpp"

#include <cctype>
#include <cstdio>
#include <map>
#include <utility>

#include "imaging/net/mail_codec.hpp"

namespace imaging::net {
namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

struct Entity {
    std::map<std::string, std::string> fields;  // lower-case names, unfolded values
    std::string_view body;
};

// Header fields and body of a message or a part: the fields end at the first empty line.
Entity splitEntity(std::string_view raw) {
    Entity e;
    std::string name;
    std::size_t at = 0;
    while (at < raw.size()) {
        std::size_t end = raw.find('\n', at);
        const std::size_t next = end == std::string_view::npos ? raw.size() : end + 1;
        std::string_view line = raw.substr(at, next - at);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        at = next;
        if (line.empty()) break;
        if ((line.front() == ' ' || line.front() == '\t') && !name.empty()) {
            e.fields[name] += ' ';
            e.fields[name] += trim(line);
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        name = lower(trim(line.substr(0, colon)));
        // The first field of a name counts; a repeated one is ignored.
        if (!e.fields.count(name)) e.fields[name] = std::string(trim(line.substr(colon + 1)));
        else name = "\x01ignored";
    }
    e.body = raw.substr(std::min(at, raw.size()));
    return e;
}

struct FieldValue {
    std::string value;                         // "type/subtype" or "attachment", lower case
    std::map<std::string, std::string> params;  // lower-case names, unquoted values
};

// "text/plain; charset="UTF-8"; name*=UTF-8''%E3%81%82" and the like.
FieldValue parseFieldValue(std::string_view field) {
    FieldValue f;
    std::size_t at = field.find(';');
    f.value = lower(trim(field.substr(0, at)));
    while (at != std::string_view::npos && at < field.size()) {
        ++at;
        const std::size_t eq = field.find('=', at);
        if (eq == std::string_view::npos) break;
        std::string key = lower(trim(field.substr(at, eq - at)));
        std::size_t pos = eq + 1;
        while (pos < field.size() && field[pos] == ' ') ++pos;
        std::string value;
        if (pos < field.size() && field[pos] == '"') {
            for (++pos; pos < field.size() && field[pos] != '"'; ++pos) {
                if (field[pos] == '\\' && pos + 1 < field.size()) ++pos;
                value += field[pos];
            }
            at = field.find(';', pos);
        } else {
            at = field.find(';', pos);
            value = std::string(trim(field.substr(pos, at == std::string_view::npos ? std::string_view::npos : at - pos)));
        }
        if (!key.empty() && key.back() == '*') {
            // charset'language'percent-encoded text
            key.pop_back();
            const std::size_t q1 = value.find('\'');
            const std::size_t q2 = q1 == std::string::npos ? std::string::npos : value.find('\'', q1 + 1);
            if (q2 != std::string::npos) {
                std::string raw;
                for (std::size_t i = q2 + 1; i < value.size(); ++i) {
                    unsigned int byte = 0;
                    if (value[i] == '%' && i + 2 < value.size() && std::sscanf(value.c_str() + i + 1, "%2x", &byte) == 1) {
                        raw += static_cast<char>(byte);
                        i += 2;
                    } else {
                        raw += value[i];
                    }
                }
                value = charsetToUtf8(raw, value.substr(0, q1));
            }
        }
        f.params[key] = value;
    }
    return f;
}

std::string fieldOf(const Entity& e, const std::string& name) {
    const auto it = e.fields.find(name);
    return it == e.fields.end() ? std::string() : it->second;
}

// The parts of a multipart body: the text between its "--boundary" lines.
std::vector<std::string_view> splitParts(std::string_view body, const std::string& boundary) {
    std::vector<std::string_view> parts;
    const std::string delimiter = "--" + boundary;
    std::size_t partStart = std::string_view::npos;
    std::size_t at = 0;
    while (at < body.size()) {
        const std::size_t end = body.find('\n', at);
        const std::size_t next = end == std::string_view::npos ? body.size() : end + 1;
        std::string_view line = body.substr(at, next - at);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        if (line.substr(0, delimiter.size()) == delimiter) {
            const std::string_view rest = trim(line.substr(delimiter.size()));
            if (rest.empty() || rest == "--") {
                if (partStart != std::string_view::npos) {
                    // The line break before the delimiter belongs to the delimiter.
                    std::size_t partEnd = at;
                    if (partEnd > partStart && body[partEnd - 1] == '\n') --partEnd;
                    if (partEnd > partStart && body[partEnd - 1] == '\r') --partEnd;
                    parts.push_back(body.substr(partStart, partEnd - partStart));
                }
                if (rest == "--") return parts;
                partStart = next;
            }
        }
        at = next;
    }
    if (partStart != std::string_view::npos && partStart < body.size()) parts.push_back(body.substr(partStart));
    return parts;
}

std::string decodedBody(const Entity& e) {
    const std::string encoding = lower(trim(fieldOf(e, "content-transfer-encoding")));
    if (encoding == "base64") return base64Decode(e.body);
    if (encoding == "quoted-printable") return quotedPrintableDecode(e.body);
    return std::string(e.body);
}

void readEntity(const Entity& e, MailMessage& m, int depth) {
    const FieldValue type = parseFieldValue(fieldOf(e, "content-type"));
    const std::string mediaType = type.value.empty() ? "text/plain" : type.value;
    if (mediaType.rfind("multipart/", 0) == 0 && type.params.count("boundary") && depth < 20) {
        for (const std::string_view part : splitParts(e.body, type.params.at("boundary")))
            readEntity(splitEntity(part), m, depth + 1);
        return;
    }
    const FieldValue disposition = parseFieldValue(fieldOf(e, "content-disposition"));
    std::string name;
    if (disposition.params.count("filename")) name = disposition.params.at("filename");
    else if (type.params.count("name")) name = type.params.at("name");
    name = decodeHeaderText(name);
    const bool isText = mediaType == "text/plain" && disposition.value != "attachment" && name.empty();
    if (isText && m.text.empty()) {
        const auto charset = type.params.find("charset");
        m.text = charsetToUtf8(decodedBody(e), charset == type.params.end() ? "" : charset->second);
        return;
    }
    if (!isText && (disposition.value == "attachment" || !name.empty() || mediaType.rfind("text/", 0) != 0)) {
        if (name.empty()) name = "part " + std::to_string(m.attachments.size() + 1);
        m.attachments.push_back({name, decodedBody(e)});
    }
}

}  // namespace

std::vector<std::string> splitAddressList(std::string_view list) {
    std::vector<std::string> out;
    std::string current;
    bool quoted = false;
    int angle = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const char c = list[i];
        if (c == '"' && (i == 0 || list[i - 1] != '\\')) quoted = !quoted;
        else if (!quoted && c == '<') ++angle;
        else if (!quoted && c == '>' && angle > 0) --angle;
        if (c == ',' && !quoted && angle == 0) {
            if (!trim(current).empty()) out.emplace_back(trim(current));
            current.clear();
            continue;
        }
        current += c;
    }
    if (!trim(current).empty()) out.emplace_back(trim(current));
    return out;
}

std::string mailDate(std::string_view field) {
    std::string text(trim(field));
    if (const std::size_t comma = text.find(','); comma != std::string::npos) text.erase(0, comma + 1);
    int day = 0;
    char month[4] = {};
    int year = 0;
    int hour = 0;
    int minute = 0;
    if (std::sscanf(text.c_str(), " %d %3s %d %d:%d", &day, month, &year, &hour, &minute) != 5) return {};
    static constexpr const char* kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                              "jul", "aug", "sep", "oct", "nov", "dec"};
    int monthNumber = 0;
    for (int i = 0; i < 12; ++i)
        if (lower(month) == kMonths[i]) monthNumber = i + 1;
    if (monthNumber == 0 || day < 1 || day > 31 || year < 0 || year > 9999 || hour > 23 || minute > 59) return {};
    if (year < 100) year += year < 50 ? 2000 : 1900;  // two-digit years of old mailers
    char out[64];
    std::snprintf(out, sizeof out, "%04d/%02d/%02d %02d:%02d", year, monthNumber, day, hour, minute);
    return out;
}

MailMessage parseMessage(std::string_view raw) {
    const Entity top = splitEntity(raw);
    MailMessage m;
    m.sender = decodeHeaderText(fieldOf(top, "from"));
    for (const char* field : {"to", "cc"})
        for (const std::string& entry : splitAddressList(fieldOf(top, field))) m.recipients.push_back(decodeHeaderText(entry));
    m.subject = decodeHeaderText(fieldOf(top, "subject"));
    const std::string date = fieldOf(top, "date");
    m.date = mailDate(date);
    if (m.date.empty()) m.date = date;
    readEntity(top, m, 0);
    return m;
}

}  // namespace imaging::net
