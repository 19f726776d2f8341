#include "workcenter/work_center.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "common/call_recorder.h"
#include "outside/standin_env.h"
#include "platform/automation/auto_object.h"
#include "platform/automation/ole_object.h"
#include "platform/variant/variant.h"
#include "workcenter/erp_database.h"

namespace {

using qv::Variant;
using qv::VarRef;

class WorkCenterTest : public ::testing::Test {
 protected:
  standin::TWorkCenter& Native() {
    auto* native = dynamic_cast<standin::TWorkCenter*>(center_.AsDispatch().get());
    if (native == nullptr) throw std::runtime_error("not the stand-in work center");
    return *native;
  }

  standin_test::StandinEnvironment env_;
  Variant center_ = qv::CreateOleObject("PellamWorkCenter.Manager");
};

TEST_F(WorkCenterTest, GetMessageFindsTheTextByTypeAndNumberInTheWorkCentersLanguage) {
  struct Case {
    const char *type, *number, *language, *expected;
  } cases[] = {
      {"E", "000038", "zh-CN", "启动参数不足, 程序无法启动!"},
      {"e", "38", "zh-CN", "启动参数不足, 程序无法启动!"},
      {"I", "-000004", "zh-CN", "作业已提交, 作业编号: %s"},
      {"W", "000002", "en", "%s: %s entries expected, %s found."},
      {"E", "999999", "zh-CN", "未定义的信息 E;999999"},
      {"E", "999999", "en", "Undefined message E;999999"},
      {"E", "1%s", "en", "Undefined message E;1%%s"},
  };
  for (const Case& c : cases) {
    center_.Put("Language", c.language);
    EXPECT_EQ(center_.Call("GetMessage", {c.type, c.number}).AsString(), c.expected)
        << c.type << ";" << c.number << " " << c.language;
  }
}

// The module formats these texts with the arguments it passes: a text with
// too few placeholders drops an argument, a stray "%" makes formatting fail.
TEST_F(WorkCenterTest, EveryMessageTakesTheArgumentsItsCallersPass) {
  struct Code {
    const char *type, *number;
    int arguments;
  } codes[] = {{"E", "000001", 1}, {"E", "000005", 1}, {"E", "000006", 0}, {"E", "000013", 1},
               {"E", "000015", 0}, {"E", "000016", 0}, {"E", "000030", 1}, {"E", "000036", 0},
               {"E", "000037", 0}, {"E", "000038", 0}, {"E", "100082", 2}, {"W", "000002", 3},
               {"W", "000003", 3}, {"W", "000004", 1}, {"W", "000014", 0}, {"I", "000003", 1},
               {"I", "000004", 1}, {"I", "000005", 1}, {"I", "000008", 0}, {"I", "000009", 0},
               {"I", "000010", 0}, {"I", "000011", 0}, {"R", "100235", 0}, {"R", "100236", 0},
               {"R", "200235", 0}};
  auto placeholders = [](const std::string& text) {
    int count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '%') continue;
      EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == 's') << "stray % in " << text;
      ++count;
      ++i;
    }
    return count;
  };
  for (const char* language : {"zh-CN", "en"}) {
    center_.Put("Language", language);
    for (const Code& code : codes) {
      std::string text = center_.Call("GetMessage", {code.type, code.number}).AsString();
      EXPECT_TRUE(text.find("ndefined") == std::string::npos &&
                  text.find("未定义") == std::string::npos)
          << code.type << code.number << " missing";
      EXPECT_EQ(placeholders(text), code.arguments) << language << " " << code.type << code.number;
    }
  }
}

TEST_F(WorkCenterTest, VersionAndProductAreIntegers) {
  EXPECT_EQ(center_.Call("VersionType").VarType(), qv::varInteger);
  EXPECT_EQ(center_.Call("ProductID").AsInteger(), 1);
}

