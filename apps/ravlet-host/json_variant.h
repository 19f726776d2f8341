#pragma once
// Variants as the driver writes and reads them in JSON:
//   null <-> Null, true/false <-> Boolean, a whole number <-> Integer (Int64
//   outside 32 bits), any other number <-> Double, a string <-> wide text,
//   a list <-> a one-dimensional array with bounds 0..n-1,
//   {"empty":0} <-> Empty, {"date":days} <-> a date (days since 1899-12-30),
//   {"narrow":"c4e3"} <-> narrow text (its bytes in hex),
//   {"bounds":[lo1,hi1,...],"items":[...]} <-> any other array (items with
//   the first index varying fastest).
// Objects are written as {"object":"<class name>"} and cannot be read back.

#include "json.h"
#include "platform/variant/variant.h"

namespace ravlet::host {

JsonValue VariantToJson(const qv::Variant& value);
// Raises EJsonError for JSON that is no variant.
qv::Variant JsonToVariant(const JsonValue& json);

}  // namespace ravlet::host
