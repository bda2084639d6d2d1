#include "web/gl/DrawBatch.h"

void DrawBatch::add(const DrawState& state, const BatchVertex* vertices, int vertexCount,
                    const std::uint16_t* indices, int indexCount) {
  if (vertexCount <= 0 || indexCount <= 0 || vertexCount > kMaxVertices) return;
  const bool fits = static_cast<int>(vertices_.size()) + vertexCount <= kMaxVertices;
  if (!empty() && (!(state == state_) || !fits)) flush();
  if (empty()) state_ = state;

  const auto base = static_cast<std::uint16_t>(vertices_.size());
  vertices_.insert(vertices_.end(), vertices, vertices + vertexCount);
  for (int i = 0; i < indexCount; ++i) indices_.push_back(static_cast<std::uint16_t>(base + indices[i]));
}

void DrawBatch::flush() {
  if (empty()) return;
  if (device_ != nullptr) {
    device_->draw(state_, vertices_.data(), static_cast<int>(vertices_.size()), indices_.data(),
                  static_cast<int>(indices_.size()));
    ++drawsIssued_;
  }
  vertices_.clear();
  indices_.clear();
}
