#include "runtime/vozazivoza.h"

#include <cstring>
#include <mutex>
#include <type_traits>
#include <utility>

#include "platform/core/exception.h"
#include "platform/text/code_page.h"

namespace ravlet {
namespace {

std::mutex& NameLock() {
  static std::mutex lock;
  return lock;
}

std::string& LibraryNameSetting() {
  static std::string name = "VOZaziVoza.dll";
  return name;
}

// The library takes texts in the ANSI code page. A text that code page
// cannot hold would reach it with "?" in place of its characters and name
// another file, so it is refused instead.
std::string ToAnsi(const std::string& utf8) {
  std::string bytes = qv::Utf8ToAnsi(utf8);
  if (qv::AnsiToUtf8(bytes) != utf8 || bytes.find('\0') != std::string::npos)
    throw qv::EConvertError("Text [" + utf8 + "] cannot be written in code page " +
                            std::to_string(qv::GetAnsiCodePage()));
  return bytes;
}

// A message buffer of the library's size with room for a zero byte the
// library might have left out.
struct MessageBuffer {
  char bytes[VOZAZIVOZA_MESSAGE_SIZE + 1] = {};
  std::string Text() const {
    return qv::AnsiToUtf8(std::string(bytes, ::strnlen(bytes, VOZAZIVOZA_MESSAGE_SIZE)));
  }
};

}  // namespace

QV_DEFINE_CLASS(TVOZaziVoza, qv::TObject, builder) {}

std::string TVOZaziVoza::LibraryName() {
  std::lock_guard<std::mutex> guard(NameLock());
  return LibraryNameSetting();
}

void TVOZaziVoza::SetLibraryName(const std::string& name) {
  std::lock_guard<std::mutex> guard(NameLock());
  LibraryNameSetting() = name;
}

TVOZaziVoza::TVOZaziVoza() : library_(qv::TDynamicLibrary::Load(LibraryName())) {
  if (!library_) return;
  fileEx_ = library_->GetProc<std::remove_pointer_t<VOZaziVozaFileExProc>>("VOZaziVozaFileEx");
  unZip_ = library_->GetProc<std::remove_pointer_t<UnZipFilesOrDirProc>>("UnZipFilesOrDir");
  compare_ = library_->GetProc<std::remove_pointer_t<CompareFileToDownProc>>("CompareFileToDown");
}

TVOZaziVoza::~TVOZaziVoza() = default;

bool TVOZaziVoza::CompareFileToDown(const std::string& stamp, const std::string& localFile) {
  if (compare_ == nullptr) throw qv::Exception("function VoZaziVoza.CompareFileToDown not found!");
  return compare_(ToAnsi(stamp).c_str(), ToAnsi(localFile).c_str()) != 0;
}

bool TVOZaziVoza::VOZaziVozaFile(const std::string& remoteArchive, const std::string& localArchive,
                                 std::string& message) {
  if (fileEx_ == nullptr) {
    message = "function VoZaziVoza.VOZaziVozaFile not found!";
    return false;
  }
  MessageBuffer buffer;
  int size = 0;
  int error = 0;
  bool ok = fileEx_(0, server_.c_str(), "Hoskin", "60", ToAnsi(remoteArchive).c_str(),
                    ToAnsi(localArchive).c_str(), &size, buffer.bytes, &error, 0) != 0;
  message = buffer.Text();
  return ok;
}

bool TVOZaziVoza::UnZipFilesOrDir(const std::string& archive, const std::string& targetFolder,
                                  std::string& message) {
  if (unZip_ == nullptr) {
    message = "function VoZaziVoza.UnZipFilesOrDir not found!";
    return false;
  }
  MessageBuffer buffer;
  int count = 0;
  bool ok =
      unZip_(ToAnsi(archive).c_str(), ToAnsi(targetFolder).c_str(), buffer.bytes, &count) != 0;
  message = buffer.Text();
  return ok;
}

}  // namespace ravlet
