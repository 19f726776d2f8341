#pragma once
// The frames of remote automation calls between TSocketConnection and
// TRemoteServer, and the encoding of variants they carry.
//
// Frame:   u32 length N (little-endian) of the body that follows, 2 <= N <= limit
// Body:    u8 version (kVersion), u8 frame type, payload
//   Open       string server name
//   OpenReply  u8 status (0 ok, 1 failed) [string error class, string message]
//   Call       u32 call id, string operation, u8 kind (0 method, 1 property get,
//              2 property put), u32 argument count, per argument: u8 flags
//              (bit 0: by reference), value
//   Reply      u32 call id, u8 status; ok: value result, u32 count, per changed
//              by-reference argument: u32 argument index, value; failed: string
//              error class, string message
// string:  u32 byte count, UTF-8 bytes
// value:   u8 tag, then by tag
//   0 Empty, 1 Null, 2 Smallint i16, 3 Integer i32, 4 Single f32, 5 Double f64,
//   7 Date f64 (days since 1899-12-30), 8 wide text (u32 code-unit count,
//   UTF-16LE units), 11 Boolean u8 (0 or 1), 17 Byte u8, 20 Int64 i64,
//   0x40 narrow text (u32 byte count, bytes), 0x20 array (u8 dimension count
//   1..kMaxDimensions, per dimension i32 low bound and u32 element count, then
//   the elements, first index varying fastest, each a value).
// All numbers little-endian. Dispatch objects cannot be encoded.
//
// Decoding checks the whole body first — version, type, every count and length
// against the bytes left, array bounds (no overflow, element count = product of
// the extents, at least one byte per element), the nesting depth, nothing left
// over — and only then builds variants, so a hostile frame cannot make the
// reader allocate more than the frame's own size suggests.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/exception.h"
#include "platform/variant/dispatch.h"
#include "platform/variant/variant.h"

namespace qv {

QV_DECLARE_EXCEPTION(EWireFormatError, Exception);

namespace wire {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kVersion = 1;
inline constexpr std::size_t kLengthSize = 4;
// Largest body (the bytes after the length) either side accepts.
inline constexpr std::size_t kMaxFrameSize = 64u << 20;
// Arrays nested in arrays, counted from the outermost.
inline constexpr int kMaxDepth = 32;
inline constexpr int kMaxDimensions = 8;

enum class FrameType : std::uint8_t { Open = 1, OpenReply = 2, Call = 3, Reply = 4 };

struct OpenRequest {
  std::string serverName;
};

struct OpenReply {
  bool ok = true;
  std::string errorClass;
  std::string errorMessage;
};

struct CallArgument {
  bool byRef = false;
  Variant value;
};

struct CallRequest {
  std::uint32_t callId = 0;
  std::string operation;
  DispatchKind kind = DispatchKind::Method;
  std::vector<CallArgument> args;
};

struct CallReply {
  std::uint32_t callId = 0;
  bool ok = true;
  Variant result;
  // New values of by-reference arguments, by argument index.
  std::vector<std::pair<std::uint32_t, Variant>> refs;
  std::string errorClass;
  std::string errorMessage;
};

// Whole frames, length prefix included. EWireFormatError when a value cannot
// be encoded (a dispatch object, nesting deeper than kMaxDepth) or the body
// would be larger than maxFrameSize.
Bytes EncodeOpen(const OpenRequest& frame, std::size_t maxFrameSize = kMaxFrameSize);
Bytes EncodeOpenReply(const OpenReply& frame, std::size_t maxFrameSize = kMaxFrameSize);
Bytes EncodeCall(const CallRequest& frame, std::size_t maxFrameSize = kMaxFrameSize);
Bytes EncodeReply(const CallReply& frame, std::size_t maxFrameSize = kMaxFrameSize);

// The body length a frame's first four bytes announce. EWireFormatError when
// it is below the smallest body or above maxFrameSize.
std::size_t ReadFrameLength(std::span<const std::uint8_t, kLengthSize> prefix,
                            std::size_t maxFrameSize = kMaxFrameSize);

// Checks a body completely and tells its type; EWireFormatError with the
// reason when anything is wrong.
FrameType CheckFrame(std::span<const std::uint8_t> body);

// Check and decode a body of that type; EWireFormatError for any other type
// or a malformed body.
OpenRequest DecodeOpen(std::span<const std::uint8_t> body);
OpenReply DecodeOpenReply(std::span<const std::uint8_t> body);
CallRequest DecodeCall(std::span<const std::uint8_t> body);
CallReply DecodeReply(std::span<const std::uint8_t> body);

// One variant on its own in the value encoding above (for storing variants as
// bytes). Decoding checks like CheckFrame does and wants nothing left over.
Bytes EncodeVariant(const Variant& value);
Variant DecodeVariant(std::span<const std::uint8_t> bytes);

}  // namespace wire
}  // namespace qv
