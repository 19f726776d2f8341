// VarAnsiToWide and VarWideToAnsi over a two-dimensional [0..1, 0..49999]
// array of 100,000 short Chinese wide texts at code page 936 (the workstation's
// code page is 936 too), beside loops of raw iconv calls doing the same
// conversions per text into reused buffers.

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "platform/text/code_page.h"
#include "platform/variant/variant.h"
#include "runtime/variant_utils.h"

namespace {

constexpr int kColumns = 50000;
constexpr int kTexts = 2 * kColumns;

std::u16string SampleText(int i) {
  static const char16_t* const kWords[] = {u"选择间距编号", u"物料需求计划", u"报表条件",
                                           u"采购订单明细表"};
  std::u16string text = kWords[i % 4];
  for (char c : std::to_string(i)) text += static_cast<char16_t>(c);
  return text;
}

const qv::Variant& SampleArray() {
  static const qv::Variant array = [] {
    qv::Variant v = qv::VarArrayCreate({0, 1, 0, kColumns - 1});
    for (int j = 0; j < kColumns; ++j) {
      for (int i = 0; i < 2; ++i) v.At(i, j) = SampleText(j * 2 + i);
    }
    return v;
  }();
  return array;
}

const std::vector<std::u16string>& SampleTexts() {
  static const std::vector<std::u16string> texts = [] {
    std::vector<std::u16string> all;
    all.reserve(kTexts);
    for (int i = 0; i < kTexts; ++i) all.push_back(SampleText(i));
    return all;
  }();
  return texts;
}

size_t RawIconv(iconv_t cd, const void* in, size_t inBytes, void* out, size_t outBytes) {
  char* src = static_cast<char*>(const_cast<void*>(in));
  char* dst = static_cast<char*>(out);
  size_t left = outBytes;
  iconv(cd, &src, &inBytes, &dst, &left);
  return outBytes - left;
}

void BM_VarAnsiToWide(benchmark::State& state) {
  qv::SetAnsiCodePage(936);
  const qv::Variant& input = SampleArray();
  for (auto _ : state) {
    qv::Variant result = ravlet::VarAnsiToWide(input, 936);
    benchmark::DoNotOptimize(result);
  }
  state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_VarAnsiToWide)->Unit(benchmark::kMillisecond);

void BM_RawIconvAnsiToWide(benchmark::State& state) {
  const std::vector<std::u16string>& texts = SampleTexts();
  iconv_t narrow = iconv_open("CP936", "UTF-16LE");
  iconv_t widen = iconv_open("UTF-16LE", "CP936");
  char bytes[256];
  char16_t wide[256];
  for (auto _ : state) {
    for (const std::u16string& text : texts) {
      const size_t n = RawIconv(narrow, text.data(), text.size() * 2, bytes, sizeof bytes);
      const size_t m = RawIconv(widen, bytes, n, wide, sizeof wide);
      benchmark::DoNotOptimize(m);
    }
    benchmark::ClobberMemory();
  }
  iconv_close(narrow);
  iconv_close(widen);
  state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_RawIconvAnsiToWide)->Unit(benchmark::kMillisecond);

void BM_VarWideToAnsi(benchmark::State& state) {
  qv::SetAnsiCodePage(936);
  const qv::Variant& input = SampleArray();
  for (auto _ : state) {
    qv::Variant result = ravlet::VarWideToAnsi(input, 936);
    benchmark::DoNotOptimize(result);
  }
  state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_VarWideToAnsi)->Unit(benchmark::kMillisecond);

void BM_RawIconvWideToAnsi(benchmark::State& state) {
  const std::vector<std::u16string>& texts = SampleTexts();
  iconv_t narrow = iconv_open("CP936", "UTF-16LE");
  char bytes[256];
  for (auto _ : state) {
    for (const std::u16string& text : texts) {
      const size_t n = RawIconv(narrow, text.data(), text.size() * 2, bytes, sizeof bytes);
      benchmark::DoNotOptimize(n);
    }
    benchmark::ClobberMemory();
  }
  iconv_close(narrow);
  state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_RawIconvWideToAnsi)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
