#pragma once
// The report server object "ReportCounterS.dmReportCounter": accepts report
// jobs, keeps condition schemes and serves them through the provider
// "pvdConSave", and answers rights queries.
//
// Operations (by value unless marked var):
//   Request(request)                  -> job number, or "ERROR"
//   Request1(request, computer)       -> job number, or "ERROR" (a job registered
//                                        for a run on that workstation)
//   ErrorDescript()                   -> why the last Request/Request1 said "ERROR"
//   UpdateStatus1(var jobNo, texts, at) -> records the outcome of a run; texts
//                                        empty (or only ";") means success
//   GetPower([db, user, program, ""]) -> rights array 0..5:
//        [0] user, [1] "code,flag1,flag2,mask,text5,text6", [2] data2, [3] data3,
//        [4] base limit, [5] [n, item 1..n]
//   LoadTable(var [user, program])    -> selects that user's schemes of that program
//                                        for the provider; returns its packet
//   InsertConTable(var [name, user, yyyymmdd, program, fields, values, replace])
//   DeleteConTable(var [name, user, program])
//   ChangeConName(var [name, user, program], var [new name, user, program])
//                                     -> "" on success, else the reason
//   AS_GetRecords("pvdConSave")       -> the selected schemes (client data set packet)
//   GetJob(jobNo)                     -> [jobNo, status, status text, request,
//                                        computer, submitted at]
//
// The database is "report_server.db" in the data folder (see common/data_folder.h).

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "appserver/report_store.h"
#include "platform/automation/auto_object.h"

namespace standin {

inline constexpr const char* kReportServerProgId = "ReportCounterS.dmReportCounter";
inline constexpr const char* kSchemeProvider = "pvdConSave";

class TReportCounter : public qv::TAutoObject {
 public:
  // Opens the database file; raises when it cannot be opened or created.
  explicit TReportCounter(const std::string& databaseFile);
  // The database in the configured data folder.
  static std::shared_ptr<TReportCounter> CreateDefault();
  static std::string DefaultDatabaseFile();

  ReportStore& Store() { return store_; }

 private:
  qv::Variant SubmitRequest(const qv::Variant& request, const std::string& operation,
                            const std::string& computerName);
  qv::Variant SchemePacket();

  std::mutex mutex_;  // one call at a time on this object's connection
  ReportStore store_;
  std::string lastError_;
  std::optional<std::pair<std::string, std::string>> schemeSelection_;  // user, program
};

}  // namespace standin
