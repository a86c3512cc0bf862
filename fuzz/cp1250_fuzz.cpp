// Any bytes both ways through Windows-1250: read as a file's text, and taken as typed UTF-8.
#include "fuzz/fuzz_check.h"
#include "io/cp1250.h"

using namespace tolarka;

FUZZ_TARGET(data) {
    const std::string_view bytes = AsText(data);

    // As code-page bytes: every byte gives a character, and the code page takes it back.
    const std::string utf8 = Cp1250ToUtf8(bytes);
    FUZZ_CHECK(utf8.size() >= bytes.size());
    FUZZ_CHECK(IsRepresentableInCp1250(utf8) || utf8.find("\xEF\xBF\xBD") != std::string::npos);
    const std::string back = Utf8ToCp1250(utf8);
    FUZZ_CHECK(back.size() == bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = data[i];
        const bool undefined = c == 0x81 || c == 0x83 || c == 0x88 || c == 0x90 || c == 0x98;
        FUZZ_CHECK(static_cast<unsigned char>(back[i]) == (undefined ? '?' : c));
    }

    // As UTF-8 (possibly malformed): one byte out per character or stray byte, never more.
    const std::string encoded = Utf8ToCp1250(bytes);
    FUZZ_CHECK(encoded.size() <= bytes.size());
    if (IsRepresentableInCp1250(bytes)) FUZZ_CHECK(Cp1250ToUtf8(encoded) == bytes);
}
