#include "runtime/button_caption.h"

#include <string_view>

namespace ravlet {

std::string ButtonCaption(const std::string& name) {
  struct Entry {
    std::string_view name;
    std::string_view caption;
  };
  static constexpr Entry kCaptions[] = {
      {"Yes", "是(&Y)"},        {"No", "否(&N)"},      {"OK", "确定"},
      {"Cancel", "取消"},       {"Abort", "中断(&A)"}, {"Retry", "重试(&R)"},
      {"Ignore", "忽略(&I)"},   {"All", "全部(&A)"},   {"NoToAll", "全否(&o)"},
      {"YesToAll", "全是(&A)"}, {"Help", "帮助(&H)"},
  };
  for (const auto& entry : kCaptions)
    if (entry.name == name) return std::string(entry.caption);
  return name;
}

}  // namespace ravlet
