#include "data/CodePage.h"

#include <cerrno>
#include <iconv.h>

std::optional<std::string> ConvertText(std::string_view Text, const char* From, const char* To) {
  iconv_t Cd = iconv_open(To, From);
  if (Cd == iconv_t(-1)) return std::nullopt;
  std::string Out(Text.size() * 4 + 16, '\0');
  char* In = const_cast<char*>(Text.data());
  size_t InLeft = Text.size();
  char* OutPtr = Out.data();
  size_t OutLeft = Out.size();
  bool Ok = true;
  while (InLeft > 0) {
    if (iconv(Cd, &In, &InLeft, &OutPtr, &OutLeft) == size_t(-1)) {
      if (errno == E2BIG) {
        const size_t Used = size_t(OutPtr - Out.data());
        Out.resize(Out.size() * 2);
        OutPtr = Out.data() + Used;
        OutLeft = Out.size() - Used;
        continue;
      }
      Ok = false;
      break;
    }
  }
  if (Ok && iconv(Cd, nullptr, nullptr, &OutPtr, &OutLeft) == size_t(-1)) Ok = false;
  iconv_close(Cd);
  if (!Ok) return std::nullopt;
  Out.resize(size_t(OutPtr - Out.data()));
  return Out;
}

std::optional<std::string> ReversibleUtf8(std::string_view Text, const std::string& CodePage) {
  auto Utf8 = CodePageToUtf8(Text, CodePage);
  if (!Utf8) return std::nullopt;
  const auto Back = Utf8ToCodePage(*Utf8, CodePage);
  if (!Back || *Back != Text) return std::nullopt;
  return Utf8;
}
