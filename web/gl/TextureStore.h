#pragma once
// The layer's texture objects, by the names glGenTextures hands out: each
// remembers its picture's size and the sampling GL 1.x gives it, owns a GPU
// texture of its own, and, when small enough and linearly filtered, a place in
// the atlas as well. Drawing asks the store where a texture coordinate of a
// bound texture really lands.
//
// GL's completeness rule holds: a texture without an image, or whose
// minification filter asks for mipmaps it does not have, draws as if
// texturing were off.

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "web/gl/TextureAtlas.h"

class TextureStore {
 public:
  struct Texture {
    int width = 0;
    int height = 0;
    bool defined = false;              // has an image
    std::uint32_t wrapS = 0x2901;      // GL_REPEAT
    std::uint32_t wrapT = 0x2901;      // GL_REPEAT
    std::uint32_t magFilter = 0x2601;  // GL_LINEAR
    std::uint32_t minFilter = 0x2702;  // GL_NEAREST_MIPMAP_LINEAR, GL's default
    std::uint32_t gpuTexture = 0;      // the texture on its own
    std::optional<AtlasPlacement> placement;
    std::vector<std::uint8_t> rgba;  // kept while placed, to place it again

    bool complete() const;
  };

  explicit TextureStore(GpuDevice* device = nullptr) : device_(device), atlas_(device) {}
  void setDevice(GpuDevice* device);

  void generate(int count, std::uint32_t* names);
  void remove(int count, const std::uint32_t* names);
  // The texture of that name, created on first mention as glBindTexture does.
  Texture& touch(std::uint32_t name);
  const Texture* find(std::uint32_t name) const;

  // Sets one sampling parameter; false for a name or value GL would refuse.
  bool setParameter(std::uint32_t name, std::uint32_t parameter, std::int32_t value);
  // Gives the texture its image (RGBA, tightly packed, top row first as GL
  // takes it).
  void upload(std::uint32_t name, int width, int height, std::vector<std::uint8_t> rgba);

  TextureAtlas& atlas() { return atlas_; }
  GpuDevice* device() const { return device_; }

 private:
  TextureSampling samplingOf(const Texture& texture) const;
  void placeInAtlas(Texture& texture);

  GpuDevice* device_;
  TextureAtlas atlas_;
  std::unordered_map<std::uint32_t, Texture> textures_;
  std::uint32_t nextName_ = 1;
};
