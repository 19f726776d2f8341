#pragma once
// A report request of the shape the condition window sends, for drivers,
// tests and benchmarks: an environment of 14, the interval-code condition
// (a range, or a list of listRows rows), sign-off, footer, date type and print
// date. Periodic requests carry a daily schedule and one date rule.

#include <string>

#include "platform/system/date_time.h"
#include "platform/variant/variant.h"

namespace standin {

struct SampleRequestOptions {
  std::string programCode = "RAVLET";
  std::string companyId = "DEMO";
  std::string userId = "DS";
  std::string dbName = "DEMO";
  std::string kind = "R";
  int generationMode = 0;
  qv::TDateTime submitted = 45366.5;  // 2024-03-15 12:00
  qv::TDateTime start = 45366.5;
  int listRows = 0;  // 0: the condition is a range
  bool periodic = false;
};

inline qv::Variant SampleLabel(const char* caption, const char* name) {
  return qv::VarArrayOf({qv::Variant(caption), qv::Variant(name)});
}

inline qv::Variant SampleRequest(const SampleRequestOptions& o = {}) {
  const int kConditions = 5;
  qv::Variant env = qv::VarArrayCreate({1, 14});
  env[1] = qv::Variant(o.programCode);
  env[2] = qv::Variant(14);
  env[3] = qv::Variant(kConditions);
  env[4] = qv::Variant(o.companyId);
  env[5] = qv::Variant(o.userId);
  env[6] = qv::Variant(o.dbName);
  env[7] = qv::Variant::FromDate(o.submitted);
  env[8] = qv::Variant(o.programCode + "S.Class1");
  env[9] = qv::Variant(o.periodic ? std::string("r") : o.kind);
  env[10] = qv::Variant(o.periodic ? 2 : o.generationMode);
  env[11] = qv::Variant::FromDate(o.start);
  env[12] = qv::Variant("");
  env[13] = qv::Variant(1);
  env[14] = qv::Variant("");

  qv::Variant labels = qv::VarArrayCreate({1, kConditions});
  labels[1] = SampleLabel("选择间距编号", "sp01");
  labels[2] = SampleLabel("签核", "grpSignIn");
  labels[3] = SampleLabel("页脚", "grpNote");
  labels[4] = SampleLabel("日期类型", "cboDateType");
  labels[5] = SampleLabel("制表日期", "edPrintDate");

  qv::Variant values = qv::VarArrayCreate({1, kConditions});
  if (o.listRows > 0) {
    qv::Variant list = qv::VarArrayCreate({0, o.listRows});
    list[0] = qv::Variant(std::string(1, '\x05'));
    for (int i = 1; i <= o.listRows; ++i) {
      std::string code = std::to_string(1000 + i % 9000);
      list[i] = qv::VarArrayOf({qv::Variant(code), qv::Variant("间距 " + code), qv::Variant("D"),
                                qv::Variant(i % 31 + 1)});
    }
    values[1] = list;
  } else {
    values[1] = qv::VarArrayOf(
        {qv::Variant(std::string(1, '\x04')), qv::Variant("0001"), qv::Variant("0099")});
  }
  values[2] = qv::VarArrayOf({qv::Variant("每页打印签核"), qv::Variant(false), qv::Variant("S001"),
                              qv::Variant("制表:"), qv::Variant("审核:"), qv::Variant("核准:")});
  values[3] = qv::VarArrayOf({qv::Variant("每页打印页脚"), qv::Variant(true), qv::Variant("F001"),
                              qv::Variant("本报表仅供内部使用"), qv::Variant(""), qv::Variant("")});
  values[4] = qv::VarArrayOf({qv::Variant(1), qv::Variant("公历 YYYYMMDD")});
  values[5] = qv::Variant("20240315");

  if (!o.periodic) return qv::VarArrayOf({env, labels, values});

  qv::Variant schedule = qv::VarArrayOf(
      {qv::Variant("Y"), qv::Variant("07:05"), qv::VarArrayOf({qv::Variant(0), qv::Variant("1")}),
       qv::VarArrayOf({qv::Variant("20240315"), qv::Variant(2), qv::Variant("20241231")})});
  std::string rule =
      "1\x03"
      "edPrintDate\x03Y\x03"
      "0\x03"
      "0\x03"
      "0\x03"
      "-1\x03"
      "D\x03"
      "5";
  qv::Variant rules = qv::VarArrayOf({qv::Variant(1), qv::Variant(rule)});
  return qv::VarArrayOf({env, labels, values, schedule, rules});
}

}  // namespace standin
