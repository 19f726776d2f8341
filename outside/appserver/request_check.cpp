#include "appserver/request_check.h"

#include <cmath>

#include "platform/system/date_time.h"
#include "platform/text/string_utils.h"

namespace standin {

namespace {

[[noreturn]] void Reject(const std::string& why) {
  throw ERequestRejected(why);
}

std::string Describe(const qv::Variant& v) {
  return v.IsArray() ? "an array" : qv::VarTypeAsText(v.VarType());
}

// The high bound of a one-dimensional array with the given low bound.
int CheckArray(const qv::Variant& v, const std::string& what, int low) {
  if (!v.IsArray() || qv::VarArrayDimCount(v) != 1) {
    Reject(what + " must be a one-dimensional array, not " + Describe(v));
  }
  if (qv::VarArrayLowBound(v, 1) != low) {
    Reject(what + " must start at index " + std::to_string(low) + ", not " +
           std::to_string(qv::VarArrayLowBound(v, 1)));
  }
  return qv::VarArrayHighBound(v, 1);
}

bool TryInt(const qv::Variant& v, int& out) {
  if (v.IsEmpty() || v.IsNull() || v.IsArray() || v.IsDispatch()) return false;
  try {
    if (v.IsStr()) return qv::TryStrToInt(qv::Trim(v.AsString()), out);
    double number = v.AsDouble();
    if (number != std::floor(number) || std::fabs(number) > 2147483647.0) return false;
    out = static_cast<int>(number);
    return true;
  } catch (const qv::Exception&) {
    return false;
  }
}

int IntIn(const qv::Variant& v, const std::string& what, int min, int max) {
  int value = 0;
  if (!TryInt(v, value)) Reject(what + " must be a whole number, not " + Describe(v));
  if (value < min || value > max) {
    Reject(what + " must lie between " + std::to_string(min) + " and " + std::to_string(max) +
           ", not " + std::to_string(value));
  }
  return value;
}

std::string Text(const qv::Variant& v, const std::string& what) {
  if (!v.IsStr()) Reject(what + " must be text, not " + Describe(v));
  return v.AsString();
}

std::string NonEmptyText(const qv::Variant& v, const std::string& what) {
  std::string text = Text(v, what);
  if (qv::Trim(text).empty()) Reject(what + " is empty");
  return text;
}

qv::TDateTime DateTime(const qv::Variant& v, const std::string& what) {
  if (v.IsEmpty() || v.IsNull() || v.IsArray() || v.IsDispatch()) {
    Reject(what + " must be a date and time, not " + Describe(v));
  }
  try {
    return v.AsDateTime();
  } catch (const qv::Exception&) {
    Reject(what + " is not a date and time: \"" + qv::VarToStr(v) + "\"");
  }
}

std::string DateText(const qv::Variant& v, const std::string& what) {
  std::string text = Text(v, what);
  if (!IsDateText(text)) Reject(what + " is not a date written yyyymmdd: \"" + text + "\"");
  return text;
}

bool IsLowerCaseKind(const std::string& kind) {
  return qv::LowerCase(kind) == kind && qv::UpperCase(kind) != kind;
}

void CheckCycle(const qv::Variant& cycle) {
  if (CheckArray(cycle, "The cycle of the schedule", 0) < 1) {
    Reject("The cycle of the schedule needs a mode and its parameters");
  }
  int mode = IntIn(cycle[0], "The cycle mode", 0, 3);
  const qv::Variant& p = cycle[1];
  switch (mode) {
    case 0:
      IntIn(p, "The number of days of the cycle", 1, 999);
      break;
    case 1:
      if (CheckArray(p, "The weekly cycle", 0) != 1)
        Reject("The weekly cycle needs [weeks, weekday]");
      IntIn(p[0], "The number of weeks of the cycle", 1, 99);
      IntIn(p[1], "The weekday of the cycle", 0, 6);
      break;
    case 2: {
      int high = CheckArray(p, "The monthly cycle", 0);
      if (high < 0) Reject("The monthly cycle is empty");
      int sub = IntIn(p[0], "The kind of monthly cycle", 0, 1);
      if (sub == 0) {
        if (high != 2) Reject("The monthly cycle by day needs [0, months, day]");
        IntIn(p[1], "The number of months of the cycle", 1, 99);
        IntIn(p[2], "The day of the month of the cycle", 1, 31);
      } else {
        if (high != 3) Reject("The monthly cycle by weekday needs [1, months, position, weekday]");
        IntIn(p[1], "The number of months of the cycle", 1, 99);
        IntIn(p[2], "The weekday position of the cycle", 0, 4);
        IntIn(p[3], "The weekday of the cycle", 0, 6);
      }
      break;
    }
    case 3: {
      double hours = 0;
      bool ok = false;
      try {
        if (p.IsStr()) {
          ok = qv::TryStrToFloat(qv::Trim(p.AsString()), hours);
        } else if (p.IsNumeric()) {
          hours = p.AsDouble();
          ok = true;
        }
      } catch (const qv::Exception&) {
        ok = false;
      }
      if (!ok || !(hours > 0) || !std::isfinite(hours)) {
        Reject("The hours of an hourly cycle must be a number above 0, not \"" + qv::VarToStr(p) +
               "\"");
      }
      break;
    }
  }
}

void CheckSchedule(const qv::Variant& schedule) {
  if (CheckArray(schedule, "The schedule", 0) < 3) {
    Reject("The schedule needs [\"Y\", run time, cycle, range]");
  }
  if (!qv::SameText(Text(schedule[0], "The schedule's mark"), "Y")) {
    Reject("The schedule's mark must be \"Y\"");
  }
  std::string time = Text(schedule[1], "The run time");
  int hour = 0, minute = 0;
  if (time.size() != 5 || time[2] != ':' || !qv::TryStrToInt(time.substr(0, 2), hour) ||
      !qv::TryStrToInt(time.substr(3, 2), minute) || hour < 0 || hour > 23 || minute < 0 ||
      minute > 59) {
    Reject("The run time must be written hh:mm, not \"" + time + "\"");
  }
  CheckCycle(schedule[2]);
  const qv::Variant& range = schedule[3];
  int high = CheckArray(range, "The cycle range", 0);
  if (high < 1) Reject("The cycle range needs [start, kind, ...]");
  std::string start = DateText(range[0], "The start date of the cycle");
  int kind = IntIn(range[1], "The kind of cycle range", 0, 2);
  if (kind == 1) {
    if (high < 2) Reject("The cycle range needs the number of runs");
    IntIn(range[2], "The number of runs", 1, 999);
  } else if (kind == 2) {
    if (high < 2) Reject("The cycle range needs the end date");
    std::string end = DateText(range[2], "The end date of the cycle");
    if (end < start) Reject("The end date " + end + " lies before the start date " + start);
  }
}

void CheckRules(const qv::Variant& rules) {
  int high = CheckArray(rules, "The rule list", 0);
  if (high < 0) Reject("The rule list needs its count");
  int count = IntIn(rules[0], "The number of rules", 0, 100000);
  if (count != high) {
    Reject("The rule list says " + std::to_string(count) + " rules but holds " +
           std::to_string(high));
  }
  for (int i = 1; i <= count; ++i) {
    std::string what = "Rule " + std::to_string(i);
    std::vector<std::string> fields = qv::SplitString(Text(rules[i], what), '\x03');
    size_t needed = 0;
    if (!fields.empty() && fields[0] == "1") needed = 8;
    if (!fields.empty() && fields[0] == "0") needed = 13;
    if (needed == 0) Reject(what + " is neither a single-value nor a range rule");
    if (fields.size() < needed) {
      Reject(what + " has " + std::to_string(fields.size()) + " fields, fewer than " +
             std::to_string(needed));
    }
  }
}

std::string TimeText(qv::TDateTime value) {
  try {
    return qv::FormatDateTime("yyyy-mm-dd hh:nn:ss", value);
  } catch (const qv::Exception&) {
    return "?";
  }
}

}  // namespace

bool IsDateText(const std::string& text) {
  if (text.size() != 8) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  int year = std::stoi(text.substr(0, 4));
  int month = std::stoi(text.substr(4, 2));
  int day = std::stoi(text.substr(6, 2));
  return year >= 1753 && qv::IsValidDate(year, month, day);
}

JobSubmission InspectRequest(const qv::Variant& request) {
  int top = CheckArray(request, "The request", 0);
  if (top != 2 && top != 4) {
    Reject("The request must hold 3 elements (5 for a periodic job), not " +
           std::to_string(top + 1));
  }
  const qv::Variant& env = request[0];
  int envHigh = CheckArray(env, "The environment", 1);
  if (envHigh < 9)
    Reject("The environment must hold at least 9 elements, not " + std::to_string(envHigh));
  for (int i = 1; i <= envHigh; ++i) {
    if (env[i].IsEmpty() || env[i].IsNull()) {
      Reject("Environment element " + std::to_string(i) + " is not filled in");
    }
  }

  JobSubmission job;
  job.request = request;
  job.programCode = qv::Trim(NonEmptyText(env[1], "The program code"));
  int declaredSize = IntIn(env[2], "The environment size", 9, 100000);
  if (declaredSize != envHigh) {
    Reject("The environment says it holds " + std::to_string(declaredSize) +
           " elements but holds " + std::to_string(envHigh));
  }
  job.conditionCount = IntIn(env[3], "The condition count", 0, 100000);
  job.companyId = NonEmptyText(env[4], "The company");
  job.userId = NonEmptyText(env[5], "The user");
  job.dbName = Text(env[6], "The database name");
  DateTime(env[7], "The submission time");
  job.progId = Text(env[8], "The ProgID");
  job.reportKind = NonEmptyText(env[9], "The job kind");
  if (envHigh >= 10) job.generationMode = IntIn(env[10], "The generation mode", 0, 2);
  if (envHigh >= 11) job.startTime = DateTime(env[11], "The start time");

  const qv::Variant& labels = request[1];
  const qv::Variant& values = request[2];
  int labelHigh = CheckArray(labels, "The label list", 1);
  int valueHigh = CheckArray(values, "The value list", 1);
  if (labelHigh != job.conditionCount || valueHigh != job.conditionCount) {
    Reject("The request says " + std::to_string(job.conditionCount) + " conditions but has " +
           std::to_string(labelHigh) + " labels and " + std::to_string(valueHigh) + " values");
  }
  for (int i = 1; i <= job.conditionCount; ++i) {
    std::string what = "Label " + std::to_string(i);
    if (CheckArray(labels[i], what, 0) != 1) Reject(what + " must be [caption, component name]");
    Text(labels[i][0], what + "'s caption");
    NonEmptyText(labels[i][1], what + "'s component name");
    if (values[i].IsEmpty() || values[i].IsNull()) {
      Reject("Value " + std::to_string(i) + " is not filled in");
    }
  }

  job.periodic = IsLowerCaseKind(job.reportKind);
  if (job.periodic != (top == 4)) {
    Reject(job.periodic
               ? "A periodic job (kind \"" + job.reportKind + "\") needs a schedule and rules"
               : "A schedule and rules come only with a periodic job (kind in lower case), "
                 "not with kind \"" +
                     job.reportKind + "\"");
  }
  if (job.periodic) {
    if (job.generationMode != 2 || !job.startTime) {
      Reject("A periodic job must be generated at its start time (mode 2 with a start time)");
    }
    CheckSchedule(request[3]);
    CheckRules(request[4]);
    job.status = "Periodic";
    job.statusText = "periodic job, first run at " + TimeText(*job.startTime);
  } else if (job.generationMode == 1) {
    job.status = "Immediate";
    job.statusText = "to be generated at once";
  } else if (job.generationMode == 2) {
    if (!job.startTime) Reject("A job generated at a given time needs its start time");
    job.status = "Scheduled";
    job.statusText = "to be generated at " + TimeText(*job.startTime);
  } else {
    job.status = "Queued";
    job.statusText = "waiting in the job queue";
  }
  return job;
}

}  // namespace standin
