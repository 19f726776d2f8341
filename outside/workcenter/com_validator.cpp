#include "workcenter/com_validator.h"

#include "platform/text/string_utils.h"
#include "workcenter/com_counter.h"

namespace standin {

TComValidator::TComValidator(std::shared_ptr<ErpDatabase> database)
    : TAutoObject("TComValidator"), database_(std::move(database)) {
  RegisterProperty(
      "ProductID",
      [this] {
        std::lock_guard lock(mutex_);
        return qv::Variant(productId_);
      },
      [this](const qv::Variant& v) {
        std::lock_guard lock(mutex_);
        productId_ = v.AsInteger();
      });
  RegisterProperty(
      "BaseLimited",
      [this] {
        std::lock_guard lock(mutex_);
        return qv::Variant(baseLimited_);
      },
      [this](const qv::Variant& v) {
        std::lock_guard lock(mutex_);
        baseLimited_ = qv::VarToStr(v);
      });
  RegisterMethod("QueryData", 5, [this](Args& a) { return Run(a, true); });
  RegisterMethod("CheckValue", 5, [this](Args& a) { return Run(a, false); });
}

qv::Variant TComValidator::Run(Args& a, bool allRows) {
  std::string table = qv::Trim(qv::VarToStr(a[0]));
  std::string key = qv::Trim(qv::VarToStr(a[1]));
  LookupResult found = database_->Lookup(table, key, "check", a[3]);
  qv::Variant row;
  if (!found.rows.empty())
    row = allRows ? RowsToVariant(found.rows) : RowToVariant(found.rows.front());
  a.SetRef(4, row);
  return qv::Variant(!found.rows.empty());
}

}  // namespace standin
