#include "app/VSync.h"

#include <GL/glx.h>

#include <cstring>

namespace {
constexpr int kSwapInterval = 1;  // one vertical blank a swap

bool hasExtension(const char* list, const char* name) {
  if (list == nullptr) return false;
  const std::size_t length = std::strlen(name);
  for (const char* at = std::strstr(list, name); at != nullptr; at = std::strstr(at + 1, name)) {
    const bool startsWord = at == list || at[-1] == ' ';
    const bool endsWord = at[length] == ' ' || at[length] == '\0';
    if (startsWord && endsWord) return true;
  }
  return false;
}
}  // namespace

bool requestVSync() {
  Display* display = glXGetCurrentDisplay();
  const GLXDrawable drawable = glXGetCurrentDrawable();
  if (display == nullptr || drawable == 0) return false;
  const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));

  using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
  using SwapIntervalMesa = int (*)(unsigned);
  if (hasExtension(extensions, "GLX_EXT_swap_control")) {
    auto setInterval = reinterpret_cast<SwapIntervalExt>(
        glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
    if (setInterval != nullptr) {
      setInterval(display, drawable, kSwapInterval);
      return true;
    }
  }
  if (hasExtension(extensions, "GLX_MESA_swap_control")) {
    auto setInterval = reinterpret_cast<SwapIntervalMesa>(
        glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
    if (setInterval != nullptr) return setInterval(kSwapInterval) == 0;
  }
  return false;
}
