// ravlet-host: loads RavletC.so as the ERP client does, gives its controller
// a work-center object and an event handler, opens and shows the window,
// runs the message loop and prints the outcome. With --driver (or --script)
// the loop takes its input from JSON-line commands (docs/driver.md).

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "driver.h"
#include "host_choices.h"
#include "host_options.h"
#include "host_session.h"
#include "platform/automation/ole_call.h"
#include "platform/automation/ole_object.h"
#include "platform/system/environment.h"
#include "platform/vcl/application.h"

namespace ravlet::host {

extern const char* const kDefaultRegistry;

namespace {

constexpr const char* kWorkCenterProgId = "PellamWorkCenter.Manager";

// A temporary file holding the built-in registry, removed at exit.
class TTempFile {
 public:
  explicit TTempFile(const std::string& contents) {
    std::string pattern = qv::GetTempFolder() + "ravlet-host-XXXXXX.reg";
    const int fd = mkstemps(pattern.data(), 4);
    if (fd < 0) throw EHostError("Cannot create a temporary registry file in " + pattern);
    name_ = pattern;
    const bool written =
        write(fd, contents.data(), contents.size()) == static_cast<ssize_t>(contents.size());
    close(fd);
    if (!written) throw EHostError("Cannot write the temporary registry file " + name_);
  }
  ~TTempFile() { unlink(name_.c_str()); }
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

JsonValue EventLine(const THostEvent& event) {
  return JsonValue::Object({{"event", event.Code}, {"name", event.Name}});
}

int RunHost(const THostOptions& options) {
  std::unique_ptr<TTempFile> built_in_registry;
  std::string registry = options.Registry;
  if (registry.empty()) {
    built_in_registry = std::make_unique<TTempFile>(kDefaultRegistry);
    registry = built_in_registry->Name();
  }
  setenv("QVR_REGISTRY", registry.c_str(), 1);
  if (!options.DataDir.empty()) setenv("RAVLET_DATA_DIR", options.DataDir.c_str(), 1);

  THostSession session(options.Library);
  if (options.WindowClass && !session.SelectWindowClass(*options.WindowClass))
    throw EHostError("The module has no window class " + *options.WindowClass);
  session.CreateController();
  TDLLBaseController& controller = session.Controller();
  try {
    controller.WorkCenter = qv::CreateOleObject(kWorkCenterProgId);
  } catch (const std::exception& e) {
    std::cerr << "ravlet-host: no work-center object: " << e.what() << std::endl;
  }

  std::ifstream script;
  std::istringstream no_input;
  std::istream* input = &no_input;
  if (!options.Script.empty()) {
    script.open(options.Script);
    if (!script) throw EHostError("Cannot read the script " + options.Script);
    input = &script;
  } else if (options.Driver) {
    input = &std::cin;
  }
  const bool interactive = input != &no_input;

  auto driver = std::make_shared<TDriver>(*input, std::cout, session, options.StartParams);
  // Replies own standard output under a driver; events go there only without one.
  session.OnEvent = [driver = driver.get(), interactive](const THostEvent& event) {
    driver->EventRaised(event);
    (interactive ? std::cerr : std::cout) << WriteJson(EventLine(event)) << std::endl;
  };
  qv::Application->OnException = [driver = driver.get()](const std::exception& error) {
    driver->ExceptionRaised(error);
  };
  qv::Application->SetInputSource(driver);
  if (qv::VarIsDispatchObject(controller.WorkCenter)) {
    try {
      qv::OlePropertySet(
          controller.WorkCenter, "ChoiceSource",
          qv::Variant(std::shared_ptr<qv::IDispatch>(std::make_shared<THostChoices>(driver))));
    } catch (const std::exception& e) {
      std::cerr << "ravlet-host: lookups cannot be answered: " << e.what() << std::endl;
    }
  }

  driver->RunStartup(options.Open);
  try {
    qv::Application->Run();
  } catch (const std::exception& e) {
    // The input ended while a modal window waited for it.
    std::cerr << "ravlet-host: " << e.what() << std::endl;
  }
  controller.CloseWindow();
  qv::Application->ProcessMessages();
  driver->WriteOutcome();

  qv::Application->SetInputSource(nullptr);
  qv::Application->OnException = nullptr;
  session.OnEvent = nullptr;
  return 0;
}

}  // namespace
}  // namespace ravlet::host

int main(int argc, char** argv) {
  using namespace ravlet::host;
  THostOptions options;
  try {
    options = ParseHostOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    std::cerr << "ravlet-host: " << e.what() << "\n" << kHostUsage;
    return 2;
  }
  if (options.Help) {
    std::cout << kHostUsage;
    return 0;
  }
  try {
    return RunHost(options);
  } catch (const std::exception& e) {
    std::cerr << "ravlet-host: " << e.what() << std::endl;
    return 1;
  }
}