TEST_F(WorkCenterTest, GetSysInfoGivesTheCompanysSettingsOverTheGeneralOnes) {
  Variant counter = center_.Call("Com_Counter");
  auto settings = [&](const char* company) {
    Variant id(company);
    Variant table = counter.Call("GetSysInfo", {VarRef(id)});
    EXPECT_EQ(qv::VarArrayDimCount(table), 2);
    std::map<std::string, std::string> values;
    for (int i = qv::VarArrayLowBound(table, 2); i <= qv::VarArrayHighBound(table, 2); ++i) {
      values[table.At(0, i).AsString()] = table.At(1, i).AsString();
    }
    return values;
  };
  auto demo = settings("DEMO");
  EXPECT_EQ(demo["QVR002"], "示范股份有限公司");
  EXPECT_EQ(demo["Sys001"], "1");
  EXPECT_EQ(demo["SYS026"], "1");
  EXPECT_EQ(demo["SYS181"], "Y");
  auto branch = settings("TW01");
  EXPECT_EQ(branch["Sys001"], "5");
  EXPECT_EQ(branch["Sys002"], ".");
  EXPECT_EQ(branch["SYS181"], "Y");
  EXPECT_EQ(settings("NOBODY")["QVR002"], "示范公司");
}

TEST_F(WorkCenterTest, SimpleSqlAnswersRowsOfTheNamedField) {
  Variant counter = center_.Call("Com_Counter");
  Variant where = qv::VarArrayOf({Variant("DEMO"), Variant("DEMO")});
  auto query = [&](const char* sql, const char* field) {
    Variant data = qv::VarArrayOf({Variant(sql), Variant(field)});
    return counter.Call("GetCounter", {"SimpleSQL", VarRef(data), where});
  };
  Variant portal = query("SELECT MA003 FROM QVRINTMA WHERE MA001='StartupPortal' ", "MA003");
  ASSERT_TRUE(portal.IsArray());
  EXPECT_EQ(portal[0][0].AsString(), "N");
  EXPECT_TRUE(query("SELECT MA003 FROM QVRINTMA WHERE MA001='Nothing'", "MA003").IsEmpty());
  Variant two = query("SELECT MB001, MB002 FROM MRPMB ORDER BY MB001", "MB002,MB001");
  EXPECT_EQ(two[0][0].AsString(), "每日");
  EXPECT_EQ(two[0][1].AsString(), "D001");
  EXPECT_THROW(counter.Call("GetCounter", {"NextNumber", VarRef(where), where}), qv::EOleError);
}

// The query text comes from the client: it may read and nothing else.
TEST_F(WorkCenterTest, SimpleSqlRefusesEverythingButReading) {
  Variant counter = center_.Call("Com_Counter");
  Variant where = qv::VarArrayOf({Variant("DEMO"), Variant("DEMO")});
  auto messages = [&] {
    Variant data = qv::VarArrayOf({Variant("SELECT COUNT(*) AS N FROM QVRMSG"), Variant("N")});
    return counter.Call("GetCounter", {"SimpleSQL", VarRef(data), where})[0][0].AsInteger();
  };
  int before = messages();
  std::string elsewhere = env_.DataDir() + "elsewhere.db";
  struct Case {
    std::string sql, field;
  } cases[] = {
      {"UPDATE QVRINTMA SET MA003 = 'Y'", ""}, {"DELETE FROM QVRMSG", ""},
      {"SELECT 1; DELETE FROM QVRMSG", ""},    {"ATTACH DATABASE '" + elsewhere + "' AS x", ""},
      {"PRAGMA writable_schema = 1", ""},      {"SELECT NCONDITION FROM appserver.schemes", ""},
      {"SELEC MA003 FROM QVRINTMA", ""},       {"SELECT MA003 FROM QVRINTMA", "MA009"},
  };
  for (const Case& c : cases) {
    Variant data = qv::VarArrayOf({Variant(c.sql), Variant(c.field)});
    EXPECT_THROW(counter.Call("GetCounter", {"SimpleSQL", VarRef(data), where}), qv::EOleError)
        << c.sql;
  }
  EXPECT_EQ(messages(), before);
  EXPECT_FALSE(std::filesystem::exists(elsewhere));
}

class ValidatorTest : public WorkCenterTest {
 protected:
  // The reply and the row, as the module's LookupRow asks.
  std::pair<bool, Variant> Check(const char* op, const char* table, const char* key, Variant args) {
    Variant t(table), k(key), db("DEMO"), row;
    bool ok = validator_.Call(op, {VarRef(t), VarRef(k), VarRef(db), VarRef(args), VarRef(row)})
                  .AsBoolean();
    return {ok, row};
  }
  static Variant Args(std::initializer_list<const char*> texts) {
    std::vector<Variant> values;
    for (const char* text : texts) values.emplace_back(text);
    return qv::VarArrayOf(values);
  }

  Variant validator_ = center_.Call("Com_Validator");
};

