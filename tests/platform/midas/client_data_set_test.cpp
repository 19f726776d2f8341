#include "platform/midas/client_data_set.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/automation/auto_object.h"
#include "platform/midas/remote_server.h"
#include "platform/midas/socket_connection.h"

namespace {

using qv::TClientDataSet;
using qv::TFieldType;
using qv::Variant;

struct Scheme {
  const char* name;
  const char* creator;
  const char* programme;
  const char* date;
};

// Scheme records in the order the provider serves them.
const Scheme kSchemes[] = {
    {"月报", "U01", "MRP001", "20231205"},
    {"Alpha", "U01", "MRP001", "20231101"},
    {"alpha", "U02", "MRP001", "20231102"},
    {"Beta", "U01", "MRP002", "20231103"},
};

Variant SchemePacket() {
  Variant rows = qv::VarArrayCreate({0, 5, 0, static_cast<int>(std::size(kSchemes)) - 1});
  for (int r = 0; r < static_cast<int>(std::size(kSchemes)); ++r) {
    rows.At(0, r) = kSchemes[r].name;
    rows.At(1, r) = kSchemes[r].creator;
    rows.At(2, r) = kSchemes[r].programme;
    rows.At(3, r) = "edName.text";
    rows.At(4, r) = Variant::Null();
    rows.At(5, r) = kSchemes[r].date;
  }
  return qv::VarArrayOf({
      qv::VarArrayOf(
          {"NCONDITION", "CREATOR", "PROGRAMME", "SCONDITION", "VCONDITION", "CREATE_DATE"}),
      qv::VarArrayOf({"方案名称", "", "", "", "", "创建时间"}),
      rows,
      qv::VarArrayOf({"", "", "", "", "Memo", ""}),
  });
}

class TProvider : public qv::TAutoObject {
 public:
  explicit TProvider(Variant packet) : TAutoObject("TProvider"), packet_(std::move(packet)) {
    RegisterMethod("AS_GetRecords", 1, [this](Args& a) {
      if (a[0].AsString() != "pvdConSave") throw qv::EOleError("no provider " + a[0].AsString());
      return packet_;
    });
  }

 private:
  Variant packet_;
};

Variant ProviderServing(Variant packet) {
  return Variant(std::shared_ptr<qv::IDispatch>(std::make_shared<TProvider>(std::move(packet))));
}

std::vector<std::string> Names(TClientDataSet& ds) {
  std::vector<std::string> out;
  for (ds.First(); !ds.Eof(); ds.Next()) out.push_back(ds.FieldByName("NCONDITION").AsString());
  return out;
}

class ClientDataSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ds_.SetAppServer(ProviderServing(SchemePacket()));
    ds_.SetProviderName("pvdConSave");
  }
  TClientDataSet ds_{"ClientDataSet1"};
};

TEST_F(ClientDataSetTest, OpensFromTheProviderAndWalksItsRecords) {
  ds_.Open();
  ASSERT_TRUE(ds_.Active());
  EXPECT_EQ(ds_.RecordCount(), 4);
  EXPECT_EQ(Names(ds_), (std::vector<std::string>{"月报", "Alpha", "alpha", "Beta"}));
  EXPECT_TRUE(ds_.Eof());
  EXPECT_EQ(ds_.RecNo(), 4);  // Eof stays on the last record
  ds_.Prior();
  EXPECT_EQ(ds_.FieldByName("NCONDITION").AsString(), "alpha");
  ds_.First();
  EXPECT_TRUE(ds_.Bof());
  ds_.Prior();
  EXPECT_TRUE(ds_.Bof());
  EXPECT_EQ(ds_.RecNo(), 1);

  const qv::TField& name = ds_.FieldByName("ncondition");
  EXPECT_EQ(name.DisplayLabel(), "方案名称");
  EXPECT_EQ(ds_.FieldByName("CREATOR").DisplayLabel(), "CREATOR");
  EXPECT_EQ(name.DataType(), TFieldType::ftWideString);
  EXPECT_EQ(ds_.FieldByName("VCONDITION").DataType(), TFieldType::ftMemo);
  EXPECT_TRUE(ds_.FieldByName("VCONDITION").IsNull());
  EXPECT_EQ(ds_.FieldByName("VCONDITION").AsString(), "");
  EXPECT_EQ(name.Index(), 0);

  ds_.Close();
  EXPECT_FALSE(ds_.Active());
  EXPECT_EQ(ds_.FieldCount(), 0);  // fields made from the packet go with it
  EXPECT_THROW(ds_.RecordCount(), qv::EDatabaseError);
}

