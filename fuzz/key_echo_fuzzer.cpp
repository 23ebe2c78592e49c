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
    for (int code = 0; code < 256; ++code) {
        const QChar c = CharFromCp1250(static_cast<unsigned char>(code));
        FindKeyEcho(c);
        IsCapitalLetter(c, 2);
    }
    return 0;
}
