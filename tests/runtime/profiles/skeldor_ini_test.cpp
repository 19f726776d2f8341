#include "runtime/skeldor_ini.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/system/clock.h"
#include "platform/system/date_time.h"
#include "support/temp_install.h"

namespace ravlet {
namespace {

using testing::ScopedAnsiCodePage;
using testing::ScopedEnv;
using testing::TempInstall;

using Servers = std::vector<std::pair<std::string, int>>;

// The columns of a ServerList, after checking its shape.
std::optional<Servers> ServerColumns(const qv::Variant& list) {
  if (list.IsEmpty()) return std::nullopt;
  EXPECT_EQ(qv::VarArrayDimCount(list), 2);
  EXPECT_EQ(qv::VarArrayLowBound(list, 1), 0);
  EXPECT_EQ(qv::VarArrayHighBound(list, 1), 1);
  EXPECT_EQ(qv::VarArrayLowBound(list, 2), 0);
  Servers servers;
  for (int i = 0; i <= qv::VarArrayHighBound(list, 2); ++i) {
    EXPECT_EQ(qv::VarType(list.At(1, i)), qv::varInteger);
    servers.emplace_back(qv::VarToStr(list.At(0, i)), list.At(1, i).AsInteger());
  }
  return servers;
}

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    install_.SetInstallValues({{"ClientPath", "D:\\Erp\\"}, {"ServerPath", "D:\\Srv\\"}});
  }
  void WriteIni(const std::string& relative, const std::string& text) {
    install_.WriteFile(relative, text);
  }

  TempInstall install_;
  ScopedEnv user_{"QVR_USER_NAME", "alice"};
  ScopedAnsiCodePage cp_{936};
  qv::ScopedClock clock_{qv::EncodeDateTime(2024, 3, 5, 9, 0, 0, 0)};
  qv::ScopedFormatSettings settings_{qv::TFormatSettings{}};
};

TEST_F(ProfileTest, ClientWithoutProfileFileHoldsEveryDefault) {
  TSkeldorIniC ini;
  EXPECT_TRUE(ini.LoadProfile());
  EXPECT_EQ(ini.ErrorCode, "");
  EXPECT_EQ(ini.ClientPath, "D:\\Erp\\");
  EXPECT_EQ(ini.ProfilePath, "D:\\Erp\\");
  EXPECT_EQ(ini.IniFileName, "D:\\Erp\\SkeldorC.ini");
  EXPECT_EQ(ini.ProfileType, "");
  EXPECT_EQ(ini.UserName, "Default");
  EXPECT_EQ(ini.LangType, "ENG");
  EXPECT_EQ(ini.Version, "");
  EXPECT_EQ(ini.CreateGifBeforeSendEF, "Y");
  EXPECT_EQ(ini.UICodePage, "936");
  EXPECT_EQ(ini.DBCodePage, "936");
  EXPECT_EQ(ini.SysCodePage, "936");
  EXPECT_FALSE(ini.SupportCallBack);
  EXPECT_EQ(ServerColumns(ini.ServerList), (Servers{{"127.0.0.1", 211}}));
  EXPECT_EQ(ini.WorkDLLPaths->ToVector(), std::vector<std::string>{"D:\\Erp\\C_PKG\\"});
  EXPECT_EQ(ini.AutoCheckNewMsg, "1");
  EXPECT_EQ(ini.CheckInterval, "1");
  EXPECT_EQ(ini.PopupMsg, "1");
  EXPECT_EQ(ini.LoginCheck, "0");
}

