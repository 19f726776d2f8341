#include "browser/browser.h"

#include "common/call_recorder.h"
#include "platform/system/clock.h"
#include "platform/text/string_utils.h"

namespace standin {

namespace {

constexpr const char* kLog = "browser";

}  // namespace

TBrowser::TBrowser() : TAutoObject("TInternetExplorer") {
  struct Setting {
    const char* name;
    bool boolean;
  } settings[] = {{"Visible", true}, {"Left", false},   {"Top", false},       {"Height", false},
                  {"Width", false},  {"MenuBar", true}, {"AddressBar", true}, {"ToolBar", true}};
  for (const Setting& s : settings) {
    std::string name = s.name;
    bool boolean = s.boolean;
    settings_[name] =
        boolean ? qv::Variant(name == "AddressBar" || name == "MenuBar" || name == "ToolBar")
                : qv::Variant(0);
    RegisterProperty(
        name,
        [this, name] {
          std::lock_guard lock(mutex_);
          return settings_[name];
        },
        [this, name, boolean](const qv::Variant& v) {
          // Converting first rejects a value the real property would not take.
          qv::Variant value = boolean ? qv::Variant(v.AsBoolean()) : qv::Variant(v.AsInteger());
          Record(name + " :=", qv::VarArrayOf({v}));
          std::lock_guard lock(mutex_);
          settings_[name] = value;
        });
  }
  RegisterMethod("Navigate", 1, 5, [this](Args& a) {
    std::string url = qv::Trim(qv::VarToStr(a[0]));
    if (url.empty()) throw qv::EOleError("Navigate needs an address");
    {
      std::lock_guard lock(mutex_);
      if (quit_) throw qv::EOleError("The browser has quit");
    }
    qv::Variant args = qv::VarArrayCreate({0, static_cast<int>(a.Count()) - 1});
    for (size_t i = 0; i < a.Count(); ++i) args[static_cast<int>(i)] = a[i];
    Record("Navigate", args);
    std::lock_guard lock(mutex_);
    location_ = url;
    return qv::Variant();
  });
  RegisterProperty("LocationURL", [this] {
    std::lock_guard lock(mutex_);
    return qv::Variant(location_);
  });
  RegisterMethod("Quit", 0, [this](Args&) {
    Record("Quit", qv::VarArrayCreate({0, -1}));
    std::lock_guard lock(mutex_);
    quit_ = true;
    return qv::Variant();
  });
  RegisterMethod("RecordedCalls", 0,
                 [](Args&) { return RecordedCallsAsVariant(CallRecorder::Named(kLog).Calls()); });
}

void TBrowser::Record(const std::string& operation, const qv::Variant& args) {
  CallRecorder::Named(kLog).Record({qv::Now(), kBrowserProgId, operation, args, qv::Variant()});
}

}  // namespace standin

extern "C" __attribute__((visibility("default"))) int QvCreateBrowser(
    const char* progId, std::shared_ptr<qv::IDispatch>* out) {
  if (out == nullptr || progId == nullptr) return 1;
  if (!qv::SameText(progId, standin::kBrowserProgId)) return 2;
  *out = std::make_shared<standin::TBrowser>();
  return 0;
}
