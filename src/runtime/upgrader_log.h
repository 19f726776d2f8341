#pragma once
// The upgrade downloader's own alert log. The update runs before an
// installation's settings may be trusted, so its log lives beside the host
// program, whatever the registry says.

#include <string>
#include <string_view>

namespace ravlet {

// Appends "[yyyy/mm/dd hh:nn:ss:zzz] text" to Log\Alert_<name>_<stamp>[.log]
// in the host program's folder, like WriteAlertLog. False when it could not
// write (or the name holds a path separator or ":"); never throws.
bool WriteUpgraderLog(const std::string& name, const std::string& text, std::string_view period);

}  // namespace ravlet
