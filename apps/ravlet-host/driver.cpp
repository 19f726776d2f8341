#include "driver.h"

#include <array>
#include <istream>
#include <ostream>
#include <string_view>

#include "component_paths.h"
#include "json_variant.h"
#include "key_names.h"
#include "platform/text/string_utils.h"
#include "platform/text/unicode.h"
#include "platform/vcl/application.h"
#include "platform/vcl/button.h"
#include "platform/vcl/label.h"
#include "platform/vcl/screen.h"
#include "platform/vcl/type_info.h"
#include "platform/vcl/win_control.h"
#include "server_records.h"

namespace ravlet::host {

namespace {

// Commands the model takes as the person's input.
constexpr std::array<std::string_view, 10> kInputCommands = {
    "click", "dblclick", "key", "press", "type", "focus", "close", "answer", "keydown", "keyup"};
// Answers to a waiting lookup window (queued for the next one otherwise).
constexpr std::array<std::string_view, 3> kLookupAnswers = {"choose", "choose_date",
                                                            "cancel_lookup"};
// Controller operations, "start" being the host's own first Open.
constexpr std::array<std::string_view, 14> kControllerCommands = {
    "start",        "open",        "apply_params", "apply_data", "show_modal",
    "close_window", "set_visible", "is_visible",   "is_closed",  "window_handle",
    "module_info",  "version",     "signal",       "result"};
// Those that act on the window; not while the module is busy.
constexpr std::array<std::string_view, 7> kWindowChanging = {
    "start", "open", "apply_params", "apply_data", "show_modal", "close_window", "set_visible"};

template <size_t N>
bool OneOf(const std::array<std::string_view, N>& names, std::string_view name) {
  for (std::string_view known : names)
    if (known == name) return true;
  return false;
}

JsonValue Reply(const JsonValue& id) {
  return JsonValue::Object({{"id", id}, {"ok", true}});
}

JsonValue ErrorReply(const JsonValue& id, const std::exception& error) {
  JsonValue reply = JsonValue::Object({{"id", id}, {"ok", false}, {"error", error.what()}});
  if (const auto* known = dynamic_cast<const qv::Exception*>(&error))
    reply.Set("class", known->ClassName());
  return reply;
}

const JsonValue& Required(const JsonValue& args, const char* name) {
  const JsonValue* value = args.Find(name);
  if (value == nullptr) throw EJsonError(std::string("The command needs \"") + name + "\"");
  return *value;
}

std::string OptionalString(const JsonValue& args, const char* name) {
  const JsonValue* value = args.Find(name);
  return value == nullptr || value->IsNull() ? std::string() : value->AsString();
}

const JsonValue& Optional(const JsonValue& args, const char* name) {
  static const JsonValue kNull;
  const JsonValue* value = args.Find(name);
  return value == nullptr ? kNull : *value;
}

// A property value written as text, whatever JSON it came as.
std::string ValueText(const JsonValue& value) {
  switch (value.kind()) {
    case JsonValue::Kind::String:
      return value.AsString();
    case JsonValue::Kind::Bool:
      return value.AsBool() ? "True" : "False";
    case JsonValue::Kind::Integer:
      return std::to_string(value.AsInteger());
    case JsonValue::Kind::Double:
      return WriteJson(value);
    default:
      throw EJsonError("A property value is a string, a number or a Boolean");
  }
}

void Merge(JsonValue& reply, const JsonValue& members) {
  for (const auto& [name, value] : members.Members()) reply.Set(name, value);
}

// Shown, enabled up to its window, and its window not behind a modal one.
bool Reachable(const qv::TControl* control) {
  if (control == nullptr || !control->Showing()) return false;
  for (const qv::TControl* c = control; c != nullptr; c = c->Parent())
    if (!c->Enabled()) return false;
  return qv::Screen->AcceptsInput(qv::GetParentForm(control));
}

qv::TControl* ReachableControl(const std::string& path) {
  qv::TControl* control = qv::Application->FindControlByPath(path);
  if (!Reachable(control))
    throw EHostError("'" + path + "' cannot be reached: hidden, disabled or behind a modal window");
  return control;
}

qv::TCustomForm* InputForm() {
  return qv::Screen->ModalForm() ? qv::Screen->ModalForm() : qv::Screen->ActiveForm();
}

// The key target: the control a path names (it must take the focus), or the
// control with the focus.
void CheckKeyTarget(const std::string& path) {
  if (path.empty()) {
    if (InputForm() == nullptr) throw EHostError("No window takes input");
    return;
  }
  auto* control = dynamic_cast<qv::TWinControl*>(ReachableControl(path));
  if (control == nullptr || !control->CanFocus())
    throw EHostError("'" + path + "' cannot take the focus");
}

std::string OneCharacter(const std::string& text) {
  const std::u16string units = qv::Utf8ToUtf16(text);
  const bool pair = units.size() == 2 && units[0] >= 0xD800 && units[0] <= 0xDBFF;
  if (units.size() != 1 && !pair) throw EJsonError("\"char\" is one character");
  return text;
}

qv::TButton* ButtonOf(qv::TCustomForm& form, const std::string& name) {
  for (int i = 0; i < form.ComponentCount(); ++i) {
    auto* button = dynamic_cast<qv::TButton*>(form.Components(i));
    if (button == nullptr) continue;
    if (qv::SameText(button->Name(), name) ||
        qv::SameText(qv::StripAccelChars(button->Caption()), name))
      return button;
  }
  return nullptr;
}

bool IsDateAnswer(const std::string& date) {
  if (date.empty()) return true;
  if (date.size() != 8) return false;
  for (char c : date)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

TDriver::TDriver(std::istream& in, std::ostream& out, THostSession& session,
                 qv::Variant start_params)
    : in_(in), out_(out), session_(session), start_params_(std::move(start_params)) {}

bool TDriver::Next(qv::TInputEvent& event) {
  return Serve(&event, nullptr);
}

bool TDriver::Serve(qv::TInputEvent* event, qv::Variant* answer) {
  FlushWaiting();
  while (!finished_) {
    std::string line;
    if (!std::getline(in_, line)) {
      finished_ = true;
      break;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    JsonValue id;
    try {
      const JsonValue args = ParseJson(line);
      if (!args.IsObject()) throw EJsonError("A command is a JSON object");
      if (const JsonValue* given = args.Find("id")) id = *given;
      const std::string command = Required(args, "cmd").AsString();
      if (command == "quit") {
        WriteReply(Reply(id));
        finished_ = true;
        qv::Application->Terminate();
        // A modal run looks at the termination only once it gets a message.
        if (qv::TCustomForm* modal = qv::Screen->ModalForm())
          qv::PostMessage(modal->Handle(), qv::WM_NULL);
        break;
      }
      TOutcome outcome = Execute(command, args, id);
      if (outcome.Kind == TOutcomeKind::Input && event != nullptr) {
        pending_ = std::move(outcome.Reply);
        *event = std::move(outcome.Event);
        return true;
      }
      if (outcome.Kind == TOutcomeKind::Answer && answer != nullptr) {
        pending_ = std::move(outcome.Reply);
        *answer = std::move(outcome.Answer);
        return true;
      }
    } catch (const std::exception& e) {
      WriteReply(ErrorReply(id, e));
    } catch (...) {
      WriteReply(ErrorReply(id, EHostError("An unknown error")));
    }
    FlushWaiting();
  }
  return false;
}

TDriver::TOutcome TDriver::Execute(const std::string& command, const JsonValue& args,
                                   const JsonValue& id) {
  TOutcome outcome;
  if (OneOf(kInputCommands, command)) {
    if (lookup_)
      throw EHostError(
          "A lookup window waits for its answer: choose, choose_date or cancel_lookup");
    outcome = RunInput(command, args);
    outcome.Reply = Reply(id);
    return outcome;
  }
  if (lookup_ && OneOf(kLookupAnswers, command)) {
    outcome = RunLookupAnswer(command, args);
    outcome.Reply = Reply(id);
    return outcome;
  }
  RunToCompletion(command, args, id);
  return outcome;
}

void TDriver::RunToCompletion(const std::string& command, const JsonValue& args,
                              const JsonValue& id) {
  const bool inside = InsideModule();
  running_.push_back({id, command, false});
  JsonValue reply = Reply(id);
  try {
    if (OneOf(kControllerCommands, command)) {
      if (inside && OneOf(kWindowChanging, command))
        throw EHostError(
            "The module is busy with a modal window, a lookup or a call: answer it first");
      Merge(reply, RunController(command, args));
    } else {
      Merge(reply, RunQuery(command, args, inside));
    }
    if (!inside) Settle();
  } catch (const std::exception& e) {
    reply = ErrorReply(id, e);
  } catch (...) {
    reply = ErrorReply(id, EHostError("An unknown error"));
  }
  const TRunning done = running_.back();
  running_.pop_back();
  if (done.Answered) {
    reply.Set("cmd", command);
    finished_commands_.Append(std::move(reply));
  } else {
    WriteReply(std::move(reply));
  }
}

void TDriver::RunStartup(bool open) {
  if (open)
    RunToCompletion("start", JsonValue::Object(), JsonValue("start"));
  else
    WriteReply(Reply(JsonValue("start")));
}

JsonValue TDriver::RunController(const std::string& command, const JsonValue& args) {
  TDLLBaseController& controller = session_.Controller();
  JsonValue result = JsonValue::Object();
  if (command == "start" || command == "open") {
    const JsonValue* params = args.Find("params");
    const int32_t opened = controller.Open(params ? JsonToVariant(*params) : start_params_);
    result.Set("result", opened);
    if (command == "start") {
      if (opened == 0) controller.SetVisible(-1);
      result.Set("visible", controller.IsVisible() != 0);
    }
  } else if (command == "apply_params") {
    result.Set("result", controller.ApplyParams(JsonToVariant(Required(args, "params"))));
  } else if (command == "apply_data") {
    const int64_t kind = Required(args, "kind").AsInteger();
    const JsonValue& reserved = Optional(args, "reserved");
    result.Set("result", controller.ApplyData(
                             static_cast<int32_t>(kind),
                             reserved.IsNull() ? 0 : static_cast<int32_t>(reserved.AsInteger()),
                             JsonToVariant(Optional(args, "data"))));
  } else if (command == "show_modal") {
    result.Set("result", VariantToJson(controller.ShowModal()));
  } else if (command == "close_window") {
    controller.CloseWindow();
  } else if (command == "set_visible") {
    const JsonValue& show = Required(args, "show");
    controller.SetVisible(show.IsBool() ? (show.AsBool() ? -1 : 0)
                                        : static_cast<int16_t>(show.AsInteger()));
    result.Set("visible", controller.IsVisible() != 0);
  } else if (command == "is_visible") {
    result.Set("result", controller.IsVisible());
  } else if (command == "is_closed") {
    result.Set("result", controller.IsClosed());
  } else if (command == "window_handle") {
    result.Set("result", static_cast<int64_t>(controller.GetWindowHandle()));
  } else if (command == "module_info") {
    const JsonValue* before = args.Find("info");
    qv::Variant info = before ? JsonToVariant(*before) : qv::Variant();
    result.Set("result", controller.GetModuleInfo(info));
    result.Set("info", VariantToJson(info));
  } else if (command == "version") {
    std::u16string text = qv::Utf8ToUtf16(OptionalString(args, "text"));
    controller.GetVersion(text);
    result.Set("text", qv::Utf16ToUtf8(text));
  } else if (command == "signal") {
    controller.DoHostSignal();
  } else if (command == "result") {
    result.Set("ResultCode", controller.ResultCode);
    result.Set("ResultData", VariantToJson(controller.ResultData));
  }
  return result;
}

JsonValue TDriver::RunQuery(const std::string& command, const JsonValue& args, bool inside) {
  JsonValue result = JsonValue::Object();
  const std::string path = OptionalString(args, "path");
  if (command == "forms") {
    JsonValue forms = JsonValue::Array();
    for (int i = 0; i < qv::Screen->FormCount(); ++i)
      forms.Append(DescribeForm(*qv::Screen->Forms(i)));
    result.Set("forms", std::move(forms));
  } else if (command == "window") {
    auto* form = dynamic_cast<qv::TCustomForm*>(ModuleForm());
    if (form == nullptr) {
      result.Set("window", JsonValue());
      return result;
    }
    JsonValue window = DescribeForm(*form);
    window.Set("handle", static_cast<int64_t>(form->Handle()));
    if (const JsonValue* names = args.Find("properties")) {
      JsonValue values = JsonValue::Object();
      for (const JsonValue& name : names->Items()) {
        try {
          values.Set(name.AsString(), PropertyValue(*form, name.AsString()));
        } catch (const EJsonError&) {
          throw;
        } catch (const std::exception& e) {
          values.Set(name.AsString(), JsonValue::Object({{"error", e.what()}}));
        }
      }
      window.Set("properties", std::move(values));
    }
    result.Set("window", std::move(window));
  } else if (command == "components") {
    qv::TComponent* owner = FindComponentByPath(path, ModuleForm());
    JsonValue components = JsonValue::Array();
    for (int i = 0; i < owner->ComponentCount(); ++i)
      components.Append(DescribeComponent(*owner->Components(i)));
    result.Set("components", std::move(components));
  } else if (command == "find") {
    result.Set("component", DescribeComponent(*FindComponentByPath(path, ModuleForm())));
  } else if (command == "get") {
    const qv::TComponent* component = FindComponentByPath(path, ModuleForm());
    result.Set("value", PropertyValue(*component, Required(args, "property").AsString()));
  } else if (command == "set") {
    qv::TComponent* component = FindComponentByPath(path, ModuleForm());
    const std::string property = Required(args, "property").AsString();
    qv::SetPropValue(component, property, ValueText(Required(args, "value")));
    result.Set("value", PropertyValue(*component, property));
  } else if (command == "props") {
    result.Set("properties", DescribeProperties(*FindComponentByPath(path, ModuleForm())));
  } else if (command == "modal") {
    qv::TCustomForm* modal = qv::Screen->ModalForm();
    result.Set("modal", modal ? DescribeForm(*modal) : JsonValue());
  } else if (command == "lookup") {
    result.Set("lookup", LookupSummary());
  } else if (command == "events") {
    JsonValue taken = TakeEvents(std::nullopt);
    result.Set("events", taken.IsNull() ? JsonValue::Array() : std::move(taken));
  } else if (command == "wait_event") {
    const JsonValue& code = Optional(args, "code");
    const std::optional<int32_t> until =
        code.IsNull() ? std::nullopt
                      : std::optional<int32_t>(static_cast<int32_t>(code.AsInteger()));
    JsonValue taken = TakeEvents(until);
    if (taken.IsNull() && !inside) {
      Settle();
      taken = TakeEvents(until);
    }
    if (taken.IsNull())
      throw EHostError(until ? "Event " + std::to_string(*until) + " has not been raised"
                             : std::string("No event has been raised"));
    result.Set("events", std::move(taken));
  } else if (command == "last_request") {
    result.Set("request", LastRequest());
  } else if (command == "choose") {
    const JsonValue& rows = Required(args, "rows");
    queued_rows_.push_back(JsonToVariant(rows.IsArray() ? rows : JsonValue::Array({rows})));
    result.Set("queued", static_cast<int64_t>(queued_rows_.size()));
  } else if (command == "choose_date") {
    const std::string date = Required(args, "date").AsString();
    if (!IsDateAnswer(date)) throw EJsonError("A date answer is yyyymmdd, or \"\" for none");
    queued_dates_.push_back(date);
    result.Set("queued", static_cast<int64_t>(queued_dates_.size()));
  } else if (command == "cancel_lookup") {
    throw EHostError("No lookup window is waiting");
  } else {
    throw EJsonError("Unknown command \"" + command + "\"");
  }
  return result;
}

TDriver::TOutcome TDriver::RunInput(const std::string& command, const JsonValue& args) {
  TOutcome outcome;
  outcome.Kind = TOutcomeKind::Input;
  const std::string path = OptionalString(args, "path");
  const qv::TShiftState shift = ParseShift(Optional(args, "shift"));
  if (command == "click" || command == "dblclick") {
    if (path.empty()) throw EJsonError("The command needs \"path\"");
    ReachableControl(path);
    outcome.Event = command == "click" ? qv::TInputEvent::Click(path, shift)
                                       : qv::TInputEvent::DoubleClick(path);
  } else if (command == "key" || command == "keydown" || command == "keyup") {
    const qv::Word key = ParseKey(Required(args, "key"));
    CheckKeyTarget(path);
    if (command == "keydown")
      outcome.Event = qv::TInputEvent::KeyDown(key, shift, path);
    else if (command == "keyup")
      outcome.Event = qv::TInputEvent::KeyUp(key, shift, path);
    else
      outcome.Event = qv::TInputEvent::Keystroke(key, shift, path);
  } else if (command == "press") {
    const std::string character = OneCharacter(Required(args, "char").AsString());
    CheckKeyTarget(path);
    outcome.Event = qv::TInputEvent::KeyPress(character, path);
  } else if (command == "type") {
    const std::string text = Required(args, "text").AsString();
    CheckKeyTarget(path);
    outcome.Event = qv::TInputEvent::TypeText(text, path);
  } else if (command == "focus") {
    if (path.empty()) throw EJsonError("The command needs \"path\"");
    CheckKeyTarget(path);
    outcome.Event = qv::TInputEvent::SetFocus(path);
  } else if (command == "close") {
    qv::TCustomForm* form =
        path.empty() ? InputForm() : dynamic_cast<qv::TCustomForm*>(ReachableControl(path));
    if (form == nullptr || !qv::Screen->AcceptsInput(form))
      throw EHostError(path.empty() ? std::string("No window takes input")
                                    : "'" + path + "' is no window that takes input");
    outcome.Event = qv::TInputEvent::CloseWindow(path);
  } else if (command == "answer") {
    qv::TCustomForm* modal = qv::Screen->ModalForm();
    if (modal == nullptr) throw EHostError("No modal window is open");
    const std::string name = Required(args, "button").AsString();
    qv::TButton* button = ButtonOf(*modal, name);
    if (button == nullptr || !Reachable(button))
      throw EHostError("The modal window has no button '" + name + "' that can be clicked");
    const std::string target =
        modal->Name().empty() ? button->Name() : modal->Name() + "." + button->Name();
    outcome.Event = qv::TInputEvent::Click(target);
  }
  return outcome;
}

TDriver::TOutcome TDriver::RunLookupAnswer(const std::string& command, const JsonValue& args) {
  TOutcome outcome;
  outcome.Kind = TOutcomeKind::Answer;
  if (command == "cancel_lookup") {
    outcome.Answer = lookup_->Rows ? qv::Variant() : qv::Variant("");
    return outcome;
  }
  if (command == "choose_date") {
    if (lookup_->Rows) throw EHostError("The lookup window waits for rows: use choose");
    const std::string date = Required(args, "date").AsString();
    if (!IsDateAnswer(date)) throw EJsonError("A date answer is yyyymmdd, or \"\" for none");
    outcome.Answer = qv::Variant(date);
    return outcome;
  }
  if (!lookup_->Rows) throw EHostError("A date picker waits: use choose_date");
  const JsonValue& rows_json = Required(args, "rows");
  const JsonValue rows = rows_json.IsArray() ? rows_json : JsonValue::Array({rows_json});
  const qv::Variant& asked = lookup_->Asked;
  const qv::Variant& offered = asked[4];
  const int count = offered.IsArray() ? qv::VarArrayHighBound(offered, 1) + 1 : 0;
  if (rows.Items().size() > 1 && !asked[6].AsBoolean())
    throw EHostError("This lookup window takes one row");
  for (const JsonValue& row : rows.Items())
    if (row.AsInteger() < 0 || row.AsInteger() >= count)
      throw EHostError("The lookup window offers rows 0 to " + std::to_string(count - 1));
  outcome.Answer = JsonToVariant(rows);
  return outcome;
}

qv::Variant TDriver::ChooseRows(const qv::Variant& asked) {
  if (!queued_rows_.empty()) {
    qv::Variant answer = std::move(queued_rows_.front());
    queued_rows_.pop_front();
    return answer;
  }
  if (finished_ || lookup_) return qv::Variant();
  lookup_ = TLookup{true, asked};
  qv::Variant answer;
  const bool answered = Serve(nullptr, &answer);
  lookup_.reset();
  return answered ? answer : qv::Variant();
}

qv::Variant TDriver::ChooseDate(const qv::Variant& asked) {
  if (!queued_dates_.empty()) {
    qv::Variant answer(queued_dates_.front());
    queued_dates_.pop_front();
    return answer;
  }
  if (finished_ || lookup_) return qv::Variant("");
  lookup_ = TLookup{false, asked};
  qv::Variant answer("");
  const bool answered = Serve(nullptr, &answer);
  lookup_.reset();
  return answered ? answer : qv::Variant("");
}

bool TDriver::InsideModule() const {
  return qv::Screen->ModalForm() != nullptr || lookup_.has_value() || !running_.empty();
}

void TDriver::Settle() {
  qv::Application->ProcessMessages();
}

qv::TComponent* TDriver::ModuleForm() const {
  if (!session_.HasController()) return nullptr;
  const qv::HWND handle = session_.Controller().GetWindowHandle();
  return handle == 0 ? nullptr : qv::FindControl(handle);
}

JsonValue TDriver::TakeEvents(std::optional<int32_t> until) {
  size_t count = 0;
  if (until) {
    while (count < events_.size() && events_[count].Code != *until) ++count;
    if (count == events_.size()) return JsonValue();
    ++count;
  } else {
    count = events_.size();
    if (count == 0) return JsonValue();
  }
  JsonValue taken = JsonValue::Array();
  for (size_t i = 0; i < count; ++i) {
    taken.Append(
        JsonValue::Object({{"code", events_.front().Code}, {"name", events_.front().Name}}));
    events_.pop_front();
  }
  return taken;
}

JsonValue TDriver::LookupSummary() const {
  if (!lookup_) return JsonValue();
  const qv::Variant& asked = lookup_->Asked;
  JsonValue summary = JsonValue::Object({{"kind", lookup_->Rows ? "rows" : "date"}});
  try {
    if (lookup_->Rows) {
      const char* names[] = {"table", "key",         "title",     "captions", "rows",
                             "args",  "multiSelect", "startText", "startRow", "user"};
      for (int i = 0; i < 10; ++i) summary.Set(names[i], VariantToJson(asked[i]));
    } else {
      const char* names[] = {"initialDate", "rocYear", "dbName"};
      for (int i = 0; i < 3; ++i) summary.Set(names[i], VariantToJson(asked[i]));
    }
  } catch (const std::exception&) {
    summary.Set("asked", VariantToJson(asked));
  }
  return summary;
}

JsonValue TDriver::WaitingState() const {
  // Short: the "modal" and "lookup" commands describe it in full.
  auto pick = [](const JsonValue& from, std::initializer_list<const char*> names) {
    JsonValue picked = JsonValue::Object();
    for (const char* name : names)
      if (const JsonValue* value = from.Find(name)) picked.Set(name, *value);
    return picked;
  };
  try {
    if (lookup_)
      return JsonValue::Object(
          {{"lookup", pick(LookupSummary(), {"kind", "table", "key", "title", "initialDate"})}});
    if (qv::TCustomForm* modal = qv::Screen->ModalForm())
      return JsonValue::Object(
          {{"modal", pick(DescribeForm(*modal), {"name", "class", "caption", "text"})}});
  } catch (const std::exception& e) {
    return JsonValue::Object({{"error", e.what()}});
  }
  return JsonValue();
}

void TDriver::WriteReply(JsonValue reply) {
  JsonValue waiting = WaitingState();
  if (!waiting.IsNull()) reply.Set("waiting", std::move(waiting));
  if (!finished_commands_.Items().empty()) {
    reply.Set("finished", std::move(finished_commands_));
    finished_commands_ = JsonValue::Array();
  }
  if (!exceptions_.Items().empty()) {
    reply.Set("exceptions", std::move(exceptions_));
    exceptions_ = JsonValue::Array();
  }
  out_ << WriteJson(reply) << '\n' << std::flush;
}

void TDriver::FlushWaiting() {
  if (pending_) {
    JsonValue reply = std::move(*pending_);
    pending_.reset();
    WriteReply(std::move(reply));
  }
  for (TRunning& running : running_) {
    if (running.Answered) continue;
    running.Answered = true;
    JsonValue reply = Reply(running.Id);
    reply.Set("running", running.Command);
    WriteReply(std::move(reply));
  }
}

void TDriver::WriteOutcome() {
  FlushWaiting();
  JsonValue outcome = JsonValue::Object();
  if (session_.HasController()) {
    TDLLBaseController& controller = session_.Controller();
    outcome.Set("ResultCode", controller.ResultCode);
    outcome.Set("ResultData", VariantToJson(controller.ResultData));
  }
  WriteReply(JsonValue::Object({{"outcome", std::move(outcome)}}));
}

void TDriver::EventRaised(const THostEvent& event) {
  events_.push_back(event);
}

void TDriver::ExceptionRaised(const std::exception& error) {
  JsonValue entry = JsonValue::Object({{"message", error.what()}});
  if (const auto* known = dynamic_cast<const qv::Exception*>(&error))
    entry.Set("class", known->ClassName());
  exceptions_.Append(std::move(entry));
}

}  // namespace ravlet::host
