#include "json.h"

#include <gtest/gtest.h>

#include <string>

#include "json_variant.h"
#include "platform/variant/var_array.h"

namespace ravlet::host::test {
namespace {

TEST(DriverJson, ReadsWhatItWrites) {
  const char* texts[] = {
      R"({"cmd":"set","path":"frmA.edB","value":"选择间距编号","n":-12,"x":1.5,"ok":true,"z":null})",
      R"([[],{},[1,[2,[3]]],"tab\tquote\"back\\slash\nline"])",
      R"("\u0001\u007f\u00e9")",
      R"(9223372036854775807)",
  };
  for (const char* text : texts) {
    const JsonValue value = ParseJson(text);
    EXPECT_EQ(ParseJson(WriteJson(value)), value) << text;
  }
  EXPECT_EQ(ParseJson(R"("\ud83d\ude00")").AsString(), "\xF0\x9F\x98\x80");
  EXPECT_EQ(WriteJson(ParseJson(" { \"a\" : [ 1 , 2.0 ] } ")), R"({"a":[1,2.0]})");
  EXPECT_EQ(WriteJson(JsonValue(std::string("bad \xC3 byte"))), "\"bad \xEF\xBF\xBD byte\"");
}

TEST(DriverJson, RefusesWhatIsNotJson) {
  const std::string deep =
      std::string(kMaxJsonDepth + 1, '[') + std::string(kMaxJsonDepth + 1, ']');
  const std::string refused[] = {
      "",
      "{",
      "{\"a\"}",
      "{\"a\":1,}",
      "[1 2]",
      "01",
      "1.",
      "-",
      "1e999",
      "tru",
      "\"open",
      "\"\\x\"",
      "\"\\ud800\"",
      "\"\x01\"",
      "\"\xC0\xAF\"",
      "\"\xED\xA0\x80\"",
      "{} {}",
      deep,
  };
  for (const std::string& text : refused) EXPECT_THROW(ParseJson(text), EJsonError) << text;
  const std::string nested = std::string(kMaxJsonDepth, '[') + std::string(kMaxJsonDepth, ']');
  EXPECT_NO_THROW(ParseJson(nested));
}

TEST(DriverJson, VariantsKeepTheirKindBoundsAndValues) {
  qv::Variant two_dims = qv::VarArrayCreate({1, 2, 0, 1});
  two_dims.At(1, 0) = qv::Variant("a");
  two_dims.At(2, 0) = qv::Variant("b");
  two_dims.At(1, 1) = qv::Variant(3);
  const qv::Variant values[] = {
      qv::Variant(),
      qv::Variant::Null(),
      qv::Variant(true),
      qv::Variant(-7),
      qv::Variant(int64_t{1} << 40),
      qv::Variant(2.5),
      qv::Variant::FromDate(45366.5),
      qv::Variant("间距"),
      qv::Variant::Narrow("\xC4\xE3"),
      qv::VarArrayOf({1, "x", qv::VarArrayOf({qv::Variant()})}),
      qv::VarArrayCreate({3, 4}),
      qv::VarArrayCreate({0, -1}),
      two_dims,
  };
  for (const qv::Variant& value : values) {
    const JsonValue json = VariantToJson(value);
    const qv::Variant back = JsonToVariant(ParseJson(WriteJson(json)));
    EXPECT_EQ(back, value) << WriteJson(json);
    EXPECT_EQ(back.VarType(), value.VarType()) << WriteJson(json);
  }
  EXPECT_EQ(WriteJson(VariantToJson(two_dims)),
            R"({"bounds":[1,2,0,1],"items":["a","b",3,{"empty":0}]})");
}

TEST(DriverJson, RefusesJsonThatIsNoVariant) {
  const char* refused[] = {
      R"({"bounds":[0,2],"items":[1]})",
      R"({"bounds":[0,2000000000],"items":[]})",
      R"({"bounds":[0],"items":[]})",
      R"({"bounds":[3,1],"items":[]})",
      R"({"narrow":"c4e"})",
      R"({"narrow":"zz"})",
      R"({"date":"today"})",
      R"({"object":"TWorkCenter"})",
      R"({})",
      R"({"empty":0,"date":1})",
  };
  for (const char* text : refused) EXPECT_THROW(JsonToVariant(ParseJson(text)), EJsonError) << text;
}

}  // namespace
}  // namespace ravlet::host::test
