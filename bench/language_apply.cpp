// Language packages on a window of 300 labels: one package element per label
// (caption, hint and font name), applied through the language controller, and
// the same followed by converting the window's texts in mode 2 (Simplified to
// Traditional characters). "per_component" is the time per component.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "language/code_converter.h"
#include "language/language_controller.h"
#include "platform/text/string_list.h"
#include "platform/vcl/form.h"
#include "platform/vcl/label.h"

namespace {

constexpr int kComponents = 300;

std::unique_ptr<qv::TStringList> PackageText() {
  auto text = std::make_unique<qv::TStringList>();
  text->Add("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
  text->Add("<TForm Caption=\"物料需求计划报表\">");
  for (int i = 0; i < kComponents; ++i) {
    const std::string n = std::to_string(i);
    text->Add("  <lbl" + n + " Caption=\"选择间距编号" + n + "\" Hint=\"报表条件" + n +
              "\" Font.Name=\"宋体\"/>");
  }
  text->Add("</TForm>");
  return text;
}

qv::TComponentPtr<qv::TForm> MakeWindow() {
  auto window = qv::CreateUnowned<qv::TForm>();
  window->SetName("frmBench");
  for (int i = 0; i < kComponents; ++i) {
    auto* label = qv::Create<qv::TLabel>(window.get());
    label->SetName("lbl" + std::to_string(i));
    label->SetParent(window.get());
  }
  return window;
}

void SetPerComponent(benchmark::State& state) {
  state.counters["per_component"] = benchmark::Counter(
      static_cast<double>(kComponents),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Loading the package (parse and index) and applying it.
void BM_ApplyPackage(benchmark::State& state) {
  auto window = MakeWindow();
  auto controller = qv::Create<ravlet::TQvLangController>(window.get());
  const auto text = PackageText();
  for (auto _ : state) {
    controller->SetXMLText(*text);
    controller->SetActive(true);
    controller->GetReader()->ReadComponent(window.get());
  }
  SetPerComponent(state);
}
BENCHMARK(BM_ApplyPackage)->Unit(benchmark::kMicrosecond);

// Applying an already loaded package again.
void BM_ApplyLoadedPackage(benchmark::State& state) {
  auto window = MakeWindow();
  auto controller = qv::Create<ravlet::TQvLangController>(window.get());
  controller->SetXMLText(*PackageText());
  controller->SetActive(true);
  for (auto _ : state) controller->GetReader()->ReadComponent(window.get());
  SetPerComponent(state);
}
BENCHMARK(BM_ApplyLoadedPackage)->Unit(benchmark::kMicrosecond);

// The package restores the Simplified texts, then mode 2 converts them all.
void BM_ApplyPackageAndConvertMode2(benchmark::State& state) {
  auto window = MakeWindow();
  auto controller = qv::Create<ravlet::TQvLangController>(window.get());
  auto converter = qv::Create<ravlet::TCodeConverter>(window.get());
  converter->UIConvertMode = 2;
  converter->Translator = std::make_unique<ravlet::TTranslator>();
  const auto text = PackageText();
  for (auto _ : state) {
    controller->SetXMLText(*text);
    controller->SetActive(true);
    controller->GetReader()->ReadComponent(window.get());
    converter->ConvertForm(window.get());
  }
  SetPerComponent(state);
}
BENCHMARK(BM_ApplyPackageAndConvertMode2)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
