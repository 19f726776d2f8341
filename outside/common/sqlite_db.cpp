#include "common/sqlite_db.h"

#include <sqlite3.h>

namespace standin {

namespace {

[[noreturn]] void Fail(sqlite3* db, int rc, std::string_view what) {
  std::string message(what);
  message += ": ";
  message += db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  throw EDatabaseError(message);
}

}  // namespace

Database::Database(const std::string& fileName, Mode mode, int busyTimeoutMs)
    : fileName_(fileName) {
  int flags = SQLITE_OPEN_FULLMUTEX | SQLITE_OPEN_URI;
  switch (mode) {
    case Mode::ReadWriteCreate:
      flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
      break;
    case Mode::ReadWrite:
      flags |= SQLITE_OPEN_READWRITE;
      break;
    case Mode::ReadOnly:
      flags |= SQLITE_OPEN_READONLY;
      break;
  }
  int rc = sqlite3_open_v2(fileName.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    std::string message = "Cannot open database \"" + fileName + "\": ";
    message += db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    db_ = nullptr;
    throw EDatabaseError(message);
  }
  sqlite3_busy_timeout(db_, busyTimeoutMs);
  sqlite3_extended_result_codes(db_, 1);
}

Database::~Database() {
  sqlite3_close_v2(db_);
}

void Database::Exec(std::string_view sql) {
  std::string text(sql);
  char* error = nullptr;
  int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &error);
  if (rc != SQLITE_OK) {
    std::string message = error ? error : sqlite3_errstr(rc);
    sqlite3_free(error);
    throw EDatabaseError(message);
  }
}

Statement Database::Prepare(std::string_view sql) {
  return Statement(*this, sql);
}

int64_t Database::LastInsertRowId() const {
  return sqlite3_last_insert_rowid(db_);
}

int Database::Changes() const {
  return sqlite3_changes(db_);
}

Statement::Statement(Database& db, std::string_view sql) : db_(&db) {
  const char* tail = nullptr;
  int rc = sqlite3_prepare_v2(db.Handle(), sql.data(), static_cast<int>(sql.size()), &stmt_, &tail);
  if (rc != SQLITE_OK) Fail(db.Handle(), rc, "Cannot prepare statement");
  if (stmt_ == nullptr) throw EDatabaseError("Cannot prepare statement: no SQL statement given");
  if (tail) tail_.assign(tail, sql.data() + sql.size());
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept
    : db_(other.db_), stmt_(other.stmt_), tail_(std::move(other.tail_)) {
  other.stmt_ = nullptr;
}

void Statement::Check(int rc, std::string_view what) const {
  if (rc != SQLITE_OK) Fail(db_->Handle(), rc, what);
}

Statement& Statement::Bind(int index, int64_t value) {
  Check(sqlite3_bind_int64(stmt_, index, value), "Cannot bind parameter");
  return *this;
}

Statement& Statement::Bind(int index, double value) {
  Check(sqlite3_bind_double(stmt_, index, value), "Cannot bind parameter");
  return *this;
}

Statement& Statement::Bind(int index, std::string_view text) {
  Check(sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8),
        "Cannot bind parameter");
  return *this;
}

Statement& Statement::BindNull(int index) {
  Check(sqlite3_bind_null(stmt_, index), "Cannot bind parameter");
  return *this;
}

bool Statement::Step() {
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  Fail(db_->Handle(), rc, "Statement failed");
}

void Statement::Run() {
  while (Step()) {
  }
}

void Statement::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

int Statement::ColumnCount() const {
  return sqlite3_column_count(stmt_);
}

std::string Statement::ColumnName(int column) const {
  const char* name = sqlite3_column_name(stmt_, column);
  return name ? name : "";
}

Statement::ColumnType Statement::TypeOf(int column) const {
  switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
      return ColumnType::Integer;
    case SQLITE_FLOAT:
      return ColumnType::Float;
    case SQLITE_TEXT:
      return ColumnType::Text;
    case SQLITE_BLOB:
      return ColumnType::Blob;
    default:
      return ColumnType::Null;
  }
}

int64_t Statement::ColumnInt(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

double Statement::ColumnDouble(int column) const {
  return sqlite3_column_double(stmt_, column);
}

std::string Statement::ColumnText(int column) const {
  const unsigned char* text = sqlite3_column_text(stmt_, column);
  int size = sqlite3_column_bytes(stmt_, column);
  return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(size)) : "";
}

int Statement::ParameterCount() const {
  return sqlite3_bind_parameter_count(stmt_);
}

bool Statement::IsReadOnly() const {
  return sqlite3_stmt_readonly(stmt_) != 0;
}

Transaction::Transaction(Database& db, Kind kind) : db_(db) {
  db_.Exec(kind == Kind::Immediate ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction() {
  if (!open_) return;
  try {
    db_.Exec("ROLLBACK");
  } catch (...) {
    // The connection may already have rolled back after the failure that got us here.
  }
}

void Transaction::Commit() {
  db_.Exec("COMMIT");
  open_ = false;
}

}  // namespace standin
