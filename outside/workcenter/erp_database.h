#pragma once
// The demo ERP database of the work center, built from the SQL the library
// carries (outside/workcenter/data/*.sql) the first time it is needed, and
// rebuilt when the file was made from another edition of that SQL. The
// services read it through one read-only connection shared under a lock.

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/sqlite_db.h"
#include "platform/variant/variant.h"

namespace standin {

using ResultRow = std::vector<qv::Variant>;

struct LookupResult {
  std::string title;
  std::vector<std::string> captions;
  std::vector<ResultRow> rows;
};

struct PublishedFile {
  std::string modify, path;
};

class ErpDatabase {
 public:
  // fileName: the demo database; schemeDatabase: the report server's file,
  // read for checks that name "appserver." (absent: those checks find nothing).
  ErpDatabase(const std::string& fileName, std::string schemeDatabase);

  // The database of the configured data folder.
  static std::shared_ptr<ErpDatabase> OpenDefault();

  const std::string& FileName() const { return fileName_; }

  // Whether a check or window exists for the table and key.
  bool HasLookup(const std::string& table, const std::string& key, const std::string& purpose);
  // Runs it with args (an array of values or a single value; Empty for none)
  // as ?1, ?2, ...; EOleError when there is no such lookup.
  LookupResult Lookup(const std::string& table, const std::string& key, const std::string& purpose,
                      const qv::Variant& args);

  std::optional<std::string> Message(const std::string& type, const std::string& number,
                                     bool english);
  std::string Info(const std::string& name);
  // The company's settings: its own rows, then the general ones it lacks.
  std::vector<std::pair<std::string, std::string>> SystemSettings(const std::string& company);
  std::optional<PublishedFile> FindPublishedFile(const std::string& fileName);

  // One SELECT statement; only reading of this database is allowed. fields:
  // the result columns to return, separated by "," (empty: all of them).
  std::vector<ResultRow> SimpleQuery(const std::string& sql, const std::string& fields);

  // The edition written by the SQL the library carries.
  static int Edition();

 private:
  static void EnsureBuilt(const std::string& fileName);
  bool AttachSchemes();

  std::string fileName_;
  std::string schemeDatabase_;
  std::mutex mutex_;
  Database db_;
  bool schemesAttached_ = false;
};

}  // namespace standin
