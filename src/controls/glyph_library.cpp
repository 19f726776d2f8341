#include "controls/glyph_library.h"

#include "../../outside/glyphs/zedada5_api.h"
#include "platform/core/exception.h"
#include "platform/system/dynamic_library.h"
#include "platform/text/format.h"

namespace ravlet {

struct TGlyphResourceLibrary::Loaded {
  std::unique_ptr<qv::TDynamicLibrary> library;
  ZeDadA5GetMaxBmpIDProc get_max_bmp_id = nullptr;
  ZeDadA5LoadBmpProc load_bmp = nullptr;
};

TGlyphResourceLibrary::TGlyphResourceLibrary(std::string name) : name_(std::move(name)) {}

TGlyphResourceLibrary::~TGlyphResourceLibrary() = default;

void TGlyphResourceLibrary::Load() {
  if (loaded_) return;
  auto loaded = std::make_unique<Loaded>();
  loaded->library = qv::TDynamicLibrary::Load(name_);
  if (!loaded->library) throw qv::Exception(qv::Format("Load Library %s Error!", {name_}));
  loaded->get_max_bmp_id =
      reinterpret_cast<ZeDadA5GetMaxBmpIDProc>(loaded->library->GetProcAddress("GetMaxBmpID"));
  loaded->load_bmp =
      reinterpret_cast<ZeDadA5LoadBmpProc>(loaded->library->GetProcAddress("LoadBmp"));
  if (loaded->get_max_bmp_id == nullptr || loaded->load_bmp == nullptr)
    throw qv::Exception("Get Library Procedure Address Error!");
  loaded_ = std::move(loaded);
}

int TGlyphResourceLibrary::GetMaxBmpID() {
  Load();
  return loaded_->get_max_bmp_id();
}

bool TGlyphResourceLibrary::LoadBmp(qv::TBitmap* bitmap, int id) {
  Load();
  return loaded_->load_bmp(bitmap, id);
}

namespace {

std::shared_ptr<TGlyphLibrary>& LibraryInUse() {
  static std::shared_ptr<TGlyphLibrary> library;
  return library;
}

}  // namespace

TGlyphLibrary& GlyphLibrary() {
  std::shared_ptr<TGlyphLibrary>& library = LibraryInUse();
  if (!library) library = std::make_shared<TGlyphResourceLibrary>();
  return *library;
}

void SetGlyphLibrary(std::shared_ptr<TGlyphLibrary> library) {
  LibraryInUse() = std::move(library);
}

int GetMaxBmpID() {
  return GlyphLibrary().GetMaxBmpID();
}

bool LoadBmp(qv::TBitmap* bitmap, int id) {
  return GlyphLibrary().LoadBmp(bitmap, id);
}

}  // namespace ravlet
