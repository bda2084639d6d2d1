// libFuzzer entry: decodes arbitrary bytes as a Targa file held in memory and
// checks the promises a caller relies on. Memory faults are the sanitizers'
// business; broken promises trap here.

#include <cstddef>
#include <cstdint>

#include "gfx/TgaImage.h"

#if defined(__has_feature)
#if __has_feature(memory_sanitizer)
#include <sanitizer/msan_interface.h>
#endif
#endif

namespace {
// Read by every run so the optimiser cannot drop the pixel walk below.
volatile std::uint32_t pixelDigest = 0;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TgaImage image;
  if (!image.decode(data, size)) {
    if (image.pixels != nullptr || image.width != 0 || image.height != 0) __builtin_trap();
    return 0;
  }
  if (image.pixels == nullptr || image.width <= 0 || image.height <= 0) __builtin_trap();
  if (image.width != image.fileWidth || image.height != image.fileHeight) __builtin_trap();
  if (image.bitsPerPixel != 8 && image.bitsPerPixel != 32) __builtin_trap();

  // Reads every byte the caller may read: the address sanitizer catches a
  // buffer smaller than promised; in the memory-sanitizer replay build, any
  // byte the decoder never wrote is reported.
  const std::size_t bytes = static_cast<std::size_t>(image.width) * image.height * (image.bitsPerPixel / 8);
#if defined(__has_feature)
#if __has_feature(memory_sanitizer)
  __msan_check_mem_is_initialized(image.pixels.get(), bytes);
#endif
#endif
  std::uint32_t digest = 0;
  for (std::size_t i = 0; i < bytes; ++i) digest += image.pixels[i];
  pixelDigest = digest;
  return 0;
}
