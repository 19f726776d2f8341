#include "runtime/skeldor_ini.h"

#include <string_view>
#include <vector>

#include "platform/system/environment.h"
#include "platform/system/ini_file.h"
#include "platform/system/paths.h"
#include "platform/text/code_page.h"
#include "platform/text/string_utils.h"
#include "runtime/alert_log.h"
#include "runtime/install_key.h"
#include "runtime/message_code.h"
#include "runtime/password_codec.h"

namespace ravlet {
namespace {

// Windows hands the user name over in a 32-byte buffer.
constexpr std::size_t kMaxUserNameBytes = 31;

// What differs between the client and the server profile.
struct ProfileKind {
  const char* fileName;
  const char* defaultModuleFolder;
  const char* location;
};
constexpr ProfileKind kClient{"SkeldorC.ini", "C_PKG\\", "TSkeldorIniC.LoadProfile"};
constexpr ProfileKind kServer{"SkeldorS.ini", "S_PKG\\", "TSkeldorIniS.LoadProfile"};

// The fields both profiles share, by reference.
struct CommonFields {
  std::string& installPath;
  std::string& profilePath;
  std::string& profileType;
  std::string& userName;
  std::string& uiCodePage;
  std::string& dbCodePage;
  std::string& sysCodePage;
  std::uint8_t& uiConvertMode;
  std::uint8_t& dbConvertMode;
  bool& supportCallBack;
  std::string& iniFileName;
  std::string& errorCode;
};

std::string SystemCodePage() {
  int cp = qv::GetAnsiCodePage();
  return cp == 936 || cp == 950 ? qv::IntToStr(cp) : "437";
}

void DeriveConvertModes(CommonFields& f) {
  if (f.uiCodePage == "950")
    f.uiConvertMode = 2;
  else if (f.uiCodePage == "936" && f.sysCodePage == "950")
    f.uiConvertMode = 4;
  else
    f.uiConvertMode = 0;

  if (f.uiCodePage == "950" && f.dbCodePage == "936")
    f.dbConvertMode = 2;
  else if (f.uiCodePage == "936" && f.dbCodePage == "950")
    f.dbConvertMode = 1;
  else
    f.dbConvertMode = 0;
}

bool ReadAsBoolean(const std::string& value) {
  std::string upper = qv::UpperCase(value);
  return upper == "1" || upper == "Y" || upper == "YES" || upper == "TRUE";
}

// The Windows user name, or empty when it would not fit the 32-byte buffer.
// A name that could lead out of the Profile folder is not taken either.
std::string ProfileUserName() {
  std::string name = qv::GetWindowsUserName();
  std::size_t bytes = name.size();
  try {
    bytes = qv::ByteLengthInCodePage(name, qv::GetAnsiCodePage());
  } catch (const qv::Exception&) {
  }
  if (bytes > kMaxUserNameBytes) return "";
  if (name.find_first_of("\\/:") != std::string::npos) return "";
  if (name.find_first_not_of('.') == std::string::npos) return "";
  return name;
}

// Steps shared by both profiles up to choosing the file: defaults, the
// registry and the profile folder. False when there is nothing to read.
bool LocateProfile(CommonFields f, const ProfileKind& kind, bool client) {
  f.errorCode.clear();
  f.profileType = "0";
  f.userName = "Default";
  f.uiCodePage = "936";
  f.dbCodePage = "936";
  f.installPath.clear();
  f.profilePath.clear();
  f.sysCodePage = SystemCodePage();
  f.uiCodePage = f.sysCodePage;
  f.supportCallBack = false;
  f.iniFileName.clear();
  DeriveConvertModes(f);

  InstallValues install = ReadInstallValues();
  if (!install.KeyOpened) {
    f.errorCode = kMsgRegistryKeyMissing;
    return false;
  }
  f.installPath = client ? install.ClientPath : install.ServerPath;
  f.profileType = install.ProfileType;
  if (f.installPath.empty()) return false;
  f.installPath = qv::IncludeTrailingBackslash(f.installPath);

  if (f.profileType.empty() || f.profileType == "0") {
    f.profilePath = f.installPath;
  } else {
    f.userName = ProfileUserName();
    f.profilePath = f.installPath + "Profile\\" + f.userName + "\\";
  }
  f.iniFileName = f.profilePath + kind.fileName;
  if (!qv::FileExists(f.iniFileName)) {
    f.profilePath = f.installPath;
    f.iniFileName = f.profilePath + kind.fileName;
  }
  return true;
}

// Each "key=value" line becomes its value as an absolute folder; without
// lines the installation's default module folder is used.
void ResolveModuleFolders(qv::TStringList& list, const std::vector<std::string>& lines,
                          const std::string& installPath, const ProfileKind& kind) {
  list.Clear();
  if (lines.empty()) {
    list.Add(installPath + kind.defaultModuleFolder);
    return;
  }
  for (const auto& line : lines) {
    std::size_t equals = line.find('=');
    std::string value = equals == std::string::npos ? line : line.substr(equals + 1);
    list.Add(ResolvePath(qv::IncludeTrailingBackslash(value), installPath));
  }
}

}  // namespace

std::string ResolvePath(const std::string& path, const std::string& base) {
  if (qv::HasDrivePrefix(path)) return path;
  if (!path.empty() && path.front() == '/') return path;
  if (!path.empty() && path.front() == '\\') return base + path.substr(1);
  return base + path;
}

TSkeldorIniC::TSkeldorIniC() : WorkDLLPaths(std::make_unique<qv::TStringList>()) {
  LoadProfile();
}

TSkeldorIniC::~TSkeldorIniC() = default;

bool TSkeldorIniC::LoadProfile() {
  ServerList = qv::Variant();
  WorkDLLPaths->Clear();
  LangType.clear();
  Version.clear();
  CreateGifBeforeSendEF.clear();
  AutoCheckNewMsg.clear();
  CheckInterval.clear();
  PopupMsg.clear();
  LoginCheck.clear();
  CommonFields f{ClientPath,    ProfilePath,     ProfileType, UserName,
                 UICodePage,    DBCodePage,      SysCodePage, UIConvertMode,
                 DBConvertMode, SupportCallBack, IniFileName, ErrorCode};
  try {
    if (!LocateProfile(f, kClient, true)) return false;

    qv::TIniFile ini(IniFileName);
    LangType = ini.ReadString("Client Components", "LangType", "ENG");
    Version = ini.ReadString("ProductVersion", "Version", "");
    CreateGifBeforeSendEF = ini.ReadString("UserDefine", "CreateGifBeforeSendEF", "Y");
    UICodePage = ini.ReadString("CodePage", "UICodePage", SysCodePage);
    DBCodePage = ini.ReadString("CodePage", "DBCodePage", "936");
    std::string callBack = ini.ReadString("Server Information", "SupportCallBack", "0");
    std::string hosts = qv::Trim(ini.ReadString("Server Information", "ComputerName", "127.0.0.1"));
    int port = ini.ReadInteger("Server Information", "ServerPort", 211);
    std::vector<std::string> moduleLines = ini.ReadSectionValues("WorkDLLPath");
    AutoCheckNewMsg = ini.ReadString("TaskMessageCenter Setting", "AutoCheckNewMsg", "1");
    CheckInterval = ini.ReadString("TaskMessageCenter Setting", "CheckInterval", "1");
    PopupMsg = ini.ReadString("TaskMessageCenter Setting", "PopupMsg", "1");
    LoginCheck = ini.ReadString("TaskMessageCenter Setting", "LoginCheck", "0");

    SupportCallBack = ReadAsBoolean(callBack);
    DeriveConvertModes(f);
    // The module folders are resolved even when the host list fails below,
    // so the list never holds raw "key=value" lines.
    ResolveModuleFolders(*WorkDLLPaths, moduleLines, ClientPath, kClient);

    if (!hosts.empty() && hosts.back() == ';') hosts.pop_back();
    if (hosts.empty()) {
      ErrorCode = kMsgNoApplicationServer;
      return false;
    }
    std::vector<std::string> names = qv::SplitString(hosts, ';');
    qv::Variant servers = qv::VarArrayCreate({0, 1, 0, 0});
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
      if (i > 0) qv::VarArrayRedim(servers, i);
      servers.At(0, i) = names[i];
      servers.At(1, i) = port;
    }
    ServerList = std::move(servers);
    return true;
  } catch (const std::exception& e) {
    LogException(&e, kClient.location, "");
    return false;
  }
}

