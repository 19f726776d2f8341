// Utf16ToCodePage and CodePageToUtf16 over 100,000 short Chinese texts at code
// page 936, beside a loop of raw iconv calls (descriptor opened once, one call
// per text into a reused buffer) on the same texts; and the pure-ASCII case.

#include "platform/text/code_page.h"

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <string>
#include <vector>

namespace {

constexpr int kTexts = 100000;

const std::vector<std::u16string>& WideTexts() {
  static const std::vector<std::u16string> texts = [] {
    static const char16_t* const kWords[] = {u"选择间距编号", u"物料需求计划", u"报表条件",
                                             u"采购订单明细表"};
    std::vector<std::u16string> all;
    all.reserve(kTexts);
    for (int i = 0; i < kTexts; ++i) {
      std::u16string text = kWords[i % 4];
      for (char c : std::to_string(i)) text += static_cast<char16_t>(c);
      all.push_back(std::move(text));
    }
    return all;
  }();
  return texts;
}

const std::vector<std::string>& NarrowTexts() {
  static const std::vector<std::string> texts = [] {
    std::vector<std::string> all;
    all.reserve(kTexts);
    for (const std::u16string& text : WideTexts()) all.push_back(qv::Utf16ToCodePage(text, 936));
    return all;
  }();
  return texts;
}

size_t RawIconv(iconv_t cd, const void* in, size_t in_bytes, void* out, size_t out_bytes) {
  char* src = static_cast<char*>(const_cast<void*>(in));
  char* dst = static_cast<char*>(out);
  size_t left = out_bytes;
  iconv(cd, &src, &in_bytes, &dst, &left);
  return out_bytes - left;
}

void BM_Utf16ToCodePage(benchmark::State& state) {
  const auto& texts = WideTexts();
  for (auto _ : state) {
    for (const std::u16string& text : texts) {
      std::string bytes = qv::Utf16ToCodePage(text, 936);
      benchmark::DoNotOptimize(bytes);
    }
  }
  state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_Utf16ToCodePage)->Unit(benchmark::kMillisecond);

void BM_RawIconvUtf16ToCodePage(benchmark::State& state) {
  const auto& texts = WideTexts();
  iconv_t cd = iconv_open("CP936", "UTF-16LE");
  char buffer[256];
  for (auto _ : state) {
    for (const std::u16string& text : texts) {
      const size_t n = RawIconv(cd, text.data(), text.size() * 2, buffer, sizeof buffer);
      std::string bytes(buffer, n);
      benchmark::DoNotOptimize(bytes);
    }
  }
  iconv_close(cd);
  state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_RawIconvUtf16ToCodePage)->Unit(benchmark::kMillisecond);

void BM_CodePageToUtf16(benchmark::State& state) {
  const auto& texts = NarrowTexts();
  for (auto _ : state) {
    for (const std::string& text : texts) {
      std::u16string wide = qv::CodePageToUtf16(text, 936);
      benchmark::DoNotOptimize(wide);
    }
  }
  state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_CodePageToUtf16)->Unit(benchmark::kMillisecond);

void BM_RawIconvCodePageToUtf16(benchmark::State& state) {
  const auto& texts = NarrowTexts();
  iconv_t cd = iconv_open("UTF-16LE", "CP936");
  char16_t buffer[256];
  for (auto _ : state) {
    for (const std::string& text : texts) {
      const size_t n = RawIconv(cd, text.data(), text.size(), buffer, sizeof buffer);
      std::u16string wide(buffer, n / 2);
      benchmark::DoNotOptimize(wide);
    }
  }
  iconv_close(cd);
  state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_RawIconvCodePageToUtf16)->Unit(benchmark::kMillisecond);

void BM_AsciiUtf16ToCodePage(benchmark::State& state) {
  std::vector<std::u16string> texts;
  texts.reserve(kTexts);
  for (int i = 0; i < kTexts; ++i) {
    std::u16string text = u"ITEM-";
    for (char c : std::to_string(i)) text += static_cast<char16_t>(c);
    texts.push_back(std::move(text));
  }
  for (auto _ : state) {
    for (const std::u16string& text : texts) {
      std::string bytes = qv::Utf16ToCodePage(text, 936);
      benchmark::DoNotOptimize(bytes);
    }
  }
  state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_AsciiUtf16ToCodePage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
