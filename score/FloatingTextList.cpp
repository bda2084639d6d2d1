#include "score/FloatingTextList.h"

#include <cstdarg>
#include <cstdio>

FloatingTextList& FloatingTextList::instance() {
  static FloatingTextList* list = new FloatingTextList();
  return *list;
}

void FloatingTextList::addText(float x, float y, const char* format, ...) {
  char message[FontPrinter::kTextBytes] = "";
  if (format != nullptr) {
    va_list args;
    va_start(args, format);
    if (std::vsnprintf(message, sizeof message, format, args) < 0) message[0] = '\0';
    va_end(args);
  }
  texts.emplace_back(x, y, message);
}

void FloatingTextList::update(float dt) {
  std::size_t i = 0;
  while (i < texts.size()) {
    texts[i].update(dt);
    if (texts[i].phase == FloatingText::kFinished) {
      texts.erase(texts.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
}

void FloatingTextList::render() const {
  for (const FloatingText& text : texts) text.render();
}