TEST_F(ClientDataSetTest, AnIndexOrdersTheRecordsAndKeepsTheCurrentOne) {
  ds_.AddIndexDef("Index1", "NCONDITION;CREATOR;PROGRAMME");
  ds_.SetIndexName("Index1");
  ds_.Open();
  EXPECT_EQ(Names(ds_), (std::vector<std::string>{"Alpha", "Beta", "alpha", "月报"}));

  ASSERT_TRUE(ds_.Locate("NCONDITION", "alpha"));
  ds_.SetIndexFieldNames("CREATE_DATE");
  EXPECT_EQ(ds_.FieldByName("NCONDITION").AsString(), "alpha");
  EXPECT_EQ(ds_.RecNo(), 2);
  EXPECT_EQ(ds_.IndexName(), "");
  ds_.SetIndexFieldNames("");
  EXPECT_EQ(Names(ds_), (std::vector<std::string>{"月报", "Alpha", "alpha", "Beta"}));

  EXPECT_THROW(ds_.SetIndexName("Index9"), qv::EDatabaseError);
  EXPECT_THROW(ds_.SetIndexFieldNames("NOSUCH"), qv::EDatabaseError);
}

TEST_F(ClientDataSetTest, LocateFindsByKeyFieldsOrLeavesThePositionAlone) {
  struct Case {
    const char* label;
    const char* fields;
    Variant values;
    qv::TLocateOptions options;
    const char* found;  // NCONDITION of the record found; nullptr: none
  };
  const Case cases[] = {
      {"all index fields",
       "NCONDITION;CREATOR;PROGRAMME",
       qv::VarArrayOf({"alpha", "U02", "MRP001"}),
       {},
       "alpha"},
      {"one field, first in order", "CREATOR", "U01", {}, "月报"},
      {"case matters by default", "NCONDITION", "ALPHA", {}, nullptr},
      {"case ignored on request", "NCONDITION", "ALPHA", {true, false}, "Alpha"},
      {"partial key", "ncondition; creator", qv::VarArrayOf({"Be", "U01"}), {false, true}, "Beta"},
      {"wide text", "NCONDITION", Variant(u"月报"), {}, "月报"},
      {"text against a number", "CREATOR", 1, {}, nullptr},
      {"no such record", "NCONDITION;CREATOR", qv::VarArrayOf({"Alpha", "U02"}), {}, nullptr},
  };
  ds_.Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    ds_.Last();
    EXPECT_EQ(ds_.Locate(c.fields, c.values, c.options), c.found != nullptr);
    EXPECT_EQ(ds_.FieldByName("NCONDITION").AsString(), c.found ? c.found : "Beta");
    EXPECT_EQ(ds_.Eof(), c.found == nullptr);  // a miss leaves even the Eof flag alone
  }
  EXPECT_THROW(ds_.Locate("NCONDITION;CREATOR", "Alpha"), qv::EDatabaseError);
  EXPECT_THROW(ds_.Locate("NOSUCH", "Alpha"), qv::EDatabaseError);

  EXPECT_THROW(ds_.FindKey(std::vector<Variant>{"Alpha"}), qv::EDatabaseError);  // no index
  ds_.SetIndexFieldNames("NCONDITION;CREATOR;PROGRAMME");
  EXPECT_TRUE(ds_.FindKey(std::vector<Variant>{"Alpha", "U01"}));
  EXPECT_EQ(ds_.FieldByName("CREATE_DATE").AsString(), "20231101");
  EXPECT_FALSE(ds_.FindKey(std::vector<Variant>{"Alpha", "U02"}));
}

