#include "platform/automation/auto_object.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/automation/ole_call.h"

namespace {

using qv::DispatchArg;
using qv::Variant;
using qv::VarRef;

class TSample : public qv::TAutoObject {
 public:
  TSample() : TAutoObject("TSample") {
    RegisterMethod("Add", 2, [](Args& a) { return Variant(a[0].AsInteger() + a[1].AsInteger()); });
    RegisterMethod("Swap", 2, [](Args& a) {
      Variant first = a[0];
      a.SetRef(0, a[1]);
      a.SetRef(1, first);
      return Variant();
    });
    // Writes only its last argument, as the lookups of the host do.
    RegisterMethod("Lookup", 1, 3, [](Args& a) {
      a.SetRef(a.Count() - 1, Variant("found " + a[0].AsString()));
      return Variant(true);
    });
    RegisterMethod("Fail", 0,
                   [](Args&) -> Variant { throw qv::EConvertError("'x' is no number"); });
    RegisterMethod("Crash", 0, [](Args&) -> Variant { throw std::runtime_error("plain failure"); });
    RegisterMethod("Count", [](Args& a) { return Variant(static_cast<int>(a.Count())); });
    RegisterProperty(
        "Caption", [this] { return Variant(caption_); },
        [this](const Variant& v) { caption_ = v.AsString(); });
    RegisterProperty("Version", [] { return Variant(7); });
  }

 private:
  std::string caption_ = "none";
};

Variant MakeSample() {
  return Variant(std::shared_ptr<qv::IDispatch>(std::make_shared<TSample>()));
}

TEST(AutoObject, ByReferenceArgumentsChangeTheCallersVariables) {
  const Variant obj = MakeSample();
  Variant a = 1;
  Variant b = "two";
  obj.Call("Swap", {VarRef(a), VarRef(b)});
  EXPECT_EQ(a, Variant("two"));
  EXPECT_EQ(b, Variant(1));

  Variant result;
  EXPECT_TRUE(obj.Call("LOOKUP", {"ADMMB", 11, VarRef(result)}).AsBoolean());
  EXPECT_EQ(result.AsString(), "found ADMMB");
}

TEST(AutoObject, PropertiesAndMethodsWithoutArgumentsAnswerEitherKindOfCall) {
  const Variant obj = MakeSample();
  obj.Put("caption", "Report");
  EXPECT_EQ(obj.Get("Caption").AsString(), "Report");
  EXPECT_EQ(obj.Call("Caption").AsString(), "Report");
  EXPECT_EQ(obj.Get("Count").AsInteger(), 0);
  EXPECT_EQ(obj.Call("Count", {1, 2, 3}).AsInteger(), 3);
}

struct FailureCase {
  const char* label;
  std::function<void(const Variant&)> call;
  const char* classOfError;  // ClassName of what arrives
  const char* source;        // Source() for an EOleException, else ""
  const char* text;          // part of the message
};

TEST(AutoObject, FailuresArriveAsOleErrorsThatSayWhatWentWrong) {
  const FailureCase cases[] = {
      {"unknown operation", [](const Variant& o) { o.Call("Xyz"); }, "EOleError", "",
       "Unknown name \"Xyz\" (object TSample)"},
      {"unknown property", [](const Variant& o) { o.Get("Colour"); }, "EOleError", "",
       "Unknown name \"Colour\""},
      {"too few arguments", [](const Variant& o) { o.Call("Add", {1}); }, "EOleError", "",
       "Add of TSample takes 2 argument(s), 1 given"},
      {"too many arguments",
       [](const Variant& o) {
         o.Call("Lookup", {1, 2, 3, 4});
       },
       "EOleError", "", "Lookup of TSample takes 1 to 3 argument(s), 4 given"},
      {"by value where the object writes",
       [](const Variant& o) {
         o.Call("Swap", {1, 2});
       },
       "EOleError", "", "argument 1 of Swap must be passed by reference"},
      {"text where a number belongs",
       [](const Variant& o) {
         o.Call("Add", {"abc", 1});
       },
       "EOleException", "EVariantTypeCastError", "Could not convert"},
      {"array where a number belongs",
       [](const Variant& o) {
         o.Call("Add", {qv::VarArrayOf({1, 2}), 1});
       },
       "EOleException", "EVariantTypeCastError", ""},
      {"the method's own error", [](const Variant& o) { o.Call("Fail"); }, "EOleException",
       "EConvertError", "'x' is no number"},
      {"a foreign exception", [](const Variant& o) { o.Call("Crash"); }, "EOleException",
       "Exception", "plain failure"},
      {"assigning a read-only property", [](const Variant& o) { o.Put("Version", 8); }, "EOleError",
       "", "property Version of TSample is read-only"},
      {"assigning a method", [](const Variant& o) { o.Put("Add", 8); }, "EOleError", "",
       "Add of TSample is a method"},
      {"property with arguments", [](const Variant& o) { o.Call("Version", {1}); }, "EOleError", "",
       "property Version of TSample takes no arguments"},
  };
  const Variant obj = MakeSample();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    try {
      c.call(obj);
      ADD_FAILURE() << "no error";
    } catch (const qv::EOleError& e) {
      EXPECT_EQ(e.ClassName(), c.classOfError);
      EXPECT_NE(e.Message().find(c.text), std::string::npos) << e.Message();
      const auto* ole = dynamic_cast<const qv::EOleException*>(&e);
      EXPECT_EQ(ole ? ole->Source() : std::string(), c.source);
    }
  }
}

TEST(OleCall, ReachesTheObjectAndTurnsEveryFailureIntoAnOleError) {
  const Variant obj = MakeSample();
  Variant x = "a";
  Variant y = "b";
  qv::OleCall(obj, "Swap", {VarRef(x), VarRef(y)});
  EXPECT_EQ(x.AsString(), "b");

  Variant productId = 3;
  qv::OlePropertySet(obj, "Caption", VarRef(productId));
  EXPECT_EQ(qv::OlePropertyGet(obj, "Caption").AsString(), "3");

  EXPECT_THROW(qv::OleCall(Variant(), "Swap"), qv::EOleError);
  EXPECT_THROW(qv::OleCall(Variant("text"), "Swap"), qv::EOleError);
  EXPECT_THROW(qv::OleCall(Variant(std::shared_ptr<qv::IDispatch>()), "Swap"), qv::EOleError);
  EXPECT_FALSE(qv::VarIsDispatchObject(Variant(std::shared_ptr<qv::IDispatch>())));
  EXPECT_TRUE(qv::VarIsDispatchObject(obj));
}

// An object that releases itself during a call must survive until the call
// returns.
TEST(OleCall, KeepsTheObjectAliveWhileTheCallClearsTheVariantHoldingIt) {
  class TSelfClearing : public qv::TAutoObject {
   public:
    TSelfClearing() : TAutoObject("TSelfClearing") {
      RegisterMethod("Clear", 1, [this](Args& a) {
        a.SetRef(0, Variant());
        return Variant(name_);
      });
    }
    std::string name_ = "still here";
  };
  Variant holder(std::shared_ptr<qv::IDispatch>(std::make_shared<TSelfClearing>()));
  EXPECT_EQ(qv::OleCall(holder, "Clear", {VarRef(holder)}).AsString(), "still here");
  EXPECT_TRUE(holder.IsEmpty());
}

}  // namespace
