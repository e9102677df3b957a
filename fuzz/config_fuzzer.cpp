// Zol.cfg: read as the editor reads it at start-up, then written back and read again, which must
// give the same settings.

#include "core/exchange/configuration.h"

#include <QByteArray>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const zol::Settings settings = zol::Parse_Config(input);
    const zol::Settings again = zol::Parse_Config(zol::Encode_Config(settings));
    if (zol::Encode_Config(again) != zol::Encode_Config(settings)) std::abort();
    return 0;
}
