#pragma once
// Reading and checking a report request before it is accepted as a job:
//   [0] environment 1..n (n >= 9): program code, n, condition count, company,
//       user, database, submission time, ProgID, job kind letter(s), and from
//       10 on generation mode, start time, recipients, output flags, extension
//   [1] labels 1..count, each [caption, component name]
//   [2] values 1..count
//   [3] schedule ["Y", "hh:mm", cycle, range] and [4] rules [n, entry 1..n],
//       both present exactly for a periodic job (kind letters in lower case)
// A request that does not have this shape is refused with a reason, so that a
// job is never stored that the server could not run.

#include <string>

#include "appserver/report_store.h"
#include "platform/core/exception.h"
#include "platform/variant/variant.h"

namespace standin {

class ERequestRejected : public qv::Exception {
 public:
  using qv::Exception::Exception;
  std::string ClassName() const override { return "ERequestRejected"; }
};

// The job described by the request, with its status at submission.
// ERequestRejected naming the first fault found.
JobSubmission InspectRequest(const qv::Variant& request);

// Whether the text is a real calendar date written "yyyymmdd".
bool IsDateText(const std::string& text);

}  // namespace standin