TEST_F(ValidatorTest, ChecksAnswerTheRowsTheirCallersReadByPosition) {
  struct Case {
    const char *table, *key;
    Variant args;
    int index;
    const char* expected;
  } cases[] = {
      {"ADMMB", "01", Args({"RAVLET"}), 0, "间距编号报表"},
      {"ADMMB", "01", Args({"ravlet"}), 4, "Y"},
      {"ADMMB", "01", Args({"RAVLET"}), 7, "Interval Code Report"},
      {"ADMMB", "11", Args({"RAVLEX"}), 3, "Y"},
      {"ADMMB", "11", Args({"RAVLET"}), 3, "N"},
      {"CMSMT", "01", Args({"RAVLET"}), 0, "F001"},
      {"CMSMT", "01", Args({"RAVLET"}), 1, "Y"},
      {"CMSMT", "01", Args({"RAVLET"}), 3, "本报表仅供内部使用"},
      {"CMSMT", "01", Args({"RAVLET"}), 6, "S001"},
      {"CMSMT", "01", Args({"RAVLEX"}), 7, "N"},
      {"CMSMT", "01", Args({"RAVLET"}), 11, "核准:"},
      {"CMSMT", "01", Args({"RPT01"}), 3, ""},
      {"CMSMS", "01", Args({"1", "F002"}), 2, "打印后请妥善保管"},
      {"CMSMS", "01", Args({"2", "S002"}), 1, "经办:"},
      {"CMSMA", "02", Args({""}), 0, "http://127.0.0.1:8080/QVReport"},
      {"MRPMB", "01", Args({"W002"}), 1, "双周"},
      {"QVRMA", "04", Args({"LIN"}), 3, "lin@example.com"},
  };
  for (const Case& c : cases) {
    auto [ok, row] = Check("CheckValue", c.table, c.key, c.args);
    ASSERT_TRUE(ok) << c.table << " " << c.key;
    EXPECT_EQ(row[c.index].AsString(), c.expected)
        << c.table << " " << c.key << " [" << c.index << "]";
  }
}

TEST_F(ValidatorTest, AMissingValueIsFalseWithAnEmptyRow) {
  auto [ok, row] = Check("CheckValue", "CMSMS", "01", Args({"1", "S001"}));
  EXPECT_FALSE(ok);
  EXPECT_TRUE(row.IsEmpty());
  auto [queried, rows] = Check("QueryData", "MRPMB", "01", Args({"XXXX"}));
  EXPECT_FALSE(queried);
  EXPECT_TRUE(rows.IsEmpty());
}

TEST_F(ValidatorTest, QueryDataAnswersEveryMatchingRow) {
  auto [ok, rows] = Check("QueryData", "QVRMA", "04", Args({"DS"}));
  ASSERT_TRUE(ok);
  ASSERT_TRUE(rows[0].IsArray());
  EXPECT_EQ(rows[0][1].AsString(), "系统管理员");
}

TEST_F(ValidatorTest, TheSchemeNameCheckReadsTheReportServersSchemes) {
  EXPECT_FALSE(Check("CheckValue", "GENES", "01", Args({"月报", "DS", "RAVLET"})).first)
      << "no report server database yet";
  Variant server = qv::CreateOleObject("ReportCounterS.dmReportCounter");
  Variant record = qv::VarArrayOf({Variant("月报"), Variant("DS"), Variant("20240315"),
                                   Variant("RAVLET"), Variant(""), Variant(""), Variant(false)});
  ASSERT_EQ(server.Call("InsertConTable", {VarRef(record)}).AsString(), "");
  EXPECT_TRUE(Check("CheckValue", "GENES", "01", Args({"月报", "DS", "RAVLET"})).first);
  EXPECT_FALSE(Check("CheckValue", "GENES", "01", Args({"月报", "LIN", "RAVLET"})).first);
}

TEST_F(ValidatorTest, UnknownChecksAndRowsPassedByValueRaise) {
  EXPECT_THROW(Check("CheckValue", "XXXXX", "01", Args({"A"})), qv::EOleError);
  Variant t("ADMMB"), k("01"), db("DEMO"), args = Args({"RAVLET"});
  EXPECT_THROW(
      validator_.Call("CheckValue", {VarRef(t), VarRef(k), VarRef(db), VarRef(args), Variant()}),
      qv::EOleError);
  validator_.Put("ProductID", Variant(3));
  validator_.Put("BaseLimited", Variant("W01\x03"));
  EXPECT_EQ(validator_.Get("ProductID").AsInteger(), 3);
}

