// List view items at 10,000 and 100,000: appending, inserting at random
// positions, adding with the kept order (SortType stText) item by item and
// inside one BeginUpdate/EndUpdate batch, and deleting at random positions.
// Each run ends by reading every item's Index, so a slow index shows too.

#include "platform/vcl/list_view.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Captions(int count) {
  std::mt19937 random(11);
  std::vector<std::string> captions;
  captions.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) captions.push_back("R" + std::to_string(random() % 1000000));
  return captions;
}

long SumOfIndexes(const qv::TListItems& items) {
  long sum = 0;
  for (int i = 0; i < items.Count(); ++i) sum += items.Item(i)->Index();
  return sum;
}

void BM_Append(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::vector<std::string> captions = Captions(count);
  for (auto _ : state) {
    auto view = qv::CreateUnowned<qv::TListView>();
    for (const std::string& caption : captions) view->Items()->Add()->SetCaption(caption);
    benchmark::DoNotOptimize(SumOfIndexes(*view->Items()));
  }
  state.SetComplexityN(count);
}

void BM_InsertAtRandomPositions(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    std::mt19937 random(5);
    auto view = qv::CreateUnowned<qv::TListView>();
    for (int i = 0; i < count; ++i)
      view->Items()->Insert(static_cast<int>(random() % (static_cast<unsigned>(i) + 1)));
    benchmark::DoNotOptimize(SumOfIndexes(*view->Items()));
  }
  state.SetComplexityN(count);
}

void BM_AddSorted(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::vector<std::string> captions = Captions(count);
  for (auto _ : state) {
    auto view = qv::CreateUnowned<qv::TListView>();
    view->SetSortType(qv::stText);
    for (const std::string& caption : captions) view->Items()->Add()->SetCaption(caption);
    benchmark::DoNotOptimize(SumOfIndexes(*view->Items()));
  }
  state.SetComplexityN(count);
}

void BM_AddSortedInOneBatch(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::vector<std::string> captions = Captions(count);
  for (auto _ : state) {
    auto view = qv::CreateUnowned<qv::TListView>();
    view->SetSortType(qv::stText);
    view->BeginUpdate();
    for (const std::string& caption : captions) view->Items()->Add()->SetCaption(caption);
    view->EndUpdate();
    benchmark::DoNotOptimize(SumOfIndexes(*view->Items()));
  }
  state.SetComplexityN(count);
}

void BM_DeleteAtRandomPositions(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto view = qv::CreateUnowned<qv::TListView>();
    for (int i = 0; i < count; ++i) view->Items()->Add();
    std::mt19937 random(3);
    state.ResumeTiming();
    while (view->Items()->Count() > 0)
      view->Items()->Delete(static_cast<int>(random() % view->Items()->Count()));
    benchmark::DoNotOptimize(view->Items()->Count());
  }
  state.SetComplexityN(count);
}

}  // namespace

BENCHMARK(BM_Append)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_InsertAtRandomPositions)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_AddSorted)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_AddSortedInOneBatch)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_DeleteAtRandomPositions)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

BENCHMARK_MAIN();
