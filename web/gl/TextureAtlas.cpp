#include "web/gl/TextureAtlas.h"

#include <cstring>
#include <vector>

namespace {
constexpr int kBytesPerTexel = 4;
constexpr int kFrame = 1;      // texels of frame on each side of a picture
constexpr int kWhiteSide = 4;  // the white block, sampled at its centre
constexpr std::uint8_t kOpaqueWhite = 255;

// The picture inside its frame: row -1 and column -1 hold what a sampler
// would fetch beyond the first row and column, and likewise past the last.
std::vector<std::uint8_t> framed(int width, int height, const std::uint8_t* rgba, bool repeatS,
                                 bool repeatT) {
  const int framedWidth = width + 2 * kFrame;
  const int framedHeight = height + 2 * kFrame;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(framedWidth) * framedHeight * kBytesPerTexel);
  auto sourceColumn = [&](int x) {
    if (x < 0) return repeatS ? width - 1 : 0;
    if (x >= width) return repeatS ? 0 : width - 1;
    return x;
  };
  auto sourceRow = [&](int y) {
    if (y < 0) return repeatT ? height - 1 : 0;
    if (y >= height) return repeatT ? 0 : height - 1;
    return y;
  };
  for (int y = -kFrame; y < height + kFrame; ++y) {
    const std::uint8_t* row = rgba + static_cast<std::size_t>(sourceRow(y)) * width * kBytesPerTexel;
    std::uint8_t* target = out.data() + static_cast<std::size_t>(y + kFrame) * framedWidth * kBytesPerTexel;
    for (int x = -kFrame; x < width + kFrame; ++x) {
      std::memcpy(target + (x + kFrame) * kBytesPerTexel, row + sourceColumn(x) * kBytesPerTexel,
                  kBytesPerTexel);
    }
  }
  return out;
}
}  // namespace

void TextureAtlas::setDevice(GpuDevice* device) {
  device_ = device;
  pages_.clear();
}

bool TextureAtlas::fit(Page& page, int slotWidth, int slotHeight, int& x, int& y) const {
  if (page.shelfX + slotWidth > kPageSide) {
    // Open the next shelf below the tallest slot of this one.
    page.shelfY += page.shelfHeight;
    page.shelfX = 0;
    page.shelfHeight = 0;
  }
  if (page.shelfY + slotHeight > kPageSide || slotWidth > kPageSide) return false;
  x = page.shelfX;
  y = page.shelfY;
  page.shelfX += slotWidth;
  if (slotHeight > page.shelfHeight) page.shelfHeight = slotHeight;
  return true;
}

TextureAtlas::Page& TextureAtlas::newPage() {
  Page page;
  const TextureSampling linearClamped{false, false, true, true};
  page.texture = device_->createTexture(kPageSide, kPageSide, linearClamped, nullptr);
  std::vector<std::uint8_t> white(kWhiteSide * kWhiteSide * kBytesPerTexel, kOpaqueWhite);
  device_->updateTexture(page.texture, 0, 0, kWhiteSide, kWhiteSide, white.data());
  page.shelfX = kWhiteSide;
  page.shelfHeight = kWhiteSide;
  pages_.push_back(page);
  return pages_.back();
}

std::optional<AtlasPlacement> TextureAtlas::place(int width, int height, const std::uint8_t* rgba,
                                                  bool repeatS, bool repeatT) {
  if (device_ == nullptr || width <= 0 || height <= 0 || width > kMaxPictureSide ||
      height > kMaxPictureSide) {
    return std::nullopt;
  }
  const int slotWidth = width + 2 * kFrame;
  const int slotHeight = height + 2 * kFrame;
  int x = 0;
  int y = 0;
  Page* page = pages_.empty() ? nullptr : &pages_.back();
  if (page == nullptr || !fit(*page, slotWidth, slotHeight, x, y)) {
    page = &newPage();
    if (!fit(*page, slotWidth, slotHeight, x, y)) return std::nullopt;
  }
  const std::vector<std::uint8_t> pixels = framed(width, height, rgba, repeatS, repeatT);
  device_->updateTexture(page->texture, x, y, slotWidth, slotHeight, pixels.data());

  constexpr float kTexelsToUnit = 1.0f / kPageSide;
  AtlasPlacement placement;
  placement.page = page->texture;
  placement.u0 = static_cast<float>(x + kFrame) * kTexelsToUnit;
  placement.v0 = static_cast<float>(y + kFrame) * kTexelsToUnit;
  placement.du = static_cast<float>(width) * kTexelsToUnit;
  placement.dv = static_cast<float>(height) * kTexelsToUnit;
  return placement;
}

bool TextureAtlas::isPage(std::uint32_t texture) const {
  for (const Page& page : pages_)
    if (page.texture == texture) return true;
  return false;
}

std::uint32_t TextureAtlas::pageFor(std::uint32_t currentTexture) {
  if (isPage(currentTexture)) return currentTexture;
  if (pages_.empty()) {
    if (device_ == nullptr) return 0;
    newPage();
  }
  return pages_.front().texture;
}
