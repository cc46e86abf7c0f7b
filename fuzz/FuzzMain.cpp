// One libFuzzer target: the check named by PEXOR_FUZZ_TARGET.
#include "fuzz/FuzzTargets.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const pexor::fuzz::FuzzTarget *const target =
        pexor::fuzz::FindFuzzTarget(PEXOR_FUZZ_TARGET);
    if (!target) {
        std::fprintf(stderr, "no fuzz target named %s\n", PEXOR_FUZZ_TARGET);
        std::abort();
    }
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const pexor::fuzz::Finding finding = pexor::fuzz::RunFuzzTarget(*target, input);
    if (!finding.empty()) {
        // A broken property fails like a crash, so libFuzzer keeps the input.
        std::fprintf(stderr, "fuzz_%s: %s\n", PEXOR_FUZZ_TARGET, finding.c_str());
        std::abort();
    }
    return 0;
}
