#include "io/cp1250.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include "io/utf8_sequence.h"

namespace tolarka {

namespace {

// Owns one iconv conversion descriptor.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv_open ") + from + " -> " + to);
        }
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts the whole input. Whenever iconv stops at a sequence it cannot convert,
    // `onBad` appends a replacement and returns how many input bytes to skip.
    template <typename OnBad>
    std::string Convert(std::string_view in, OnBad onBad) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        std::string out;
        std::string buffer(in.size() * 3 + 16, '\0');
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        while (inLeft > 0) {
            char* outPtr = buffer.data();
            size_t outLeft = buffer.size();
            const size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            const int err = errno;
            out.append(buffer.data(), buffer.size() - outLeft);
            if (rc != static_cast<size_t>(-1)) break;
            if (err == E2BIG) continue;
            // EILSEQ (not convertible) or EINVAL (truncated at the end of the input).
            const size_t skip = std::min(inLeft, onBad(std::string_view(inPtr, inLeft), out));
            inPtr += skip;
            inLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

// One descriptor per direction and thread: opening one costs far more than a conversion.
Iconv& FromCp1250() {
    thread_local Iconv cv("UTF-8", "WINDOWS-1250");
    return cv;
}
Iconv& ToCp1250() {
    thread_local Iconv cv("WINDOWS-1250", "UTF-8");
    return cv;
}

}  // namespace

std::string Cp1250ToUtf8(std::string_view bytes) {
    return FromCp1250().Convert(bytes, [](std::string_view, std::string& out) {
        out += "\xEF\xBF\xBD";  // U+FFFD
        return size_t{1};
    });
}

std::string Utf8ToCp1250(std::string_view utf8) {
    return ToCp1250().Convert(utf8, [](std::string_view rest, std::string& out) {
        out += '?';
        return Utf8SequenceLength(rest);
    });
}

bool IsRepresentableInCp1250(std::string_view utf8) {
    bool ok = true;
    ToCp1250().Convert(utf8, [&ok](std::string_view, std::string&) {
        ok = false;
        return size_t{1};
    });
    return ok;
}

}  // namespace tolarka
