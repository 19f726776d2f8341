#pragma once
// The validator service (Com_Validator): checks of entered values against the
// ERP tables.
//   ProductID, BaseLimited             properties set by the caller
//   CheckValue(var table, var key, var db, var args, var row) -> true when a row
//       matches; row := the first matching row (an array), Empty when none
//   QueryData(same arguments)          -> the same, row := every matching row

#include <memory>
#include <mutex>
#include <string>

#include "platform/automation/auto_object.h"
#include "workcenter/erp_database.h"

namespace standin {

class TComValidator : public qv::TAutoObject {
 public:
  explicit TComValidator(std::shared_ptr<ErpDatabase> database);

 private:
  qv::Variant Run(Args& a, bool allRows);

  std::shared_ptr<ErpDatabase> database_;
  std::mutex mutex_;
  int productId_ = 0;
  std::string baseLimited_;
};

}  // namespace standin
