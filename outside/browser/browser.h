#pragma once
// The browser "InternetExplorer.Application". Nothing is shown and nothing is
// fetched: the window settings and the addresses it is sent to are kept on the
// object and recorded (in memory and in browser.jsonl in the data folder), so
// that a test or a person can see what the module asked for.
//   Visible, Left, Top, Height, Width, MenuBar, AddressBar, ToolBar  properties
//   Navigate(var url)     -> the address becomes LocationURL
//   LocationURL           -> the last address navigated to ("" before)
//   Quit()
//   RecordedCalls()       -> [[operation, arguments, result], ...] of this process

#include <map>
#include <mutex>
#include <string>

#include "platform/automation/auto_object.h"

namespace standin {

inline constexpr const char* kBrowserProgId = "InternetExplorer.Application";

class TBrowser : public qv::TAutoObject {
 public:
  TBrowser();

 private:
  void Record(const std::string& operation, const qv::Variant& args);

  std::mutex mutex_;
  std::map<std::string, qv::Variant> settings_;  // by property name as registered
  std::string location_;
  bool quit_ = false;
};

}  // namespace standin
