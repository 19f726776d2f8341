#include "workcenter/erp_database.h"

#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "common/data_folder.h"
#include "platform/automation/ole_error.h"
#include "platform/system/paths.h"
#include "platform/text/string_utils.h"

namespace standin {

extern const char* const kErpDemoSql;

namespace {

constexpr const char* kWorkCenterProgId = "PellamWorkCenter.Manager";
constexpr const char* kReportServerProgId = "ReportCounterS.dmReportCounter";

qv::Variant ColumnValue(const Statement& stmt, int column) {
  switch (stmt.TypeOf(column)) {
    case Statement::ColumnType::Integer: {
      int64_t value = stmt.ColumnInt(column);
      if (value >= INT32_MIN && value <= INT32_MAX) return qv::Variant(static_cast<int32_t>(value));
      return qv::Variant(value);
    }
    case Statement::ColumnType::Float:
      return qv::Variant(stmt.ColumnDouble(column));
    case Statement::ColumnType::Blob:
      return qv::Variant::Narrow(stmt.ColumnText(column));
    case Statement::ColumnType::Text:
      return qv::Variant(stmt.ColumnText(column));
    case Statement::ColumnType::Null:
      break;
  }
  // Callers treat cells as texts; an absent value reads as an empty one.
  return qv::Variant("");
}

std::vector<std::string> ArgTexts(const qv::Variant& args) {
  std::vector<std::string> texts;
  if (args.IsEmpty() || args.IsNull()) return texts;
  if (!args.IsArray()) return {qv::VarToStr(args)};
  if (qv::VarArrayDimCount(args) != 1) throw qv::EOleError("Lookup arguments must be a list");
  for (int i = qv::VarArrayLowBound(args, 1); i <= qv::VarArrayHighBound(args, 1); ++i) {
    const qv::Variant& arg = args[i];
    if (arg.IsArray() || arg.IsDispatch()) {
      throw qv::EOleError("Lookup argument " + std::to_string(i) + " must be a single value");
    }
    texts.push_back(qv::VarToStr(arg));
  }
  return texts;
}

std::string UriEscape(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == '%' || c == '?' || c == '#') {
      char buffer[4];
      std::snprintf(buffer, sizeof buffer, "%%%02X", static_cast<unsigned char>(c));
      out += buffer;
    } else {
      out += c;
    }
  }
  return out;
}

// Lets a query read the demo tables and nothing else: no writes, no pragmas,
// no attaching of other files, no reading of the report server's schemes.
int ReadOnlyAuthorizer(void*, int action, const char*, const char*, const char* database,
                       const char*) {
  switch (action) {
    case SQLITE_SELECT:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
      return SQLITE_OK;
    case SQLITE_READ:
      return database == nullptr || std::string_view(database) == "main" ||
                     std::string_view(database) == "temp"
                 ? SQLITE_OK
                 : SQLITE_DENY;
    default:
      return SQLITE_DENY;
  }
}

class AuthorizerScope {
 public:
  explicit AuthorizerScope(sqlite3* db) : db_(db) {
    sqlite3_set_authorizer(db_, ReadOnlyAuthorizer, nullptr);
  }
  ~AuthorizerScope() { sqlite3_set_authorizer(db_, nullptr, nullptr); }

 private:
  sqlite3* db_;
};

}  // namespace

int ErpDatabase::Edition() {
  std::string sql = kErpDemoSql;
  const std::string marker = "PRAGMA user_version = ";
  size_t at = sql.rfind(marker);
  return at == std::string::npos ? 0 : std::atoi(sql.c_str() + at + marker.size());
}

void ErpDatabase::EnsureBuilt(const std::string& fileName) {
  if (qv::FileExists(fileName)) {
    try {
      Database probe(fileName, Database::Mode::ReadOnly);
      Statement version = probe.Prepare("PRAGMA user_version");
      if (version.Step() && version.ColumnInt(0) == Edition()) return;
    } catch (const EDatabaseError&) {
      // Not a database we can read: build it anew.
    }
  }
  static std::atomic<int> counter{0};
  std::string temporary =
      fileName + ".build." + std::to_string(getpid()) + "." + std::to_string(counter.fetch_add(1));
  try {
    Database build(temporary);
    // The file is put in place only when complete, so it need not survive a crash meanwhile.
    build.Exec("PRAGMA synchronous = OFF");
    Transaction tx(build);
    build.Exec(kErpDemoSql);
    tx.Commit();
  } catch (...) {
    std::remove(temporary.c_str());
    throw;
  }
  // Whole or not at all: readers never see a half-built database.
  if (std::rename(temporary.c_str(), fileName.c_str()) != 0) {
    std::remove(temporary.c_str());
    throw EDatabaseError("Cannot put the demo database in place as \"" + fileName + "\"");
  }
}

ErpDatabase::ErpDatabase(const std::string& fileName, std::string schemeDatabase)
    : fileName_(fileName),
      schemeDatabase_(std::move(schemeDatabase)),
      db_((EnsureBuilt(fileName), fileName), Database::Mode::ReadOnly) {}

std::shared_ptr<ErpDatabase> ErpDatabase::OpenDefault() {
  return std::make_shared<ErpDatabase>(DataFolder(kWorkCenterProgId) + "erp_demo.db",
                                       DataFolder(kReportServerProgId) + "report_server.db");
}

bool ErpDatabase::AttachSchemes() {
  if (schemesAttached_) return true;
  if (schemeDatabase_.empty() || !qv::FileExists(schemeDatabase_)) return false;
  db_.Prepare("ATTACH DATABASE ?1 AS appserver")
      .Bind(1, "file:" + UriEscape(schemeDatabase_) + "?mode=ro")
      .Run();
  schemesAttached_ = true;
  return true;
}

