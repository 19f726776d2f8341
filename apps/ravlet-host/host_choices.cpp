#include "host_choices.h"

#include "driver.h"

namespace ravlet::host {

THostChoices::THostChoices(std::weak_ptr<TDriver> driver)
    : TAutoObject("THostChoices"), driver_(std::move(driver)) {
  // ChooseRows([table, key, title, captions, rows, args, multiSelect,
  //             startText, startRow, user]) -> row indexes, or Empty
  RegisterMethod("ChooseRows", 1, [this](Args& args) {
    const std::shared_ptr<TDriver> driver = driver_.lock();
    return driver ? driver->ChooseRows(args[0]) : qv::Variant();
  });
  // ChooseDate([initialDate, rocYear, dbName]) -> "yyyymmdd", or ""
  RegisterMethod("ChooseDate", 1, [this](Args& args) {
    const std::shared_ptr<TDriver> driver = driver_.lock();
    return driver ? driver->ChooseDate(args[0]) : qv::Variant("");
  });
}

}  // namespace ravlet::host
