// Pletter: any bytes decode or are refused without reading past the stream, and the
// encoder's stream for any table (and for every table a stream decodes to) gives that
// table back.

#include "lz_roundtrip.h"
#include "pletter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz_lz::checkCodec({data, size}, lz_test::pletterDecode, tms::pletter::encode);
    return 0;
}
