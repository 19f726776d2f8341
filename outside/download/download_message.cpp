#include "download/download_message.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "download/vozazivoza_api.h"
#include "platform/text/code_page.h"

namespace standin {
namespace {

// Length of the UTF-8 sequence that starts with this byte; a stray
// continuation byte counts as one.
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// The ANSI bytes of as many whole characters as fit in limit bytes. The ANSI
// code pages are stateless, so characters can be encoded one at a time.
std::string EncodeWithin(std::string_view utf8, size_t limit) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    size_t n = std::min(SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
    std::string bytes;
    if (!qv::TryUtf8ToCodePage(utf8.substr(i, n), qv::GetAnsiCodePage(), bytes))
      bytes.assign(1, '?');
    if (out.size() + bytes.size() > limit) break;
    out += bytes;
    i += n;
  }
  return out;
}

}  // namespace

void PutMessage(char* buffer, std::string_view utf8) {
  if (buffer == nullptr) return;
  std::string bytes = EncodeWithin(utf8, VOZAZIVOZA_MESSAGE_SIZE - 1);
  std::memcpy(buffer, bytes.data(), bytes.size());
  buffer[bytes.size()] = '\0';
}

}  // namespace standin
