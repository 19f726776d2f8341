#include "host_options.h"

#include "host_session.h"
#include "json_variant.h"
#include "platform/system/environment.h"
#include "platform/text/string_utils.h"

namespace ravlet::host {

const char* const kHostUsage =
    "usage: ravlet-host [options]\n"
    "  --driver              read commands as JSON lines on standard input\n"
    "  --script FILE         read the same commands from a file\n"
    "  --library PATH        the module to load (default: RavletC.so next to the program)\n"
    "  --registry FILE       registry file (default: the one built into the program)\n"
    "  --data-dir DIR        data folder of the stand-ins (RAVLET_DATA_DIR)\n"
    "  --user ID --company ID --database NAME --host-window N --extra TEXT\n"
    "                        the start parameters (default: empty texts and 0)\n"
    "  --start-params JSON   the start parameters as one JSON list instead\n"
    "  --no-open             do not open the window at start\n"
    "  --window-class NAME   (tests) the window class Open creates; \"\" for none\n"
    "  --help\n";

THostOptions ParseHostOptions(const std::vector<std::string>& args) {
  THostOptions options;
  options.Library = qv::GetHostProgramFolder() + "RavletC.so";
  std::string user, company, database, extra;
  int host_window = 0;
  std::optional<std::string> start_params;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw EHostError("The option " + option + " needs a value");
      return args[++i];
    };
    if (option == "--help" || option == "-h") {
      options.Help = true;
    } else if (option == "--driver") {
      options.Driver = true;
    } else if (option == "--script") {
      options.Script = value();
    } else if (option == "--library") {
      options.Library = value();
    } else if (option == "--registry") {
      options.Registry = value();
    } else if (option == "--data-dir") {
      options.DataDir = value();
    } else if (option == "--user") {
      user = value();
    } else if (option == "--company") {
      company = value();
    } else if (option == "--database") {
      database = value();
    } else if (option == "--host-window") {
      if (!qv::TryStrToInt(value(), host_window)) throw EHostError("--host-window takes a number");
    } else if (option == "--extra") {
      extra = value();
    } else if (option == "--start-params") {
      start_params = value();
    } else if (option == "--no-open") {
      options.Open = false;
    } else if (option == "--window-class") {
      options.WindowClass = value();
    } else {
      throw EHostError("Unknown option " + option);
    }
  }
  if (options.Driver && !options.Script.empty())
    throw EHostError("--driver and --script exclude each other");
  if (start_params) {
    try {
      options.StartParams = JsonToVariant(ParseJson(*start_params));
    } catch (const EJsonError& e) {
      throw EHostError(std::string("--start-params: ") + e.what());
    }
  } else {
    options.StartParams = qv::VarArrayOf({user, company, database, host_window, extra});
  }
  return options;
}

}  // namespace ravlet::host
