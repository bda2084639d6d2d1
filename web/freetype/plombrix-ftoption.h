/* FreeType's own options, less the ones that need libraries the browser
 * build does not have: compressed fonts (zlib, bzip2, brotli), PNG bitmaps,
 * HarfBuzz, and the SVG hooks. */
#include <freetype/config/ftoption.h>

#undef FT_CONFIG_OPTION_USE_ZLIB
#undef FT_CONFIG_OPTION_USE_BZIP2
#undef FT_CONFIG_OPTION_USE_PNG
#undef FT_CONFIG_OPTION_USE_HARFBUZZ
#undef FT_CONFIG_OPTION_USE_BROTLI
#undef FT_CONFIG_OPTION_SVG