TEST_F(ProfileTest, ClientReadsEveryKey) {
  WriteIni("Erp/SkeldorC.ini",
           "[Client Components]\r\nLangType=CHS\r\n"
           "[ProductVersion]\r\nVersion=7.1.2\r\n"
           "[UserDefine]\r\nCreateGifBeforeSendEF=N\r\n"
           "[CodePage]\r\nUICodePage=950\r\nDBCodePage=936\r\n"
           "[Server Information]\r\nSupportCallBack=yes\r\nComputerName= appsrv ;backup\r\n"
           "ServerPort=0x00D4\r\n"
           "[WorkDLLPath]\r\nA=\\Mods\r\nB=E:\\Other\r\n"
           "[TaskMessageCenter Setting]\r\nAutoCheckNewMsg=0\r\nCheckInterval=5\r\nPopupMsg=0\r\n"
           "LoginCheck=1\r\n");
  TSkeldorIniC ini;
  EXPECT_EQ(ini.ErrorCode, "");
  EXPECT_EQ(ini.LangType, "CHS");
  EXPECT_EQ(ini.Version, "7.1.2");
  EXPECT_EQ(ini.CreateGifBeforeSendEF, "N");
  EXPECT_EQ(ini.UICodePage, "950");
  EXPECT_EQ(ini.DBCodePage, "936");
  EXPECT_EQ(ini.UIConvertMode, 2);
  EXPECT_EQ(ini.DBConvertMode, 2);
  EXPECT_TRUE(ini.SupportCallBack);
  EXPECT_EQ(ServerColumns(ini.ServerList), (Servers{{"appsrv ", 212}, {"backup", 212}}));
  EXPECT_EQ(ini.WorkDLLPaths->ToVector(),
            (std::vector<std::string>{"D:\\Erp\\Mods\\", "E:\\Other\\"}));
  EXPECT_EQ(ini.AutoCheckNewMsg, "0");
  EXPECT_EQ(ini.CheckInterval, "5");
  EXPECT_EQ(ini.PopupMsg, "0");
  EXPECT_EQ(ini.LoginCheck, "1");
}

TEST_F(ProfileTest, FailureTable) {
  const std::string header =
      "Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\Software\\QVR\\Skeldor]\r\n";
  struct Case {
    const char* what;
    std::optional<std::string> registry;  // nullopt: no registry file
    const char* clientIni;
    bool clientResult;
    const char* clientError;
    bool serverResult;
    const char* serverError;
  };
  const Case cases[] = {
      {"no registry file", std::nullopt, "", false, "E;000015", false, "E;000015"},
      {"key missing", "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n", "", false,
       "E;000015", false, "E;000015"},
      {"folders empty", header + "\"ClientPath\"=\"\"\r\n\"ProfileType\"=\"1\"\r\n", "", false, "",
       false, ""},
      {"host list only a separator", header + "\"ClientPath\"=\"D:\\\\Erp\"\r\n",
       "[Server Information]\r\nComputerName=;\r\n", false, "E;000016", false, ""},
      {"host list blank", header + "\"ClientPath\"=\"D:\\\\Erp\"\r\n",
       "[Server Information]\r\nComputerName=  \r\n", false, "E;000016", false, ""},
      {"profile file missing",
       header + "\"ClientPath\"=\"D:\\\\Erp\"\r\n\"ServerPath\"=\"D:\\\\Srv\"\r\n", "", true, "",
       true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.registry)
      install_.WriteRegistry(*c.registry);
    else
      std::filesystem::remove(install_.Path("registry.reg"));
    if (*c.clientIni) WriteIni("Erp/SkeldorC.ini", c.clientIni);
    TSkeldorIniC client;
    EXPECT_EQ(client.LoadProfile(), c.clientResult);
    EXPECT_EQ(client.ErrorCode, c.clientError);
    TSkeldorIniS server;
    EXPECT_EQ(server.LoadProfile(), c.serverResult);
    EXPECT_EQ(server.ErrorCode, c.serverError);
    std::filesystem::remove(install_.Path("Erp/SkeldorC.ini"));
  }
}

TEST_F(ProfileTest, RegistryFailureLeavesOnlyTheDefaults) {
  std::filesystem::remove(install_.Path("registry.reg"));
  ScopedAnsiCodePage cp(950);
  TSkeldorIniC client;
  EXPECT_EQ(client.ClientPath, "");
  EXPECT_EQ(client.ProfilePath, "");
  EXPECT_EQ(client.IniFileName, "");
  EXPECT_EQ(client.ProfileType, "0");
  EXPECT_EQ(client.UserName, "Default");
  EXPECT_EQ(client.SysCodePage, "950");
  EXPECT_EQ(client.UICodePage, "950");
  EXPECT_EQ(client.DBCodePage, "936");
  EXPECT_EQ(client.UIConvertMode, 2);
  EXPECT_EQ(client.DBConvertMode, 2);
  EXPECT_EQ(client.LangType, "");
  EXPECT_TRUE(client.ServerList.IsEmpty());
  EXPECT_EQ(client.WorkDLLPaths->Count(), 0);
  TSkeldorIniS server;
  EXPECT_TRUE(server.DBSettings.IsEmpty());
  EXPECT_EQ(server.WorkDLLPaths->Count(), 0);
}

