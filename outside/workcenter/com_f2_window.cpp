#include "workcenter/com_f2_window.h"

#include "platform/system/date_time.h"
#include "platform/text/string_utils.h"
#include "workcenter/com_counter.h"

namespace standin {

namespace {

const qv::Variant& Element(const qv::Variant& array, int i) {
  return array[qv::VarArrayLowBound(array, 1) + i];
}

int Count(const qv::Variant& array) {
  return qv::VarArrayHighBound(array, 1) - qv::VarArrayLowBound(array, 1) + 1;
}

void CheckList(const qv::Variant& v, const std::string& operation, int minCount) {
  if (!v.IsArray() || qv::VarArrayDimCount(v) != 1 || Count(v) < minCount) {
    throw qv::EOleError(operation + " needs an array of at least " + std::to_string(minCount) +
                        " elements");
  }
}

std::vector<ResultRow> Chosen(const LookupWindowRequest& request, const std::vector<int>& rows) {
  std::vector<ResultRow> chosen;
  for (int row : rows) chosen.push_back(request.rows[row]);
  return chosen;
}

}  // namespace

TComF2Window::TComF2Window(std::shared_ptr<ErpDatabase> database,
                           std::shared_ptr<ChoiceHub> choices)
    : TAutoObject("TComF2Window"), database_(std::move(database)), choices_(std::move(choices)) {
  RegisterMethod("F2GetData", 1, [this](Args& a) {
    const qv::Variant& asked = a[0];
    CheckList(asked, "F2GetData", 5);
    LookupWindowRequest request;
    request.table = qv::Trim(qv::VarToStr(Element(asked, 0)));
    request.key = qv::Trim(qv::VarToStr(Element(asked, 1)));
    request.args = Element(asked, 2);
    const qv::Variant& multi = Element(asked, 3);
    request.multiSelect = !multi.IsEmpty() && !multi.IsNull() && multi.AsBoolean();
    request.startText = qv::VarToStr(Element(asked, 4));
    int count = Count(asked);
    if (count > 5) request.companyId = qv::VarToStr(Element(asked, 5));
    if (count > 6) request.dbName = qv::VarToStr(Element(asked, 6));
    if (count > 18) request.userId = qv::VarToStr(Element(asked, 18));

    LookupResult found = database_->Lookup(request.table, request.key, "window", request.args);
    request.title = found.title;
    request.captions = found.captions;
    request.rows = std::move(found.rows);
    if (!request.startText.empty()) {
      for (size_t r = 0; r < request.rows.size() && request.startRow < 0; ++r) {
        if (!request.rows[r].empty() && qv::VarToStr(request.rows[r][0]) >= request.startText) {
          request.startRow = static_cast<int>(r);
        }
      }
    }
    return RowsToVariant(Chosen(request, choices_->ChooseRows(request)));
  });

  RegisterMethod("ShowInputDay", 1, [this](Args& a) {
    const qv::Variant& asked = a[0];
    CheckList(asked, "ShowInputDay", 2);
    DatePickerRequest request;
    const qv::Variant& roc = Element(asked, 0);
    request.rocYear = !roc.IsEmpty() && !roc.IsNull() && roc.AsBoolean();
    request.initialDate = qv::Trim(qv::VarToStr(Element(asked, 1)));
    if (Count(asked) > 2) request.dbName = qv::VarToStr(Element(asked, 2));
    return qv::Variant(choices_->ChooseDate(request));
  });

  RegisterMethod("GetPhrase", 3, [this](Args& a) {
    LookupWindowRequest request;
    request.table = "QVRPH";
    request.key = "01";
    request.userId = qv::VarToStr(a[0]);
    request.dbName = qv::VarToStr(a[1]);
    request.args = qv::VarArrayOf({qv::Variant(request.userId)});
    LookupResult found = database_->Lookup(request.table, request.key, "window", request.args);
    request.title = found.title;
    request.captions = found.captions;
    request.rows = std::move(found.rows);
    std::vector<int> chosen = choices_->ChooseRows(request);
    if (chosen.empty() || request.rows[chosen.front()].empty()) return qv::Variant("");
    return qv::Variant(qv::VarToStr(request.rows[chosen.front()][0]));
  });
}

}  // namespace standin
