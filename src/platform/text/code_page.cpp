#include "platform/text/code_page.h"

#include <iconv.h>

#include <atomic>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>

#include "platform/core/exception.h"
#include "platform/text/unicode.h"

namespace qv {

namespace {

constexpr int kDefaultAnsiCodePage = 936;

int InitialAnsiCodePage() {
  const char* value = std::getenv("QVR_ANSI_CODEPAGE");
  if (value == nullptr) return kDefaultAnsiCodePage;
  char* end = nullptr;
  const long cp = std::strtol(value, &end, 10);
  if (end == value || cp <= 0 || cp > 65535) return kDefaultAnsiCodePage;
  return static_cast<int>(cp);
}

std::atomic<int>& AnsiCodePageSetting() {
  static std::atomic<int> setting{InitialAnsiCodePage()};
  return setting;
}

const char* Utf16Name() {
  return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
}

// Code 0 is the Windows alias of the ANSI code page.
int ResolveCodePage(int cp) {
  return cp == 0 ? GetAnsiCodePage() : cp;
}

// Code pages whose bytes 0..127 are ASCII, so that pure-ASCII text converts
// byte for byte without iconv.
bool IsAsciiCompatible(int cp) {
  switch (cp) {
    case 437:
    case 850:
    case 852:
    case 866:
    case 874:
    case 932:
    case 936:
    case 949:
    case 950:
    case 20127:
    case 54936:
    case 65001:
      return true;
    default:
      return (cp >= 1250 && cp <= 1258) || (cp >= 28591 && cp <= 28599) || cp == 28605;
  }
}

bool IsAscii(std::string_view bytes) {
  const char* p = bytes.data();
  size_t n = bytes.size();
  while (n >= 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    if (word & 0x8080808080808080ULL) return false;
    p += 8;
    n -= 8;
  }
  for (; n > 0; --n, ++p) {
    if (static_cast<unsigned char>(*p) >= 0x80) return false;
  }
  return true;
}

bool IsAscii(std::u16string_view text) {
  for (char16_t c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

enum class Direction { FromUtf16, ToUtf16 };

// Stateless encodings need no flush of a shift state at the end of a text.
bool IsStateless(int cp) {
  return IsAsciiCompatible(cp) || cp == 1200 || cp == 1201 || cp == 12000 || cp == 12001;
}

// An open iconv descriptor. A conversion that completes leaves it in its
// initial shift state; one cut short by an exception leaves it marked dirty,
// and it is reset before its next use.
struct Converter {
  int cp;
  Direction direction;
  iconv_t cd;
  bool stateless;
  bool dirty;
};

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

// iconv descriptors are expensive to open; each thread keeps the ones it has
// used. A code page iconv does not know is remembered too.
class DescriptorCache {
 public:
  DescriptorCache() = default;
  DescriptorCache(const DescriptorCache&) = delete;
  DescriptorCache& operator=(const DescriptorCache&) = delete;
  ~DescriptorCache() {
    for (const Converter& c : converters_) {
      if (c.cd != kNoDescriptor) iconv_close(c.cd);
    }
  }

  // The converter in its initial state, or null when iconv lacks the code page.
  Converter* Get(int cp, Direction direction) {
    for (Converter& c : converters_) {
      if (c.cp == cp && c.direction == direction) return Ready(c);
    }
    iconv_t cd = kNoDescriptor;
    const std::string name = CodePageName(cp);
    if (!name.empty()) {
      cd = direction == Direction::FromUtf16 ? iconv_open(name.c_str(), Utf16Name())
                                             : iconv_open(Utf16Name(), name.c_str());
    }
    converters_.push_back({cp, direction, cd, IsStateless(cp), false});
    return Ready(converters_.back());
  }

 private:
  static Converter* Ready(Converter& c) {
    if (c.cd == kNoDescriptor) return nullptr;
    if (c.dirty) {
      iconv(c.cd, nullptr, nullptr, nullptr, nullptr);
      c.dirty = false;
    }
    return &c;
  }

  std::deque<Converter> converters_;  // stable addresses
};

DescriptorCache& Descriptors() {
  thread_local DescriptorCache cache;
  return cache;
}

[[noreturn]] void RaiseUnsupported(int cp) {
  throw EConvertError("Code page " + std::to_string(cp) + " is not supported");
}

// Runs iconv over the whole input straight into out, growing it when needed.
// on_invalid is called when iconv stops at input it cannot take, with the
// remaining input; it returns the replacement and says how many bytes to skip.
template <typename Text, typename OnInvalid>
void RunIconv(Converter& converter, const char* in, size_t in_left, Text& out, size_t initial_units,
              OnInvalid on_invalid) {
  using Unit = typename Text::value_type;
  const iconv_t cd = converter.cd;
  converter.dirty = true;
  out.resize(initial_units < 16 ? 16 : initial_units);
  const auto bytes = [&out] { return reinterpret_cast<char*>(out.data()); };
  const auto grow = [&out](size_t extra_units) { out.resize(out.size() * 2 + extra_units); };
  size_t used = 0;  // in bytes
  char* src = const_cast<char*>(in);
  while (true) {
    char* dst = bytes() + used;
    size_t out_left = out.size() * sizeof(Unit) - used;
    const size_t rc = iconv(cd, &src, &in_left, &dst, &out_left);
    used = static_cast<size_t>(dst - bytes());
    if (rc != static_cast<size_t>(-1)) {
      if (converter.stateless) break;
      // Flush the pending shift sequence of a stateful encoding.
      if (iconv(cd, nullptr, nullptr, &dst, &out_left) == static_cast<size_t>(-1) &&
          errno == E2BIG) {
        grow(16);
        continue;
      }
      used = static_cast<size_t>(dst - bytes());
      break;
    }
    if (errno == E2BIG) {
      grow(16);
      continue;
    }
    const bool truncated = errno == EINVAL;
    size_t skip = 0;
    const std::basic_string_view<Unit> replacement =
        on_invalid(std::string_view(src, in_left), truncated, skip);
    const size_t replacement_bytes = replacement.size() * sizeof(Unit);
    if (out.size() * sizeof(Unit) - used < replacement_bytes) grow(replacement.size());
    std::memcpy(bytes() + used, replacement.data(), replacement_bytes);
    used += replacement_bytes;
    src += skip;
    in_left -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (in_left == 0) break;
  }
  out.resize(used / sizeof(Unit));
  converter.dirty = false;
}

void ConvertFromUtf16(Converter& converter, std::u16string_view text, std::string& out) {
  const char* in = reinterpret_cast<const char*>(text.data());
  RunIconv(converter, in, text.size() * sizeof(char16_t), out, text.size() * 2,
           [](std::string_view rest, bool, size_t& skip) -> std::string_view {
             // A character the code page lacks, or a broken surrogate: one
             // '?' per character, as the Windows conversion does.
             skip = sizeof(char16_t);
             if (rest.size() >= 4) {
               char16_t first, second;
               std::memcpy(&first, rest.data(), 2);
               std::memcpy(&second, rest.data() + 2, 2);
               if (first >= 0xD800 && first <= 0xDBFF && second >= 0xDC00 && second <= 0xDFFF) {
                 skip = 2 * sizeof(char16_t);
               }
             }
             if (skip > rest.size()) skip = rest.size();
             return "?";
           });
}

void ConvertToUtf16(Converter& converter, std::string_view bytes, std::u16string& out) {
  RunIconv(converter, bytes.data(), bytes.size(), out, bytes.size(),
           [](std::string_view rest, bool truncated, size_t& skip) -> std::u16string_view {
             // An invalid byte is replaced and decoding goes on after it; a
             // truncated sequence at the end is replaced as a whole.
             skip = truncated ? rest.size() : 1;
             return u"\uFFFD";
           });
}

}  // namespace

int GetAnsiCodePage() {
  return AnsiCodePageSetting().load(std::memory_order_relaxed);
}

void SetAnsiCodePage(int cp) {
  AnsiCodePageSetting().store(cp, std::memory_order_relaxed);
}

std::string CodePageName(int cp) {
  cp = ResolveCodePage(cp);
  switch (cp) {
    case 65001:
      return "UTF-8";
    case 20127:
      return "ASCII";
    case 1200:
      return "UTF-16LE";
    case 1201:
      return "UTF-16BE";
    case 12000:
      return "UTF-32LE";
    case 12001:
      return "UTF-32BE";
    case 54936:
      return "GB18030";
    case 20866:
      return "KOI8-R";
    case 21866:
      return "KOI8-U";
    case 20932:
      return "EUC-JP";
    case 51949:
      return "EUC-KR";
    case 50220:
      return "ISO-2022-JP";
    case 65000:
      return "UTF-7";
    case 28605:
      return "ISO-8859-15";
    default:
      break;
  }
  if (cp >= 28591 && cp <= 28599) return "ISO-8859-" + std::to_string(cp - 28590);
  if (cp <= 0 || cp > 65535) return {};
  return "CP" + std::to_string(cp);
}

bool IsCodePageSupported(int cp) {
  cp = ResolveCodePage(cp);
  return Descriptors().Get(cp, Direction::FromUtf16) != nullptr;
}

bool TryUtf16ToCodePage(std::u16string_view text, int cp, std::string& out) {
  cp = ResolveCodePage(cp);
  if (cp == CP_UTF8) {
    out = Utf16ToUtf8(text);
    return true;
  }
  Converter* converter = Descriptors().Get(cp, Direction::FromUtf16);
  if (converter == nullptr) {
    out.clear();
    return false;
  }
  if (IsAsciiCompatible(cp) && IsAscii(text)) {
    out.resize(text.size());
    for (size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>(text[i]);
    return true;
  }
  ConvertFromUtf16(*converter, text, out);
  return true;
}

bool TryCodePageToUtf16(std::string_view bytes, int cp, std::u16string& out) {
  cp = ResolveCodePage(cp);
  if (cp == CP_UTF8) {
    out = Utf8ToUtf16(bytes);
    return true;
  }
  Converter* converter = Descriptors().Get(cp, Direction::ToUtf16);
  if (converter == nullptr) {
    out.clear();
    return false;
  }
  if (IsAsciiCompatible(cp) && IsAscii(bytes)) {
    out.resize(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) out[i] = static_cast<char16_t>(bytes[i]);
    return true;
  }
  ConvertToUtf16(*converter, bytes, out);
  return true;
}

std::string Utf16ToCodePage(std::u16string_view text, int cp) {
  std::string out;
  if (!TryUtf16ToCodePage(text, cp, out)) RaiseUnsupported(cp);
  return out;
}

std::u16string CodePageToUtf16(std::string_view bytes, int cp) {
  std::u16string out;
  if (!TryCodePageToUtf16(bytes, cp, out)) RaiseUnsupported(cp);
  return out;
}

bool TryUtf8ToCodePage(std::string_view utf8, int cp, std::string& out) {
  cp = ResolveCodePage(cp);
  if (IsAsciiCompatible(cp) && IsAscii(utf8)) {
    if (!IsCodePageSupported(cp)) {
      out.clear();
      return false;
    }
    out.assign(utf8);
    return true;
  }
  return TryUtf16ToCodePage(Utf8ToUtf16(utf8), cp, out);
}

bool TryCodePageToUtf8(std::string_view bytes, int cp, std::string& out) {
  cp = ResolveCodePage(cp);
  if (IsAsciiCompatible(cp) && IsAscii(bytes)) {
    if (!IsCodePageSupported(cp)) {
      out.clear();
      return false;
    }
    out.assign(bytes);
    return true;
  }
  std::u16string wide;
  if (!TryCodePageToUtf16(bytes, cp, wide)) {
    out.clear();
    return false;
  }
  out = Utf16ToUtf8(wide);
  return true;
}

std::string Utf8ToCodePage(std::string_view utf8, int cp) {
  std::string out;
  if (!TryUtf8ToCodePage(utf8, cp, out)) RaiseUnsupported(cp);
  return out;
}

std::string CodePageToUtf8(std::string_view bytes, int cp) {
  std::string out;
  if (!TryCodePageToUtf8(bytes, cp, out)) RaiseUnsupported(cp);
  return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
  return Utf8ToCodePage(utf8, GetAnsiCodePage());
}

std::string AnsiToUtf8(std::string_view bytes) {
  return CodePageToUtf8(bytes, GetAnsiCodePage());
}

std::string Utf16ToAnsi(std::u16string_view text) {
  return Utf16ToCodePage(text, GetAnsiCodePage());
}

std::u16string AnsiToUtf16(std::string_view bytes) {
  return CodePageToUtf16(bytes, GetAnsiCodePage());
}

size_t ByteLengthInCodePage(std::string_view utf8, int cp) {
  return Utf8ToCodePage(utf8, cp).size();
}

}  // namespace qv
