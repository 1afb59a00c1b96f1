#include "storage/ini_store.h"

#include "error.h"
#include "storage/storage_texts.h"

namespace core {

IniImage IniStore::Load(const std::string& path) const {
  std::string bytes;
  switch (fileSystem_.ReadWhole(path, bytes)) {
    case ReadStatus::kAbsent: return {};
    case ReadStatus::kFailed: throw Error(Format(texts::kCannotOpenFile, path));
    case ReadStatus::kRead: break;
  }
  return IniImage::Parse(DecodeText(bytes, codePage_));
}

void IniStore::Save(const std::string& path, const IniImage& image) {
  if (!fileSystem_.WriteWhole(path, EncodeText(image.Serialize(), codePage_)))
    throw Error(Format(texts::kCannotCreateFile, path));
}

}  // namespace core
