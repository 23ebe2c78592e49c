// Any bytes as a key echo file: the loader stores what fits or stops with
// the conversion error, and every character can be looked up afterwards.
#include "input/key_echo.h"
#include "shell/cp1250.h"
#include "shell/errors.h"
#include "shell/text_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ResetKeyEcho();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        LoadKeyEchoLines(SplitTextLines(bytes));
    } catch (const VeltraError& e) {
        if (!e.message().endsWith(QLatin1String("' is not a valid integer value")))
            std::abort();
    }
    // Look up the characters the input itself names (each lookup converts
    // the character, so all 256 on every run would starve the fuzzer).
    static QChar chars[256];
    static bool ready = false;
    if (!ready) {
        for (int code = 0; code < 256; ++code)
            chars[code] = CharFromCp1250(static_cast<unsigned char>(code));
        ready = true;
    }
    for (size_t i = 0; i < size && i < 16; ++i) {
        FindKeyEcho(chars[data[i]]);
        IsCapitalLetter(chars[data[i]], 2);
    }
    return 0;
}
