#include "platform/midas/wire_format.h"

#include <bit>
#include <cstring>
#include <limits>
#include <memory>

#include "platform/variant/var_array.h"

namespace qv::wire {

namespace {

enum Tag : std::uint8_t {
  kTagEmpty = 0,
  kTagNull = 1,
  kTagSmallint = 2,
  kTagInteger = 3,
  kTagSingle = 4,
  kTagDouble = 5,
  kTagDate = 7,
  kTagWideText = 8,
  kTagBoolean = 11,
  kTagByte = 17,
  kTagInt64 = 20,
  kTagArray = 0x20,
  kTagNarrowText = 0x40,
};

constexpr std::size_t kBodyHeaderSize = 2;  // version, type

// ---------------------------------------------------------------- writing --

class Writer {
 public:
  Writer(FrameType type, std::size_t maxFrameSize) : maxFrameSize_(maxFrameSize) {
    out_.resize(kLengthSize);
    U8(kVersion);
    U8(static_cast<std::uint8_t>(type));
  }
  Writer() : maxFrameSize_(std::numeric_limits<std::size_t>::max()) {}

  void U8(std::uint8_t v) { out_.push_back(v); }
  void U16(std::uint16_t v) {
    for (int i = 0; i < 2; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void U64(std::uint64_t v) {
    for (int i = 0; i < 8; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void F32(float v) { U32(std::bit_cast<std::uint32_t>(v)); }
  void F64(double v) { U64(std::bit_cast<std::uint64_t>(v)); }
  void Count(std::size_t n, const char* what) {
    if (n > std::numeric_limits<std::uint32_t>::max()) {
      throw EWireFormatError(std::string(what) + " too long to send");
    }
    U32(static_cast<std::uint32_t>(n));
  }
  void String(std::string_view text) {
    Count(text.size(), "text");
    out_.insert(out_.end(), text.begin(), text.end());
    CheckSize();
  }

  void Value(const Variant& v, int depth = 0) {
    if (v.IsArray()) {
      Array(*v.ArrayData(), depth + 1);
      return;
    }
    switch (v.VarType()) {
      case varEmpty:
        U8(kTagEmpty);
        break;
      case varNull:
        U8(kTagNull);
        break;
      case varSmallint:
        U8(kTagSmallint);
        U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(v.AsInteger())));
        break;
      case varInteger:
        U8(kTagInteger);
        U32(static_cast<std::uint32_t>(v.AsInteger()));
        break;
      case varSingle:
        U8(kTagSingle);
        F32(static_cast<float>(v.AsDouble()));
        break;
      case varDouble:
        U8(kTagDouble);
        F64(v.AsDouble());
        break;
      case varDate:
        U8(kTagDate);
        F64(v.AsDateTime());
        break;
      case varOleStr: {
        const std::u16string text = v.AsWideString();
        U8(kTagWideText);
        Count(text.size(), "text");
        for (char16_t unit : text) U16(static_cast<std::uint16_t>(unit));
        CheckSize();
        break;
      }
      case varBoolean:
        U8(kTagBoolean);
        U8(v.AsBoolean() ? 1 : 0);
        break;
      case varByte:
        U8(kTagByte);
        U8(static_cast<std::uint8_t>(v.AsInteger()));
        break;
      case varInt64:
        U8(kTagInt64);
        U64(static_cast<std::uint64_t>(v.AsInt64()));
        break;
      case varString: {
        U8(kTagNarrowText);
        String(v.AsNarrow());
        break;
      }
      case varDispatch:
        throw EWireFormatError(
            "An automation object (varDispatch) cannot be passed to a remote server");
      default:
        throw EWireFormatError("A variant of type " + VarTypeAsText(v.VarType()) +
                               " cannot be passed to a remote server");
    }
  }

  Bytes Finish() {
    CheckSize();
    const std::size_t body = out_.size() - kLengthSize;
    for (std::size_t i = 0; i < kLengthSize; ++i) {
      out_[i] = static_cast<std::uint8_t>(body >> (8 * i));
    }
    return std::move(out_);
  }
  Bytes FinishBare() { return std::move(out_); }

 private:
  void Array(const VarArrayData& array, int level) {
    if (level > kMaxDepth) {
      throw EWireFormatError("Arrays nested deeper than " + std::to_string(kMaxDepth) +
                             " levels cannot be passed to a remote server");
    }
    if (array.DimCount() > kMaxDimensions) {
      throw EWireFormatError("An array of " + std::to_string(array.DimCount()) +
                             " dimensions cannot be passed to a remote server");
    }
    U8(kTagArray);
    U8(static_cast<std::uint8_t>(array.DimCount()));
    for (const auto& bound : array.Bounds()) {
      U32(static_cast<std::uint32_t>(bound.low));
      U32(static_cast<std::uint32_t>(bound.count));
    }
    for (const Variant& element : array.Elements()) {
      Value(element, level);
      CheckSize();
    }
  }

  void CheckSize() const {
    if (out_.size() > kLengthSize && out_.size() - kLengthSize > maxFrameSize_) {
      throw EWireFormatError("The frame would exceed the limit of " +
                             std::to_string(maxFrameSize_) + " bytes");
    }
  }

  Bytes out_;
  std::size_t maxFrameSize_;
};

// ---------------------------------------------------------------- reading --

// Every read is checked against the bytes left; the same reader serves the
// checking pass and the decoding pass.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}

  std::size_t Remaining() const noexcept { return data_.size() - pos_; }

  std::uint8_t U8(const char* what) {
    Need(1, what);
    return data_[pos_++];
  }
  std::uint16_t U16(const char* what) {
    Need(2, what);
    std::uint16_t v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  std::uint32_t U32(const char* what) {
    Need(4, what);
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(data_[pos_ + i]) << (8 * i);
    pos_ += 4;
    return v;
  }
  std::uint64_t U64(const char* what) {
    Need(8, what);
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= static_cast<std::uint64_t>(data_[pos_ + i]) << (8 * i);
    pos_ += 8;
    return v;
  }
  // A count of items of itemSize bytes each that must fit in what is left.
  std::size_t Count(std::size_t itemSize, const char* what) {
    const std::uint32_t n = U32(what);
    if (static_cast<std::uint64_t>(n) * itemSize > Remaining()) {
      throw EWireFormatError("Malformed frame: " + std::string(what) + " of " + std::to_string(n) +
                             " items exceeds the " + std::to_string(Remaining()) + " bytes left");
    }
    return n;
  }
  std::span<const std::uint8_t> Take(std::size_t n, const char* what) {
    Need(n, what);
    auto part = data_.subspan(pos_, n);
    pos_ += n;
    return part;
  }
  std::string String(const char* what) {
    const std::size_t n = Count(1, what);
    auto part = Take(n, what);
    return std::string(part.begin(), part.end());
  }
  void SkipString(const char* what) { Take(Count(1, what), what); }

  void End() const {
    if (Remaining() != 0) {
      throw EWireFormatError("Malformed frame: " + std::to_string(Remaining()) +
                             " bytes left over after the frame's content");
    }
  }

 private:
  void Need(std::size_t n, const char* what) const {
    if (n > Remaining()) {
      throw EWireFormatError("Malformed frame: it ends inside " + std::string(what));
    }
  }

  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

struct ArrayShape {
  std::vector<VarArrayData::Bound> bounds;
  std::size_t elements = 0;
};

ArrayShape ReadArrayShape(Reader& r, int level) {
  if (level > kMaxDepth) {
    throw EWireFormatError("Malformed frame: arrays nested deeper than " +
                           std::to_string(kMaxDepth) + " levels");
  }
  const std::uint8_t dims = r.U8("an array header");
  if (dims < 1 || dims > kMaxDimensions) {
    throw EWireFormatError("Malformed frame: an array of " + std::to_string(dims) + " dimensions");
  }
  ArrayShape shape;
  std::uint64_t total = 1;
  for (int d = 0; d < dims; ++d) {
    const auto low = static_cast<std::int32_t>(r.U32("an array bound"));
    const std::uint32_t count = r.U32("an array bound");
    if (static_cast<std::int64_t>(low) + count - 1 > std::numeric_limits<std::int32_t>::max()) {
      throw EWireFormatError("Malformed frame: array bounds beyond the integer range");
    }
    // Every element takes at least one byte, so no array can have more
    // elements than the frame has bytes left.
    if (count > r.Remaining()) {
      throw EWireFormatError("Malformed frame: an array of " + std::to_string(count) +
                             " elements in a dimension, with only " +
                             std::to_string(r.Remaining()) + " bytes left");
    }
    total *= count;
    if (total > r.Remaining()) {
      throw EWireFormatError("Malformed frame: an array of " + std::to_string(total) +
                             " elements, with only " + std::to_string(r.Remaining()) +
                             " bytes left");
    }
    shape.bounds.push_back({low, static_cast<int>(count)});
  }
  shape.elements = static_cast<std::size_t>(total);
  return shape;
}

// Checking pass: walks a value without building anything.
void SkipValue(Reader& r, int level) {
  const std::uint8_t tag = r.U8("a value");
  switch (tag) {
    case kTagEmpty:
    case kTagNull:
      return;
    case kTagSmallint:
      r.U16("a Smallint");
      return;
    case kTagInteger:
      r.U32("an Integer");
      return;
    case kTagSingle:
      r.U32("a Single");
      return;
    case kTagDouble:
    case kTagDate:
      r.U64("a Double");
      return;
    case kTagInt64:
      r.U64("an Int64");
      return;
    case kTagByte:
      r.U8("a Byte");
      return;
    case kTagBoolean:
      if (r.U8("a Boolean") > 1) throw EWireFormatError("Malformed frame: a Boolean not 0 or 1");
      return;
    case kTagWideText:
      r.Take(r.Count(2, "a wide text") * 2, "a wide text");
      return;
    case kTagNarrowText:
      r.SkipString("a narrow text");
      return;
    case kTagArray: {
      const ArrayShape shape = ReadArrayShape(r, level + 1);
      for (std::size_t i = 0; i < shape.elements; ++i) SkipValue(r, level + 1);
      return;
    }
    default:
      throw EWireFormatError("Malformed frame: unknown value tag " + std::to_string(tag));
  }
}

// Decoding pass, after the checking pass accepted the bytes.
Variant ReadValue(Reader& r, int level) {
  const std::uint8_t tag = r.U8("a value");
  switch (tag) {
    case kTagEmpty:
      return Variant();
    case kTagNull:
      return Variant::Null();
    case kTagSmallint:
      return VarAsType(Variant(static_cast<std::int16_t>(r.U16("a Smallint"))), varSmallint);
    case kTagInteger:
      return Variant(static_cast<std::int32_t>(r.U32("an Integer")));
    case kTagSingle:
      return Variant(std::bit_cast<float>(r.U32("a Single")));
    case kTagDouble:
      return Variant(std::bit_cast<double>(r.U64("a Double")));
    case kTagDate:
      return Variant::FromDate(std::bit_cast<double>(r.U64("a Date")));
    case kTagInt64:
      return Variant(static_cast<std::int64_t>(r.U64("an Int64")));
    case kTagByte:
      return VarAsType(Variant(static_cast<int>(r.U8("a Byte"))), varByte);
    case kTagBoolean:
      return Variant(r.U8("a Boolean") != 0);
    case kTagWideText: {
      const std::size_t n = r.Count(2, "a wide text");
      std::u16string text(n, u'\0');
      for (std::size_t i = 0; i < n; ++i) text[i] = static_cast<char16_t>(r.U16("a wide text"));
      return Variant(std::move(text));
    }
    case kTagNarrowText:
      return Variant::Narrow(r.String("a narrow text"));
    case kTagArray: {
      const ArrayShape shape = ReadArrayShape(r, level + 1);
      auto data = std::make_unique<VarArrayData>(shape.bounds);
      for (Variant& element : data->Elements()) element = ReadValue(r, level + 1);
      return Variant::FromArrayData(std::move(data));
    }
    default:
      throw EWireFormatError("Malformed frame: unknown value tag " + std::to_string(tag));
  }
}

void SkipError(Reader& r) {
  r.SkipString("an error class");
  r.SkipString("an error message");
}

Reader BodyReader(std::span<const std::uint8_t> body, FrameType* type) {
  Reader r(body);
  const std::uint8_t version = r.U8("the frame header");
  if (version != kVersion) {
    throw EWireFormatError("Unsupported frame version " + std::to_string(version) +
                           " (this program speaks version " + std::to_string(kVersion) + ")");
  }
  const std::uint8_t raw = r.U8("the frame header");
  if (raw < static_cast<std::uint8_t>(FrameType::Open) ||
      raw > static_cast<std::uint8_t>(FrameType::Reply)) {
    throw EWireFormatError("Unknown frame type " + std::to_string(raw));
  }
  *type = static_cast<FrameType>(raw);
  return r;
}

const char* TypeName(FrameType type) {
  switch (type) {
    case FrameType::Open:
      return "open";
    case FrameType::OpenReply:
      return "open reply";
    case FrameType::Call:
      return "call";
    case FrameType::Reply:
      return "reply";
  }
  return "unknown";
}

// Checks a body and returns a reader positioned after its header.
Reader CheckedBody(std::span<const std::uint8_t> body, FrameType expected) {
  const FrameType type = CheckFrame(body);
  if (type != expected) {
    throw EWireFormatError(std::string("Unexpected ") + TypeName(type) + " frame where a " +
                           TypeName(expected) + " frame belongs");
  }
  Reader r(body);
  r.Take(kBodyHeaderSize, "the frame header");
  return r;
}

std::uint8_t KindCode(DispatchKind kind) {
  switch (kind) {
    case DispatchKind::Method:
      return 0;
    case DispatchKind::PropertyGet:
      return 1;
    case DispatchKind::PropertyPut:
      return 2;
  }
  return 0;
}

}  // namespace

Bytes EncodeOpen(const OpenRequest& frame, std::size_t maxFrameSize) {
  Writer w(FrameType::Open, maxFrameSize);
  w.String(frame.serverName);
  return w.Finish();
}

Bytes EncodeOpenReply(const OpenReply& frame, std::size_t maxFrameSize) {
  Writer w(FrameType::OpenReply, maxFrameSize);
  w.U8(frame.ok ? 0 : 1);
  if (!frame.ok) {
    w.String(frame.errorClass);
    w.String(frame.errorMessage);
  }
  return w.Finish();
}

Bytes EncodeCall(const CallRequest& frame, std::size_t maxFrameSize) {
  Writer w(FrameType::Call, maxFrameSize);
  w.U32(frame.callId);
  w.String(frame.operation);
  w.U8(KindCode(frame.kind));
  w.Count(frame.args.size(), "argument list");
  for (const CallArgument& arg : frame.args) {
    w.U8(arg.byRef ? 1 : 0);
    w.Value(arg.value);
  }
  return w.Finish();
}

Bytes EncodeReply(const CallReply& frame, std::size_t maxFrameSize) {
  Writer w(FrameType::Reply, maxFrameSize);
  w.U32(frame.callId);
  w.U8(frame.ok ? 0 : 1);
  if (frame.ok) {
    w.Value(frame.result);
    w.Count(frame.refs.size(), "reference list");
    for (const auto& [index, value] : frame.refs) {
      w.U32(index);
      w.Value(value);
    }
  } else {
    w.String(frame.errorClass);
    w.String(frame.errorMessage);
  }
  return w.Finish();
}

std::size_t ReadFrameLength(std::span<const std::uint8_t, kLengthSize> prefix,
                            std::size_t maxFrameSize) {
  std::uint32_t n = 0;
  for (std::size_t i = 0; i < kLengthSize; ++i)
    n |= static_cast<std::uint32_t>(prefix[i]) << (8 * i);
  if (n < kBodyHeaderSize) {
    throw EWireFormatError("Malformed frame: a length of " + std::to_string(n) + " bytes");
  }
  if (n > maxFrameSize) {
    throw EWireFormatError("Frame of " + std::to_string(n) + " bytes exceeds the limit of " +
                           std::to_string(maxFrameSize) + " bytes");
  }
  return n;
}

FrameType CheckFrame(std::span<const std::uint8_t> body) {
  FrameType type;
  Reader r = BodyReader(body, &type);
  switch (type) {
    case FrameType::Open:
      r.SkipString("a server name");
      break;
    case FrameType::OpenReply: {
      const std::uint8_t status = r.U8("a status");
      if (status > 1) throw EWireFormatError("Malformed frame: status " + std::to_string(status));
      if (status == 1) SkipError(r);
      break;
    }
    case FrameType::Call: {
      r.U32("a call id");
      r.SkipString("an operation name");
      const std::uint8_t kind = r.U8("a call kind");
      if (kind > 2) throw EWireFormatError("Malformed frame: call kind " + std::to_string(kind));
      const std::size_t argc = r.Count(2, "an argument list");
      for (std::size_t i = 0; i < argc; ++i) {
        if (r.U8("argument flags") > 1) {
          throw EWireFormatError("Malformed frame: unknown argument flags");
        }
        SkipValue(r, 0);
      }
      break;
    }
    case FrameType::Reply: {
      r.U32("a call id");
      const std::uint8_t status = r.U8("a status");
      if (status > 1) throw EWireFormatError("Malformed frame: status " + std::to_string(status));
      if (status == 1) {
        SkipError(r);
        break;
      }
      SkipValue(r, 0);
      const std::size_t n = r.Count(5, "a reference list");
      for (std::size_t i = 0; i < n; ++i) {
        r.U32("an argument index");
        SkipValue(r, 0);
      }
      break;
    }
  }
  r.End();
  return type;
}

OpenRequest DecodeOpen(std::span<const std::uint8_t> body) {
  Reader r = CheckedBody(body, FrameType::Open);
  return OpenRequest{r.String("a server name")};
}

OpenReply DecodeOpenReply(std::span<const std::uint8_t> body) {
  Reader r = CheckedBody(body, FrameType::OpenReply);
  OpenReply reply;
  reply.ok = r.U8("a status") == 0;
  if (!reply.ok) {
    reply.errorClass = r.String("an error class");
    reply.errorMessage = r.String("an error message");
  }
  return reply;
}

CallRequest DecodeCall(std::span<const std::uint8_t> body) {
  Reader r = CheckedBody(body, FrameType::Call);
  CallRequest call;
  call.callId = r.U32("a call id");
  call.operation = r.String("an operation name");
  const std::uint8_t kind = r.U8("a call kind");
  call.kind = kind == 0   ? DispatchKind::Method
              : kind == 1 ? DispatchKind::PropertyGet
                          : DispatchKind::PropertyPut;
  const std::size_t argc = r.Count(2, "an argument list");
  call.args.reserve(argc);
  for (std::size_t i = 0; i < argc; ++i) {
    CallArgument arg;
    arg.byRef = r.U8("argument flags") == 1;
    arg.value = ReadValue(r, 0);
    call.args.push_back(std::move(arg));
  }
  return call;
}

CallReply DecodeReply(std::span<const std::uint8_t> body) {
  Reader r = CheckedBody(body, FrameType::Reply);
  CallReply reply;
  reply.callId = r.U32("a call id");
  reply.ok = r.U8("a status") == 0;
  if (!reply.ok) {
    reply.errorClass = r.String("an error class");
    reply.errorMessage = r.String("an error message");
    return reply;
  }
  reply.result = ReadValue(r, 0);
  const std::size_t n = r.Count(5, "a reference list");
  reply.refs.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t index = r.U32("an argument index");
    reply.refs.emplace_back(index, ReadValue(r, 0));
  }
  return reply;
}

Bytes EncodeVariant(const Variant& value) {
  Writer w;
  w.Value(value);
  return w.FinishBare();
}

Variant DecodeVariant(std::span<const std::uint8_t> bytes) {
  Reader check(bytes);
  SkipValue(check, 0);
  check.End();
  Reader r(bytes);
  return ReadValue(r, 0);
}

}  // namespace qv::wire
