// Any input must decode or raise an image error: no crash, no out-of-bounds access, no
// allocation beyond what the picture needs. Decoded 8-bit pictures are also put on a sheet.
#include "graphics/PrismXyz.h"
#include "graphics/PrismSheet.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  try {
    TPrismBitmap Bitmap = DecodeXyz({Data, Size});
    if (Bitmap.BitsPerPixel == 8 && !Bitmap.Empty()) {
      TPrismSheet Sheet;
      Sheet.AutoSize = true;
      Sheet.AssignBitmap(Bitmap);
    }
  } catch (const EPrismImageError&) {
  }
  return 0;
}
