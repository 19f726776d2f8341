#include "server_records.h"

#include <filesystem>

#include "appserver/report_counter.h"
#include "common/sqlite_db.h"
#include "common/variant_json.h"
#include "json_variant.h"

namespace ravlet::host {

JsonValue LastRequest() {
  const std::string file = standin::TReportCounter::DefaultDatabaseFile();
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return JsonValue();
  standin::Database db(file, standin::Database::Mode::ReadOnly);
  standin::Statement last = db.Prepare(
      "SELECT job_no, operation, program_code, company_id, user_id, db_name, report_kind, "
      "status, status_text, submitted_text, request FROM jobs ORDER BY rowid DESC LIMIT 1");
  if (!last.Step()) return JsonValue();
  const char* names[] = {"jobNo",  "operation",  "programCode", "companyId",  "userId",
                         "dbName", "reportKind", "status",      "statusText", "submitted"};
  JsonValue record = JsonValue::Object();
  for (int column = 0; column < 10; ++column) record.Set(names[column], last.ColumnText(column));
  record.Set("request", VariantToJson(standin::VariantFromJson(last.ColumnText(10))));
  return record;
}

}  // namespace ravlet::host
