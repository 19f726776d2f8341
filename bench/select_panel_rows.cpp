// Filling a selection panel's list row by row: n rows added through AddRow to
// a panel that keeps its list sorted, drops duplicates without regard to case
// and sizes its columns after each row; and n rows restored the way a saved
// condition scheme is reopened (the list cleared, then one AddRow per saved
// row). About one row in twenty repeats an earlier code in other letter case,
// so the duplicate check has work to do. Each run checks its result against
// the rules: sorted, no neighbouring duplicates, every row padded.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/glyph_library.h"
#include "controls/select_panel.h"
#include "platform/text/string_utils.h"

namespace {

// Glyphs drawn in memory, so that no library file is needed.
class PlainGlyphs : public ravlet::TGlyphLibrary {
 public:
  int GetMaxBmpID() override { return 100; }
  bool LoadBmp(qv::TBitmap* bitmap, int) override {
    bitmap->SetSize(16, 16);
    return true;
  }
};

std::vector<std::vector<std::string>> MakeRows(int count) {
  std::vector<std::vector<std::string>> rows;
  rows.reserve(static_cast<size_t>(count));
  uint64_t state = 88172645463325252ULL;
  const auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  for (int i = 0; i < count; ++i) {
    std::string code;
    if (i > 0 && next() % 20 == 0) {
      code = qv::LowerCase(rows[next() % rows.size()][0]);
    } else {
      code = "MRP" + qv::IntToHex(static_cast<int64_t>(next() % 0xFFFFFFFFULL), 8);
    }
    rows.push_back({code, "间距" + std::to_string(i), i % 3 == 0 ? "" : "Note " + code});
  }
  return rows;
}

qv::TComponentPtr<ravlet::TSelectPanel> MakePanel() {
  ravlet::SetGlyphLibrary(std::make_shared<PlainGlyphs>());
  auto panel = qv::CreateUnowned<ravlet::TSelectPanel>();
  panel->SetStyle(ravlet::sp_Discrete);
  panel->SetSortListBox(true);
  panel->SetCheckDuplicate(ravlet::cd_CaseInsensitive);
  panel->SetColumnsAutoSize(true);
  return panel;
}

// True when the list follows the rules: sorted by caption, then column 1, no
// two neighbours with the same caption, all rows with two sub-items.
bool FollowsTheRules(const ravlet::TLumListView& list) {
  const qv::TListItems* items = list.Items();
  for (int i = 0; i < items->Count(); ++i) {
    const qv::TListItem* row = items->Item(i);
    if (row->SubItems()->Count() != 2) return false;
    if (i == 0) continue;
    const qv::TListItem* before = items->Item(i - 1);
    if (qv::SameText(before->Caption(), row->Caption())) return false;
    if (list.CompareRows(before, row) > 0) return false;
  }
  return true;
}

void BM_AddRows(benchmark::State& state) {
  const auto rows = MakeRows(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto panel = MakePanel();
    state.ResumeTiming();
    for (const auto& row : rows) panel->ListBox()->AddRow(row);
    state.PauseTiming();
    if (!FollowsTheRules(*panel->ListBox())) state.SkipWithError("the list breaks the rules");
    state.counters["rows"] = panel->ListBox()->Items()->Count();
    panel.reset();
    state.ResumeTiming();
  }
  state.SetComplexityN(state.range(0));
}

// The saved text of a list: each row's texts joined by character 1, each row
// followed by character 4.
std::string SavedRows(const ravlet::TLumListView& list) {
  std::string text;
  for (int i = 0; i < list.Items()->Count(); ++i) {
    const qv::TListItem* row = list.Items()->Item(i);
    text += row->Caption();
    for (int s = 0; s < row->SubItems()->Count(); ++s) text += '\1' + row->SubItems()->Strings(s);
    text += '\4';
  }
  return text;
}

void RestoreRows(ravlet::TLumListView& list, const std::string& saved) {
  list.ClearRows();
  for (const std::string& piece : qv::SplitString(saved, '\4')) {
    if (piece.empty()) continue;
    list.AddRow(qv::SplitString(piece, '\1'));
  }
}

void BM_RestoreRows(benchmark::State& state) {
  auto source = MakePanel();
  for (const auto& row : MakeRows(static_cast<int>(state.range(0)))) source->ListBox()->AddRow(row);
  const std::string saved = SavedRows(*source->ListBox());
  const int expected = source->ListBox()->Items()->Count();
  source.reset();
  for (auto _ : state) {
    state.PauseTiming();
    auto panel = MakePanel();
    state.ResumeTiming();
    RestoreRows(*panel->ListBox(), saved);
    state.PauseTiming();
    if (panel->ListBox()->Items()->Count() != expected || !FollowsTheRules(*panel->ListBox()))
      state.SkipWithError("the restored list differs from the saved one");
    panel.reset();
    state.ResumeTiming();
  }
  state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_AddRows)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);
BENCHMARK(BM_RestoreRows)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

BENCHMARK_MAIN();
