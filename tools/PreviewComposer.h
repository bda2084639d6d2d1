#pragma once
// Composes the playing screen from the finished pictures the way the game
// draws it (limbs at a moment of their sway, the smoke, the background over
// them, bubbles, a burst and the two numbers), so the art can be judged as a
// whole without running the game. A development aid behind --preview.

#include <map>
#include <string>

#include "Image.h"
#include "Typeface.h"

class PreviewComposer {
 public:
  PreviewComposer(const std::map<std::string, Image>& images, const Typeface& font);

  // play-<n>.png at several moments of the sway, title.png, instructions.png.
  void writeAll(const std::string& dir) const;

 private:
  const Image& image(const std::string& name) const;

  const std::map<std::string, Image>& images_;
  const Typeface& font_;
};