TEST_F(ProfileTest, EmptyFolderKeepsTheRegistryProfileType) {
  install_.SetInstallValues({{"ClientPath", ""}, {"ProfileType", "1"}});
  TSkeldorIniC ini;
  EXPECT_EQ(ini.ErrorCode, "");
  EXPECT_EQ(ini.ProfileType, "1");
  EXPECT_EQ(ini.UserName, "Default");
  EXPECT_EQ(ini.IniFileName, "");
  EXPECT_TRUE(ini.ServerList.IsEmpty());
}

TEST_F(ProfileTest, EmptyHostListStillLoadsTheOtherKeys) {
  WriteIni("Erp/SkeldorC.ini",
           "[Client Components]\r\nLangType=CHT\r\n[Server Information]\r\nComputerName=;\r\n"
           "[WorkDLLPath]\r\nMods=\\Mods\r\n");
  TSkeldorIniC ini;
  EXPECT_EQ(ini.ErrorCode, "E;000016");
  EXPECT_EQ(ini.LangType, "CHT");
  EXPECT_TRUE(ini.ServerList.IsEmpty());
  // The folders are resolved all the same, never left as raw "key=value" lines.
  EXPECT_EQ(ini.WorkDLLPaths->ToVector(), std::vector<std::string>{"D:\\Erp\\Mods\\"});
}

