#pragma once
// The encodings of mail text: base64, quoted-printable, the encoded words of header
// fields ("=?UTF-8?B?...?="), and charsets to UTF-8. Decoders take any bytes: what they
// cannot read they keep or skip, never fail.

#include <string>
#include <string_view>

namespace imaging::net {

std::string base64Encode(std::string_view bytes);
// Skips every byte outside the alphabet (line breaks included) and stops at "=".
std::string base64Decode(std::string_view text);
std::string quotedPrintableDecode(std::string_view text);

// A header field's value for a message: as it is when it is printable ASCII, otherwise
// encoded words of UTF-8 that split no character.
std::string encodeHeaderText(std::string_view utf8);
// A header field's value in UTF-8, its encoded words decoded (B and Q, any charset iconv
// knows) and the blanks between two of them dropped.
std::string decodeHeaderText(std::string_view value);

// Text of a charset ("ISO-2022-JP", "Shift_JIS"...) in UTF-8; text of a charset iconv
// does not know, or that does not convert, is kept as it is.
std::string charsetToUtf8(std::string_view bytes, std::string_view charset);

}  // namespace imaging::net
