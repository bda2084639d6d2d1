#pragma once
// Builds the whole asset tree in one go: the pictures, the sound effects, the
// music and the font with its licence. The music (the slow part: synthesis and
// MP3 encoding) runs on a second thread while the pictures are drawn; every
// piece has its own fixed seed, so the order of work never changes a byte.

#include <map>
#include <string>

#include "Image.h"
#include "Typeface.h"

class AssetBuilder {
 public:
  AssetBuilder(std::string resDir, std::string fontFile, std::string fontLicence);

  void buildAll();
  // PNG pictures of the playing screen composed from the pictures just built.
  void writePreviews(const std::string& dir) const;

 private:
  void buildImages();
  void buildSounds();
  void buildMusic();
  void copyFont();
  void saveImage(const std::string& name, Image image, bool runLength);

  std::string resDir_;
  std::string fontFile_;
  std::string fontLicence_;
  Typeface font_;
  std::map<std::string, Image> images_;
};
