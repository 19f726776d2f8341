#include "platform/text/format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/core/exception.h"

namespace {

using qv::Format;

TEST(Format, Directives) {
  const std::string name = "选择";
  const struct {
    std::string actual;
    const char* expected;
  } cases[] = {
      {Format("%s=%d", {"id", 5}), "id=5"},
      {Format("%d%.2d%.2d", {2024, 3, 7}), "20240307"},
      {Format("%.4d|%.2d|%.2d", {-5, 123, 0}), "-0005|123|00"},
      {Format("[%5s][%-5s]", {"ab", "cd"}), "[   ab][cd   ]"},
      {Format("[%5d][%-5d][%-2d]", {42, -42, 12345}), "[   42][-42  ][12345]"},
      {Format("%x %x %.4x", {255, -1, 10}), "FF FFFFFFFF 000A"},
      {Format("%x", {int64_t(-1)}), "FFFFFFFFFFFFFFFF"},
      {Format("%u %u", {7u, -1}), "7 4294967295"},
      {Format("%f|%.2f|%.3f|%.2f", {1.5, 2.675, -0.1, 1e21}),
       "1.50|2.67|-0.100|1000000000000000000000.00"},
      // Ties round away from zero; a value rounded to zero loses its sign.
      {Format("%.0f|%.2f|%.1f|%.1f", {2.5, 0.125, -0.25, -0.04}), "3|0.13|-0.3|0.0"},
      {Format("%.3f|%.1f", {9.9996, 0.96}), "10.000|1.0"},
      {Format("%e", {1.5}), "1.50000000000000E+000"},
      {Format("%.3e", {-12345.0}), "-1.23E+004"},
      {Format("%g|%g|%g", {1.5, 100.0, 1e20}), "1.5|100|1E20"},
      {Format("%n", {1234567.891}), "1,234,567.89"},
      {Format("100%% %s", {name}), "100% 选择"},
      {Format("%s%s", {'x', std::string_view("yz")}), "xyz"},
      {Format("%.1s", {"选择"}), ""},  // a character is never cut in half
      {Format("%.3s", {"选择"}), "选"},
      {Format("%1:s %0:s %s", {"a", "b"}), "b a b"},
      {Format("[%*d]", {4, 7}), "[   7]"},
      {Format("%D/%S", {1, "x"}), "1/x"},
      {Format("no directives", {}), "no directives"},
      {Format("%s", {"%d stays"}), "%d stays"},
      {Format("%d", {9'000'000'000LL}), "9000000000"},
      {Format("%d", {18446744073709551615ULL}), "18446744073709551615"},
      {Format("Type= %s, ID= %s ", {"E", "000015"}), "Type= E, ID= 000015 "},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(Format, MismatchRaisesConvertError) {
  const struct {
    const char* fmt;
    std::function<std::string(const char*)> call;
  } cases[] = {
      {"%d", [](const char* f) { return Format(f, {"text"}); }},
      {"%s", [](const char* f) { return Format(f, {5}); }},
      {"%s", [](const char* f) { return Format(f, {1.5}); }},
      {"%f", [](const char* f) { return Format(f, {5}); }},
      {"%d", [](const char* f) { return Format(f, {1.5}); }},
      {"%x", [](const char* f) { return Format(f, {'c'}); }},
      {"%d %d", [](const char* f) { return Format(f, {1}); }},
      {"%s", [](const char* f) { return Format(f, {}); }},
      {"abc%", [](const char* f) { return Format(f, {1}); }},
      {"%5", [](const char* f) { return Format(f, {1}); }},
      {"%q", [](const char* f) { return Format(f, {1}); }},
      {"%3:s", [](const char* f) { return Format(f, {"a"}); }},
      {"%*d",
       [](const char* f) {
         return Format(f, {"w", 1});
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fmt);
    try {
      c.call(c.fmt);
      ADD_FAILURE() << "no exception";
    } catch (const qv::EConvertError& e) {
      EXPECT_EQ(e.Message(),
                std::string("Format '") + c.fmt + "' invalid or incompatible with argument");
    }
  }
}

}  // namespace
