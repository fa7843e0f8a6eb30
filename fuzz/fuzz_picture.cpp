// libFuzzer target over the whole picture loading path: format, header, plan,
// budget and decode, as a dropped or downloaded file goes through it.
#include <cstddef>
#include <cstdint>

#include "decode/picture_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodeLimits limits;
    // Small enough that the fuzzer stays quick, large enough for every fixture's plan.
    limits.budgetBytes = 64LL << 20;
    limits.maxPixels = 16'000'000;
    const DecodeResult result = decodePictureBytes(data, size, limits);
    // Read every output byte: a pixel the decoder forgot to write shows under the sanitizers.
    unsigned sum = 0;
    const Picture& p = result.picture;
    if (!p.empty()) {
        const std::size_t n = static_cast<std::size_t>(p.width) * p.height;
        for (std::size_t i = 0; i < n * 3; ++i) sum += p.rgb[i];
        if (p.alpha)
            for (std::size_t i = 0; i < n; ++i) sum += p.alpha[i];
    }
    volatile unsigned sink = sum;
    (void)sink;
    (void)decodeMessage(result, limits);
    return 0;
}
