#include "appserver/report_store.h"

#include <cstdio>

#include "common/variant_json.h"
#include "platform/text/string_utils.h"

namespace standin {

extern const char* const kReportStoreSchema;

namespace {

constexpr int kLastSequence = 99999;

std::string DayText(qv::TDateTime now) {
  int year = 0, month = 0, day = 0;
  qv::DecodeDate(now, year, month, day);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", year, month, day);
  return buffer;
}

std::string TimeText(qv::TDateTime value) {
  try {
    return qv::FormatDateTime("yyyy-mm-dd hh:nn:ss", value);
  } catch (const qv::Exception&) {
    return "";
  }
}

SchemeRecord ReadScheme(Statement& row) {
  return {row.ColumnText(0), row.ColumnText(1), row.ColumnText(2),
          row.ColumnText(3), row.ColumnText(4), row.ColumnText(5)};
}

}  // namespace

ReportStore::ReportStore(const std::string& fileName) : db_(fileName) {
  CreateSchema();
}

void ReportStore::CreateSchema() {
  try {
    db_.Exec("PRAGMA journal_mode=WAL");
  } catch (const EDatabaseError&) {
    // Another connection is switching the mode right now; the default journal works as well.
  }
  db_.Exec("PRAGMA foreign_keys=ON");
  auto version = [this] {
    Statement stmt = db_.Prepare("PRAGMA user_version");
    return stmt.Step() ? stmt.ColumnInt(0) : 0;
  };
  if (version() != 0) return;
  Transaction tx(db_);
  // Another connection may have created it while this one waited for the lock.
  if (version() == 0) db_.Exec(kReportStoreSchema);
  tx.Commit();
}

std::string ReportStore::SubmitJob(const JobSubmission& job, qv::TDateTime now) {
  std::string requestJson = VariantToJson(job.request);
  std::string day = DayText(now);

  Transaction tx(db_);
  int64_t seq = 1;
  {
    Statement last = db_.Prepare("SELECT last_seq FROM job_sequence WHERE job_day = ?1");
    last.Bind(1, day);
    if (last.Step()) seq = last.ColumnInt(0) + 1;
  }
  if (seq > kLastSequence) {
    throw EJobRejected("All " + std::to_string(kLastSequence) + " job numbers of " + day +
                       " are used; no further job can be numbered today");
  }
  db_.Prepare(
         "INSERT INTO job_sequence (job_day, last_seq) VALUES (?1, ?2) "
         "ON CONFLICT (job_day) DO UPDATE SET last_seq = excluded.last_seq")
      .Bind(1, day)
      .Bind(2, seq)
      .Run();

  char number[16];
  std::snprintf(number, sizeof number, "%05d", static_cast<int>(seq));
  std::string jobNo = day + number;

  Statement insert = db_.Prepare(
      "INSERT INTO jobs (job_no, job_day, seq, operation, program_code, company_id, user_id, "
      "db_name, prog_id, report_kind, periodic, generation_mode, start_time, start_text, "
      "condition_count, computer_name, submitted_at, submitted_text, status, status_text, "
      "status_time, request) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, "
      "?14, ?15, ?16, ?17, ?18, ?19, ?20, ?17, ?21)");
  insert.Bind(1, jobNo).Bind(2, day).Bind(3, seq).Bind(4, job.operation);
  insert.Bind(5, job.programCode).Bind(6, job.companyId).Bind(7, job.userId).Bind(8, job.dbName);
  insert.Bind(9, job.progId).Bind(10, job.reportKind).Bind(11, job.periodic ? 1 : 0);
  if (job.generationMode)
    insert.Bind(12, *job.generationMode);
  else
    insert.BindNull(12);
  if (job.startTime)
    insert.Bind(13, *job.startTime).Bind(14, TimeText(*job.startTime));
  else
    insert.BindNull(13).BindNull(14);
  insert.Bind(15, job.conditionCount).Bind(16, job.computerName);
  insert.Bind(17, now).Bind(18, TimeText(now)).Bind(19, job.status).Bind(20, job.statusText);
  insert.Bind(21, requestJson);
  insert.Run();

  db_.Prepare(
         "INSERT INTO job_events (job_no, at, at_text, status, text) VALUES (?1, ?2, ?3, ?4, ?5)")
      .Bind(1, jobNo)
      .Bind(2, now)
      .Bind(3, TimeText(now))
      .Bind(4, job.status)
      .Bind(5, job.statusText)
      .Run();
  tx.Commit();
  return jobNo;
}

std::optional<StoredJob> ReportStore::FindJob(const std::string& jobNo) {
  Statement stmt = db_.Prepare(
      "SELECT job_no, operation, program_code, company_id, user_id, db_name, prog_id, "
      "report_kind, periodic, generation_mode, start_time, condition_count, computer_name, "
      "submitted_at, status, status_text, request FROM jobs WHERE job_no = ?1");
  stmt.Bind(1, jobNo);
  if (!stmt.Step()) return std::nullopt;
  StoredJob job;
  job.jobNo = stmt.ColumnText(0);
  JobSubmission& s = job.submission;
  s.operation = stmt.ColumnText(1);
  s.programCode = stmt.ColumnText(2);
  s.companyId = stmt.ColumnText(3);
  s.userId = stmt.ColumnText(4);
  s.dbName = stmt.ColumnText(5);
  s.progId = stmt.ColumnText(6);
  s.reportKind = stmt.ColumnText(7);
  s.periodic = stmt.ColumnInt(8) != 0;
  if (!stmt.IsNull(9)) s.generationMode = static_cast<int>(stmt.ColumnInt(9));
  if (!stmt.IsNull(10)) s.startTime = stmt.ColumnDouble(10);
  s.conditionCount = static_cast<int>(stmt.ColumnInt(11));
  s.computerName = stmt.ColumnText(12);
  job.submittedAt = stmt.ColumnDouble(13);
  job.status = s.status = stmt.ColumnText(14);
  job.statusText = s.statusText = stmt.ColumnText(15);
  s.request = VariantFromJson(stmt.ColumnText(16));
  return job;
}

bool ReportStore::UpdateJobStatus(const std::string& jobNo, const std::string& status,
                                  const std::string& text, qv::TDateTime at) {
  Transaction tx(db_);
  db_.Prepare("UPDATE jobs SET status = ?2, status_text = ?3, status_time = ?4 WHERE job_no = ?1")
      .Bind(1, jobNo)
      .Bind(2, status)
      .Bind(3, text)
      .Bind(4, at)
      .Run();
  if (db_.Changes() == 0) return false;
  db_.Prepare(
         "INSERT INTO job_events (job_no, at, at_text, status, text) VALUES (?1, ?2, ?3, ?4, ?5)")
      .Bind(1, jobNo)
      .Bind(2, at)
      .Bind(3, TimeText(at))
      .Bind(4, status)
      .Bind(5, text)
      .Run();
  tx.Commit();
  return true;
}

std::vector<JobEvent> ReportStore::JobEvents(const std::string& jobNo) {
  Statement stmt =
      db_.Prepare("SELECT at, status, text FROM job_events WHERE job_no = ?1 ORDER BY id");
  stmt.Bind(1, jobNo);
  std::vector<JobEvent> events;
  while (stmt.Step())
    events.push_back({stmt.ColumnDouble(0), stmt.ColumnText(1), stmt.ColumnText(2)});
  return events;
}

std::vector<SchemeRecord> ReportStore::Schemes(const std::string& creator,
                                               const std::string& programme) {
  Statement stmt = db_.Prepare(
      "SELECT NCONDITION, CREATOR, PROGRAMME, SCONDITION, VCONDITION, CREATE_DATE FROM schemes "
      "WHERE CREATOR = ?1 AND PROGRAMME = ?2 ORDER BY NCONDITION");
  stmt.Bind(1, creator).Bind(2, programme);
  std::vector<SchemeRecord> schemes;
  while (stmt.Step()) schemes.push_back(ReadScheme(stmt));
  return schemes;
}

std::optional<SchemeRecord> ReportStore::FindScheme(const std::string& name,
                                                    const std::string& creator,
                                                    const std::string& programme) {
  Statement stmt = db_.Prepare(
      "SELECT NCONDITION, CREATOR, PROGRAMME, SCONDITION, VCONDITION, CREATE_DATE FROM schemes "
      "WHERE NCONDITION = ?1 AND CREATOR = ?2 AND PROGRAMME = ?3");
  stmt.Bind(1, name).Bind(2, creator).Bind(3, programme);
  if (!stmt.Step()) return std::nullopt;
  return ReadScheme(stmt);
}

std::string ReportStore::InsertScheme(const SchemeRecord& scheme, bool replace) {
  Transaction tx(db_);
  if (!replace && FindScheme(scheme.name, scheme.creator, scheme.programme)) {
    return "Scheme \"" + scheme.name + "\" already exists";
  }
  db_.Prepare(
         "INSERT OR REPLACE INTO schemes (NCONDITION, CREATOR, PROGRAMME, SCONDITION, "
         "VCONDITION, CREATE_DATE) VALUES (?1, ?2, ?3, ?4, ?5, ?6)")
      .Bind(1, scheme.name)
      .Bind(2, scheme.creator)
      .Bind(3, scheme.programme)
      .Bind(4, scheme.fields)
      .Bind(5, scheme.values)
      .Bind(6, scheme.createDate)
      .Run();
  tx.Commit();
  return "";
}

std::string ReportStore::DeleteScheme(const std::string& name, const std::string& creator,
                                      const std::string& programme) {
  Transaction tx(db_);
  db_.Prepare("DELETE FROM schemes WHERE NCONDITION = ?1 AND CREATOR = ?2 AND PROGRAMME = ?3")
      .Bind(1, name)
      .Bind(2, creator)
      .Bind(3, programme)
      .Run();
  if (db_.Changes() == 0) return "Scheme \"" + name + "\" does not exist";
  tx.Commit();
  return "";
}

std::string ReportStore::RenameScheme(const std::string& name, const std::string& creator,
                                      const std::string& programme, const std::string& newName) {
  Transaction tx(db_);
  if (!FindScheme(name, creator, programme)) return "Scheme \"" + name + "\" does not exist";
  if (newName == name) return "";
  if (FindScheme(newName, creator, programme)) return "Scheme \"" + newName + "\" already exists";
  db_.Prepare(
         "UPDATE schemes SET NCONDITION = ?4 WHERE NCONDITION = ?1 AND CREATOR = ?2 AND "
         "PROGRAMME = ?3")
      .Bind(1, name)
      .Bind(2, creator)
      .Bind(3, programme)
      .Bind(4, newName)
      .Run();
  tx.Commit();
  return "";
}

UserRights ReportStore::Rights(const std::string& dbName, const std::string& userId,
                               const std::string& programCode) {
  Statement stmt = db_.Prepare(
      "SELECT rights_code, flag1, flag2, mask, text5, text6, data2, data3, base_limit, "
      "limit_items FROM user_rights "
      "WHERE (db_name = ?1 OR db_name = '*') AND (user_id = ?2 OR user_id = '*') "
      "AND (program_code = ?3 OR program_code = '*') "
      "ORDER BY user_id = '*', program_code = '*', db_name = '*' LIMIT 1");
  stmt.Bind(1, dbName).Bind(2, userId).Bind(3, programCode);
  UserRights rights;
  if (!stmt.Step()) return rights;
  rights.rightsCode = stmt.ColumnText(0);
  rights.flag1 = stmt.ColumnText(1);
  rights.flag2 = stmt.ColumnText(2);
  rights.mask = stmt.ColumnText(3);
  rights.text5 = stmt.ColumnText(4);
  rights.text6 = stmt.ColumnText(5);
  rights.data2 = stmt.ColumnText(6);
  rights.data3 = stmt.ColumnText(7);
  rights.baseLimit = stmt.ColumnText(8);
  for (const std::string& item : qv::SplitString(stmt.ColumnText(9), ';')) {
    if (!item.empty()) rights.limitItems.push_back(item);
  }
  return rights;
}

void ReportStore::SetRights(const std::string& dbName, const std::string& userId,
                            const std::string& programCode, const UserRights& rights) {
  std::string items;
  for (const std::string& item : rights.limitItems) {
    if (!items.empty()) items += ';';
    items += item;
  }
  Transaction tx(db_);
  db_.Prepare(
         "INSERT OR REPLACE INTO user_rights (db_name, user_id, program_code, rights_code, flag1, "
         "flag2, mask, text5, text6, data2, data3, base_limit, limit_items) VALUES (?1, ?2, ?3, "
         "?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)")
      .Bind(1, dbName)
      .Bind(2, userId)
      .Bind(3, programCode)
      .Bind(4, rights.rightsCode)
      .Bind(5, rights.flag1)
      .Bind(6, rights.flag2)
      .Bind(7, rights.mask)
      .Bind(8, rights.text5)
      .Bind(9, rights.text6)
      .Bind(10, rights.data2)
      .Bind(11, rights.data3)
      .Bind(12, rights.baseLimit)
      .Bind(13, items)
      .Run();
  tx.Commit();
}

}  // namespace standin
