#include "storage/iconv_code_page.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace core {
namespace {

// One conversion descriptor, closed with its owner.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert " + from + " to " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of `in`; on an invalid sequence calls onInvalid(in, out), which either
  // skips input (and returns true) or gives up (false).
  template <typename OnInvalid>
  bool Convert(std::string_view in, std::string& out, OnInvalid onInvalid) const {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    out.clear();
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    std::string buffer(4096, '\0');
    while (srcLeft > 0) {
      char* dst = buffer.data();
      size_t dstLeft = buffer.size();
      size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      int error = errno;  // before the append, which may allocate
      out.append(buffer.data(), buffer.size() - dstLeft);
      if (r != static_cast<size_t>(-1)) continue;
      if (error == E2BIG) continue;
      if (!onInvalid(src, srcLeft, out)) return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

class IconvCodePage final : public CodePage {
 public:
  explicit IconvCodePage(int number)
      : name_("CP" + std::to_string(number)), toUtf8_("UTF-8", name_), fromUtf8_(name_, "UTF-8") {}

  std::string ToUtf8(std::string_view ansi) const override {
    std::string out;
    toUtf8_.Convert(ansi, out, [](char*& src, size_t& left, std::string& o) {
      o += "\xEF\xBF\xBD";  // U+FFFD for a byte that starts no valid character
      ++src;
      --left;
      return true;
    });
    return out;
  }

  // iconv also writes characters the code page holds only one way, as their nearest
  // neighbour (U+00A5 as 0x5C, which reads back as a backslash; U+00AC as U+FFE2):
  // only a conversion that reads back as the same text counts, as with Windows'
  // conversion without best fit.
  std::optional<std::string> FromUtf8(std::string_view utf8) const override {
    std::string out;
    if (!fromUtf8_.Convert(utf8, out, [](char*&, size_t&, std::string&) { return false; })) return std::nullopt;
    if (ToUtf8(out) != utf8) return std::nullopt;
    return out;
  }

 private:
  std::string name_;
  Converter toUtf8_;
  Converter fromUtf8_;
};

}  // namespace

std::unique_ptr<CodePage> MakeIconvCodePage(int number) { return std::make_unique<IconvCodePage>(number); }

}  // namespace core
