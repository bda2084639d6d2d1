#include "web/gl/TextureStore.h"

#include <utility>

namespace {
constexpr std::uint32_t kTextureWrapS = 0x2802;
constexpr std::uint32_t kTextureWrapT = 0x2803;
constexpr std::uint32_t kTextureMagFilter = 0x2800;
constexpr std::uint32_t kTextureMinFilter = 0x2801;
constexpr std::uint32_t kNearest = 0x2600;
constexpr std::uint32_t kLinear = 0x2601;
constexpr std::uint32_t kNearestMipmapNearest = 0x2700;
constexpr std::uint32_t kLinearMipmapLinear = 0x2703;
constexpr std::uint32_t kClamp = 0x2900;
constexpr std::uint32_t kRepeat = 0x2901;
constexpr std::uint32_t kClampToEdge = 0x812F;

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }
bool usesMipmaps(std::uint32_t filter) {
  return filter >= kNearestMipmapNearest && filter <= kLinearMipmapLinear;
}
}  // namespace

bool TextureStore::Texture::complete() const { return defined && !usesMipmaps(minFilter); }

void TextureStore::setDevice(GpuDevice* device) {
  device_ = device;
  atlas_.setDevice(device);
  textures_.clear();
}

void TextureStore::generate(int count, std::uint32_t* names) {
  for (int i = 0; i < count; ++i) {
    while (textures_.count(nextName_) != 0) ++nextName_;
    names[i] = nextName_;
    textures_.emplace(nextName_, Texture{});
    ++nextName_;
  }
}

void TextureStore::remove(int count, const std::uint32_t* names) {
  for (int i = 0; i < count; ++i) {
    const auto found = textures_.find(names[i]);
    if (found == textures_.end() || names[i] == 0) continue;
    if (device_ != nullptr && found->second.gpuTexture != 0) device_->deleteTexture(found->second.gpuTexture);
    // Its place in the atlas stays taken: pictures are few and live long.
    textures_.erase(found);
  }
}

TextureStore::Texture& TextureStore::touch(std::uint32_t name) { return textures_[name]; }

const TextureStore::Texture* TextureStore::find(std::uint32_t name) const {
  const auto found = textures_.find(name);
  return found == textures_.end() ? nullptr : &found->second;
}

TextureSampling TextureStore::samplingOf(const Texture& texture) const {
  TextureSampling sampling;
  // WebGL 1 refuses to repeat a texture whose sides are not powers of two and
  // would draw it black; clamping is the nearest it can do.
  const bool canRepeat = device_ == nullptr || device_->repeatsAnySize() ||
                         (isPowerOfTwo(texture.width) && isPowerOfTwo(texture.height));
  sampling.repeatS = texture.wrapS == kRepeat && canRepeat;
  sampling.repeatT = texture.wrapT == kRepeat && canRepeat;
  sampling.linearMagnify = texture.magFilter == kLinear;
  sampling.linearMinify = texture.minFilter == kLinear;
  return sampling;
}

void TextureStore::placeInAtlas(Texture& texture) {
  texture.placement.reset();
  const bool linear = texture.magFilter == kLinear && texture.minFilter == kLinear;
  if (!texture.defined || !linear || texture.rgba.empty()) return;
  texture.placement = atlas_.place(texture.width, texture.height, texture.rgba.data(),
                                   texture.wrapS == kRepeat, texture.wrapT == kRepeat);
}

bool TextureStore::setParameter(std::uint32_t name, std::uint32_t parameter, std::int32_t value) {
  Texture& texture = touch(name);
  const auto v = static_cast<std::uint32_t>(value);
  switch (parameter) {
    case kTextureWrapS:
    case kTextureWrapT:
      if (v != kRepeat && v != kClamp && v != kClampToEdge) return false;
      (parameter == kTextureWrapS ? texture.wrapS : texture.wrapT) = v;
      break;
    case kTextureMagFilter:
      if (v != kNearest && v != kLinear) return false;
      texture.magFilter = v;
      break;
    case kTextureMinFilter:
      if (v != kNearest && v != kLinear && !usesMipmaps(v)) return false;
      texture.minFilter = v;
      break;
    default:
      return false;
  }
  if (texture.defined && device_ != nullptr) {
    device_->setSampling(texture.gpuTexture, samplingOf(texture));
    placeInAtlas(texture);
  }
  return true;
}

void TextureStore::upload(std::uint32_t name, int width, int height, std::vector<std::uint8_t> rgba) {
  Texture& texture = touch(name);
  texture.width = width;
  texture.height = height;
  texture.defined = width > 0 && height > 0;
  if (device_ == nullptr || !texture.defined) return;
  if (texture.gpuTexture != 0) device_->deleteTexture(texture.gpuTexture);
  texture.gpuTexture = device_->createTexture(width, height, samplingOf(texture), rgba.data());
  const bool small = width <= TextureAtlas::kMaxPictureSide && height <= TextureAtlas::kMaxPictureSide;
  texture.rgba = small ? std::move(rgba) : std::vector<std::uint8_t>{};
  placeInAtlas(texture);
}
