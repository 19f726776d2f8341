#pragma once
// Where the installation records itself: a key under HKEY_LOCAL_MACHINE with
// the client and server folders and the profile kind.

#include <string_view>

namespace ravlet {

inline constexpr std::string_view kInstallKey = "Software\\QVR\\Skeldor";
inline constexpr std::string_view kClientPathValue = "ClientPath";
inline constexpr std::string_view kServerPathValue = "ServerPath";
inline constexpr std::string_view kProfileTypeValue = "ProfileType";

}  // namespace ravlet
