#pragma once

#include <memory>
#include <string>

#include "storage/text_codec.h"

namespace core {

// A code page converted with iconv (used where there is no Windows code page API).
std::unique_ptr<CodePage> MakeIconvCodePage(int number);

}  // namespace core