TEST_F(ProfileTest, HostListTable) {
  struct Case {
    const char* keys;
    Servers servers;
  };
  const Case cases[] = {
      {"ComputerName=srvA;srvB;\r\nServerPort=212", {{"srvA", 212}, {"srvB", 212}}},
      {"ComputerName=srvA", {{"srvA", 211}}},
      {"ComputerName=a;;b\r\nServerPort=0x10", {{"a", 16}, {"", 16}, {"b", 16}}},
      {"ComputerName=a ; b", {{"a ", 211}, {" b", 211}}},
      {"ComputerName=a;;", {{"a", 211}, {"", 211}}},
      {"ComputerName=10.0.0.5\r\nServerPort=port", {{"10.0.0.5", 211}}},
      {"ServerPort=300", {{"127.0.0.1", 300}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    WriteIni("Erp/SkeldorC.ini", std::string("[Server Information]\r\n") + c.keys + "\r\n");
    TSkeldorIniC ini;
    EXPECT_EQ(ini.ErrorCode, "");
    EXPECT_EQ(ServerColumns(ini.ServerList), c.servers);
  }
}

TEST_F(ProfileTest, CodePagesAndConversionModes) {
  struct Case {
    int ansiCodePage;
    const char* codePageSection;
    const char* sys;
    const char* ui;
    const char* db;
    int uiMode;
    int dbMode;
  };
  const Case cases[] = {
      {1252, "", "437", "437", "936", 0, 0},
      {936, "", "936", "936", "936", 0, 0},
      {950, "", "950", "950", "936", 2, 2},
      {936, "UICodePage=950\r\nDBCodePage=936", "936", "950", "936", 2, 2},
      {950, "UICodePage=936\r\nDBCodePage=950", "950", "936", "950", 4, 1},
      {936, "UICodePage=936\r\nDBCodePage=950", "936", "936", "950", 0, 1},
      {950, "UICodePage=950\r\nDBCodePage=950", "950", "950", "950", 2, 0},
      {437, "UICodePage=437", "437", "437", "936", 0, 0},
      {936, "UICodePage=1252\r\nDBCodePage=abc", "936", "1252", "abc", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.ansiCodePage) + " " + c.codePageSection);
    ScopedAnsiCodePage cp(c.ansiCodePage);
    std::string text = std::string("[CodePage]\r\n") + c.codePageSection + "\r\n";
    WriteIni("Erp/SkeldorC.ini", text);
    WriteIni("Srv/SkeldorS.ini", text);
    TSkeldorIniC client;
    TSkeldorIniS server;
    for (auto [sys, ui, db, uiMode, dbMode] :
         {std::tuple(client.SysCodePage, client.UICodePage, client.DBCodePage, client.UIConvertMode,
                     client.DBConvertMode),
          std::tuple(server.SysCodePage, server.UICodePage, server.DBCodePage, server.UIConvertMode,
                     server.DBConvertMode)}) {
      EXPECT_EQ(sys, c.sys);
      EXPECT_EQ(ui, c.ui);
      EXPECT_EQ(db, c.db);
      EXPECT_EQ(uiMode, c.uiMode);
      EXPECT_EQ(dbMode, c.dbMode);
    }
  }
}

TEST_F(ProfileTest, SupportCallBackReadsAsBoolean) {
  const std::pair<const char*, bool> cases[] = {
      {"1", true},    {"y", true},           {"Yes", true}, {"TRUE", true},
      {"true", true}, {"0", false},          {"2", false},  {"no", false},
      {"", false},    {"yes please", false}, {"-1", false}, {"T", false},
  };
  for (const auto& [value, expected] : cases) {
    SCOPED_TRACE(value);
    WriteIni("Erp/SkeldorC.ini", std::string("[Server Information]\r\nSupportCallBack=") + value);
    WriteIni("Srv/SkeldorS.ini", std::string("[DBPasswordCtrl]\r\nSupportCallBack=") + value);
    EXPECT_EQ(TSkeldorIniC().SupportCallBack, expected);
    EXPECT_EQ(TSkeldorIniS().SupportCallBack, expected);
  }
}

TEST_F(ProfileTest, PerUserProfiles) {
  const std::string longName(31, 'u');
  const std::string chinese15 = "用户用户用户用户用户用户用户用a";   // 31 bytes in code page 936
  const std::string chinese16 = "用户用户用户用户用户用户用户用户";  // 32 bytes
  struct Case {
    const char* what;
    const char* profileType;
    std::string windowsUser;
    bool perUserFile;
    std::string userName;
    std::string profilePath;
  };
  const Case cases[] = {
      {"shared, type 0", "0", "alice", true, "Default", "D:\\Erp\\"},
      {"per user with own file", "1", "alice", true, "alice", "D:\\Erp\\Profile\\alice\\"},
      {"per user falls back to shared", "1", "alice", false, "alice", "D:\\Erp\\"},
      {"any other type is per user", "X", "alice", true, "alice", "D:\\Erp\\Profile\\alice\\"},
      {"31 characters fit", "1", longName, true, longName, "D:\\Erp\\Profile\\" + longName + "\\"},
      {"32 characters do not", "1", longName + "u", true, "", "D:\\Erp\\"},
      {"31 bytes of Chinese fit", "1", chinese15, true, chinese15,
       "D:\\Erp\\Profile\\" + chinese15 + "\\"},
      {"32 bytes of Chinese do not", "1", chinese16, true, "", "D:\\Erp\\"},
      {"a name leading out of the folder", "1", "..\\..\\Srv", true, "", "D:\\Erp\\"},
      {"dots only", "1", "..", true, "", "D:\\Erp\\"},
  };
  WriteIni("Erp/SkeldorC.ini", "[Client Components]\r\nLangType=shared\r\n");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    install_.SetInstallValues({{"ClientPath", "D:\\Erp"}, {"ProfileType", c.profileType}});
    ScopedEnv user("QVR_USER_NAME", c.windowsUser);
    std::filesystem::remove_all(install_.Path("Erp/Profile"));
    std::filesystem::create_directories(install_.Path("Erp/Profile"));
    if (c.perUserFile && !c.userName.empty())
      WriteIni("Erp/Profile/" + c.userName + "/SkeldorC.ini",
               "[Client Components]\r\nLangType=own\r\n");
    if (c.perUserFile) WriteIni("Srv/SkeldorC.ini", "[Client Components]\r\nLangType=escaped\r\n");
    TSkeldorIniC ini;
    EXPECT_EQ(ini.ProfileType, c.profileType);
    EXPECT_EQ(ini.UserName, c.userName);
    EXPECT_EQ(ini.ProfilePath, c.profilePath);
    EXPECT_EQ(ini.IniFileName, c.profilePath + "SkeldorC.ini");
    EXPECT_EQ(ini.LangType, c.profilePath == "D:\\Erp\\" ? "shared" : "own");
  }
}

