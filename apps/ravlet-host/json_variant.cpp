#include "json_variant.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "platform/variant/dispatch.h"

namespace ravlet::host {

namespace {

constexpr int kMaxDims = 8;
// Far more than any request holds; keeps a stray line from asking for gigabytes.
constexpr int64_t kMaxArrayItems = 1 << 20;

const char kHex[] = "0123456789abcdef";

// Advances indices (first one fastest) within the bounds; false after the last.
bool NextIndex(std::vector<int>& indices, const std::vector<int>& bounds) {
  for (size_t d = 0; d < indices.size(); ++d) {
    if (indices[d] < bounds[2 * d + 1]) {
      ++indices[d];
      return true;
    }
    indices[d] = bounds[2 * d];
  }
  return false;
}

JsonValue Tagged(const char* tag, JsonValue value) {
  return JsonValue::Object({{tag, std::move(value)}});
}

JsonValue ArrayToJson(const qv::Variant& value) {
  const int dims = qv::VarArrayDimCount(value);
  std::vector<int> bounds;
  int64_t count = 1;
  for (int d = 1; d <= dims; ++d) {
    bounds.push_back(qv::VarArrayLowBound(value, d));
    bounds.push_back(qv::VarArrayHighBound(value, d));
    count *= std::max<int64_t>(0, int64_t{bounds.back()} - bounds[bounds.size() - 2] + 1);
  }
  JsonValue items = JsonValue::Array();
  if (count > 0) {
    std::vector<int> indices;
    for (int d = 0; d < dims; ++d) indices.push_back(bounds[2 * d]);
    do {
      items.Append(VariantToJson(value.Element(indices)));
    } while (NextIndex(indices, bounds));
  }
  if (dims == 1 && bounds[0] == 0) return items;
  JsonValue bound_list = JsonValue::Array();
  for (int b : bounds) bound_list.Append(b);
  return JsonValue::Object({{"bounds", std::move(bound_list)}, {"items", std::move(items)}});
}

int ReadBound(const JsonValue& json) {
  const int64_t value = json.AsInteger();
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
    throw EJsonError("An array bound is out of range");
  return static_cast<int>(value);
}

qv::Variant ArrayFromJson(const JsonValue& bounds_json, const JsonValue& items_json) {
  const auto& bound_items = bounds_json.Items();
  const auto& items = items_json.Items();
  if (bound_items.empty() || bound_items.size() % 2 != 0 || bound_items.size() > 2 * kMaxDims)
    throw EJsonError("\"bounds\" holds a low and a high bound for each of one to eight dimensions");
  std::vector<int> bounds;
  int64_t count = 1;
  for (size_t i = 0; i < bound_items.size(); i += 2) {
    const int low = ReadBound(bound_items[i]);
    const int high = ReadBound(bound_items[i + 1]);
    if (int64_t{high} < int64_t{low} - 1) throw EJsonError("An array's bounds are reversed");
    count *= int64_t{high} - low + 1;
    if (count > kMaxArrayItems) throw EJsonError("An array is too large");
    bounds.push_back(low);
    bounds.push_back(high);
  }
  if (count != static_cast<int64_t>(items.size()))
    throw EJsonError("An array's items do not match its bounds");
  qv::Variant array = qv::VarArrayCreate(std::span<const int>(bounds));
  if (count == 0) return array;
  std::vector<int> indices;
  for (size_t d = 0; d < bounds.size() / 2; ++d) indices.push_back(bounds[2 * d]);
  size_t next = 0;
  do {
    array.Element(indices) = JsonToVariant(items[next++]);
  } while (NextIndex(indices, bounds));
  return array;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  throw EJsonError("Narrow text is written as hexadecimal bytes");
}

}  // namespace

JsonValue VariantToJson(const qv::Variant& value) {
  if (value.IsArray()) return ArrayToJson(value);
  switch (value.VarType() & qv::varTypeMask) {
    case qv::varEmpty:
      return Tagged("empty", 0);
    case qv::varNull:
      return JsonValue();
    case qv::varBoolean:
      return JsonValue(value.AsBoolean());
    case qv::varSmallint:
    case qv::varInteger:
    case qv::varByte:
    case qv::varInt64:
      return JsonValue(value.AsInt64());
    case qv::varSingle:
    case qv::varDouble:
    case qv::varCurrency:
      return JsonValue(value.AsDouble());
    case qv::varDate:
      return Tagged("date", value.AsDateTime());
    case qv::varOleStr:
      return JsonValue(value.AsString());
    case qv::varString: {
      std::string hex;
      for (unsigned char c : value.AsNarrow()) {
        hex += kHex[c >> 4];
        hex += kHex[c & 0xF];
      }
      return Tagged("narrow", hex);
    }
    case qv::varDispatch: {
      const std::shared_ptr<qv::IDispatch> object = value.AsDispatch();
      return Tagged("object", object ? object->ClassName() : std::string());
    }
    default:
      return Tagged("unknown", JsonValue(int64_t{value.VarType()}));
  }
}

qv::Variant JsonToVariant(const JsonValue& json) {
  switch (json.kind()) {
    case JsonValue::Kind::Null:
      return qv::Variant::Null();
    case JsonValue::Kind::Bool:
      return qv::Variant(json.AsBool());
    case JsonValue::Kind::Integer: {
      const int64_t number = json.AsInteger();
      if (number >= std::numeric_limits<int32_t>::min() &&
          number <= std::numeric_limits<int32_t>::max())
        return qv::Variant(static_cast<int32_t>(number));
      return qv::Variant(number);
    }
    case JsonValue::Kind::Double:
      return qv::Variant(json.AsDouble());
    case JsonValue::Kind::String:
      return qv::Variant(json.AsString());
    case JsonValue::Kind::Array: {
      const auto& items = json.Items();
      if (static_cast<int64_t>(items.size()) > kMaxArrayItems)
        throw EJsonError("An array is too large");
      qv::Variant array = qv::VarArrayCreate({0, static_cast<int>(items.size()) - 1});
      for (size_t i = 0; i < items.size(); ++i)
        array[static_cast<int>(i)] = JsonToVariant(items[i]);
      return array;
    }
    case JsonValue::Kind::Object:
      break;
  }
  const JsonValue* bounds = json.Find("bounds");
  const JsonValue* items = json.Find("items");
  if (bounds != nullptr && items != nullptr && json.Members().size() == 2)
    return ArrayFromJson(*bounds, *items);
  if (json.Members().size() != 1)
    throw EJsonError("An object stands for a variant by one tag, or by \"bounds\" and \"items\"");
  const auto& [tag, inner] = json.Members().front();
  if (tag == "empty") return qv::Variant();
  if (tag == "date") return qv::Variant::FromDate(inner.AsDouble());
  if (tag == "narrow") {
    const std::string& hex = inner.AsString();
    if (hex.size() % 2 != 0) throw EJsonError("Narrow text is written as hexadecimal bytes");
    std::string bytes;
    for (size_t i = 0; i < hex.size(); i += 2)
      bytes += static_cast<char>(HexDigit(hex[i]) * 16 + HexDigit(hex[i + 1]));
    return qv::Variant::Narrow(std::move(bytes));
  }
  throw EJsonError("Unknown variant tag \"" + tag + "\"");
}

}  // namespace ravlet::host
