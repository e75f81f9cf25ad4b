// The print rows of a 100,000-line breakdown: converting each line and building its
// INSERT are done once per row of every print run.

#include <benchmark/benchmark.h>

#include <string>

#include "breakdown/uchiwake_records.h"
#include "data/record_conventions.h"
#include "print/print_convert.h"
#include "print/print_row.h"
#include "startup/app_context.h"

namespace {

using namespace omrix;

breakdown::UchiwakeRec typicalLine() {
    breakdown::UchiwakeRec line;
    line.種別フラグ = 8;
    line.表示番号名称 = "12";
    line.名称１ = "鉄筋コンクリート造　基礎";
    line.名称２ = "型枠（普通合板）";
    line.仕様１ = "打放し面 B種 ｺﾝﾊﾟﾈ";
    line.単位名称 = "㎡";
    line.内訳数量 = 1234.5;
    line.数量計算式 = "12.5*98.76";
    line.見積１単価 = *util::Currency::fromUnits(4500);
    line.見積１金額 = *util::Currency::fromUnits(5555250);
    line.見積１単価計算式 = "4500";
    line.社外備考 = "搬入費含む\r\n夜間作業";
    return line;
}

print::PrintOptionRec b5Options() {
    print::PrintOptionRec options;
    options.nPageType = 2;
    options.nChofukuShoryaku = 1;
    print::sbSetPrintType(options, "B5");
    return options;
}

void BM_ConvertPrintRow(benchmark::State& state) {
    const auto line = typicalLine();
    const auto above = typicalLine();
    const auto options = b5Options();
    print::PrintRow row;
    int32_t id = 0;
    for (auto _ : state) {
        ++id;
        print::fnConvertPrintRow({1, id, id / 15, id / 15, id % 15 + 1, "基礎"}, line, options,
                                 &above, row);
        benchmark::DoNotOptimize(row);
    }
}
BENCHMARK(BM_ConvertPrintRow);

void BM_BuildPrintRowInsert(benchmark::State& state) {
    startup::appContext().TantoshaName = "tanaka";
    print::PrintRow row;
    print::fnConvertPrintRow({1, 1, 1, 1, 1, "基礎"}, typicalLine(), b5Options(), nullptr, row);
    for (auto _ : state) benchmark::DoNotOptimize(print::BuildPrintRowInsert(row));
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(print::BuildPrintRowInsert(row).size()));
}
BENCHMARK(BM_BuildPrintRowInsert);

// A 100-row command as the batched insert builds it, text buffer reused.
void BM_AppendInsertBatch(benchmark::State& state) {
    startup::appContext().TantoshaName = "tanaka";
    print::PrintRow row;
    print::fnConvertPrintRow({1, 1, 1, 1, 1, "基礎"}, typicalLine(), b5Options(), nullptr, row);
    const std::string audit = data::fnAuditInsertValues();
    std::string pending;
    for (auto _ : state) {
        pending.clear();
        for (int i = 0; i < 100; ++i) {
            print::appendPrintRowInsert(pending, row, audit);
            pending += "\r\n";
        }
        benchmark::DoNotOptimize(pending.data());
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_AppendInsertBatch);

// Memory of the run's rows: a 100,000-line statement holds this many bytes per row
// before its texts.
void BM_PrintRowSize(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(sizeof(print::PrintRow));
    state.counters["bytes_per_row"] = static_cast<double>(sizeof(print::PrintRow));
}
BENCHMARK(BM_PrintRowSize);

}  // namespace

BENCHMARK_MAIN();
