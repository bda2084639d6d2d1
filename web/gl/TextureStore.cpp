#include "web/gl/TextureStore.h"

#include <GL/gl.h>

#include <utility>

namespace {

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }
bool usesMipmaps(std::uint32_t filter) {
  return filter >= GL_NEAREST_MIPMAP_NEAREST && filter <= GL_LINEAR_MIPMAP_LINEAR;
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
  sampling.repeatS = texture.wrapS == GL_REPEAT && canRepeat;
  sampling.repeatT = texture.wrapT == GL_REPEAT && canRepeat;
  sampling.linearMagnify = texture.magFilter == GL_LINEAR;
  sampling.linearMinify = texture.minFilter == GL_LINEAR;
  return sampling;
}

void TextureStore::placeInAtlas(Texture& texture) {
  texture.placement.reset();
  const bool linear = texture.magFilter == GL_LINEAR && texture.minFilter == GL_LINEAR;
  if (!texture.defined || !linear || texture.rgba.empty()) return;
  texture.placement = atlas_.place(texture.width, texture.height, texture.rgba.data(),
                                   texture.wrapS == GL_REPEAT, texture.wrapT == GL_REPEAT);
}

bool TextureStore::setParameter(std::uint32_t name, std::uint32_t parameter, std::int32_t value) {
  Texture& texture = touch(name);
  const auto v = static_cast<std::uint32_t>(value);
  switch (parameter) {
    case GL_TEXTURE_WRAP_S:
    case GL_TEXTURE_WRAP_T:
      if (v != GL_REPEAT && v != GL_CLAMP && v != GL_CLAMP_TO_EDGE) return false;
      (parameter == GL_TEXTURE_WRAP_S ? texture.wrapS : texture.wrapT) = v;
      break;
    case GL_TEXTURE_MAG_FILTER:
      if (v != GL_NEAREST && v != GL_LINEAR) return false;
      texture.magFilter = v;
      break;
    case GL_TEXTURE_MIN_FILTER:
      if (v != GL_NEAREST && v != GL_LINEAR && !usesMipmaps(v)) return false;
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
