#include "component_paths.h"

#include <string>

#include "platform/vcl/button.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/screen.h"
#include "platform/vcl/type_info.h"
#include "platform/vcl/win_control.h"

namespace ravlet::host {

namespace {

std::vector<std::string_view> Segments(std::string_view path) {
  std::vector<std::string_view> segments;
  size_t start = 0;
  for (;;) {
    const size_t dot = path.find('.', start);
    segments.push_back(path.substr(start, dot == std::string_view::npos ? path.npos : dot - start));
    if (dot == std::string_view::npos) return segments;
    start = dot + 1;
  }
}

qv::TComponent* Child(qv::TComponent* parent, std::string_view name) {
  if (name.empty()) return nullptr;
  if (qv::TComponent* owned = parent->FindComponent(name)) return owned;
  if (auto* windowed = dynamic_cast<qv::TWinControl*>(parent))
    return windowed->FindChildControl(name);
  return nullptr;
}

JsonValue ButtonsOf(const qv::TCustomForm& form) {
  JsonValue buttons = JsonValue::Array();
  for (int i = 0; i < form.ComponentCount(); ++i) {
    const auto* button = dynamic_cast<const qv::TButton*>(form.Components(i));
    if (button == nullptr) continue;
    buttons.Append(JsonValue::Object({{"name", button->Name()},
                                      {"caption", button->Caption()},
                                      {"enabled", button->Enabled()},
                                      {"default", button->Default()},
                                      {"cancel", button->Cancel()}}));
  }
  return buttons;
}

}  // namespace

qv::TComponent* FindComponentByPath(std::string_view path, qv::TComponent* base) {
  if (path.empty()) {
    if (base == nullptr) throw EJsonError("No window is open");
    return base;
  }
  const std::vector<std::string_view> segments = Segments(path);
  qv::TComponent* current = qv::Screen->FindForm(segments[0]);
  size_t i = 1;
  if (current == nullptr) {
    current = qv::Screen->ModalForm() ? qv::Screen->ModalForm() : qv::Screen->ActiveForm();
    i = 0;
    if (current == nullptr)
      throw EJsonError("No window is named '" + std::string(segments[0]) +
                       "' and none takes input");
  }
  for (; i < segments.size(); ++i) {
    qv::TComponent* next = Child(current, segments[i]);
    if (next == nullptr)
      throw EJsonError("No component '" + std::string(segments[i]) + "' on " +
                       (current->Name().empty() ? current->ClassName() : current->Name()));
    current = next;
  }
  return current;
}

JsonValue DescribeComponent(const qv::TComponent& component) {
  JsonValue summary =
      JsonValue::Object({{"name", component.Name()}, {"class", component.ClassName()}});
  if (const auto* control = dynamic_cast<const qv::TControl*>(&component)) {
    summary.Set("caption", control->Caption());
    summary.Set("visible", control->Visible());
    summary.Set("enabled", control->Enabled());
    summary.Set("showing", control->Showing());
  }
  if (const auto* windowed = dynamic_cast<const qv::TWinControl*>(&component))
    summary.Set("focused", windowed->Focused());
  return summary;
}

JsonValue DescribeForm(const qv::TCustomForm& form) {
  JsonValue summary = DescribeComponent(form);
  summary.Set("modal", form.Modal());
  summary.Set("active", form.Active());
  if (const auto* dialog = dynamic_cast<const qv::TMessageForm*>(&form)) {
    if (const qv::TLabel* message = dialog->Message()) summary.Set("text", message->Caption());
    summary.Set("kind", qv::EnumTypeInfo<qv::TMsgDlgType>().IdentifierOf(dialog->DialogType()));
  }
  summary.Set("buttons", ButtonsOf(form));
  if (const qv::TWinControl* focused = form.FocusedControl()) summary.Set("focus", focused->Name());
  return summary;
}

JsonValue DescribeProperties(const qv::TComponent& component) {
  JsonValue properties = JsonValue::Array();
  for (const qv::TPropInfo* property : qv::GetPropList(&component)) {
    JsonValue entry = JsonValue::Object({{"name", property->Name}, {"type", property->TypeName()}});
    try {
      entry.Set("value", qv::GetPropValue(&component, property->Name));
    } catch (const std::exception& e) {
      entry.Set("error", e.what());
    }
    properties.Append(std::move(entry));
  }
  return properties;
}

JsonValue PropertyValue(const qv::TComponent& component, std::string_view property) {
  return JsonValue(qv::GetPropValue(&component, property));
}

}  // namespace ravlet::host
