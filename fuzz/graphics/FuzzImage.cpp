// Any input must decode or raise an image error: no crash, no out-of-bounds access, no
// allocation beyond what the picture needs. Decoded 8-bit pictures are also put on a sheet.
// DECODE names the reader under test.
#include "graphics/PrismImage.h"
#include "graphics/PrismPng.h"
#include "graphics/PrismSheet.h"
#include "graphics/PrismXyz.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  try {
    TPrismBitmap Bitmap = DECODE({Data, Size});
    if (Bitmap.BitsPerPixel == 8 && !Bitmap.Empty()) {
      TPrismSheet Sheet;
      Sheet.AutoSize = true;
      Sheet.AssignBitmap(Bitmap);
    }
  } catch (const EPrismImageError&) {
  }
  return 0;
}
