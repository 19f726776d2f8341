#pragma once
// What a stand-in was asked, kept so that a test or a person can see it: in
// memory for the running process, and as one JSON line per call appended to
// "<data folder>/<log name>.jsonl".

#include <mutex>
#include <string>
#include <vector>

#include "platform/system/date_time.h"
#include "platform/variant/variant.h"

namespace standin {

struct RecordedCall {
  qv::TDateTime time = 0;
  std::string object;     // the ProgID of the object called
  std::string operation;  // method, or "<property> :=" for a property put
  qv::Variant args;       // array of the argument values, bounds 0..n-1
  qv::Variant result;
};

class CallRecorder {
 public:
  // One recorder per log name for the whole process.
  static CallRecorder& Named(const std::string& logName);

  // Appends to memory and to the file. Raises qv::EInOutError when the file
  // cannot be written (the call is still kept in memory).
  void Record(RecordedCall call);
  std::vector<RecordedCall> Calls() const;
  void Clear();
  // The file of the last call recorded; empty before the first.
  std::string FileName() const;

 private:
  explicit CallRecorder(std::string logName) : logName_(std::move(logName)) {}

  std::string logName_;
  mutable std::mutex mutex_;
  std::vector<RecordedCall> calls_;
  std::string fileName_;
};

// Calls as an array of [operation, arguments, result]; Empty for none.
qv::Variant RecordedCallsAsVariant(const std::vector<RecordedCall>& calls);

}  // namespace standin
