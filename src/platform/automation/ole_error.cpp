#include "platform/automation/ole_error.h"

#include <exception>

namespace qv {

void RethrowAsOleError() {
  try {
    throw;
  } catch (const EOleError&) {
    throw;
  } catch (const Exception& e) {
    throw EOleException(e.Message(), e.ClassName());
  } catch (const std::exception& e) {
    throw EOleException(e.what(), "Exception");
  } catch (...) {
    throw EOleException("Unknown failure in an automation call", "Exception");
  }
}

}  // namespace qv
