#pragma once
// The order in which a displayed date shows its parts. The two Republic-of-China
// types count years from 1912 (year - 1911).

namespace ravlet {

// A fixed underlying type keeps any stored number a valid value, so texts and
// properties holding an unknown type can be passed on and handled as "no type".
enum TDateType : int {
  dt_NoneCare = 0,
  dt_YYYYMMDD = 1,
  dt_MMDDYYYY = 2,
  dt_DDMMYYYY = 3,
  dt_YYMMDD = 4,
  dt_YYYMMDD = 5,
};

}  // namespace ravlet
