#pragma once
// A GpuDevice that draws nothing and remembers everything: each draw with its
// state and its triangles' corners, each texture made, and the order of
// draws, clears, read-backs and finishes. The layer's tests put it where the
// browser puts WebGL.

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "web/gl/GpuDevice.h"
#include "web/gl/TextureAtlas.h"

class RecordingDevice : public GpuDevice {
 public:
  struct Draw {
    DrawState state;
    int vertexCount = 0;
    // The corners in index order: three a triangle (two a line, one a point).
    std::vector<BatchVertex> corners;
  };
  struct Texture {
    int width = 0;
    TextureSampling sampling;
  };

  explicit RecordingDevice(bool repeatsAnySize = true) : repeatsAnySize_(repeatsAnySize) {}

  std::uint32_t createTexture(int width, int, const TextureSampling& sampling, const std::uint8_t*) override {
    textures[nextTexture_] = {width, sampling};
    return nextTexture_++;
  }
  void updateTexture(std::uint32_t, int, int, int, int, const std::uint8_t*) override {}
  void setSampling(std::uint32_t texture, const TextureSampling& sampling) override {
    textures[texture].sampling = sampling;
  }
  void deleteTexture(std::uint32_t texture) override { textures.erase(texture); }
  bool repeatsAnySize() const override { return repeatsAnySize_; }
  int maxTextureSize() const override { return kMaxTextureSize; }

  void draw(const DrawState& state, const BatchVertex* vertices, int vertexCount,
            const std::uint16_t* indices, int indexCount) override {
    Draw recorded{state, vertexCount, {}};
    for (int i = 0; i < indexCount; ++i) recorded.corners.push_back(vertices[indices[i]]);
    draws.push_back(recorded);
    events.push_back("draw");
  }
  void clear(bool, bool, const float*, double, std::uint8_t, bool) override { events.push_back("clear"); }
  void viewport(int, int, int, int) override { events.push_back("viewport"); }
  void readPixels(int, int, int width, int height, std::uint8_t* rgba) override {
    std::fill(rgba, rgba + static_cast<std::ptrdiff_t>(width) * height * 4, std::uint8_t{0});
    events.push_back("read");
  }
  void finish() override { events.push_back("finish"); }

  // Whether a texture is one of the layer's shared atlas pages rather than a
  // picture's own.
  bool isAtlasPage(std::uint32_t texture) const {
    return textures.contains(texture) && textures.at(texture).width == TextureAtlas::kPageSide;
  }

  static constexpr int kMaxTextureSize = 4096;

  std::vector<Draw> draws;
  std::vector<std::string> events;
  std::map<std::uint32_t, Texture> textures;

 private:
  bool repeatsAnySize_;
  std::uint32_t nextTexture_ = 1;
};
