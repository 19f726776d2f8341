#pragma once
// Variants as JSON text, for storing requests and call records in a form that
// reads back exactly and that a person can still read with any SQLite or JSON
// tool. Wide text is a JSON string, a 32-bit integer a JSON integer, a Boolean
// true/false and Null null; every other kind is an object with one tag:
//   {"empty":0}  {"double":1.5}  {"single":1.5}  {"int64":"9000000000"}
//   {"smallint":7}  {"byte":7}  {"date":45000.5,"text":"2023-03-15 12:00:00"}
//   {"narrow":"c4e3"}  (the bytes in hex)
//   {"bounds":[1,3],"items":[...]}  (two dimensions: [lo1,hi1,lo2,hi2], items
//                                    with the first index varying fastest)
// Dispatch objects cannot be stored.

#include <string>
#include <string_view>

#include "platform/core/exception.h"
#include "platform/variant/variant.h"

namespace standin {

class EVariantJsonError : public qv::Exception {
 public:
  using qv::Exception::Exception;
  std::string ClassName() const override { return "EVariantJsonError"; }
};

// Raises EVariantJsonError for a dispatch object, unless describeObjects asks
// for {"object":"<class name>"} in its place (for records that are only read).
std::string VariantToJson(const qv::Variant& value, bool describeObjects = false);
// Raises EVariantJsonError for text that is not such JSON (nesting is limited).
qv::Variant VariantFromJson(std::string_view json);

}  // namespace standin
