#pragma once
// The workstation's queue manager "QueueManagerC.Class1". It opens a report
// job in the report designer; here it checks the request and records it (in
// memory and in queue_manager.jsonl in the data folder) so that a test or a
// person can see what was asked.
//   OpenReport([[jobNo, reportNo, user, productId], user, show]) -> 0 opened,
//       1 the request is not of that shape, 2 the job number is not a job's
//       ("yyyymmdd" and five digits), 3 the report number does not belong to it
//   RecordedCalls() -> [[operation, arguments, result], ...] of this process

#include "platform/automation/auto_object.h"

namespace standin {

inline constexpr const char* kQueueManagerProgId = "QueueManagerC.Class1";

class TQueueManager : public qv::TAutoObject {
 public:
  TQueueManager();

  enum Result { Opened = 0, BadRequest = 1, NotAJob = 2, WrongReport = 3 };
  static Result CheckOpenReport(const qv::Variant& request);
};

}  // namespace standin
