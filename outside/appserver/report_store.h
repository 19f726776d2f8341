#pragma once
// The report server's storage in one SQLite file: jobs and their numbers,
// status history, condition schemes and user rights. One ReportStore is one
// connection; several may work on the same file at once (other objects, other
// processes): every change runs in a BEGIN IMMEDIATE transaction and a
// connection waits for the lock instead of failing.

#include <optional>
#include <string>
#include <vector>

#include "common/sqlite_db.h"
#include "platform/core/exception.h"
#include "platform/system/date_time.h"
#include "platform/variant/variant.h"

namespace standin {

// A job that cannot be stored (for instance: no numbers left for the day).
class EJobRejected : public qv::Exception {
 public:
  using qv::Exception::Exception;
  std::string ClassName() const override { return "EJobRejected"; }
};

struct JobSubmission {
  std::string operation;  // "Request" or "Request1"
  std::string programCode, companyId, userId, dbName, progId, reportKind;
  bool periodic = false;
  std::optional<int> generationMode;
  std::optional<qv::TDateTime> startTime;
  int conditionCount = 0;
  std::string computerName;
  std::string status, statusText;
  qv::Variant request;  // stored as sent
};

struct StoredJob {
  std::string jobNo;
  JobSubmission submission;
  qv::TDateTime submittedAt = 0;
  std::string status, statusText;
};

struct JobEvent {
  qv::TDateTime at = 0;
  std::string status, text;
};

struct SchemeRecord {
  std::string name, creator, programme, fields, values, createDate;
};

struct UserRights {
  std::string rightsCode, flag1 = "N", flag2 = "N", mask = "NNNNNNNN", text5, text6;
  std::string data2, data3, baseLimit;
  std::vector<std::string> limitItems;
};

class ReportStore {
 public:
  // Opens (and on first use creates) the database file.
  explicit ReportStore(const std::string& fileName);

  // Numbers and stores the job in one transaction: "yyyymmdd" of the day the
  // job is submitted followed by that day's next number in five digits.
  // EJobRejected when the day has used all 99999 numbers.
  std::string SubmitJob(const JobSubmission& job, qv::TDateTime now);
  std::optional<StoredJob> FindJob(const std::string& jobNo);
  // False when there is no such job.
  bool UpdateJobStatus(const std::string& jobNo, const std::string& status, const std::string& text,
                       qv::TDateTime at);
  std::vector<JobEvent> JobEvents(const std::string& jobNo);

  std::vector<SchemeRecord> Schemes(const std::string& creator, const std::string& programme);
  std::optional<SchemeRecord> FindScheme(const std::string& name, const std::string& creator,
                                         const std::string& programme);
  // Each returns "" on success and otherwise the reason it refused.
  std::string InsertScheme(const SchemeRecord& scheme, bool replace);
  std::string DeleteScheme(const std::string& name, const std::string& creator,
                           const std::string& programme);
  std::string RenameScheme(const std::string& name, const std::string& creator,
                           const std::string& programme, const std::string& newName);

  // The most specific rights row for the user and program; no rights at all
  // when no row applies.
  UserRights Rights(const std::string& dbName, const std::string& userId,
                    const std::string& programCode);
  void SetRights(const std::string& dbName, const std::string& userId,
                 const std::string& programCode, const UserRights& rights);

  Database& Db() { return db_; }

 private:
  void CreateSchema();

  Database db_;
};

}  // namespace standin