TEST(ResolvePathTest, MakesModuleFoldersAbsolute) {
  const std::pair<const char*, const char*> cases[] = {
      {"\\Mods\\", "D:\\Erp\\Mods\\"},
      {"Mods\\Sub\\", "D:\\Erp\\Mods\\Sub\\"},
      {"\\", "D:\\Erp\\"},
      {"", "D:\\Erp\\"},
      {"E:\\Mods\\", "E:\\Mods\\"},
      {"e:Mods\\", "e:Mods\\"},
      {"\\\\server\\share\\m\\", "\\\\server\\share\\m\\"},
      {"/opt/erp/mods/", "/opt/erp/mods/"},
  };
  for (const auto& [path, resolved] : cases)
    EXPECT_EQ(ResolvePath(path, "D:\\Erp\\"), resolved) << path;
}

TEST_F(ProfileTest, ModuleFoldersFromTheProfile) {
  WriteIni("Erp/SkeldorC.ini",
           "[WorkDLLPath]\r\nA=\\Mods\r\nB=E:\\Mods\r\nC=\r\nD=Rel\\Dir\\\r\nE=/opt/erp/mods\r\n");
  WriteIni("Srv/SkeldorS.ini", "[WorkDLLPath]\r\nPath1=\\Server\\Mods\r\nPath2=x=y\r\n");
  TSkeldorIniC client;
  EXPECT_EQ(client.WorkDLLPaths->ToVector(),
            (std::vector<std::string>{"D:\\Erp\\Mods\\", "E:\\Mods\\", "D:\\Erp\\",
                                      "D:\\Erp\\Rel\\Dir\\", "/opt/erp/mods\\"}));
  TSkeldorIniS server;
  const std::vector<std::string> serverFolders{"D:\\Srv\\Server\\Mods\\", "D:\\Srv\\x=y\\"};
  EXPECT_EQ(server.WorkDLLPaths->ToVector(), serverFolders);
  qv::TStringList callers;
  callers.Add("stale");
  server.GetWorkDLLPaths(callers);
  EXPECT_EQ(callers.ToVector(), serverFolders);

  std::filesystem::remove(install_.Path("Srv/SkeldorS.ini"));
  EXPECT_EQ(TSkeldorIniS().WorkDLLPaths->ToVector(), std::vector<std::string>{"D:\\Srv\\S_PKG\\"});
}

TEST_F(ProfileTest, NativeInstallationFolder) {
  const std::string native = install_.Path("native").string();
  install_.SetInstallValues({{"ClientPath", native}, {"ServerPath", native + "/"}});
  WriteIni("native/SkeldorC.ini", "[Client Components]\r\nLangType=CHS\r\n");
  WriteIni("native/SkeldorS.ini", "[ProductVersion]\r\nVersion=9\r\n");
  TSkeldorIniC client;
  EXPECT_EQ(client.LangType, "CHS");
  EXPECT_EQ(client.WorkDLLPaths->ToVector(), std::vector<std::string>{native + "\\C_PKG\\"});
  TSkeldorIniS server;
  EXPECT_EQ(server.ServerPath, native + "/");
  EXPECT_EQ(server.Version, "9");
}

