#include "runtime/message_code.h"

#include <gtest/gtest.h>

#include "platform/core/exception.h"

namespace ravlet {
namespace {

TEST(MessageCodeTest, ParsesCodesAndRoundTrips) {
  struct Case {
    const char* text;
    char type;
    const char* id;
    bool shown;
    std::vector<std::string> args;
  };
  const Case cases[] = {
      {"E;000015", 'E', "000015", true, {}},
      {"W;000200;", 'W', "000200", true, {""}},
      {"I;-000004;", 'I', "000004", false, {""}},
      {"I;-000004;the reply", 'I', "000004", false, {"the reply"}},
      {"Q;000001;a;;c", 'Q', "000001", true, {"a", "", "c"}},
      {"E;-1", 'E', "1", false, {}},
      {"D;000007;中文参数", 'D', "000007", true, {"中文参数"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto code = ParseMessageCode(c.text);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(code->Type, c.type);
    EXPECT_EQ(code->Id, c.id);
    EXPECT_EQ(code->Shown, c.shown);
    EXPECT_EQ(code->Arguments, c.args);
    EXPECT_EQ(FormatMessageCode(*code), c.text);
  }
}

TEST(MessageCodeTest, RejectsTextsThatAreNoCodes) {
  const char* bad[] = {"",          "E",         "E;",        "E;-",      ";000015",
                       "1;000015",  "EE;000015", "E000015",   "E;00a015", "E;1234567",
                       "E; 000015", "E;--1",     "E;+000015", "好;000015"};
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    std::string why;
    EXPECT_FALSE(ParseMessageCode(text, &why).has_value());
    EXPECT_NE(why.find("not a message code"), std::string::npos);
    EXPECT_FALSE(IsMessageCode(text));
  }
}

TEST(MessageCodeTest, NumberReadsTheDigits) {
  EXPECT_EQ(ParseMessageCode("E;000016")->Number(), 16);
  EXPECT_EQ(ParseMessageCode("I;-000004;x")->Number(), 4);
  EXPECT_EQ(ParseMessageCode("I;-000004;x")->IdText(), "-000004");
}

TEST(MessageCodeTest, MakeWritesSixDigits) {
  EXPECT_EQ(MakeMessageCode('E', 15), kMsgRegistryKeyMissing);
  EXPECT_EQ(MakeMessageCode('E', 16), kMsgNoApplicationServer);
  EXPECT_EQ(MakeMessageCode('I', 4, false, {"r"}), "I;-000004;r");
  EXPECT_THROW(MakeMessageCode('E', -1), qv::EConvertError);
  EXPECT_THROW(MakeMessageCode('E', 1000000), qv::EConvertError);
}

TEST(MessageCodeTest, FormatRefusesPartsThatWouldNotReadBack) {
  MessageCode separatorInArgument{'E', "000001", true, {"a;b"}};
  MessageCode notALetter{'1', "000001", true, {}};
  MessageCode emptyId{'E', "", true, {}};
  for (const auto& code : {separatorInArgument, notALetter, emptyId})
    EXPECT_THROW(FormatMessageCode(code), qv::EConvertError);
}

}  // namespace
}  // namespace ravlet
