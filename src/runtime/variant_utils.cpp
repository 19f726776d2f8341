#include "runtime/variant_utils.h"

#include <exception>
#include <memory>
#include <utility>

#include "platform/core/exception.h"
#include "platform/text/code_page.h"
#include "platform/variant/var_array.h"
#include "runtime/alert_log.h"

namespace ravlet {

namespace {

constexpr const char* kLogName = "libstrs";
constexpr const char* kLogPeriod = "D";

template <typename Text>
void EndAtFirstZero(Text& text) {
  const size_t zero = text.find(typename Text::value_type(0));
  if (zero != Text::npos) text.resize(zero);
}

[[noreturn]] void RaiseUnsupported(int codePage) {
  throw qv::EConvertError("Code page " + std::to_string(codePage) + " is not supported");
}

// Converts texts between UTF-16 and one code page, falling back to the
// workstation's code page when the platform does not know the requested one.
// The choice is made once, so a walk over a large array converts each element
// straight away; the round trip goes through a buffer kept for the whole walk.
class TextConverter {
 public:
  explicit TextConverter(int codePage)
      : ansiCodePage_(qv::GetAnsiCodePage()),
        codePage_(qv::IsCodePageSupported(codePage) ? codePage : ansiCodePage_) {}

  void ToCodePage(std::u16string_view text, std::string& out) const {
    Encode(text, codePage_, out);
  }
  void FromCodePage(std::string_view bytes, std::u16string& out) const {
    Decode(bytes, codePage_, out);
  }
  void ToAnsi(std::u16string_view text, std::string& out) const {
    Encode(text, ansiCodePage_, out);
  }
  void FromAnsi(std::string_view bytes, std::u16string& out) const {
    Decode(bytes, ansiCodePage_, out);
  }

  // The workstation's bytes of a wide text, read in the target code page.
  void Reinterpret(std::u16string_view text, std::u16string& out) {
    ToAnsi(text, scratch_);
    FromCodePage(scratch_, out);
  }

 private:
  static void Encode(std::u16string_view text, int codePage, std::string& out) {
    if (!qv::TryUtf16ToCodePage(text, codePage, out)) RaiseUnsupported(codePage);
    EndAtFirstZero(out);
  }
  static void Decode(std::string_view bytes, int codePage, std::u16string& out) {
    if (!qv::TryCodePageToUtf16(bytes, codePage, out)) RaiseUnsupported(codePage);
    EndAtFirstZero(out);
  }

  int ansiCodePage_;
  int codePage_;
  std::string scratch_;
};

enum class Direction { kWideToAnsi, kAnsiToWide };

// A wide-text element of an array in its converted form.
qv::Variant ConvertWideElement(std::u16string_view text, Direction direction,
                               TextConverter& converter) {
  if (direction == Direction::kWideToAnsi) {
    std::string bytes;
    converter.ToCodePage(text, bytes);
    return qv::Variant::Narrow(std::move(bytes));
  }
  std::u16string wide;
  converter.Reinterpret(text, wide);
  return qv::Variant(std::move(wide));
}

// One-dimensional arrays are walked with their nested arrays, two-dimensional
// ones element by element only; in both only wide texts change. The result is
// built beside the input, so a failure half-way leaves the input as it was.
qv::Variant ConvertArray(const qv::Variant& array, Direction direction, TextConverter& converter) {
  const qv::VarArrayData& source = *array.ArrayData();
  if (source.DimCount() > 2) return array;
  const bool nested = source.DimCount() == 1;
  auto target = std::make_unique<qv::VarArrayData>(source.Bounds());
  for (size_t i = 0; i < source.Size(); ++i) {
    const qv::Variant& element = source[i];
    if (element.IsWideStr()) {
      (*target)[i] = ConvertWideElement(element.AsWideString(), direction, converter);
    } else if (nested && element.IsArray()) {
      (*target)[i] = ConvertArray(element, direction, converter);
    } else {
      (*target)[i] = element;
    }
  }
  return qv::Variant::FromArrayData(std::move(target));
}

qv::Variant ConvertTopLevel(const qv::Variant& v, Direction direction, TextConverter& converter) {
  if (v.IsArray()) return ConvertArray(v, direction, converter);
  if (!v.IsStr()) return v;
  if (direction == Direction::kWideToAnsi) {
    std::u16string wide;
    if (v.IsNarrowStr()) {
      converter.FromAnsi(v.AsNarrow(), wide);
    } else {
      wide = v.AsWideString();
    }
    std::string bytes;
    converter.ToCodePage(wide, bytes);
    return qv::Variant::Narrow(std::move(bytes));
  }
  std::string bytes;
  if (v.IsNarrowStr()) {
    bytes = v.AsNarrow();
  } else {
    converter.ToAnsi(v.AsWideString(), bytes);
  }
  std::u16string wide;
  converter.FromCodePage(bytes, wide);
  return qv::Variant(std::move(wide));
}

qv::Variant ConvertOrLog(const qv::Variant& v, int codePage, Direction direction,
                         const char* logPrefix) {
  if (v.IsEmpty() || v.IsNull()) return v;
  try {
    TextConverter converter(codePage);
    return ConvertTopLevel(v, direction, converter);
  } catch (const std::exception& e) {
    WriteAlertLog(kLogName, std::string(logPrefix) + e.what(), kLogPeriod);
  } catch (...) {
    WriteAlertLog(kLogName, std::string(logPrefix) + "unknown failure", kLogPeriod);
  }
  return v;
}

}  // namespace

qv::Variant VarIfThen(bool flag, const qv::Variant& a, const qv::Variant& b) {
  return flag ? a : b;
}

bool VarIsBlank(const qv::Variant& v) {
  return v.IsEmpty() || v.IsNull();
}

qv::Variant VarWideToAnsi(const qv::Variant& v, int codePage) {
  return ConvertOrLog(v, codePage, Direction::kWideToAnsi, "LINE[2735] ");
}

qv::Variant VarAnsiToWide(const qv::Variant& v, int codePage) {
  return ConvertOrLog(v, codePage, Direction::kAnsiToWide, "LINE[115] ");
}

std::string WideToCodePage(std::u16string_view text, int codePage) {
  std::string out;
  TextConverter(codePage).ToCodePage(text, out);
  return out;
}

std::u16string CodePageToWide(std::string_view bytes, int codePage) {
  std::u16string out;
  TextConverter(codePage).FromCodePage(bytes, out);
  return out;
}

}  // namespace ravlet
