#pragma once
// The counter service (Com_Counter): system settings and simple queries.
//   GetSysInfo(var company) -> 2-D array [0..1, 0..n-1]: [0, i] name, [1, i] value
//   GetCounter(name, var data, [db, company]) -> for "SimpleSQL" with data
//       [SELECT statement, field names]: an array of rows (each an array of the
//       named fields), Empty when there are none

#include <memory>

#include "platform/automation/auto_object.h"
#include "workcenter/erp_database.h"

namespace standin {

class TComCounter : public qv::TAutoObject {
 public:
  explicit TComCounter(std::shared_ptr<ErpDatabase> database);

 private:
  std::shared_ptr<ErpDatabase> database_;
};

// Rows as an array 0..n-1 of arrays 0..k-1; Empty for no rows.
qv::Variant RowsToVariant(const std::vector<ResultRow>& rows);
qv::Variant RowToVariant(const ResultRow& row);

}  // namespace standin
