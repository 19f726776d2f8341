#include "queuemanager/queue_manager.h"

#include "common/call_recorder.h"
#include "platform/system/clock.h"
#include "platform/system/date_time.h"
#include "platform/text/string_utils.h"

namespace standin {

namespace {

constexpr const char* kLog = "queue_manager";

bool IsList(const qv::Variant& v, int count) {
  return v.IsArray() && qv::VarArrayDimCount(v) == 1 &&
         qv::VarArrayHighBound(v, 1) - qv::VarArrayLowBound(v, 1) + 1 == count;
}

const qv::Variant& At(const qv::Variant& list, int i) {
  return list[qv::VarArrayLowBound(list, 1) + i];
}

bool IsJobNumber(const std::string& text) {
  if (text.size() != 13) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return qv::IsValidDate(std::stoi(text.substr(0, 4)), std::stoi(text.substr(4, 2)),
                         std::stoi(text.substr(6, 2)));
}

}  // namespace

TQueueManager::Result TQueueManager::CheckOpenReport(const qv::Variant& request) {
  if (!IsList(request, 3) || !IsList(At(request, 0), 4)) return BadRequest;
  const qv::Variant& job = At(request, 0);
  for (int i = 0; i < 4; ++i) {
    const qv::Variant& part = At(job, i);
    if (part.IsArray() || part.IsDispatch() || part.IsNull() || part.IsEmpty()) return BadRequest;
  }
  std::string jobNo = qv::Trim(qv::VarToStr(At(job, 0)));
  if (!IsJobNumber(jobNo)) return NotAJob;
  if (qv::Trim(qv::VarToStr(At(job, 1))) != jobNo.substr(0, 8) + "0001") return WrongReport;
  return Opened;
}

TQueueManager::TQueueManager() : TAutoObject("TQueueManagerClass1") {
  RegisterMethod("OpenReport", 1, [](Args& a) {
    qv::Variant result(static_cast<int>(CheckOpenReport(a[0])));
    CallRecorder::Named(kLog).Record(
        {qv::Now(), kQueueManagerProgId, "OpenReport", qv::VarArrayOf({a[0]}), result});
    return result;
  });
  RegisterMethod("RecordedCalls", 0,
                 [](Args&) { return RecordedCallsAsVariant(CallRecorder::Named(kLog).Calls()); });
}

}  // namespace standin

extern "C" __attribute__((visibility("default"))) int QvCreateQueueManager(
    const char* progId, std::shared_ptr<qv::IDispatch>* out) {
  if (out == nullptr || progId == nullptr) return 1;
  if (!qv::SameText(progId, standin::kQueueManagerProgId)) return 2;
  *out = std::make_shared<standin::TQueueManager>();
  return 0;
}
