#pragma once
// A small RAII layer over SQLite for the stand-in servers: a connection that
// waits for locks instead of failing at once, prepared statements with
// positional parameters, and transactions that roll back unless committed.
// Every failure raises EDatabaseError with SQLite's own message.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/exception.h"

struct sqlite3;
struct sqlite3_stmt;

namespace standin {

class EDatabaseError : public qv::Exception {
 public:
  using qv::Exception::Exception;
  std::string ClassName() const override { return "EDatabaseError"; }
};

class Statement;

class Database {
 public:
  enum class Mode { ReadWriteCreate, ReadWrite, ReadOnly };

  // Opens (and with ReadWriteCreate creates) the file; ":memory:" works too.
  explicit Database(const std::string& fileName, Mode mode = Mode::ReadWriteCreate,
                    int busyTimeoutMs = 30000);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Runs one or more statements without parameters.
  void Exec(std::string_view sql);
  Statement Prepare(std::string_view sql);
  int64_t LastInsertRowId() const;
  int Changes() const;
  const std::string& FileName() const { return fileName_; }
  sqlite3* Handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
  std::string fileName_;
};

// Column and parameter indexes: parameters count from 1, columns from 0, as in SQLite.
class Statement {
 public:
  enum class ColumnType { Integer, Float, Text, Blob, Null };

  Statement(Database& db, std::string_view sql);
  ~Statement();
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&&) = delete;
  Statement(const Statement&) = delete;

  Statement& Bind(int index, int64_t value);
  Statement& Bind(int index, int value) { return Bind(index, static_cast<int64_t>(value)); }
  Statement& Bind(int index, double value);
  Statement& Bind(int index, std::string_view text);
  Statement& Bind(int index, const char* text) { return Bind(index, std::string_view(text)); }
  Statement& Bind(int index, const std::string& text) {
    return Bind(index, std::string_view(text));
  }
  Statement& BindNull(int index);

  // True while a row is available; false when the statement is done.
  bool Step();
  // Runs a statement that returns no rows.
  void Run();
  void Reset();

  int ColumnCount() const;
  std::string ColumnName(int column) const;
  ColumnType TypeOf(int column) const;
  int64_t ColumnInt(int column) const;
  double ColumnDouble(int column) const;
  std::string ColumnText(int column) const;
  bool IsNull(int column) const { return TypeOf(column) == ColumnType::Null; }
  int ParameterCount() const;
  // SQLite's verdict: the statement cannot change the database.
  bool IsReadOnly() const;
  // SQL text after the first statement (what Prepare did not compile).
  const std::string& Tail() const { return tail_; }

 private:
  void Check(int rc, std::string_view what) const;

  Database* db_;
  sqlite3_stmt* stmt_ = nullptr;
  std::string tail_;
};

// BEGIN IMMEDIATE takes the write lock at once, so that two writers never both
// read a value and then try to upgrade; the busy timeout makes the second wait.
class Transaction {
 public:
  enum class Kind { Deferred, Immediate };
  explicit Transaction(Database& db, Kind kind = Kind::Immediate);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit();

 private:
  Database& db_;
  bool open_ = true;
};

}  // namespace standin
