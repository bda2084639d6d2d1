#pragma once
// Builds the whole asset tree in one go: the pictures, the sound effects, the
// music and the font with its licence. The music (the slow part: synthesis and
// MP3 encoding) runs on a second thread while the pictures are drawn; every
// piece has its own fixed seed, so the order of work never changes a byte.

#include <string>

#include "Image.h"
#include "Typeface.h"
#include "assets/AssetTree.h"

class AssetBuilder {
 public:
  AssetBuilder(std::string resDir, std::string fontFile, std::string fontLicence);

  void buildAll();

 private:
  void buildImages();
  void buildSounds();
  void buildMusic();
  void copyFont();
  // Where a file of the description goes in this tree.
  std::string placeOf(const AssetTree::File& file) const;
  void saveImage(const AssetTree::File& file, const Image& image, bool runLength);

  std::string resDir_;
  std::string fontFile_;
  std::string fontLicence_;
  Typeface font_;
};
