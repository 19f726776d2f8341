#pragma once
// Small variant helpers and the conversion of variants between wide texts and
// code-page texts for the application server.

#include <string>
#include <string_view>

#include "platform/variant/variant.h"

namespace ravlet {

// a when flag is set, else b.
qv::Variant VarIfThen(bool flag, const qv::Variant& a, const qv::Variant& b);

// True when v is Empty or Null.
bool VarIsBlank(const qv::Variant& v);

// Wide texts become narrow texts in codePage. A top-level text (a narrow one is
// read in the workstation's code page first) becomes a narrow text. A
// one-dimensional array is walked with its nested arrays; a two-dimensional one
// row by row without looking into nested arrays; in both only wide-text
// elements change. Other values, and arrays of more dimensions, are returned as
// they are. Never raises: on a failure the input is returned unconverted and
// the failure goes to the "libstrs" alert log.
qv::Variant VarWideToAnsi(const qv::Variant& v, int codePage);

// The mirror: a top-level narrow text is read in codePage into a wide text (a
// wide one is first narrowed in the workstation's code page); in arrays, walked
// as above, each wide-text element is narrowed in the workstation's code page
// and those bytes are read in codePage.
qv::Variant VarAnsiToWide(const qv::Variant& v, int codePage);

// One text into codePage, or into the workstation's code page when the platform
// cannot convert to codePage. The result ends at its first zero character.
std::string WideToCodePage(std::u16string_view text, int codePage);

// The mirror of WideToCodePage.
std::u16string CodePageToWide(std::string_view bytes, int codePage);

}  // namespace ravlet