bool ErpDatabase::HasLookup(const std::string& table, const std::string& key,
                            const std::string& purpose) {
  std::lock_guard lock(mutex_);
  Statement stmt = db_.Prepare(
      "SELECT 1 FROM QVRLOOKUP WHERE TABLE_CODE = ?1 AND LOOKUP_KEY = ?2 AND PURPOSE = ?3");
  stmt.Bind(1, table).Bind(2, key).Bind(3, purpose);
  return stmt.Step();
}

LookupResult ErpDatabase::Lookup(const std::string& table, const std::string& key,
                                 const std::string& purpose, const qv::Variant& args) {
  std::vector<std::string> texts = ArgTexts(args);
  std::lock_guard lock(mutex_);
  std::string sql;
  LookupResult result;
  {
    Statement def = db_.Prepare(
        "SELECT SQL, TITLE, CAPTIONS FROM QVRLOOKUP WHERE TABLE_CODE = ?1 AND LOOKUP_KEY = ?2 "
        "AND PURPOSE = ?3");
    def.Bind(1, table).Bind(2, key).Bind(3, purpose);
    if (!def.Step()) {
      throw qv::EOleError("There is no " +
                          std::string(purpose == "window" ? "lookup window" : "check") + " for " +
                          table + " " + key);
    }
    sql = def.ColumnText(0);
    result.title = def.ColumnText(1);
    for (const std::string& caption : qv::SplitString(def.ColumnText(2), '|')) {
      if (!caption.empty()) result.captions.push_back(caption);
    }
  }
  if (sql.find("appserver.") != std::string::npos && !AttachSchemes()) return result;

  Statement stmt = db_.Prepare(sql);
  for (int i = 1; i <= stmt.ParameterCount(); ++i) {
    stmt.Bind(i, i <= static_cast<int>(texts.size()) ? texts[i - 1] : std::string());
  }
  while (stmt.Step()) {
    ResultRow row;
    for (int c = 0; c < stmt.ColumnCount(); ++c) row.push_back(ColumnValue(stmt, c));
    result.rows.push_back(std::move(row));
  }
  return result;
}

std::optional<std::string> ErpDatabase::Message(const std::string& type, const std::string& number,
                                                bool english) {
  std::lock_guard lock(mutex_);
  Statement stmt =
      db_.Prepare(english ? "SELECT TEXT_ENG FROM QVRMSG WHERE MSG_TYPE = ?1 AND MSG_NO = ?2"
                          : "SELECT TEXT_CHS FROM QVRMSG WHERE MSG_TYPE = ?1 AND MSG_NO = ?2");
  stmt.Bind(1, type).Bind(2, number);
  if (!stmt.Step()) return std::nullopt;
  return stmt.ColumnText(0);
}

std::string ErpDatabase::Info(const std::string& name) {
  std::lock_guard lock(mutex_);
  Statement stmt = db_.Prepare("SELECT VALUE FROM WCINFO WHERE NAME = ?1");
  stmt.Bind(1, name);
  return stmt.Step() ? stmt.ColumnText(0) : std::string();
}

std::vector<std::pair<std::string, std::string>> ErpDatabase::SystemSettings(
    const std::string& company) {
  std::lock_guard lock(mutex_);
  Statement stmt = db_.Prepare(
      "SELECT NAME, VALUE FROM SYSSET WHERE COMPANY = ?1 "
      "UNION ALL SELECT NAME, VALUE FROM SYSSET g WHERE g.COMPANY = '*' AND NOT EXISTS "
      "(SELECT 1 FROM SYSSET c WHERE c.COMPANY = ?1 AND c.NAME = g.NAME) ORDER BY 1");
  stmt.Bind(1, company);
  std::vector<std::pair<std::string, std::string>> settings;
  while (stmt.Step()) settings.emplace_back(stmt.ColumnText(0), stmt.ColumnText(1));
  return settings;
}

std::optional<PublishedFile> ErpDatabase::FindPublishedFile(const std::string& fileName) {
  std::lock_guard lock(mutex_);
  Statement stmt = db_.Prepare("SELECT MODIFY, PATH FROM ADMFILE WHERE FILE_NAME = ?1");
  stmt.Bind(1, fileName);
  if (!stmt.Step()) return std::nullopt;
  return PublishedFile{stmt.ColumnText(0), stmt.ColumnText(1)};
}

std::vector<ResultRow> ErpDatabase::SimpleQuery(const std::string& sql, const std::string& fields) {
  std::lock_guard lock(mutex_);
  std::vector<ResultRow> rows;
  AuthorizerScope guard(db_.Handle());
  Statement stmt = [&] {
    try {
      return db_.Prepare(sql);
    } catch (const EDatabaseError& e) {
      throw qv::EOleError("The query cannot be run: " + std::string(e.what()));
    }
  }();
  if (!stmt.IsReadOnly() || !qv::Trim(stmt.Tail()).empty()) {
    throw qv::EOleError("Only one statement that reads data may be run");
  }
  std::vector<int> columns;
  for (const std::string& field : qv::SplitString(fields, ',')) {
    std::string name = qv::Trim(field);
    if (name.empty()) continue;
    int found = -1;
    for (int c = 0; c < stmt.ColumnCount() && found < 0; ++c) {
      if (qv::SameText(stmt.ColumnName(c), name)) found = c;
    }
    if (found < 0) throw qv::EOleError("The query has no field \"" + name + "\"");
    columns.push_back(found);
  }
  if (columns.empty()) {
    for (int c = 0; c < stmt.ColumnCount(); ++c) columns.push_back(c);
  }
  while (stmt.Step()) {
    ResultRow row;
    for (int c : columns) row.push_back(ColumnValue(stmt, c));
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace standin
