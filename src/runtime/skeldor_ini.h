#pragma once
// The client and server profiles of the installation (SkeldorC.ini and
// SkeldorS.ini). A profile object loads everything when it is made; callers
// create one, read the fields they need and drop it, so each use sees the
// current registry and file. Nothing is written back.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/text/string_list.h"
#include "platform/variant/variant.h"

namespace ravlet {

// Path made absolute against Base: unchanged when it carries a drive or share
// prefix (or is a native absolute path); a leading "\" is dropped before Base
// is put in front.
std::string ResolvePath(const std::string& path, const std::string& base);

class TSkeldorIniC {
 public:
  // Loads the profile; never throws on account of it (see ErrorCode).
  TSkeldorIniC();
  ~TSkeldorIniC();
  TSkeldorIniC(const TSkeldorIniC&) = delete;
  TSkeldorIniC& operator=(const TSkeldorIniC&) = delete;

  // True only when every step succeeded; ErrorCode holds the message code of
  // a failure that has one ("E;000015", "E;000016").
  bool LoadProfile();

  std::string ClientPath;   // installation folder, ending in "\" once loaded
  std::string ProfilePath;  // folder of the profile file used
  std::string ProfileType;  // "" or "0": one shared profile; else per user
  std::string UserName;     // "Default", or the Windows user for per-user profiles
  std::string UICodePage;
  std::string DBCodePage;
  std::string SysCodePage;         // the workstation's ANSI code page: "936", "950" or "437"
  std::uint8_t UIConvertMode = 0;  // 0, 2 or 4
  std::uint8_t DBConvertMode = 0;  // 0, 1 or 2
  bool SupportCallBack = false;
  std::string IniFileName;
  // [0..1, 0..n-1]: row 0 host names, row 1 ports, one column per server in
  // file order; Empty until the host list has been read.
  qv::Variant ServerList;
  std::string ErrorCode;
  std::string LangType;
  std::unique_ptr<qv::TStringList> WorkDLLPaths;  // absolute folders ending in "\"
  std::string Version;
  std::string CreateGifBeforeSendEF;
  std::string AutoCheckNewMsg;
  std::string CheckInterval;
  std::string PopupMsg;
  std::string LoginCheck;
};

class TSkeldorIniS {
 public:
  TSkeldorIniS();
  ~TSkeldorIniS();
  TSkeldorIniS(const TSkeldorIniS&) = delete;
  TSkeldorIniS& operator=(const TSkeldorIniS&) = delete;

  bool LoadProfile();
  // Replaces the list's contents by a copy of WorkDLLPaths.
  void GetWorkDLLPaths(qv::TStringList& list) const;

  std::string ServerPath;
  std::string ProfilePath;
  std::string ProfileType;
  std::string UserName;
  std::string UICodePage;
  std::string DBCodePage;
  std::string SysCodePage;
  std::uint8_t UIConvertMode = 0;
  std::uint8_t DBConvertMode = 0;
  bool SupportCallBack = false;
  std::string IniFileName;
  // [0..3, 0..7]: row 0 main database, 1 temporary database, 2 connection
  // control, 3 exchange database (see the profile's "DBE Setting" keys).
  qv::Variant DBSettings;
  std::string ErrorCode;
  std::unique_ptr<qv::TStringList> WorkDLLPaths;
  std::string Version;
  std::uint8_t DBKind = 0;  // 1 Oracle, 2 DB2, else 0
  std::string SystemControlAddress;
  std::string OtherSystemControlAddress;
};

}  // namespace ravlet
