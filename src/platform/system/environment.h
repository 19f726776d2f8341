#pragma once
// Facts about the workstation and the running program.

#include <string>

namespace qv {

// QVR_USER_NAME, else USER or LOGNAME, else the account of the process.
std::string GetWindowsUserName();
// QVR_COMPUTER_NAME, else the host name.
std::string GetComputerName();
// TMPDIR when it names an existing folder, else "/tmp"; always ending in "/".
std::string GetTempFolder();
// The folder of the running program, ending in "/".
std::string GetHostProgramFolder();
// The file of the loaded program or shared library that contains the address;
// empty when none does.
std::string GetModuleFileNameOf(const void* addressInModule);

}  // namespace qv
