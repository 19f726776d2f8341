#include "workcenter/com_counter.h"

#include "platform/text/string_utils.h"

namespace standin {

qv::Variant RowToVariant(const ResultRow& row) {
  qv::Variant cells = qv::VarArrayCreate({0, static_cast<int>(row.size()) - 1});
  for (size_t c = 0; c < row.size(); ++c) cells[static_cast<int>(c)] = row[c];
  return cells;
}

qv::Variant RowsToVariant(const std::vector<ResultRow>& rows) {
  if (rows.empty()) return qv::Variant();
  qv::Variant array = qv::VarArrayCreate({0, static_cast<int>(rows.size()) - 1});
  for (size_t r = 0; r < rows.size(); ++r) array[static_cast<int>(r)] = RowToVariant(rows[r]);
  return array;
}

TComCounter::TComCounter(std::shared_ptr<ErpDatabase> database)
    : TAutoObject("TComCounter"), database_(std::move(database)) {
  RegisterMethod("GetSysInfo", 1, [this](Args& a) {
    auto settings = database_->SystemSettings(qv::Trim(qv::VarToStr(a[0])));
    int count = static_cast<int>(settings.size());
    qv::Variant table = qv::VarArrayCreate({0, 1, 0, count - 1});
    for (int i = 0; i < count; ++i) {
      table.At(0, i) = qv::Variant(settings[i].first);
      table.At(1, i) = qv::Variant(settings[i].second);
    }
    return table;
  });

  RegisterMethod("GetCounter", 3, [this](Args& a) {
    std::string name = qv::Trim(qv::VarToStr(a[0]));
    if (!qv::SameText(name, "SimpleSQL")) {
      throw qv::EOleError("GetCounter knows no query \"" + name + "\"");
    }
    const qv::Variant& data = a[1];
    if (!data.IsArray() || qv::VarArrayDimCount(data) != 1) {
      throw qv::EOleError("SimpleSQL needs [SELECT statement, field names]");
    }
    int low = qv::VarArrayLowBound(data, 1);
    int high = qv::VarArrayHighBound(data, 1);
    if (high < low) throw qv::EOleError("SimpleSQL needs [SELECT statement, field names]");
    std::string sql = qv::VarToStr(data[low]);
    std::string fields = high > low ? qv::VarToStr(data[low + 1]) : std::string();
    return RowsToVariant(database_->SimpleQuery(sql, fields));
  });
}

}  // namespace standin
