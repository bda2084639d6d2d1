#pragma once
// One compiled display list: the GL 1.x commands issued between glNewList and
// glEndList, kept as plain records to be replayed by the layer on every
// glCallList. Only the commands GL itself compiles are kept; the rest act at
// once (names, pixel storage, queries, read-back).

#include <cstdint>
#include <vector>

enum class ListCode : std::uint8_t {
  kBegin,
  kEnd,
  kVertex,
  kTexCoord,
  kNormal,
  kColor,
  kMatrixMode,
  kLoadIdentity,
  kLoadMatrix,
  kMultMatrix,
  kPushMatrix,
  kPopMatrix,
  kEnable,
  kDisable,
  kBlendFunc,
  kAlphaFunc,
  kDepthFunc,
  kDepthMask,
  kColorMask,
  kCullFace,
  kFrontFace,
  kShadeModel,
  kLineWidth,
  kClearColor,
  kClearDepth,
  kClear,
  kPushAttrib,
  kPopAttrib,
  kCallList,
  kCallLists,
  kListBase,
  kBindTexture,
  kTexParameter,
  kViewport,
};

struct ListOp {
  ListCode code;
  std::uint32_t a = 0;  // an enum, a name, a mask, or an offset into the list's pools
  std::uint32_t b = 0;
  float f[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};

struct DisplayList {
  std::vector<ListOp> ops;
  std::vector<float> matrices;       // 16 floats per loaded or multiplied matrix
  std::vector<std::uint32_t> names;  // the list names of a glCallLists
};
