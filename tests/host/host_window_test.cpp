#include "host/host_test_window.h"
#include "platform/variant/var_array.h"

namespace ravlet::test {
namespace {

using Journal = std::vector<std::string>;

qv::Variant Label(const char* name) {
  return qv::VarArrayOf({"caption", name});
}

// [action, [from scheme, [labels, values]]]
qv::Variant HandOver(int action, bool from_scheme, qv::Variant labels) {
  const int count = labels.IsArray() ? qv::VarArrayHighBound(labels, 1) + 1 : 0;
  qv::Variant values = qv::VarArrayCreate({0, count - 1});
  return qv::VarArrayOf({action, qv::VarArrayOf({from_scheme, qv::VarArrayOf({labels, values})})});
}

class HandOverTest : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    controller = NewController();
    ASSERT_EQ(controller->Open(qv::VarArrayOf({"U01", "C01", "DEMO", 0, ""})), 0);
    window = WindowOf(*controller);
    journal.clear();
  }
  void TearDown() override {
    controller.reset();
    HostTest::TearDown();
  }

  std::unique_ptr<TDLLRPCtrller> controller;
  TTestHostWindow* window = nullptr;
};

TEST_F(HandOverTest, TheActionDecidesWhatRuns) {
  struct Case {
    int action;
    bool from_scheme;
    const char* component;
    Journal journal;
    bool auto_run;
    bool announce;
  };
  const Case cases[] = {
      {0, true, "edValue", {}, false, true},
      {1, true, "edValue", {"ok clicked"}, true, true},
      {2, true, "edValue", {"ok clicked"}, true, false},
      {4, true, "edValue", {"host action 4"}, true, false},
      {1, true, "lblNote", {"message W;000014"}, false, true},
      {4, true, "edNothing", {"message W;000014"}, false, false},
      {1, false, "edValue", {"take over"}, false, true},
  };
  for (const Case& c : cases) {
    journal.clear();
    const qv::Variant hand_over =
        HandOver(c.action, c.from_scheme, qv::VarArrayOf({Label(c.component)}));
    EXPECT_EQ(controller->ApplyData(5, 0, hand_over), 0);
    const std::string name = std::to_string(c.action) + " " + c.component;
    EXPECT_EQ(journal, c.journal) << name;
    EXPECT_EQ(window->AutoRun, c.auto_run) << name;
    EXPECT_EQ(window->AnnounceResult, c.announce) << name;
    EXPECT_EQ(window->FromScheme, c.from_scheme) << name;
    EXPECT_EQ(window->PendingHandOver, hand_over) << name;
  }
}

TEST_F(HandOverTest, TakenConditionsFromTheWindowItselfRunTheAction) {
  TestWindowSetup.TakeOverResult = true;
  EXPECT_EQ(controller->ApplyData(9, 0, HandOver(1, false, qv::VarArrayOf({Label("x")}))), 0);
  EXPECT_EQ(journal, (Journal{"take over", "ok clicked"}));
}

TEST_F(HandOverTest, EveryLabelMustNameAComponentThatCarriesAValue) {
  struct Case {
    const char* name;
    qv::Variant labels;
    bool passed;
  };
  const Case cases[] = {
      {"one edit", qv::VarArrayOf({Label("edValue")}), true},
      {"edit, any case", qv::VarArrayOf({Label("EDVALUE"), Label("edValue")}), true},
      {"a label has no value", qv::VarArrayOf({Label("lblNote")}), false},
      {"unknown component", qv::VarArrayOf({Label("edOther")}), false},
      {"empty name", qv::VarArrayOf({Label("")}), false},
      {"failing entry first", qv::VarArrayOf({Label("edOther"), Label("edValue")}), false},
      {"failing entry last", qv::VarArrayOf({Label("edValue"), Label("lblNote")}), false},
      {"entry is no array", qv::VarArrayOf({"edValue"}), false},
      {"entry without name", qv::VarArrayOf({qv::VarArrayOf({"caption"})}), false},
      {"no entries", qv::VarArrayCreate({0, -1}), false},
      {"labels are no array", qv::Variant("edValue"), false},
  };
  for (const Case& c : cases) {
    journal.clear();
    const qv::Variant data = qv::VarArrayOf({c.labels, qv::Variant()});
    EXPECT_EQ(window->CheckHostConditions(data), c.passed) << c.name;
    EXPECT_EQ(journal, c.passed ? Journal{} : Journal{"message W;000014"}) << c.name;
  }
}

TEST_F(HandOverTest, HandOversThatAreNotUsableAreKeptOrRefused) {
  struct Case {
    const char* name;
    qv::Variant hand_over;
    int result;
  };
  const Case cases[] = {
      {"empty", qv::Variant(), 0},
      {"text", qv::Variant("1"), 0},
      {"action only, no conditions", qv::VarArrayOf({1}), -1},
      {"action is no number", qv::VarArrayOf({"x", qv::Variant()}), -1},
      {"conditions are not an array", qv::VarArrayOf({1, "none"}), 0},
      {"condition data missing", qv::VarArrayOf({1, qv::VarArrayOf({true})}), -1},
      {"condition data empty", qv::VarArrayOf({1, qv::VarArrayOf({true, qv::Variant()})}), 0},
  };
  for (const Case& c : cases) {
    journal.clear();
    EXPECT_EQ(controller->ApplyData(5, 0, c.hand_over), c.result) << c.name;
    EXPECT_EQ(window->PendingHandOver, c.hand_over) << c.name;
    EXPECT_TRUE(journal.empty()) << c.name;
  }
}

TEST_F(HandOverTest, TextsAreMadeReadyForEveryUsableHandOver) {
  controller->ApplyData(5, 0, qv::Variant());
  EXPECT_EQ(window->ConvertCount, 0);
  controller->ApplyData(5, 0, qv::VarArrayOf({0, qv::Variant()}));
  EXPECT_EQ(window->ConvertCount, 1);
}

TEST_F(HandOverTest, OnlyDataKindsFiveAndNineReachTheWindow) {
  const qv::Variant hand_over = HandOver(0, true, qv::VarArrayOf({Label("edValue")}));
  for (int kind : {0, 4, 5, 6, 9, 10, -1}) {
    window->PendingHandOver = qv::Variant("before");
    const bool taken = kind == 5 || kind == 9;
    EXPECT_EQ(controller->ApplyData(kind, 7, hand_over), taken ? 0 : -1) << kind;
    EXPECT_EQ(window->PendingHandOver, taken ? hand_over : qv::Variant("before")) << kind;
  }
}

TEST_F(HandOverTest, ApplyParamsHandsElementOneOver) {
  const qv::Variant hand_over = HandOver(0, true, qv::VarArrayOf({Label("edValue")}));
  struct Case {
    const char* name;
    qv::Variant params;
    int result;
  };
  const Case cases[] = {
      {"element 1", qv::VarArrayOf({"ignored", hand_over}), 0},
      {"no element 1", qv::VarArrayOf({hand_over}), -1},
      {"bounds 2..3", qv::VarArrayCreate({2, 3}), -1},
      {"null", qv::Variant::Null(), -1},
      {"not an array", hand_over[0], -1},
      {"two dimensions", qv::VarArrayCreate({0, 1, 0, 1}), -1},
  };
  for (const Case& c : cases) {
    window->PendingHandOver = qv::Variant("before");
    EXPECT_EQ(controller->ApplyParams(c.params), c.result) << c.name;
    EXPECT_EQ(window->PendingHandOver, c.result == 0 ? hand_over : qv::Variant("before")) << c.name;
  }
}

}  // namespace
}  // namespace ravlet::test
