#include "platform/midas/wire_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "platform/automation/auto_object.h"
#include "platform/variant/var_array.h"

namespace {

using qv::Variant;
using qv::wire::Bytes;

// Same kind at every level and the same value: == alone would call 1 and 1.0
// equal, and a narrow and a wide text of the same letters.
void ExpectSame(const Variant& expected, const Variant& actual, const std::string& where = "") {
  ASSERT_EQ(qv::VarType(expected), qv::VarType(actual)) << where;
  if (expected.IsArray()) {
    const int dims = qv::VarArrayDimCount(expected);
    ASSERT_EQ(dims, qv::VarArrayDimCount(actual)) << where;
    for (int d = 1; d <= dims; ++d) {
      ASSERT_EQ(qv::VarArrayLowBound(expected, d), qv::VarArrayLowBound(actual, d)) << where;
      ASSERT_EQ(qv::VarArrayHighBound(expected, d), qv::VarArrayHighBound(actual, d)) << where;
    }
    const auto e = expected.ArrayData()->Elements();
    const auto a = actual.ArrayData()->Elements();
    for (size_t i = 0; i < e.size(); ++i) {
      ExpectSame(e[i], a[i], where + "[" + std::to_string(i) + "]");
    }
    return;
  }
  const qv::TVarType t = qv::VarType(expected);
  if (t == qv::varDouble || t == qv::varDate || t == qv::varSingle) {
    const double x = expected.AsDouble();
    const double y = actual.AsDouble();
    if (std::isnan(x)) {
      EXPECT_TRUE(std::isnan(y)) << where;
    } else {
      EXPECT_EQ(std::memcmp(&x, &y, sizeof x), 0) << where << ": " << x << " vs " << y;
    }
    return;
  }
  if (t == qv::varString) {
    EXPECT_EQ(expected.AsNarrow(), actual.AsNarrow()) << where;
    return;
  }
  EXPECT_TRUE(expected == actual) << where;
}

Variant TwoDimensional() {
  Variant v = qv::VarArrayCreate({0, 1, -2, 1});
  int n = 0;
  for (int j = -2; j <= 1; ++j) {
    for (int i = 0; i <= 1; ++i) v.At(i, j) = Variant("cell " + std::to_string(n++));
  }
  v.At(1, 1) = qv::VarArrayOf({Variant::Null(), 3.5});
  return v;
}

Variant Nested(int levels) {
  Variant v = 1;
  for (int i = 0; i < levels; ++i) v = qv::VarArrayOf({v});
  return v;
}

std::vector<std::uint8_t> BodyOf(const Bytes& frame) {
  EXPECT_EQ(qv::wire::ReadFrameLength(std::span<const std::uint8_t, 4>(frame.data(), 4)),
            frame.size() - 4);
  return std::vector<std::uint8_t>(frame.begin() + 4, frame.end());
}

struct KindCase {
  const char* label;
  Variant value;
};

std::vector<KindCase> EveryKind() {
  Variant lowBound = qv::VarArrayCreate({-3, -1});
  lowBound[-3] = 1;
  lowBound[-2] = Variant::Narrow("n");
  lowBound[-1] = qv::VarArrayCreate({4, 3});  // empty
  Variant atTheTop =
      qv::VarArrayCreate({std::numeric_limits<int>::max(), std::numeric_limits<int>::max()});
  atTheTop[std::numeric_limits<int>::max()] = true;
  return {
      {"Empty", Variant()},
      {"Null", Variant::Null()},
      {"Smallint", qv::VarAsType(Variant(-32768), qv::varSmallint)},
      {"Integer", Variant(std::numeric_limits<int32_t>::min())},
      {"Int64", Variant(std::numeric_limits<int64_t>::max())},
      {"Single", Variant(1.5f)},
      {"Double", Variant(-0.0)},
      {"Double large", Variant(1.7976931348623157e308)},
      {"Double NaN", Variant(std::nan(""))},
      {"Date", Variant::FromDate(45265.75)},
      {"Date before 1899", Variant::FromDate(-700.5)},
      {"Boolean true", Variant(true)},
      {"Boolean false", Variant(false)},
      {"Byte", qv::VarAsType(Variant(255), qv::varByte)},
      {"wide text", Variant(u"中文 \U0001F600 with a \0 inside")},
      {"empty wide text", Variant(u"")},
      {"narrow bytes", Variant::Narrow(std::string("\xB1\xA8\0\xFF", 4))},
      {"empty narrow text", Variant::Narrow("")},
      {"array with negative bounds", lowBound},
      {"empty array", qv::VarArrayCreate({0, -1})},
      {"array at the top of the index range", atTheTop},
      {"two dimensions", TwoDimensional()},
      {"nested to the limit", Nested(qv::wire::kMaxDepth)},
  };
}

TEST(WireFormat, EveryKindOfVariantTravelsUnchanged) {
  for (const auto& c : EveryKind()) {
    SCOPED_TRACE(c.label);
    ExpectSame(c.value, qv::wire::DecodeVariant(qv::wire::EncodeVariant(c.value)));

    qv::wire::CallRequest call;
    call.callId = 7;
    call.operation = "Request";
    call.args = {{false, c.value}, {true, c.value}};
    const qv::wire::CallRequest back = qv::wire::DecodeCall(BodyOf(qv::wire::EncodeCall(call)));
    ASSERT_EQ(back.args.size(), 2u);
    ExpectSame(c.value, back.args[0].value);
    ExpectSame(c.value, back.args[1].value);

    qv::wire::CallReply reply;
    reply.result = c.value;
    reply.refs = {{1, c.value}};
    const qv::wire::CallReply answer = qv::wire::DecodeReply(BodyOf(qv::wire::EncodeReply(reply)));
    ExpectSame(c.value, answer.result);
    ASSERT_EQ(answer.refs.size(), 1u);
    ExpectSame(c.value, answer.refs[0].second);
  }
}

TEST(WireFormat, FramesKeepNamesKindsFlagsAndErrors) {
  qv::wire::CallRequest call;
  call.callId = 0xFFFFFFFEu;
  call.operation = "ChangeConName";
  call.kind = qv::DispatchKind::PropertyPut;
  call.args = {{true, Variant("a")}, {false, Variant(2)}};
  const auto c = qv::wire::DecodeCall(BodyOf(qv::wire::EncodeCall(call)));
  EXPECT_EQ(c.callId, call.callId);
  EXPECT_EQ(c.operation, "ChangeConName");
  EXPECT_EQ(c.kind, qv::DispatchKind::PropertyPut);
  EXPECT_TRUE(c.args[0].byRef);
  EXPECT_FALSE(c.args[1].byRef);

  qv::wire::CallReply failed;
  failed.callId = 3;
  failed.ok = false;
  failed.errorClass = "EConvertError";
  failed.errorMessage = "'x' 不是数字";
  const auto r = qv::wire::DecodeReply(BodyOf(qv::wire::EncodeReply(failed)));
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.callId, 3u);
  EXPECT_EQ(r.errorClass, "EConvertError");
  EXPECT_EQ(r.errorMessage, "'x' 不是数字");

