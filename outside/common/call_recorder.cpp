#include "common/call_recorder.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>

#include "common/data_folder.h"
#include "common/variant_json.h"
#include "platform/core/exception.h"

namespace standin {

namespace {

std::string JsonText(const std::string& utf8) {
  return VariantToJson(qv::Variant(utf8));
}

}  // namespace

CallRecorder& CallRecorder::Named(const std::string& logName) {
  static std::mutex registryMutex;
  static std::map<std::string, std::unique_ptr<CallRecorder>> recorders;
  std::lock_guard lock(registryMutex);
  auto& slot = recorders[logName];
  if (!slot) slot.reset(new CallRecorder(logName));
  return *slot;
}

void CallRecorder::Record(RecordedCall call) {
  std::string line = "{\"time\":";
  line += VariantToJson(qv::Variant::FromDate(call.time));
  line += ",\"object\":" + JsonText(call.object);
  line += ",\"operation\":" + JsonText(call.operation);
  line += ",\"args\":" + VariantToJson(call.args, true);
  line += ",\"result\":" + VariantToJson(call.result, true);
  line += "}\n";
  std::string file = DataFolder(call.object) + logName_ + ".jsonl";

  std::lock_guard lock(mutex_);
  calls_.push_back(std::move(call));
  fileName_ = file;
  std::ofstream out(file, std::ios::app | std::ios::binary);
  out << line;
  out.flush();
  if (!out) {
    int code = errno;
    throw qv::EInOutError(code,
                          "Cannot record the call in \"" + file + "\": " + std::strerror(code));
  }
}

std::vector<RecordedCall> CallRecorder::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

void CallRecorder::Clear() {
  std::lock_guard lock(mutex_);
  calls_.clear();
}

std::string CallRecorder::FileName() const {
  std::lock_guard lock(mutex_);
  return fileName_;
}

qv::Variant RecordedCallsAsVariant(const std::vector<RecordedCall>& calls) {
  if (calls.empty()) return qv::Variant();
  qv::Variant list = qv::VarArrayCreate({0, static_cast<int>(calls.size()) - 1});
  for (size_t i = 0; i < calls.size(); ++i) {
    list[static_cast<int>(i)] =
        qv::VarArrayOf({qv::Variant(calls[i].operation), calls[i].args, calls[i].result});
  }
  return list;
}

}  // namespace standin
