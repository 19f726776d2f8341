#include "runtime/variant_utils.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
#include <exception>
#include <iterator>
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

template <typename Char>
std::basic_string_view<Char> UpToFirstZero(std::basic_string_view<Char> text) {
  return text.substr(0, text.find(Char(0)));
}

[[noreturn]] void RaiseUnsupported(int codePage) {
  throw qv::EConvertError("Code page " + std::to_string(codePage) + " is not supported");
}

// Single- and double-byte Windows and DOS code pages, UTF-8 and GB18030 keep no
// shift state between characters.
bool IsStatelessCodePage(int codePage) {
  static constexpr int kListed[] = {437, 850, 852, 866,   874,   932,
                                    936, 949, 950, 20127, 54936, 65001};
  return std::find(std::begin(kListed), std::end(kListed), codePage) != std::end(kListed) ||
         (codePage >= 1250 && codePage <= 1258) || (codePage >= 28591 && codePage <= 28599);
}

const char* NativeUtf16Name() {
  return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
}

// One iconv descriptor, opened when first used and closed with its owner. A
// descriptor without names never converts, leaving every text to the platform.
class IconvDescriptor {
 public:
  // A stateless code page on the other side needs no call that ends a shift
  // state and returns the descriptor to its initial state after each text.
  IconvDescriptor(std::string to, std::string from, bool stateless)
      : to_(std::move(to)), from_(std::move(from)), flush_(!stateless) {}
  ~IconvDescriptor() {
    if (cd_ != kInvalid) iconv_close(cd_);
  }
  IconvDescriptor(const IconvDescriptor&) = delete;
  IconvDescriptor& operator=(const IconvDescriptor&) = delete;

  // Converts the whole input into buffer, grown to capacityUnits first, and
  // leaves the number of output bytes in used. False, with the descriptor
  // reset, when iconv stops at anything (a character the target lacks, a broken
  // sequence, no room): such a text is left to the platform's conversion and
  // its replacement rules.
  template <typename Buffer>
  bool Convert(const void* in, size_t inBytes, Buffer& buffer, size_t capacityUnits, size_t& used) {
    if (!opened_) {
      opened_ = true;
      if (!to_.empty() && !from_.empty()) cd_ = iconv_open(to_.c_str(), from_.c_str());
    }
    if (cd_ == kInvalid) return false;
    if (buffer.size() < capacityUnits) buffer.resize(capacityUnits);
    char* src = static_cast<char*>(const_cast<void*>(in));
    char* dst = reinterpret_cast<char*>(buffer.data());
    const size_t outBytes = buffer.size() * sizeof(typename Buffer::value_type);
    size_t outLeft = outBytes;
    if (iconv(cd_, &src, &inBytes, &dst, &outLeft) == kFailed ||
        (flush_ && iconv(cd_, nullptr, nullptr, &dst, &outLeft) == kFailed)) {
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      return false;
    }
    used = outBytes - outLeft;
    return true;
  }

 private:
  static inline const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);
  static constexpr size_t kFailed = static_cast<size_t>(-1);

  std::string to_;
  std::string from_;
  bool flush_;
  bool opened_ = false;
  iconv_t cd_ = kInvalid;
};

// Converts texts between UTF-16 and one code page, or the workstation's code
// page when the platform does not know the requested one; the choice is made
// once. Results are views into the converter's buffers, valid until its next
// call, and end at their first zero character. For a walk over a large array
// the converter keeps descriptors of its own, so that each element costs one
// iconv call per step and no allocation; whatever iconv does not take cleanly
// goes through the platform's conversion.
class TextConverter {
 public:
  TextConverter(int codePage, bool ownDescriptors)
      : ansiCodePage_(qv::GetAnsiCodePage()),
        codePage_(codePage != 0 && qv::IsCodePageSupported(codePage) ? codePage : ansiCodePage_),
        toCodePage_(Name(codePage_, ownDescriptors), NativeUtf16Name(),
                    IsStatelessCodePage(codePage_)),
        fromCodePage_(NativeUtf16Name(), Name(codePage_, ownDescriptors),
                      IsStatelessCodePage(codePage_)),
        toAnsi_(Name(ansiCodePage_, ownDescriptors), NativeUtf16Name(),
                IsStatelessCodePage(ansiCodePage_)),
        fromAnsi_(NativeUtf16Name(), Name(ansiCodePage_, ownDescriptors),
                  IsStatelessCodePage(ansiCodePage_)) {}