class LookupWindowTest : public WorkCenterTest {
 protected:
  // The nineteen-element request of the module's lookup.
  Variant Ask(const char* table, const char* key, Variant args, bool multi, const char* text = "") {
    Variant a = qv::VarArrayCreate({0, 18});
    a[0] = Variant(table);
    a[1] = Variant(key);
    a[2] = args;
    a[3] = Variant(multi);
    a[4] = Variant(text);
    a[5] = Variant("DEMO");
    a[6] = Variant("DEMO");
    a[7] = Variant(0);
    a[8] = Variant(1);
    a[9] = Variant(false);
    a[10] = Variant(1);
    a[11] = a[12] = a[13] = Variant("");
    a[14] = Variant("");
    a[15] = a[16] = Variant(true);
    a[17] = center_;
    a[18] = Variant("DS");
    return f2_.Call("F2GetData", {a});
  }
  void Answer(std::initializer_list<int> rows) {
    std::vector<Variant> values(rows.begin(), rows.end());
    center_.Call("QueueLookupAnswer", {values.empty() ? Variant() : qv::VarArrayOf(values)});
  }

  Variant f2_ = center_.Call("Com_F2Window");
};

TEST_F(LookupWindowTest, TheChosenRowsComeBackAsRowsOfValues) {
  Answer({0, 2});
  Variant chosen = Ask("MRPMB", "01", qv::VarArrayOf({Variant("")}), true);
  ASSERT_EQ(qv::VarArrayHighBound(chosen, 1), 1);
  EXPECT_EQ(chosen[0][0].AsString(), "D001");
  EXPECT_EQ(chosen[1][0].AsString(), "M001");
  EXPECT_EQ(chosen[1][3].AsInteger(), 1);

  Answer({1});
  Variant footer = Ask("CMSMS", "01", qv::VarArrayOf({Variant("1")}), false);
  EXPECT_EQ(footer[0][0].AsString(), "F002");
  EXPECT_EQ(footer[0][2].AsString(), "机密文件, 请勿外传");

  Variant last = center_.Call("LastLookup");
  EXPECT_EQ(last[0].AsString(), "CMSMS");
  EXPECT_EQ(last[3][2].AsString(), "第一行");
}

TEST_F(LookupWindowTest, WithoutAnAnswerNothingIsPicked) {
  EXPECT_TRUE(Ask("QVRMA", "04", Variant(), false).IsEmpty());
  Answer({});
  EXPECT_TRUE(Ask("QVRMA", "04", Variant(), false).IsEmpty());
}

TEST_F(LookupWindowTest, AnswersThatTheWindowCannotGiveRaise) {
  Answer({0, 1});
  EXPECT_THROW(Ask("QVRMA", "04", Variant(), false), qv::EOleError)
      << "two rows in a single choice";
  Answer({99});
  EXPECT_THROW(Ask("QVRMA", "04", Variant(), true), qv::EOleError) << "no such row";
  EXPECT_THROW(Ask("NOPE", "01", Variant(), true), qv::EOleError) << "no such window";
  EXPECT_THROW(f2_.Call("F2GetData", {Variant("MRPMB")}), qv::EOleError) << "not a request";
}

TEST_F(LookupWindowTest, TheChoiceSourceSeesWhatTheWindowShows) {
  standin::LookupWindowRequest seen;
  Native().SetChoiceSource(std::make_shared<standin::FunctionChoices>(
      [&](const standin::LookupWindowRequest& request) {
        seen = request;
        return std::vector<int>{request.startRow};
      },
      nullptr));
  Variant chosen = Ask("MRPMB", "01", qv::VarArrayOf({Variant("M")}), false, "M003");
  EXPECT_EQ(chosen[0][0].AsString(), "M003");
  EXPECT_EQ(seen.rows.size(), 4u) << "only the monthly codes";
  EXPECT_EQ(seen.startRow, 1);
  EXPECT_EQ(seen.captions.front(), "间距编号");
  EXPECT_EQ(seen.userId, "DS");
  EXPECT_FALSE(seen.multiSelect);
}

