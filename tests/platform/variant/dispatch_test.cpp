#include "platform/variant/dispatch.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/exception.h"
#include "platform/text/string_utils.h"
#include "platform/variant/var_ref.h"
#include "platform/variant/variant.h"

namespace qv {
namespace {

// A small object: Add(a, b), Bump(x) (adds one to x and returns it), Swap(a, b),
// Forget(holder) (clears the caller's variable, then reads its own state) and
// the property Value.
class TestObject : public IDispatch {
 public:
  Variant Invoke(std::string_view name, DispatchKind kind, std::span<DispatchArg> args) override {
    calls.push_back(std::string(name));
    if (kind == DispatchKind::PropertyGet && SameText(name, "Value")) return value_;
    if (kind == DispatchKind::PropertyPut && SameText(name, "Value")) {
      value_ = args.back().Value();
      return Variant();
    }
    if (kind != DispatchKind::Method) throw EOleError("Unknown name");
    if (SameText(name, "Add")) return args[0].Value().AsInteger() + args[1].Value().AsInteger();
    if (SameText(name, "Bump")) {
      args[0].Value() = args[0].Value().AsInteger() + 1;
      return args[0].Value();
    }
    if (SameText(name, "Swap")) {
      std::swap(args[0].Value(), args[1].Value());
      return Variant();
    }
    if (SameText(name, "Forget")) {
      args[0].Value() = Variant();
      return Variant(static_cast<int>(calls.size()));
    }
    throw EOleError("Unknown name");
  }
  std::string ClassName() const override { return "TestObject"; }

  std::vector<std::string> calls;

 private:
  Variant value_;
};

TEST(Dispatch, MethodsTakeArgumentsByValue) {
  auto object = std::make_shared<TestObject>();
  const Variant v(object);
  EXPECT_EQ(VarType(v), varDispatch);
  EXPECT_EQ(v.Call("add", {2, 3}).AsInteger(), 5);

  Variant x = 41;
  EXPECT_EQ(v.Call("Bump", {x}).AsInteger(), 42);
  EXPECT_EQ(x.AsInteger(), 41);  // a copy went to the callee
}

TEST(Dispatch, ByReferenceArgumentsChangeTheCallersVariables) {
  const Variant v(std::make_shared<TestObject>());
  Variant x = 41;
  EXPECT_EQ(v.Call("BUMP", {VarRef(x)}).AsInteger(), 42);
  EXPECT_EQ(x.AsInteger(), 42);

  Variant a = "left";
  Variant b = VarArrayOf({1, 2});
  std::vector<DispatchArg> args{VarRef(a), VarRef(b)};
  EXPECT_TRUE(args[0].IsByRef());
  v.Call("Swap", args);
  EXPECT_EQ(a, VarArrayOf({1, 2}));
  EXPECT_EQ(VarToStr(b), "left");
}

TEST(Dispatch, PropertiesGetAndPut) {
  auto object = std::make_shared<TestObject>();
  const Variant v(object);
  v.Put("Value", "stored");
  EXPECT_EQ(VarToStr(v.Get("value")), "stored");
  EXPECT_THROW(v.Get("Missing"), EOleError);
  EXPECT_EQ(object->calls, (std::vector<std::string>{"Value", "value", "Missing"}));
}

TEST(Dispatch, CallsOnValuesThatHoldNoObjectRaise) {
  const Variant cases[] = {Variant(), Variant(5), Variant("obj"), Variant::Null(),
                           Variant(std::shared_ptr<IDispatch>())};
  for (const Variant& v : cases) {
    SCOPED_TRACE(VarType(v));
    try {
      v.Call("Add", {1, 2});
      FAIL() << "no exception";
    } catch (const EOleError& e) {
      EXPECT_EQ(e.Message(), "Variant does not reference an automation object");
    }
    EXPECT_THROW(v.Get("Value"), EOleError);
    EXPECT_THROW(v.Put("Value", 1), EOleError);
  }
}

TEST(Dispatch, ObjectOutlivesACallThatClearsItsOnlyHolder) {
  Variant holder(std::make_shared<TestObject>());
  EXPECT_EQ(holder.Call("Forget", {VarRef(holder)}).AsInteger(), 1);
  EXPECT_TRUE(holder.IsEmpty());
}

TEST(Dispatch, VariantsShareTheObjectAndCompareByIdentity) {
  auto object = std::make_shared<TestObject>();
  const Variant a(object);
  const Variant b = a;
  b.Put("Value", 7);
  EXPECT_EQ(a.Get("Value").AsInteger(), 7);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, Variant(std::make_shared<TestObject>()));
  EXPECT_EQ(a.AsDispatch()->ClassName(), "TestObject");
  EXPECT_EQ(Variant().AsDispatch(), nullptr);
  EXPECT_THROW(Variant(1).AsDispatch(), EVariantTypeCastError);
  EXPECT_THROW(VarToStr(a), EVariantTypeCastError);
}

}  // namespace
}  // namespace qv
