#pragma once
// Where the installation records itself: the key Software\QVR\Skeldor under
// HKEY_LOCAL_MACHINE with the client and server folders and the profile kind.

#include <string>
#include <string_view>

namespace ravlet {

inline constexpr std::string_view kInstallKey = "Software\\QVR\\Skeldor";

struct InstallValues {
  bool KeyOpened = false;  // false: the key is missing or cannot be read
  std::string ClientPath;  // the values as stored; a missing value (or one
  std::string ServerPath;  // that is not text) reads as empty
  std::string ProfileType;
};

// Reads the key afresh (the registry file may have changed); never throws.
InstallValues ReadInstallValues();

}  // namespace ravlet
