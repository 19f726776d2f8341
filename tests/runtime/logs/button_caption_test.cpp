#include "runtime/button_caption.h"

#include <gtest/gtest.h>

namespace ravlet {
namespace {

TEST(ButtonCaptionTest, MapsEnglishNamesExactly) {
  struct Case {
    const char* name;
    const char* caption;
  };
  const Case cases[] = {
      {"Yes", "是(&Y)"},
      {"No", "否(&N)"},
      {"OK", "确定"},
      {"Cancel", "取消"},
      {"Abort", "中断(&A)"},
      {"Retry", "重试(&R)"},
      {"Ignore", "忽略(&I)"},
      {"All", "全部(&A)"},
      {"NoToAll", "全否(&o)"},
      {"YesToAll", "全是(&A)"},
      {"Help", "帮助(&H)"},
      // Case matters and unknown names pass through.
      {"ok", "ok"},
      {"YES", "YES"},
      {"Close", "Close"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ButtonCaption(c.name), c.caption) << c.name;
}

}  // namespace
}  // namespace ravlet
