#include <benchmark/benchmark.h>

#include <string>

#include "platform/variant/variant.h"

namespace {

constexpr int kRows = 100000;

qv::Variant MakeTable() {
  qv::Variant table = qv::VarArrayCreate({0, 1, 0, kRows - 1});
  for (int j = 0; j < kRows; ++j) {
    table.At(0, j) = "code" + std::to_string(j);
    table.At(1, j) = "名称" + std::to_string(j);
  }
  return table;
}

// Reads every text of a 2 x 100,000 table, as the module walks condition lists.
void BM_WalkTwoDimensionalTexts(benchmark::State& state) {
  const qv::Variant table = MakeTable();
  for (auto _ : state) {
    size_t total = 0;
    const int high = qv::VarArrayHighBound(table, 2);
    for (int j = 0; j <= high; ++j) {
      total += table.At(0, j).AsWideString().size() + table.At(1, j).AsWideString().size();
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * 2 * kRows);
}
BENCHMARK(BM_WalkTwoDimensionalTexts)->Unit(benchmark::kMillisecond);

// Grows a [0..1, 0..n] table one column at a time.
void BM_GrowByColumns(benchmark::State& state) {
  for (auto _ : state) {
    qv::Variant table = qv::VarArrayCreate({0, 1, 0, -1});
    for (int j = 0; j < kRows; ++j) {
      qv::VarArrayRedim(table, j);
      table.At(0, j) = j;
      table.At(1, j) = j;
    }
    benchmark::DoNotOptimize(table);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_GrowByColumns)->Unit(benchmark::kMillisecond);

void BM_CopyTable(benchmark::State& state) {
  const qv::Variant table = MakeTable();
  for (auto _ : state) {
    qv::Variant copy = table;
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(BM_CopyTable)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
