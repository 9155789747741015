// The readers of mail that comes over the network, and of the mail settings file: any
// bytes must give some message (or settings), never a crash, a hang or a read out of
// bounds; and base64 gives back exactly what it was given.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "imaging/net/mail_account.hpp"
#include "imaging/net/mail_codec.hpp"
#include "imaging/net/mail_message.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const imaging::net::MailMessage m = imaging::net::parseMessage(bytes);
    // Whatever the reader made of it must encode again.
    // What the reader decoded, and the raw bytes themselves, come back whole through the
    // encoding the attachments travel in.
    for (const imaging::net::MailAttachment& a : m.attachments)
        if (imaging::net::base64Decode(imaging::net::base64Encode(a.bytes)) != a.bytes) __builtin_trap();
    if (imaging::net::base64Decode(imaging::net::base64Encode(bytes)) != bytes) __builtin_trap();
    imaging::net::encodeHeaderText(m.subject);
    imaging::net::decodeHeaderText(bytes);
    imaging::net::quotedPrintableDecode(bytes);
    imaging::net::mailDate(bytes);
    imaging::net::parseMailSettings(bytes);
    return 0;
}
