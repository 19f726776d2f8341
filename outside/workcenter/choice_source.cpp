#include "workcenter/choice_source.h"

#include "platform/automation/ole_error.h"
#include "platform/system/date_time.h"

namespace standin {

namespace {

bool IsDateText(const std::string& text) {
  if (text.size() != 8) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  int year = std::stoi(text.substr(0, 4));
  return year >= 1753 &&
         qv::IsValidDate(year, std::stoi(text.substr(4, 2)), std::stoi(text.substr(6, 2)));
}

qv::Variant TextArray(const std::vector<std::string>& texts) {
  qv::Variant array = qv::VarArrayCreate({0, static_cast<int>(texts.size()) - 1});
  for (size_t i = 0; i < texts.size(); ++i) array[static_cast<int>(i)] = qv::Variant(texts[i]);
  return array;
}

}  // namespace

void QueuedChoices::QueueRows(std::vector<int> rows) {
  std::lock_guard lock(mutex_);
  rows_.push_back(std::move(rows));
}

void QueuedChoices::QueueDate(std::string date) {
  std::lock_guard lock(mutex_);
  dates_.push_back(std::move(date));
}

void QueuedChoices::Clear() {
  std::lock_guard lock(mutex_);
  rows_.clear();
  dates_.clear();
}

size_t QueuedChoices::PendingRows() const {
  std::lock_guard lock(mutex_);
  return rows_.size();
}

size_t QueuedChoices::PendingDates() const {
  std::lock_guard lock(mutex_);
  return dates_.size();
}

std::vector<int> QueuedChoices::ChooseRows(const LookupWindowRequest&) {
  std::lock_guard lock(mutex_);
  if (rows_.empty()) return {};
  std::vector<int> answer = std::move(rows_.front());
  rows_.pop_front();
  return answer;
}

std::string QueuedChoices::ChooseDate(const DatePickerRequest&) {
  std::lock_guard lock(mutex_);
  if (dates_.empty()) return "";
  std::string answer = std::move(dates_.front());
  dates_.pop_front();
  return answer;
}

std::vector<int> DispatchChoices::ChooseRows(const LookupWindowRequest& request) {
  qv::Variant rows = qv::VarArrayCreate({0, static_cast<int>(request.rows.size()) - 1});
  for (size_t r = 0; r < request.rows.size(); ++r) {
    const auto& row = request.rows[r];
    qv::Variant cells = qv::VarArrayCreate({0, static_cast<int>(row.size()) - 1});
    for (size_t c = 0; c < row.size(); ++c) cells[static_cast<int>(c)] = row[c];
    rows[static_cast<int>(r)] = cells;
  }
  qv::Variant asked = qv::VarArrayOf(
      {qv::Variant(request.table), qv::Variant(request.key), qv::Variant(request.title),
       TextArray(request.captions), rows, request.args, qv::Variant(request.multiSelect),
       qv::Variant(request.startText), qv::Variant(request.startRow), qv::Variant(request.userId)});
  qv::Variant answer = object_.Call("ChooseRows", {asked});
  std::vector<int> chosen;
  if (answer.IsEmpty() || answer.IsNull()) return chosen;
  if (!answer.IsArray()) return {answer.AsInteger()};
  for (int i = qv::VarArrayLowBound(answer, 1); i <= qv::VarArrayHighBound(answer, 1); ++i) {
    chosen.push_back(answer[i].AsInteger());
  }
  return chosen;
}

std::string DispatchChoices::ChooseDate(const DatePickerRequest& request) {
  qv::Variant asked = qv::VarArrayOf({qv::Variant(request.initialDate),
                                      qv::Variant(request.rocYear), qv::Variant(request.dbName)});
  return qv::VarToStr(object_.Call("ChooseDate", {asked}));
}

ChoiceHub::ChoiceHub() : queue_(std::make_shared<QueuedChoices>()), source_(queue_) {}

void ChoiceHub::SetSource(std::shared_ptr<ChoiceSource> source) {
  std::lock_guard lock(mutex_);
  source_ = source ? std::move(source) : queue_;
}

std::shared_ptr<ChoiceSource> ChoiceHub::Source() const {
  std::lock_guard lock(mutex_);
  return source_;
}

std::vector<int> ChoiceHub::ChooseRows(const LookupWindowRequest& request) {
  {
    std::lock_guard lock(mutex_);
    last_ = request;
  }
  std::vector<int> chosen = Source()->ChooseRows(request);
  if (chosen.size() > 1 && !request.multiSelect) {
    throw qv::EOleError("The lookup window " + request.table + " " + request.key +
                        " allows one row, but " + std::to_string(chosen.size()) + " were chosen");
  }
  for (int row : chosen) {
    if (row < 0 || row >= static_cast<int>(request.rows.size())) {
      throw qv::EOleError("The lookup window " + request.table + " " + request.key + " has " +
                          std::to_string(request.rows.size()) + " rows; row " +
                          std::to_string(row) + " cannot be chosen");
    }
  }
  return chosen;
}

std::string ChoiceHub::ChooseDate(const DatePickerRequest& request) {
  std::string date = Source()->ChooseDate(request);
  if (!date.empty() && !IsDateText(date)) {
    throw qv::EOleError("The date picker was answered with \"" + date +
                        "\", which is not a date yyyymmdd");
  }
  return date;
}

std::optional<LookupWindowRequest> ChoiceHub::LastLookup() const {
  std::lock_guard lock(mutex_);
  return last_;
}

}  // namespace standin
