#include "appserver/report_counter.h"

#include "appserver/request_check.h"
#include "common/data_folder.h"
#include "platform/system/clock.h"
#include "platform/text/string_utils.h"

namespace standin {

namespace {

[[noreturn]] void BadArgument(const std::string& why) {
  throw qv::EOleError(why);
}

// The elements low..high of a one-dimensional array argument.
const qv::Variant& ArrayArg(const qv::Variant& v, const std::string& operation, int minCount) {
  if (!v.IsArray() || qv::VarArrayDimCount(v) != 1 ||
      qv::VarArrayHighBound(v, 1) - qv::VarArrayLowBound(v, 1) + 1 < minCount) {
    BadArgument(operation + " needs an array of at least " + std::to_string(minCount) +
                " elements");
  }
  return v;
}

// Element i counted from the array's low bound, as text.
std::string TextAt(const qv::Variant& array, int i, const std::string& what) {
  const qv::Variant& v = array[qv::VarArrayLowBound(array, 1) + i];
  if (v.IsArray() || v.IsDispatch() || v.IsNull()) BadArgument(what + " must be text");
  return qv::VarToStr(v);
}

bool IsBlankTexts(const std::string& texts) {
  return qv::Trim(qv::StringReplace(texts, ";", "", qv::rfReplaceAll)).empty();
}

qv::Variant StringArray(std::initializer_list<const char*> texts) {
  qv::Variant array = qv::VarArrayCreate({0, static_cast<int>(texts.size()) - 1});
  int i = 0;
  for (const char* text : texts) array[i++] = qv::Variant(text);
  return array;
}

}  // namespace

std::string TReportCounter::DefaultDatabaseFile() {
  return DataFolder(kReportServerProgId) + "report_server.db";
}

std::shared_ptr<TReportCounter> TReportCounter::CreateDefault() {
  return std::make_shared<TReportCounter>(DefaultDatabaseFile());
}

TReportCounter::TReportCounter(const std::string& databaseFile)
    : TAutoObject("TdmReportCounter"), store_(databaseFile) {
  RegisterMethod("Request", 1, [this](Args& a) { return SubmitRequest(a[0], "Request", ""); });
  RegisterMethod("Request1", 2,
                 [this](Args& a) { return SubmitRequest(a[0], "Request1", qv::VarToStr(a[1])); });
  RegisterMethod("ErrorDescript", 0, [this](Args&) {
    std::lock_guard lock(mutex_);
    return qv::Variant(lastError_);
  });

  RegisterMethod("UpdateStatus1", 3, [this](Args& a) {
    std::string jobNo = qv::Trim(qv::VarToStr(a[0]));
    std::string texts = qv::VarToStr(a[1]);
    qv::TDateTime at = a[2].IsEmpty() || a[2].IsNull() ? qv::Now() : a[2].AsDateTime();
    bool ok = IsBlankTexts(texts);
    std::lock_guard lock(mutex_);
    if (!store_.UpdateJobStatus(jobNo, ok ? "Done" : "Failed", ok ? "" : texts, at)) {
      BadArgument("UpdateStatus1: there is no job \"" + jobNo + "\"");
    }
    return qv::Variant();
  });

  RegisterMethod("GetPower", 1, [this](Args& a) {
    const qv::Variant& query = ArrayArg(a[0], "GetPower", 3);
    std::string db = TextAt(query, 0, "The database name");
    std::string user = TextAt(query, 1, "The user");
    std::string program = TextAt(query, 2, "The program code");
    UserRights rights;
    {
      std::lock_guard lock(mutex_);
      rights = store_.Rights(db, user, program);
    }
    qv::Variant reply = qv::VarArrayCreate({0, 5});
    reply[0] = qv::Variant(user);
    reply[1] = qv::Variant(rights.rightsCode + "," + rights.flag1 + "," + rights.flag2 + "," +
                           rights.mask + "," + rights.text5 + "," + rights.text6);
    reply[2] = qv::Variant(rights.data2);
    reply[3] = qv::Variant(rights.data3);
    reply[4] = qv::Variant(rights.baseLimit);
    int n = static_cast<int>(rights.limitItems.size());
    qv::Variant items = qv::VarArrayCreate({0, n});
    items[0] = qv::Variant(n);
    for (int i = 0; i < n; ++i) items[i + 1] = qv::Variant(rights.limitItems[i]);
    reply[5] = items;
    return reply;
  });

  RegisterMethod("LoadTable", 1, [this](Args& a) {
    const qv::Variant& selection = ArrayArg(a[0], "LoadTable", 2);
    std::string user = TextAt(selection, 0, "The user");
    std::string program = TextAt(selection, 1, "The program code");
    std::lock_guard lock(mutex_);
    schemeSelection_ = std::make_pair(user, program);
    return SchemePacket();
  });

  RegisterMethod("InsertConTable", 1, [this](Args& a) {
    const qv::Variant& record = ArrayArg(a[0], "InsertConTable", 7);
    int low = qv::VarArrayLowBound(record, 1);
    SchemeRecord scheme{
        TextAt(record, 0, "The scheme name"),  TextAt(record, 1, "The user"),
        TextAt(record, 3, "The program code"), TextAt(record, 4, "The field list"),
        TextAt(record, 5, "The value text"),   TextAt(record, 2, "The saving date")};
    bool replace = record[low + 6].AsBoolean();
    if (qv::Trim(scheme.name).empty()) return qv::Variant("The scheme name is empty");
    if (qv::Trim(scheme.creator).empty()) return qv::Variant("The scheme has no user");
    if (qv::Trim(scheme.programme).empty()) return qv::Variant("The scheme has no program code");
    if (!IsDateText(scheme.createDate)) {
      return qv::Variant("The saving date \"" + scheme.createDate + "\" is not a date yyyymmdd");
    }
    std::lock_guard lock(mutex_);
    return qv::Variant(store_.InsertScheme(scheme, replace));
  });

  RegisterMethod("DeleteConTable", 1, [this](Args& a) {
    const qv::Variant& key = ArrayArg(a[0], "DeleteConTable", 3);
    std::lock_guard lock(mutex_);
    return qv::Variant(store_.DeleteScheme(TextAt(key, 0, "The scheme name"),
                                           TextAt(key, 1, "The user"),
                                           TextAt(key, 2, "The program code")));
  });

  RegisterMethod("ChangeConName", 2, [this](Args& a) {
    const qv::Variant& former = ArrayArg(a[0], "ChangeConName", 3);
    const qv::Variant& latter = ArrayArg(a[1], "ChangeConName", 3);
    std::string user = TextAt(former, 1, "The user");
    std::string program = TextAt(former, 2, "The program code");
    std::string newName = TextAt(latter, 0, "The new scheme name");
    if (TextAt(latter, 1, "The user") != user || TextAt(latter, 2, "The program code") != program) {
      return qv::Variant("A scheme keeps its user and program when it is renamed");
    }
    if (qv::Trim(newName).empty()) return qv::Variant("The new scheme name is empty");
    std::lock_guard lock(mutex_);
    return qv::Variant(
        store_.RenameScheme(TextAt(former, 0, "The scheme name"), user, program, newName));
  });

  RegisterMethod("AS_GetRecords", 1, [this](Args& a) {
    std::string provider = qv::VarToStr(a[0]);
    if (!qv::SameText(provider, kSchemeProvider)) {
      BadArgument("Unknown provider \"" + provider + "\"");
    }
    std::lock_guard lock(mutex_);
    return SchemePacket();
  });

  RegisterMethod("GetJob", 1, [this](Args& a) {
    std::string jobNo = qv::Trim(qv::VarToStr(a[0]));
    std::optional<StoredJob> job;
    {
      std::lock_guard lock(mutex_);
      job = store_.FindJob(jobNo);
    }
    if (!job) BadArgument("There is no job \"" + jobNo + "\"");
    qv::Variant reply = qv::VarArrayCreate({0, 5});
    reply[0] = qv::Variant(job->jobNo);
    reply[1] = qv::Variant(job->status);
    reply[2] = qv::Variant(job->statusText);
    reply[3] = job->submission.request;
    reply[4] = qv::Variant(job->submission.computerName);
    reply[5] = qv::Variant::FromDate(job->submittedAt);
    return reply;
  });
}

qv::Variant TReportCounter::SubmitRequest(const qv::Variant& request, const std::string& operation,
                                          const std::string& computerName) {
  std::lock_guard lock(mutex_);
  try {
    JobSubmission job = InspectRequest(request);
    job.operation = operation;
    job.computerName = computerName;
    if (operation == "Request1") {
      if (qv::Trim(computerName).empty()) throw ERequestRejected("The workstation name is empty");
      job.status = "Registered";
      job.statusText = "registered for a run on workstation " + computerName;
    }
    return qv::Variant(store_.SubmitJob(job, qv::Now()));
  } catch (const std::exception& e) {
    lastError_ = operation + " refused: " + e.what();
    return qv::Variant("ERROR");
  }
}

qv::Variant TReportCounter::SchemePacket() {
  std::vector<SchemeRecord> schemes;
  if (schemeSelection_) schemes = store_.Schemes(schemeSelection_->first, schemeSelection_->second);
  qv::Variant packet = qv::VarArrayCreate({0, 3});
  packet[0] = StringArray(
      {"NCONDITION", "CREATOR", "PROGRAMME", "SCONDITION", "VCONDITION", "CREATE_DATE"});
  packet[1] = StringArray({"方案名称", "创建者", "程序代号", "字段清单", "方案内容", "创建日期"});
  packet[3] = StringArray({"String", "String", "String", "Memo", "Memo", "String"});
  if (!schemes.empty()) {
    int count = static_cast<int>(schemes.size());
    qv::Variant rows = qv::VarArrayCreate({0, 5, 0, count - 1});
    for (int r = 0; r < count; ++r) {
      const SchemeRecord& s = schemes[r];
      rows.At(0, r) = qv::Variant(s.name);
      rows.At(1, r) = qv::Variant(s.creator);
      rows.At(2, r) = qv::Variant(s.programme);
      rows.At(3, r) = qv::Variant(s.fields);
      rows.At(4, r) = qv::Variant(s.values);
      rows.At(5, r) = qv::Variant(s.createDate);
    }
    packet[2] = rows;
  }
  return packet;
}

}  // namespace standin

extern "C" __attribute__((visibility("default"))) int QvCreateReportCounter(
    const char* progId, std::shared_ptr<qv::IDispatch>* out) {
  if (out == nullptr || progId == nullptr) return 1;
  if (!qv::SameText(progId, standin::kReportServerProgId)) return 2;
  // A failure to open the storage travels as an exception: its text says why.
  *out = standin::TReportCounter::CreateDefault();
  return 0;
}