TEST_F(ClientDataSetTest, EditsStayLocalUntilPostedAndCancelThrowsThemAway) {
  ds_.SetIndexFieldNames("NCONDITION");
  ds_.Open();
  qv::TField& name = ds_.FieldByName("NCONDITION");
  ASSERT_TRUE(ds_.Locate("NCONDITION", "Alpha"));
  EXPECT_THROW(name.SetAsString("x"), qv::EDatabaseError);  // not in edit state

  ds_.Edit();
  name.SetAsString("Zeta");
  EXPECT_EQ(name.AsString(), "Zeta");
  ds_.Cancel();
  EXPECT_EQ(name.AsString(), "Alpha");

  ds_.Edit();
  name.SetAsString("Zeta");
  ds_.Post();
  // Re-sorted (by bytes: capitals first), still on the edited record.
  EXPECT_EQ(name.AsString(), "Zeta");
  EXPECT_EQ(ds_.RecNo(), 2);
  EXPECT_EQ(Names(ds_), (std::vector<std::string>{"Beta", "Zeta", "alpha", "月报"}));

  // Moving on posts a pending edit, as the original framework does.
  ds_.First();
  ds_.Edit();
  name.SetAsString("Aardvark");
  ds_.Next();
  EXPECT_EQ(ds_.State(), qv::TDataSetState::dsBrowse);
  EXPECT_EQ(Names(ds_).front(), "Aardvark");

  // Values take the field's type; a value that does not fit fails.
  Variant rows = qv::VarArrayCreate({0, 0, 0, 0});
  rows.At(0, 0) = 5;
  TClientDataSet numbers;
  numbers.OpenWithData(qv::VarArrayOf({qv::VarArrayOf({"N"}), Variant(), rows}));
  qv::TField& n = numbers.FieldByName("N");
  EXPECT_EQ(n.DataType(), TFieldType::ftInteger);
  numbers.Edit();
  n.SetAsString("12");
  EXPECT_EQ(qv::VarType(n.AsVariant()), qv::varInteger);
  EXPECT_EQ(n.AsInteger(), 12);
  EXPECT_ANY_THROW(n.SetAsString("twelve"));
  numbers.Close();
  EXPECT_THROW(numbers.Edit(), qv::EDatabaseError);
}

TEST_F(ClientDataSetTest, PersistentFieldsKeepTheirHandlersAcrossReopening) {
  qv::TField& name = ds_.AddField("NCONDITION", TFieldType::ftString);
  ds_.AddField("CREATE_DATE");
  name.SetDisplayLabel("Scheme");
  name.SetOnGetText([](qv::TField& sender, std::string& text, bool display) {
    text = (display ? "<" : "[") + sender.AsString() + (display ? ">" : "]");
  });
  std::vector<std::string> entered;
  name.SetOnSetText([&](qv::TField& sender, const std::string& text) {
    entered.push_back(text);
    sender.SetAsString(text + "!");
  });

  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    ds_.Open();
    EXPECT_EQ(ds_.FieldCount(), 2);
    EXPECT_EQ(&ds_.FieldByName("NCONDITION"), &name);
    EXPECT_EQ(name.DisplayLabel(), "Scheme");
    EXPECT_EQ(name.AsString(), "月报");
    EXPECT_EQ(name.Text(), "[月报]");
    EXPECT_EQ(name.DisplayText(), "<月报>");
    EXPECT_EQ(ds_.FindField("CREATOR"), nullptr);
    ds_.Close();
  }
  EXPECT_EQ(ds_.FieldCount(), 2);

  ds_.Open();
  ds_.Edit();
  name.SetText("新");
  EXPECT_EQ(entered, std::vector<std::string>{"新"});
  EXPECT_EQ(name.AsString(), "新!");
  ds_.Post();
  ds_.Close();

  // A persistent field the provider does not serve.
  ds_.AddField("REMARK");
  try {
    ds_.Open();
    FAIL() << "opened";
  } catch (const qv::EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "ClientDataSet1: Field 'REMARK' not found");
  }
  EXPECT_FALSE(ds_.Active());
}