// The cells of a DBSettings array by row, after checking its bounds.
std::vector<std::vector<qv::Variant>> DBRows(const qv::Variant& settings) {
  EXPECT_EQ(qv::VarArrayDimCount(settings), 2);
  EXPECT_EQ(qv::VarArrayLowBound(settings, 1), 0);
  EXPECT_EQ(qv::VarArrayHighBound(settings, 1), 3);
  EXPECT_EQ(qv::VarArrayLowBound(settings, 2), 0);
  EXPECT_EQ(qv::VarArrayHighBound(settings, 2), 7);
  std::vector<std::vector<qv::Variant>> rows(4);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 8; ++j) rows[i].push_back(settings.At(i, j));
  return rows;
}

TEST_F(ProfileTest, ServerWithoutProfileFileHoldsEveryDefault) {
  TSkeldorIniS ini;
  EXPECT_TRUE(ini.LoadProfile());
  EXPECT_EQ(ini.ServerPath, "D:\\Srv\\");
  EXPECT_EQ(ini.IniFileName, "D:\\Srv\\SkeldorS.ini");
  EXPECT_EQ(ini.Version, "");
  EXPECT_EQ(ini.DBKind, 0);
  EXPECT_EQ(ini.SystemControlAddress, "");
  EXPECT_EQ(ini.OtherSystemControlAddress, "");
  const qv::Variant e;
  const std::vector<std::vector<qv::Variant>> expected{
      {"Pellam", "sa", "", "MSSQL", "", "", 300, 3000},
      {"PellamTemp", "sa", "", "PARADOX", "", "PostgreSQL", 300, 3000},
      {"", 211, 1024, "Chinese_Taiwan_Stroke_BIN", e, e, e, e},
      {"EDIDATA", "sa", "", e, e, e, e, e},
  };
  auto rows = DBRows(ini.DBSettings);
  EXPECT_EQ(rows, expected);
  for (auto [i, j] : {std::pair(0, 6), std::pair(0, 7), std::pair(1, 6), std::pair(1, 7),
                      std::pair(2, 1), std::pair(2, 2)})
    EXPECT_EQ(qv::VarType(rows[i][j]), qv::varInteger) << i << "," << j;
  EXPECT_TRUE(rows[2][4].IsEmpty());
  EXPECT_TRUE(rows[3][3].IsEmpty());
  EXPECT_TRUE(rows[0][4].IsStr());
}

TEST_F(ProfileTest, ServerReadsEveryKey) {
  WriteIni("Srv/SkeldorS.ini",
           "[ProductVersion]\r\nVersion=8\r\n"
           "[CodePage]\r\nUICodePage=950\r\nDBCodePage=936\r\n"
           "[DBE Setting]\r\nMainUserName=erp\r\nXXXXXX=b0986c\r\nMainAlias=Main\r\n"
           "MainDBType=oracle\r\nMainDBName=ERPDB\r\nMainServerName=dbhost\r\n"
           "SystemControlAddress=ctl\r\nOtherSystemControlAddress=  \r\n"
           "MainConnectionTimeOut=0x3C\r\nMainCommandTimeOut=60\r\n"
           "TempAlias=T\r\nTempUserName=tu\r\nTempPassword=" +
               std::string("6b34d94c") +
               "\r\nTempDBType=MSSQL\r\nTempDBName=TMP\r\nTempDriverName=ODBC\r\n"
               "TempConnectionTimeOut=10\r\nTempCommandTimeOut=x\r\n"
               "DataBaseCodeOrder=Chinese_PRC_BIN\r\nEctAlias=EX\r\nEctUserName=eu\r\n"
               "EctPassword=b0986c\r\n"
               "[DBPasswordCtrl]\r\nComputerName=  ctrlhost  \r\nServerPort=0x00D4\r\n"
               "ClientSocketPort=2048\r\nSupportCallBack=Y\r\n");
  TSkeldorIniS ini;
  EXPECT_EQ(ini.ErrorCode, "");
  EXPECT_EQ(ini.Version, "8");
  EXPECT_EQ(ini.UIConvertMode, 2);
  EXPECT_EQ(ini.DBConvertMode, 2);
  EXPECT_TRUE(ini.SupportCallBack);
  EXPECT_EQ(ini.DBKind, 1);
  EXPECT_EQ(ini.SystemControlAddress, "ctl");
  EXPECT_EQ(ini.OtherSystemControlAddress, "dbhost");
  const qv::Variant e;
  const std::vector<std::vector<qv::Variant>> expected{
      {"Main", "erp", "abc", "oracle", "ERPDB", "dbhost", 60, 60},
      {"T", "tu", "中文", "MSSQL", "TMP", "ODBC", 10, 3000},
      {"ctrlhost", 212, 2048, "Chinese_PRC_BIN", e, e, e, e},
      // The exchange password is kept as stored.
      {"EX", "eu", "b0986c", e, e, e, e, e},
  };
  EXPECT_EQ(DBRows(ini.DBSettings), expected);
}

