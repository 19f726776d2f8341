#include "host/host_window.h"

#include <array>
#include <string_view>

#include "platform/vcl/form.h"
#include "platform/vcl/type_info.h"

namespace ravlet {

namespace {

// Properties through which a control can take a condition value.
constexpr std::array<std::string_view, 4> kValueProperties = {"ItemIndex", "Checked", "Text",
                                                              "Lines"};

}  // namespace

THostWindow::~THostWindow() = default;

qv::TCustomForm& THostWindow::Form() {
  return dynamic_cast<qv::TCustomForm&>(*this);
}

const qv::TCustomForm& THostWindow::Form() const {
  return dynamic_cast<const qv::TCustomForm&>(*this);
}

void THostWindow::SetModuleFile(const std::string& path) {
  ModuleFile = path;
}

void THostWindow::ApplyHostConditions(const qv::Variant& hand_over) {
  PendingHandOver = hand_over;
  if (!hand_over.IsArray()) return;
  const int32_t action = hand_over[0].AsInteger();
  const bool load_only = action == 0;
  AnnounceResult = action == 0 || action == 1;
  bool taken = false;
  AutoRun = false;
  const qv::Variant& scheme_part = hand_over[1];
  if (scheme_part.IsArray()) {
    FromScheme = scheme_part[0].AsBoolean();
    const qv::Variant& data = scheme_part[1];
    if (data.IsArray()) {
      taken = FromScheme ? CheckHostConditions(data) : TakeOverConditions(data);
      AutoRun = taken && !load_only;
    }
  }
  ConvertTextsOnHandOver();
  if (action > 2 && taken) {
    RunHostAction(action);
  } else if (AutoRun) {
    if (auto* ok = dynamic_cast<qv::TControl*>(Form().FindComponent("btnOk"))) ok->Click();
  }
}

bool THostWindow::CheckHostConditions(const qv::Variant& condition_data) {
  // Every entry must pass: a hand-over naming a component this window does
  // not have would otherwise be taken whenever its last entry is sound.
  bool passed = false;
  try {
    const qv::Variant& labels = condition_data[0];
    if (labels.IsArray() && qv::VarArrayDimCount(labels) == 1) {
      const int low = qv::VarArrayLowBound(labels, 1);
      const int high = qv::VarArrayHighBound(labels, 1);
      passed = high >= low;
      for (int i = low; passed && i <= high; ++i) passed = AcceptsHandOverEntry(labels[i]);
    }
  } catch (const std::exception&) {
    passed = false;
  }
  if (!passed) ShowMessageCode("W;000014");
  return passed;
}

bool THostWindow::AcceptsHandOverEntry(const qv::Variant& label) const {
  try {
    const std::string name = qv::VarToStr(label[1]);
    if (name.empty()) return false;
    const qv::TComponent* component = Form().FindComponent(name);
    if (component == nullptr) return false;
    if (component->InheritsFrom("TSelectPanel") || component->InheritsFrom("TCustomComboBox"))
      return true;
    for (std::string_view property : kValueProperties)
      if (qv::IsPublishedProp(component, property)) return true;
    return false;
  } catch (const std::exception&) {
    return false;
  }
}

bool THostWindow::TakeOverConditions(const qv::Variant&) {
  return false;
}

bool THostWindow::RunHostAction(int32_t) {
  return true;
}

void THostWindow::ConvertTextsOnHandOver() {}

}  // namespace ravlet
