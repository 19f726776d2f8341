#pragma once
// Where the lookup windows of the work center get the user's choice from. The
// windows themselves are not drawn: a lookup shows its rows to a
// ChoiceSource, which answers as a person would (rows picked, a date typed,
// or nothing). The host sets the source — a test's script, a driver reading
// answers from its input, or a queue of answers given through the work
// center's automation methods. Without answers nothing is picked.

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/variant/variant.h"

namespace standin {

struct LookupWindowRequest {
  std::string table, key;  // e.g. "MRPMB", "01"
  std::string title;
  std::vector<std::string> captions;
  std::vector<std::vector<qv::Variant>> rows;
  qv::Variant args;
  bool multiSelect = false;
  std::string startText;  // what the user had typed
  int startRow = -1;      // first row whose first column is at or after startText
  std::string userId, companyId, dbName;
};

struct DatePickerRequest {
  std::string initialDate;  // yyyymmdd
  bool rocYear = false;     // the user writes years of the Republic of China
  std::string dbName;
};

class ChoiceSource {
 public:
  virtual ~ChoiceSource() = default;
  // Indexes into request.rows; empty when the window was closed without a
  // choice. More than one index only when request.multiSelect.
  virtual std::vector<int> ChooseRows(const LookupWindowRequest& request) = 0;
  // "yyyymmdd", or empty when the picker was closed without a date.
  virtual std::string ChooseDate(const DatePickerRequest& request) = 0;
};

// Answers given in advance, used in order; when none is left nothing is
// picked. Row answers and date answers are separate queues.
class QueuedChoices : public ChoiceSource {
 public:
  void QueueRows(std::vector<int> rows);
  void QueueDate(std::string date);
  void Clear();
  size_t PendingRows() const;
  size_t PendingDates() const;

  std::vector<int> ChooseRows(const LookupWindowRequest& request) override;
  std::string ChooseDate(const DatePickerRequest& request) override;

 private:
  mutable std::mutex mutex_;
  std::deque<std::vector<int>> rows_;
  std::deque<std::string> dates_;
};

// A source made of two functions; a missing one picks nothing.
class FunctionChoices : public ChoiceSource {
 public:
  FunctionChoices(std::function<std::vector<int>(const LookupWindowRequest&)> rows,
                  std::function<std::string(const DatePickerRequest&)> date)
      : rows_(std::move(rows)), date_(std::move(date)) {}
  std::vector<int> ChooseRows(const LookupWindowRequest& request) override {
    return rows_ ? rows_(request) : std::vector<int>{};
  }
  std::string ChooseDate(const DatePickerRequest& request) override {
    return date_ ? date_(request) : std::string();
  }

 private:
  std::function<std::vector<int>(const LookupWindowRequest&)> rows_;
  std::function<std::string(const DatePickerRequest&)> date_;
};

// An automation object as the source: it is called late-bound with
//   ChooseRows([table, key, title, captions, rows, args, multiSelect, startText,
//               startRow, user])   -> array of row indexes, or Empty
//   ChooseDate([initialDate, rocYear, dbName]) -> "yyyymmdd" or ""
class DispatchChoices : public ChoiceSource {
 public:
  explicit DispatchChoices(qv::Variant object) : object_(std::move(object)) {}
  std::vector<int> ChooseRows(const LookupWindowRequest& request) override;
  std::string ChooseDate(const DatePickerRequest& request) override;
  const qv::Variant& Object() const { return object_; }

 private:
  qv::Variant object_;
};

// The source in force, shared by a work center and the services it returned,
// with the last lookup shown (so that a driver can see what was offered).
class ChoiceHub {
 public:
  ChoiceHub();
  void SetSource(std::shared_ptr<ChoiceSource> source);
  std::shared_ptr<ChoiceSource> Source() const;
  // The queue a new work center starts with (also used by its automation methods).
  QueuedChoices& Queue() { return *queue_; }

  std::vector<int> ChooseRows(const LookupWindowRequest& request);
  std::string ChooseDate(const DatePickerRequest& request);
  std::optional<LookupWindowRequest> LastLookup() const;

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<QueuedChoices> queue_;
  std::shared_ptr<ChoiceSource> source_;
  std::optional<LookupWindowRequest> last_;
};

}  // namespace standin