TEST_F(ProfileTest, DatabaseKindAndControlAddresses) {
  struct Case {
    const char* keys;
    int kind;
    const char* control;
    const char* otherControl;
  };
  const Case cases[] = {
      {"MainDBType=ORACLE", 1, "db", "db"},
      {"MainDBType=Db2\r\nSystemControlAddress=a", 2, "a", "db"},
      {"MainDBType=DB2X\r\nOtherSystemControlAddress=b", 0, "db", "b"},
      {"MainDBType=mssql", 0, "db", "db"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    WriteIni("Srv/SkeldorS.ini",
             std::string("[DBE Setting]\r\nMainServerName=db\r\n") + c.keys + "\r\n");
    TSkeldorIniS ini;
    EXPECT_EQ(ini.DBKind, c.kind);
    EXPECT_EQ(ini.SystemControlAddress, c.control);
    EXPECT_EQ(ini.OtherSystemControlAddress, c.otherControl);
  }
}

TEST_F(ProfileTest, BadStoredPasswordIsReportedInTheCellAndTheLog) {
  WriteIni("Srv/SkeldorS.ini",
           "[DBE Setting]\r\nXXXXXX=zz0986\r\nTempPassword=" + std::string("b0986c") + "\r\n");
  TSkeldorIniS ini;
  EXPECT_TRUE(ini.LoadProfile());
  EXPECT_EQ(ini.ErrorCode, "");
  EXPECT_EQ(ini.DBSettings.At(0, 2), qv::Variant("QV_Say_Password_Error"));
  EXPECT_EQ(ini.DBSettings.At(1, 2), qv::Variant("abc"));
  // Two loads (constructor and the call above), one block each, in the log
  // under the client folder, which the log writers prefer.
  auto log = install_.ReadFile("Erp/Log/Alert_BrammelGenerator_20240305.log");
  ASSERT_TRUE(log.has_value());
  const std::string separator = std::string(34, '-') + " on 22596cf62395a65126d42c ";
  std::size_t blocks = 0;
  for (std::size_t at = log->find(separator); at != std::string::npos;
       at = log->find(separator, at + 1))
    ++blocks;
  EXPECT_EQ(blocks, 2u);
}

TEST_F(ProfileTest, EachLoadSeesTheCurrentRegistryAndFile) {
  WriteIni("Erp/SkeldorC.ini",
           "[Client Components]\r\nLangType=CHS\r\n[WorkDLLPath]\r\nA=\\Mods\r\n");
  TSkeldorIniC ini;
  ASSERT_EQ(ini.LangType, "CHS");
  WriteIni("Erp/SkeldorC.ini", "[Client Components]\r\nLangType=CHT\r\n");
  EXPECT_TRUE(ini.LoadProfile());
  EXPECT_EQ(ini.LangType, "CHT");
  EXPECT_EQ(ini.WorkDLLPaths->ToVector(), std::vector<std::string>{"D:\\Erp\\C_PKG\\"});
  // A reload that fails early keeps nothing of the earlier load.
  std::filesystem::remove(install_.Path("registry.reg"));
  EXPECT_FALSE(ini.LoadProfile());
  EXPECT_EQ(ini.ErrorCode, "E;000015");
  EXPECT_EQ(ini.ClientPath, "");
  EXPECT_EQ(ini.LangType, "");
  EXPECT_TRUE(ini.ServerList.IsEmpty());
  EXPECT_EQ(ini.WorkDLLPaths->Count(), 0);
}

}  // namespace
}  // namespace ravlet