TSkeldorIniS::TSkeldorIniS() : WorkDLLPaths(std::make_unique<qv::TStringList>()) {
  LoadProfile();
}

TSkeldorIniS::~TSkeldorIniS() = default;

void TSkeldorIniS::GetWorkDLLPaths(qv::TStringList& list) const {
  list.Assign(*WorkDLLPaths);
}

bool TSkeldorIniS::LoadProfile() {
  DBSettings = qv::Variant();
  WorkDLLPaths->Clear();
  Version.clear();
  DBKind = 0;
  SystemControlAddress.clear();
  OtherSystemControlAddress.clear();
  CommonFields f{ServerPath,    ProfilePath,     ProfileType, UserName,
                 UICodePage,    DBCodePage,      SysCodePage, UIConvertMode,
                 DBConvertMode, SupportCallBack, IniFileName, ErrorCode};
  try {
    if (!LocateProfile(f, kServer, false)) return false;

    qv::Variant db = qv::VarArrayCreate({0, 3, 0, 7});
    qv::TIniFile ini(IniFileName);
    const std::string dbe = "DBE Setting";
    const std::string ctrl = "DBPasswordCtrl";
    Version = ini.ReadString("ProductVersion", "Version", "");
    UICodePage = ini.ReadString("CodePage", "UICodePage", SysCodePage);
    DBCodePage = ini.ReadString("CodePage", "DBCodePage", "936");
    db.At(0, 1) = ini.ReadString(dbe, "MainUserName", "sa");
    db.At(0, 2) = DecodePassword(ini.ReadString(dbe, "XXXXXX", ""));
    db.At(0, 0) = ini.ReadString(dbe, "MainAlias", "Pellam");
    std::string mainDBType = ini.ReadString(dbe, "MainDBType", "MSSQL");
    db.At(0, 3) = mainDBType;
    db.At(0, 4) = ini.ReadString(dbe, "MainDBName", "");
    std::string mainServerName = ini.ReadString(dbe, "MainServerName", "");
    db.At(0, 5) = mainServerName;
    SystemControlAddress = ini.ReadString(dbe, "SystemControlAddress", "");
    OtherSystemControlAddress = ini.ReadString(dbe, "OtherSystemControlAddress", "");
    db.At(0, 6) = ini.ReadInteger(dbe, "MainConnectionTimeOut", 300);
    db.At(0, 7) = ini.ReadInteger(dbe, "MainCommandTimeOut", 3000);
    db.At(1, 0) = ini.ReadString(dbe, "TempAlias", "PellamTemp");
    db.At(1, 1) = ini.ReadString(dbe, "TempUserName", "sa");
    db.At(1, 2) = DecodePassword(ini.ReadString(dbe, "TempPassword", ""));
    db.At(1, 3) = ini.ReadString(dbe, "TempDBType", "PARADOX");
    db.At(1, 4) = ini.ReadString(dbe, "TempDBName", "");
    db.At(1, 5) = ini.ReadString(dbe, "TempDriverName", "PostgreSQL");
    db.At(1, 6) = ini.ReadInteger(dbe, "TempConnectionTimeOut", 300);
    db.At(1, 7) = ini.ReadInteger(dbe, "TempCommandTimeOut", 3000);
    db.At(2, 0) = qv::Trim(ini.ReadString(ctrl, "ComputerName", ""));
    db.At(2, 1) = ini.ReadInteger(ctrl, "ServerPort", 211);
    db.At(2, 2) = ini.ReadInteger(ctrl, "ClientSocketPort", 1024);
    std::string callBack = ini.ReadString(ctrl, "SupportCallBack", "0");
    db.At(2, 3) = ini.ReadString(dbe, "DataBaseCodeOrder", "Chinese_Taiwan_Stroke_BIN");
    db.At(3, 0) = ini.ReadString(dbe, "EctAlias", "EDIDATA");
    db.At(3, 1) = ini.ReadString(dbe, "EctUserName", "sa");
    db.At(3, 2) = ini.ReadString(dbe, "EctPassword", "");
    std::vector<std::string> moduleLines = ini.ReadSectionValues("WorkDLLPath");
    DBSettings = std::move(db);

    SupportCallBack = ReadAsBoolean(callBack);
    DeriveConvertModes(f);
    if (qv::Trim(SystemControlAddress).empty()) SystemControlAddress = mainServerName;
    if (qv::Trim(OtherSystemControlAddress).empty()) OtherSystemControlAddress = mainServerName;
    if (qv::SameText(mainDBType, "ORACLE"))
      DBKind = 1;
    else if (qv::SameText(mainDBType, "DB2"))
      DBKind = 2;
    ResolveModuleFolders(*WorkDLLPaths, moduleLines, ServerPath, kServer);
    return true;
  } catch (const std::exception& e) {
    LogException(&e, kServer.location, "");
    return false;
  }
}

}  // namespace ravlet