// A choice source given late-bound, as a host that only holds variants would.
class ScriptedChooser : public qv::TAutoObject {
 public:
  ScriptedChooser() : TAutoObject("TScriptedChooser") {
    RegisterMethod("ChooseRows", 1, [this](Args& a) {
      lastTable = a[0][0].AsString();
      return qv::VarArrayOf({Variant(1)});
    });
    RegisterMethod("ChooseDate", 1, [](Args& a) {
      return Variant(a[0][0].AsString() == "20240315" ? "20240401" : "");
    });
  }
  std::string lastTable;
};

TEST_F(LookupWindowTest, AnAutomationObjectCanAnswerForTheUser) {
  auto chooser = std::make_shared<ScriptedChooser>();
  center_.Put("ChoiceSource", Variant(std::shared_ptr<qv::IDispatch>(chooser)));
  EXPECT_EQ(Ask("QVRMA", "04", Variant(), false)[0][0].AsString(), "DS");
  EXPECT_EQ(chooser->lastTable, "QVRMA");
  Variant day = qv::VarArrayOf({Variant(false), Variant("20240315"), Variant("DEMO")});
  EXPECT_EQ(f2_.Call("ShowInputDay", {day}).AsString(), "20240401");
  center_.Put("ChoiceSource", Variant());
  EXPECT_TRUE(Ask("QVRMA", "04", Variant(), false).IsEmpty());
}

TEST_F(LookupWindowTest, TheDatePickerAnswersADateOrNothing) {
  Variant day = qv::VarArrayOf({Variant(true), Variant("20240315"), Variant("DEMO")});
  EXPECT_EQ(f2_.Call("ShowInputDay", {day}).AsString(), "");
  center_.Call("QueueDateAnswer", {"20240301"});
  EXPECT_EQ(f2_.Call("ShowInputDay", {day}).AsString(), "20240301");
  center_.Call("QueueDateAnswer", {"20240230"});
  EXPECT_THROW(f2_.Call("ShowInputDay", {day}), qv::EOleError);
}

TEST_F(LookupWindowTest, GetPhraseOffersTheUsersPhrases) {
  Variant user("DS"), db("DEMO");
  EXPECT_EQ(f2_.Call("GetPhrase", {VarRef(user), VarRef(db), 0}).AsString(), "");
  Answer({1});
  EXPECT_EQ(f2_.Call("GetPhrase", {VarRef(user), VarRef(db), 0}).AsString(), "仅含正式订单");
  EXPECT_EQ(center_.Call("LastLookup")[4][0][0].AsString(), "月底结账前核对");
}

TEST_F(WorkCenterTest, CallHelpIsRecordedInMemoryAndInTheDataFolder) {
  auto& recorder = standin::CallRecorder::Named("help_calls");
  recorder.Clear();
  center_.Call("CallHelp", {qv::VarArrayOf({Variant("RAV"), Variant("13LT0000")})});
  auto calls = recorder.Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args[0][1].AsString(), "13LT0000");
  EXPECT_NE(standin_test::ReadFile(env_.DataDir() + "help_calls.jsonl").find("13LT0000"),
            std::string::npos);
  EXPECT_THROW(center_.Call("CallHelp", {Variant("RAV")}), qv::EOleError);
}

TEST_F(WorkCenterTest, GetFileListNamesThePublishedFile) {
  EXPECT_EQ(center_.Call("GetFileList", {qv::VarArrayOf({Variant("RavletS.DLL")})}).AsString(),
            "<Modify>20240301</Modify><Path>X:\\pub\\mods\\RAVLETS.DLL</Path>");
  EXPECT_EQ(center_.Call("GetFileList", {qv::VarArrayOf({Variant("nothing.dll")})}).AsString(), "");
}

TEST_F(WorkCenterTest, ADemoDatabaseOfAnotherEditionOrNoneAtAllIsRebuilt) {
  std::string file = env_.DataDir() + "erp_demo.db";
  for (const char* damage : {"PRAGMA user_version = 0", "garbage"}) {
    if (std::string(damage) == "garbage") {
      std::ofstream(file, std::ios::trunc) << "not a database";
    } else {
      standin::Database db(file);
      db.Exec(damage);
    }
    Variant center = qv::CreateOleObject("PellamWorkCenter.Manager");
    EXPECT_EQ(center.Call("GetMessage", {"I", "000011"}).AsString(), "制表日期") << damage;
  }
  standin::Database db(file, standin::Database::Mode::ReadOnly);
  auto version = db.Prepare("PRAGMA user_version");
  version.Step();
  EXPECT_EQ(version.ColumnInt(0), standin::ErpDatabase::Edition());
}

}  // namespace