TEST(ClientDataSet, MalformedPacketsAreRefusedWithTheirReason) {
  const Variant names = qv::VarArrayOf({"A", "B"});
  Variant twoFields = qv::VarArrayCreate({0, 1, 0, 0});
  Variant threeFields = qv::VarArrayCreate({0, 2, 0, 0});
  struct Case {
    const char* label;
    Variant packet;
    const char* text;
  };
  const Case cases[] = {
      {"not an array", Variant("records"), "not an array of field names"},
      {"too short", qv::VarArrayOf({names, Variant()}), "not an array of field names"},
      {"no names", qv::VarArrayOf({Variant(), Variant(), twoFields}), "no list of field names"},
      {"empty name", qv::VarArrayOf({qv::VarArrayOf({"A", ""}), Variant(), twoFields}),
       "field 2 has no name"},
      {"duplicate names", qv::VarArrayOf({qv::VarArrayOf({"A", "a"}), Variant(), twoFields}),
       "field \"a\" appears twice"},
      {"labels of another count", qv::VarArrayOf({names, qv::VarArrayOf({"x"}), twoFields}),
       "display labels do not match the 2 fields"},
      {"records of another width", qv::VarArrayOf({names, Variant(), threeFields}),
       "records of 3 fields where 2 are named"},
      {"records not a table", qv::VarArrayOf({names, Variant(), qv::VarArrayOf({1, 2})}),
       "not a two-dimensional array"},
      {"unknown type", qv::VarArrayOf({names, Variant(), twoFields, qv::VarArrayOf({"Int", ""})}),
       "unknown type \"Int\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    TClientDataSet ds("cds");
    ds.SetProviderName("pvdConSave");
    try {
      ds.OpenWithData(c.packet);
      ADD_FAILURE() << "opened";
    } catch (const qv::EDatabaseError& e) {
      EXPECT_NE(e.Message().find(c.text), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(ds.Active());
  }

  // No records at all is no fault.
  TClientDataSet empty;
  empty.OpenWithData(qv::VarArrayOf({names, Variant(), Variant()}));
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_TRUE(empty.Eof());
  EXPECT_TRUE(empty.FieldByName("A").IsNull());
  EXPECT_FALSE(empty.Locate("A", 1));
  EXPECT_THROW(empty.Edit(), qv::EDatabaseError);
}

TEST(ClientDataSet, OpeningWithoutAUsableProviderFails) {
  TClientDataSet ds("cds");
  EXPECT_THROW(ds.Open(), qv::EDatabaseError);  // no provider name
  ds.SetProviderName("pvdConSave");
  EXPECT_THROW(ds.Open(), qv::EDatabaseError);  // no server
  ds.SetAppServer(ProviderServing(SchemePacket()));
  ds.SetProviderName("pvdOther");
  EXPECT_THROW(ds.Open(), qv::EOleError);  // the provider's own failure
  EXPECT_FALSE(ds.Active());
  EXPECT_THROW(ds.FieldByName("NCONDITION"), qv::EDatabaseError);
}

TEST(ClientDataSet, ReadsItsProviderThroughASocketConnection) {
  qv::TRemoteServer::Options options;
  options.log = [](const std::string&) {};
  options.createObject = [](const std::string&) { return ProviderServing(SchemePacket()); };
  qv::TRemoteServer server(options);
  server.Start();
  qv::TSocketConnection connection;
  connection.SetAddress("127.0.0.1");
  connection.SetPort(server.Port());
  connection.SetServerName("Test.Provider");

  TClientDataSet ds("ClientDataSet1");
  ds.SetRemoteServer(&connection);
  ds.SetProviderName("pvdConSave");
  ds.Open();  // opens the connection on its way
  EXPECT_TRUE(connection.Connected());
  EXPECT_EQ(Names(ds), (std::vector<std::string>{"月报", "Alpha", "alpha", "Beta"}));
  EXPECT_EQ(ds.FieldByName("CREATE_DATE").DisplayLabel(), "创建时间");
}

}  // namespace