  EXPECT_EQ(qv::wire::DecodeOpen(BodyOf(qv::wire::EncodeOpen({"ReportCounterS.dmReportCounter"})))
                .serverName,
            "ReportCounterS.dmReportCounter");
  const auto o = qv::wire::DecodeOpenReply(
      BodyOf(qv::wire::EncodeOpenReply({false, "EOleError", "Invalid class string"})));
  EXPECT_FALSE(o.ok);
  EXPECT_EQ(o.errorMessage, "Invalid class string");
  EXPECT_TRUE(qv::wire::DecodeOpenReply(BodyOf(qv::wire::EncodeOpenReply({}))).ok);

  // A body of one type is no frame of another.
  EXPECT_THROW(qv::wire::DecodeReply(BodyOf(qv::wire::EncodeCall(call))), qv::EWireFormatError);
}

class TNothing : public qv::TAutoObject {
 public:
  TNothing() : TAutoObject("TNothing") {}
};

TEST(WireFormat, WhatCannotTravelIsRefusedWhenEncoding) {
  const Variant object(std::shared_ptr<qv::IDispatch>(std::make_shared<TNothing>()));
  qv::wire::CallRequest call;
  call.operation = "Big";
  call.args = {{false, Variant(std::string(200, 'x'))}};

  struct Case {
    const char* label;
    std::function<void()> encode;
    const char* text;
  };
  const Case cases[] = {
      {"an object", [&] { qv::wire::EncodeVariant(object); }, "automation object"},
      {"an object inside an array",
       [&] {
         qv::wire::EncodeVariant(qv::VarArrayOf({1, object}));
       },
       "automation object"},
      {"nesting beyond the limit",
       [&] { qv::wire::EncodeVariant(Nested(qv::wire::kMaxDepth + 1)); }, "nested deeper"},
      {"a frame over the limit", [&] { qv::wire::EncodeCall(call, 100); },
       "exceed the limit of 100 bytes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    try {
      c.encode();
      ADD_FAILURE() << "encoded";
    } catch (const qv::EWireFormatError& e) {
      EXPECT_NE(e.Message().find(c.text), std::string::npos) << e.Message();
    }
  }
}

// Bytes of a hand-made body.
class Body {
 public:
  explicit Body(std::uint8_t type, std::uint8_t version = qv::wire::kVersion) {
    U8(version).U8(type);
  }
  Body& U8(std::uint8_t v) {
    bytes_.push_back(v);
    return *this;
  }
  Body& U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return *this;
  }
  Body& Text(const std::string& s) {
    U32(static_cast<std::uint32_t>(s.size()));
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    return *this;
  }
  // A call header for one argument, by value; the value follows.
  static Body CallOfOne() {
    Body b(3);
    b.U32(1).Text("Op").U8(0).U32(1).U8(0);
    return b;
  }
  Body& Array(std::uint8_t dims) { return U8(0x20).U8(dims); }
  Body& Bound(std::int32_t low, std::uint32_t count) {
    return U32(static_cast<std::uint32_t>(low)).U32(count);
  }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

