#include "platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>

std::string Cp932ToUtf8(std::string_view text) {
  bool ascii = true;
  for (unsigned char c : text) ascii = ascii && c < 0x80;
  if (ascii) return std::string(text);

  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == iconv_t(-1)) return std::string(text);
  std::string out;
  char buffer[256];
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, size_t(outPtr - buffer));
    if (result == size_t(-1) && errno != E2BIG) {
      out += "\xEF\xBF\xBD";
      ++in;
      --inLeft;
    }
  }
  iconv_close(cd);
  return out;
}
