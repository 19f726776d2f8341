#include "runtime/install_key.h"

#include "platform/system/registry.h"

namespace ravlet {
namespace {

std::string ReadText(const qv::TRegistry& reg, const char* name) {
  try {
    return reg.ReadString(name);
  } catch (const qv::Exception&) {
    return "";
  }
}

}  // namespace

InstallValues ReadInstallValues() {
  InstallValues values;
  try {
    qv::TRegistry reg(qv::HKEY_LOCAL_MACHINE);
    if (!reg.OpenKeyReadOnly(std::string(kInstallKey))) return values;
    values.KeyOpened = true;
    values.ClientPath = ReadText(reg, "ClientPath");
    values.ServerPath = ReadText(reg, "ServerPath");
    values.ProfileType = ReadText(reg, "ProfileType");
    reg.CloseKey();
  } catch (const std::exception&) {
    values = InstallValues{};
  }
  return values;
}

}  // namespace ravlet