  std::string_view Encode(std::u16string_view text) {
    return EncodeWith(toCodePage_, codePage_, text, encoded_);
  }
  std::u16string_view Decode(std::string_view bytes) {
    return DecodeWith(fromCodePage_, codePage_, bytes, decoded_);
  }
  std::string_view EncodeAnsi(std::u16string_view text) {
    return EncodeWith(toAnsi_, ansiCodePage_, text, ansiEncoded_);
  }
  std::u16string_view DecodeAnsi(std::string_view bytes) {
    return DecodeWith(fromAnsi_, ansiCodePage_, bytes, ansiDecoded_);
  }

 private:
  static std::string Name(int codePage, bool ownDescriptors) {
    return ownDescriptors ? qv::CodePageName(codePage) : std::string();
  }

  static std::string_view EncodeWith(IconvDescriptor& descriptor, int codePage,
                                     std::u16string_view text, std::string& buffer) {
    size_t used = 0;
    // Three bytes per UTF-16 unit hold the double-byte code pages and UTF-8.
    if (descriptor.Convert(text.data(), text.size() * sizeof(char16_t), buffer, text.size() * 3 + 8,
                           used)) {
      return UpToFirstZero(std::string_view(buffer.data(), used));
    }
    if (!qv::TryUtf16ToCodePage(text, codePage, buffer)) RaiseUnsupported(codePage);
    return UpToFirstZero(std::string_view(buffer));
  }

  static std::u16string_view DecodeWith(IconvDescriptor& descriptor, int codePage,
                                        std::string_view bytes, std::u16string& buffer) {
    size_t used = 0;
    // No code page gives more UTF-16 units than it has bytes.
    if (descriptor.Convert(bytes.data(), bytes.size(), buffer, bytes.size() + 8, used)) {
      return UpToFirstZero(std::u16string_view(buffer.data(), used / sizeof(char16_t)));
    }
    if (!qv::TryCodePageToUtf16(bytes, codePage, buffer)) RaiseUnsupported(codePage);
    return UpToFirstZero(std::u16string_view(buffer));
  }

  int ansiCodePage_;
  int codePage_;
  IconvDescriptor toCodePage_;
  IconvDescriptor fromCodePage_;
  IconvDescriptor toAnsi_;
  IconvDescriptor fromAnsi_;
  std::string encoded_;
  std::string ansiEncoded_;
  std::u16string decoded_;
  std::u16string ansiDecoded_;
};

enum class Direction { kWideToAnsi, kAnsiToWide };

// A wide text in its converted form: narrow in the code page, or the
// workstation's bytes read back in the code page.
qv::Variant ConvertWideText(const qv::Variant& element, Direction direction,
                            TextConverter& converter) {
  if (direction == Direction::kWideToAnsi) {
    return qv::Variant::Narrow(std::string(converter.Encode(element.WideView())));
  }
  return qv::Variant(std::u16string(converter.Decode(converter.EncodeAnsi(element.WideView()))));
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
      (*target)[i] = ConvertWideText(element, direction, converter);
    } else if (nested && element.IsArray()) {
      (*target)[i] = ConvertArray(element, direction, converter);
    } else {
      (*target)[i] = element;
    }
  }
  return qv::Variant::FromArrayData(std::move(target));
}

qv::Variant ConvertText(const qv::Variant& v, Direction direction, TextConverter& converter) {
  if (direction == Direction::kWideToAnsi) {
    if (v.IsWideStr()) return ConvertWideText(v, direction, converter);
    const std::u16string wide(converter.DecodeAnsi(v.AsNarrow()));
    return qv::Variant::Narrow(std::string(converter.Encode(wide)));
  }
  if (v.IsWideStr()) return ConvertWideText(v, direction, converter);
  return qv::Variant(std::u16string(converter.Decode(v.AsNarrow())));
}

qv::Variant ConvertOrLog(const qv::Variant& v, int codePage, Direction direction,
                         const char* logPrefix) {
  if (!v.IsArray() && !v.IsStr()) return v;
  try {
    TextConverter converter(codePage, v.IsArray());
    return v.IsArray() ? ConvertArray(v, direction, converter)
                       : ConvertText(v, direction, converter);
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
  return std::string(TextConverter(codePage, false).Encode(text));
}

std::u16string CodePageToWide(std::string_view bytes, int codePage) {
  return std::u16string(TextConverter(codePage, false).Decode(bytes));
}

}  // namespace ravlet
