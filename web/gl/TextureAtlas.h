#pragma once
// Shares a few large GPU textures among the many small pictures a GL 1.x
// program uploads one by one (germs, bubble shells, glyphs), so that quads of
// different pictures can still go out in one draw. Each picture sits on a page
// with a one-texel frame holding what linear filtering would read beyond its
// edge in its own texture: the opposite edge for a repeating side, the edge
// itself for a clamped one. Sampled inside its rectangle, a placed picture
// then filters exactly as it would on its own.
//
// Every page also keeps a small white block, so untextured primitives can join
// a batch of textured ones.

#include <cstdint>
#include <optional>
#include <vector>

#include "web/gl/GpuDevice.h"

struct AtlasPlacement {
  std::uint32_t page = 0;  // the page's device texture
  // Where texture coordinate (0, 0) and (1, 1) of the picture land on the page.
  float u0 = 0.0f, v0 = 0.0f, du = 0.0f, dv = 0.0f;
};

class TextureAtlas {
 public:
  static constexpr int kPageSide = 2048;  // texels; WebGL's guaranteed minimum is 4096
  // Larger pictures keep a texture of their own: they are few, and would
  // fill a page by themselves.
  static constexpr int kMaxPictureSide = 256;

  explicit TextureAtlas(GpuDevice* device = nullptr) : device_(device) {}
  void setDevice(GpuDevice* device);

  // Places an RGBA picture (tightly packed rows) on a page; nothing when it is
  // too large or there is no device.
  std::optional<AtlasPlacement> place(int width, int height, const std::uint8_t* rgba, bool repeatS,
                                      bool repeatT);
  bool isPage(std::uint32_t texture) const;
  // The page an untextured primitive should use to stay in the current batch:
  // that batch's page if it is one, else the first page.
  std::uint32_t pageFor(std::uint32_t currentTexture);
  // A texture coordinate inside the page's white block.
  static constexpr float kWhiteU = 2.0f / kPageSide;
  static constexpr float kWhiteV = 2.0f / kPageSide;

 private:
  struct Page {
    std::uint32_t texture = 0;
    int shelfX = 0;       // next free column on the current shelf
    int shelfY = 0;       // top of the current shelf
    int shelfHeight = 0;  // tallest slot on it
  };
  bool fit(Page& page, int slotWidth, int slotHeight, int& x, int& y) const;
  Page& newPage();

  GpuDevice* device_;
  std::vector<Page> pages_;
};
