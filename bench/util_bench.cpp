// Per-field cost of the text and number helpers: a print run formats and measures
// some eighty fields for each of 100,000 lines.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "util/currency.h"
#include "util/fixed_text.h"
#include "util/numbers.h"
#include "util/text.h"

namespace {

using namespace omrix::util;

const std::string kAscii = "KS-1234 concrete 24-18-20N";
const std::string kJapanese = "鉄筋コンクリート造　基礎工事　ｺﾝｸﾘｰﾄ打設〜";

void BM_LenByteAscii(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(fnLenByte(kAscii));
}
BENCHMARK(BM_LenByteAscii);

void BM_LenByteJapanese(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(fnLenByte(kJapanese));
}
BENCHMARK(BM_LenByteJapanese);

void BM_CutToBytesJapanese(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(cutToBytes(kJapanese, 33));
}
BENCHMARK(BM_CutToBytesJapanese);

void BM_LeftBJapanese(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(fnLeftB(kJapanese, 33));
}
BENCHMARK(BM_LeftBJapanese);

void BM_FixedTextAssign(benchmark::State& state) {
    FixedText<54> field;
    for (auto _ : state) {
        field = kJapanese;
        benchmark::DoNotOptimize(field);
    }
}
BENCHMARK(BM_FixedTextAssign);

void BM_FormatQuantity(benchmark::State& state) {
    double quantity = 1234.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatGrouped3(quantity));
        quantity += 0.001;
    }
}
BENCHMARK(BM_FormatQuantity);

void BM_TextToDouble(benchmark::State& state) {
    for (auto _ : state) {
        double value = 0;
        benchmark::DoNotOptimize(fnCDblText(" 1234.567 ", value));
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_TextToDouble);

void BM_CurrencyTimes(benchmark::State& state) {
    const Currency price = *Currency::parse("12345.6789");
    for (auto _ : state) benchmark::DoNotOptimize(price.times(3.25));
}
BENCHMARK(BM_CurrencyTimes);

// Memory of a breakdown held in fixed-width records: 100,000 lines of 80 fields.
void BM_RecordsOf80Fields(benchmark::State& state) {
    struct Record {
        FixedText<54> names[4];
        FixedText<66> specs[4];
        FixedText<16> shortFields[72];
    };
    for (auto _ : state) {
        std::vector<Record> records(100000);
        for (auto& r : records) {
            r.names[0] = "コンクリート打設";
            r.specs[0] = "Fc24 S18";
            r.shortFields[0] = "m3";
        }
        benchmark::DoNotOptimize(records.data());
    }
    state.counters["bytes_per_record"] = sizeof(Record);
}
BENCHMARK(BM_RecordsOf80Fields)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
