// The exports of the download library. Nothing may leave them as an
// exception: every failure becomes a zero result and a message.

#include <climits>
#include <exception>
#include <string>

#include "download/archive_fetch.h"
#include "download/archive_unpack.h"
#include "download/download_message.h"
#include "download/file_stamp.h"
#include "download/vozazivoza_api.h"
#include "platform/text/code_page.h"

namespace {

std::string FromAnsi(const char* text) {
  return text ? qv::AnsiToUtf8(text) : std::string();
}

template <class Value>
void Put(Value* target, Value value) {
  if (target) *target = value;
}

}  // namespace

extern "C" VOZAZIVOZA_API int CompareFileToDown(const char* stamp, const char* local_file) {
  try {
    return standin::NeedsFetch(FromAnsi(stamp), FromAnsi(local_file)) ? 1 : 0;
  } catch (...) {
    // When the local file cannot even be looked at, fetching is the only way on.
    return 1;
  }
}

extern "C" VOZAZIVOZA_API int VOZaziVozaFileEx(int /*window*/, const char* /*server*/,
                                               const char* /*product*/, const char* time_limit,
                                               const char* remote_archive,
                                               const char* local_archive, int* size, char* message,
                                               int* error, int /*flags*/) {
  Put(size, 0);
  Put(error, 0);
  standin::PutMessage(message, "");
  try {
    int seconds = 0;
    std::string limit = FromAnsi(time_limit);
    if (!standin::ParseTimeLimit(limit, seconds)) {
      standin::PutMessage(message, "Time limit [" + limit + "] is no number of seconds");
      return 0;
    }
    standin::FetchResult result =
        standin::FetchArchive(FromAnsi(remote_archive), FromAnsi(local_archive), seconds);
    Put(size, static_cast<int>(result.Size > INT_MAX ? INT_MAX : result.Size));
    Put(error, result.Error);
    standin::PutMessage(message, result.Message);
    return result.Ok ? 1 : 0;
  } catch (const std::exception& e) {
    standin::PutMessage(message, e.what());
  } catch (...) {
    standin::PutMessage(message, "Fetching failed");
  }
  return 0;
}

extern "C" VOZAZIVOZA_API int UnZipFilesOrDir(const char* archive, const char* target_folder,
                                              char* message, int* count) {
  Put(count, 0);
  standin::PutMessage(message, "");
  try {
    standin::UnpackResult result =
        standin::UnpackArchive(FromAnsi(archive), FromAnsi(target_folder));
    Put(count, result.Count);
    standin::PutMessage(message, result.Message);
    return result.Ok ? 1 : 0;
  } catch (const std::exception& e) {
    standin::PutMessage(message, e.what());
  } catch (...) {
    standin::PutMessage(message, "Unpacking failed");
  }
  return 0;
}
