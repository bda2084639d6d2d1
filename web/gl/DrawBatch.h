#pragma once
// Collects the layer's primitives into as few draws as the drawing order
// allows. Each ended primitive arrives with its state; while the states stay
// equal its triangles (or lines) join the same vertex and index arrays, and
// the first primitive with another state sends the whole batch to the GPU in
// one draw. Nothing is ever reordered, so overlapping pictures still cover
// each other exactly as they were issued.
//
// Drawn at: a state change, a full batch, and whenever the layer must show or
// read what was drawn so far (clear, viewport, read-back, finish, swap).

#include <cstdint>
#include <vector>

#include "web/gl/DrawState.h"
#include "web/gl/GpuDevice.h"

class DrawBatch {
 public:
  // 16-bit indices: a batch holds at most this many vertices.
  static constexpr int kMaxVertices = 65535;

  explicit DrawBatch(GpuDevice* device = nullptr) : device_(device) {}

  void setDevice(GpuDevice* device) { device_ = device; }
  GpuDevice* device() const { return device_; }

  // Appends one primitive: its vertices and, indexing them from 0, the
  // triangle (or line, or point) corners.
  void add(const DrawState& state, const BatchVertex* vertices, int vertexCount, const std::uint16_t* indices,
           int indexCount);
  // Sends what has been collected, if anything.
  void flush();

  bool empty() const { return vertices_.empty(); }
  // The state the collected primitives share (meaningless when empty).
  const DrawState& state() const { return state_; }
  // Draw calls made so far: what the batching saves is visible here.
  std::uint64_t drawsIssued() const { return drawsIssued_; }

 private:
  GpuDevice* device_;
  DrawState state_;
  std::vector<BatchVertex> vertices_;
  std::vector<std::uint16_t> indices_;
  std::uint64_t drawsIssued_ = 0;
};
