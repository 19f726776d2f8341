#pragma once
// What the application-server stand-in stored: the last report request the
// module sent, read from the server's database in the stand-ins' data folder.

#include "json.h"

namespace ravlet::host {

// {"jobNo", "operation", "programCode", "companyId", "userId", "dbName",
//  "reportKind", "status", "statusText", "submitted", "request"} with the
// request as a variant (json_variant.h); null when nothing was stored yet.
JsonValue LastRequest();

}  // namespace ravlet::host
