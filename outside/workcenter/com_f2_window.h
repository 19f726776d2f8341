#pragma once
// The lookup-window service (Com_F2Window). Its windows show their rows to the
// work center's ChoiceSource and return what it picked.
//   F2GetData(A) -> array of the chosen rows, Empty when nothing was chosen.
//       A: [0] table, [1] key, [2] arguments, [3] multi-select, [4] start text,
//       [5] company, [6] database, [7] window handle, ... [18] user
//   ShowInputDay([rocYear, yyyymmdd, db]) -> the chosen date "yyyymmdd", or ""
//   GetPhrase(var user, var db, handle)    -> the chosen phrase of the user, or ""

#include <memory>

#include "platform/automation/auto_object.h"
#include "workcenter/choice_source.h"
#include "workcenter/erp_database.h"

namespace standin {

class TComF2Window : public qv::TAutoObject {
 public:
  TComF2Window(std::shared_ptr<ErpDatabase> database, std::shared_ptr<ChoiceHub> choices);

 private:
  std::shared_ptr<ErpDatabase> database_;
  std::shared_ptr<ChoiceHub> choices_;
};

}  // namespace standin
