#pragma once
// The command line of ravlet-host.

#include <optional>
#include <string>
#include <vector>

#include "platform/variant/variant.h"

namespace ravlet::host {

struct THostOptions {
  bool Help = false;
  // Commands as JSON lines on standard input, or from a file.
  bool Driver = false;
  std::string Script;
  std::string Library;
  // Empty: the registry file built into the program.
  std::string Registry;
  std::string DataDir;
  // Open (and show) the window at start.
  bool Open = true;
  // Test aid: the window class Open creates, by name; "" for none.
  std::optional<std::string> WindowClass;
  qv::Variant StartParams;
};

extern const char* const kHostUsage;

// Raises EHostError for an unknown option or a missing or bad value.
THostOptions ParseHostOptions(const std::vector<std::string>& args);

}  // namespace ravlet::host