TEST(WireFormat, MalformedBodiesAreRejectedBeforeAnythingIsBuilt) {
  Body deep = Body::CallOfOne();
  for (int i = 0; i <= qv::wire::kMaxDepth; ++i) deep.Array(1).Bound(0, 1);
  deep.U8(0);

  struct Case {
    const char* label;
    Body body;
    const char* text;
  };
  const Case cases[] = {
      {"wrong version", Body(3, 2), "Unsupported frame version 2"},
      {"unknown frame type", Body(9), "Unknown frame type 9"},
      {"header only", Body(3), "ends inside"},
      {"unknown value tag", Body::CallOfOne().U8(0x99), "unknown value tag 153"},
      {"Boolean that is neither", Body::CallOfOne().U8(11).U8(2), "Boolean"},
      {"text longer than the frame", Body::CallOfOne().U8(0x40).U32(1000).U8('a'), "exceeds"},
      {"wide text longer than the frame", Body::CallOfOne().U8(8).U32(0x7FFFFFFF), "exceeds"},
      {"array of no dimensions", Body::CallOfOne().Array(0), "0 dimensions"},
      {"array of too many dimensions", Body::CallOfOne().Array(9), "9 dimensions"},
      {"array claiming 4 billion elements",
       Body::CallOfOne()
           .Array(1)
           .Bound(std::numeric_limits<std::int32_t>::min(), 0xFFFFFFFFu)
           .U8(0),
       "only"},
      {"a second extent beyond the frame",
       Body::CallOfOne().Array(2).Bound(0, 2).Bound(0, 0x80000000u).U8(0), "only"},
      {"extents each small, product too big",
       Body::CallOfOne().Array(2).Bound(0, 8).Bound(0, 8).U32(0).U32(0), "64 elements"},
      {"bounds past the integer range",
       Body::CallOfOne().Array(1).Bound(std::numeric_limits<std::int32_t>::max(), 2).U8(0).U8(0),
       "integer range"},
      {"arrays nested too deep", deep, "nested deeper"},
      {"elements cut short", Body::CallOfOne().Array(1).Bound(0, 3).U8(3).U8(0).U8(0),
       "ends inside an Integer"},
      {"bytes left over", Body::CallOfOne().U8(0).U8(0), "left over"},
      {"unknown call kind", Body(3).U32(1).Text("Op").U8(3).U32(0), "call kind 3"},
      {"unknown argument flags", Body(3).U32(1).Text("Op").U8(0).U32(1).U8(2).U8(0), "flags"},
      {"absurd argument count", Body(3).U32(1).Text("Op").U8(0).U32(0xFFFFFFF0u), "exceeds"},
      {"operation name longer than the frame", Body(3).U32(1).U32(50).U8('R'), "exceeds"},
      {"unknown reply status", Body(4).U32(1).U8(2), "status 2"},
      {"absurd reference count", Body(4).U32(1).U8(0).U8(0).U32(100000), "exceeds"},
      {"unknown open reply status", Body(2).U8(7), "status 7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    try {
      qv::wire::CheckFrame(c.body.Bytes());
      ADD_FAILURE() << "accepted";
    } catch (const qv::EWireFormatError& e) {
      EXPECT_NE(e.Message().find(c.text), std::string::npos) << e.Message();
    }
  }
}

TEST(WireFormat, EveryTruncationOfAFrameIsRejected) {
  qv::wire::CallRequest call;
  call.operation = "Request1";
  call.args = {{false, TwoDimensional()}, {true, Variant(u"主机")}};
  const std::vector<std::uint8_t> body = BodyOf(qv::wire::EncodeCall(call));
  for (size_t n = 0; n < body.size(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_THROW(qv::wire::DecodeCall(std::span<const std::uint8_t>(body.data(), n)),
                 qv::EWireFormatError);
  }
  EXPECT_NO_THROW(qv::wire::DecodeCall(body));
}

TEST(WireFormat, FrameLengthIsCheckedAgainstTheLimit) {
  struct Case {
    std::uint32_t length;
    bool accepted;
  };
  const Case cases[] = {{0, false},   {1, false},    {2, true},
                        {1000, true}, {1001, false}, {0xFFFFFFFFu, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    const std::uint8_t prefix[4] = {
        static_cast<std::uint8_t>(c.length), static_cast<std::uint8_t>(c.length >> 8),
        static_cast<std::uint8_t>(c.length >> 16), static_cast<std::uint8_t>(c.length >> 24)};
    if (c.accepted) {
      EXPECT_EQ(qv::wire::ReadFrameLength(prefix, 1000), c.length);
    } else {
      EXPECT_THROW(qv::wire::ReadFrameLength(prefix, 1000), qv::EWireFormatError);
    }
  }
}

}  // namespace
