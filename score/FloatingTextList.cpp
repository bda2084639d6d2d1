#include "score/FloatingTextList.h"

#include <cstdarg>
#include <cstdio>

#include "util/TimedEffects.h"

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

void FloatingTextList::update(float dt) { updateAndRemoveFinished(texts, dt); }

void FloatingTextList::render() const {
  for (const FloatingText& text : texts) text.render();
}
