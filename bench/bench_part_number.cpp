// The part number is decoded on every keystroke; this measures a full-length one.
#include <benchmark/benchmark.h>

#include "part_number.h"

namespace {

void DecodeSixteenCharacters(benchmark::State& state) {
    const std::u16string partNumber = u"HG06ZM2.8-12CSIR";
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodePartNumber(partNumber));
}

}  // namespace

BENCHMARK(DecodeSixteenCharacters);
