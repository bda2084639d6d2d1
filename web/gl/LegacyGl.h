#pragma once
// OpenGL 1.x's fixed-function state machine, kept on the CPU for a GPU that
// only knows shaders (WebGL). It holds what a desktop driver holds: matrix
// stacks, the current colour and texture coordinate, the enables, the
// attribute stacks, display lists and texture objects; and it turns each
// glBegin/glEnd primitive into pre-transformed triangles for the DrawBatch.
//
// The GL entry points (GlEntryPoints.cpp, GluEntryPoints.cpp) forward here,
// one call each. Display lists are recorded here too: a call made while a list
// is being compiled is stored instead of (or as well as) being carried out,
// exactly for the commands GL compiles.

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "web/gl/DisplayList.h"
#include "web/gl/DrawBatch.h"
#include "web/gl/GpuDevice.h"
#include "web/gl/Matrix4.h"
#include "web/gl/TextureStore.h"

class LegacyGl {
 public:
  static constexpr int kModelViewStackDepth = 32;
  static constexpr int kProjectionStackDepth = 32;
  static constexpr int kTextureStackDepth = 10;
  static constexpr int kAttribStackDepth = 16;
  static constexpr int kListNesting = 64;

  static LegacyGl& instance();

  // The GPU everything is drawn on; the layer keeps state without one and
  // draws nothing. Attaching a device starts textures and lists afresh.
  void attachDevice(std::unique_ptr<GpuDevice> device);
  GpuDevice* device() const { return device_.get(); }
  DrawBatch& batch() { return batch_; }

  // Immediate mode.
  void begin(std::uint32_t mode);
  void end();
  void vertex(float x, float y, float z);
  void texCoord(float s, float t);
  void normal(float x, float y, float z);
  void color(float r, float g, float b, float a);

  // Transforms.
  void matrixMode(std::uint32_t mode);
  void loadIdentity();
  void loadMatrix(const float* m);
  void multMatrix(const float* m);
  void pushMatrix();
  void popMatrix();
  void translate(float x, float y, float z);
  void rotate(float angle, float x, float y, float z);
  void scale(float x, float y, float z);
  void viewport(int x, int y, int width, int height);

  // Fixed-function state.
  void setEnabled(std::uint32_t capability, bool on);
  bool isEnabled(std::uint32_t capability);
  void blendFunc(std::uint32_t source, std::uint32_t destination);
  void alphaFunc(std::uint32_t function, float reference);
  void depthFunc(std::uint32_t function);
  void depthMask(bool on);
  void colorMask(bool r, bool g, bool b, bool a);
  void cullFace(std::uint32_t mode);
  void frontFace(std::uint32_t mode);
  void shadeModel(std::uint32_t mode);
  void polygonMode(std::uint32_t face, std::uint32_t mode);
  void hint(std::uint32_t target, std::uint32_t mode);
  void lineWidth(float width);
  void clearColor(float r, float g, float b, float a);
  void clearDepth(double depth);
  void clear(std::uint32_t mask);
  void pushAttrib(std::uint32_t mask);
  void popAttrib();
  void pushClientAttrib(std::uint32_t mask);
  void popClientAttrib();

  // Display lists.
  std::uint32_t genLists(int range);
  void newList(std::uint32_t list, std::uint32_t mode);
  void endList();
  void callList(std::uint32_t list);
  void callLists(int count, std::uint32_t type, const void* lists);
  void listBase(std::uint32_t base);
  void deleteLists(std::uint32_t list, int range);
  bool isList(std::uint32_t list) const;

  // Textures.
  void genTextures(int count, std::uint32_t* names);
  void deleteTextures(int count, const std::uint32_t* names);
  void bindTexture(std::uint32_t target, std::uint32_t name);
  void texParameter(std::uint32_t target, std::uint32_t parameter, std::int32_t value);
  void texImage2D(std::uint32_t target, int level, int internalFormat, int width, int height, int border,
                  std::uint32_t format, std::uint32_t type, const void* pixels);
  void pixelStore(std::uint32_t parameter, int value);

  // Queries and the frame.
  // Fills values and returns how many there are; 0 for a name it does not know.
  int getValues(std::uint32_t name, double* values);
  std::uint32_t takeError();
  void readPixels(int x, int y, int width, int height, std::uint32_t format, std::uint32_t type,
                  void* pixels);
  // Sends every collected primitive to the GPU.
  void flush();
  void finish();

 private:
  struct PendingVertex {
    Vec4 clip;
    float s, t;
    std::array<float, 4> rgba;
  };
  // The corners of one triangle (or line, or point) of a primitive, and the
  // vertex whose colour it takes when flat shaded. A primitive may have more
  // vertices than a batch can index.
  struct Piece {
    std::uint32_t corner[3];
    std::uint32_t provoking;
  };

  // The state glPushAttrib can save, all of it; glPopAttrib puts back the
  // groups the push named.
  struct Attributes {
    std::array<float, 4> currentColor{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 2> currentTexCoord{0.0f, 0.0f};
    std::array<float, 3> currentNormal{0.0f, 0.0f, 1.0f};
    bool texture2D = false;
    bool blend = false;
    bool alphaTest = false;
    bool depthTest = false;
    bool cullFace = false;
    bool lighting = false;
    bool scissorTest = false;
    bool dither = true;
    std::uint32_t matrixMode = 0x1700;  // GL_MODELVIEW
    std::uint32_t listBase = 0;
    std::uint32_t blendSource = 1;         // GL_ONE
    std::uint32_t blendDestination = 0;    // GL_ZERO
    std::uint32_t alphaFunction = 0x0207;  // GL_ALWAYS
    float alphaReference = 0.0f;
    std::array<float, 4> clearColour{0.0f, 0.0f, 0.0f, 0.0f};
    std::uint8_t colorMask = 0xF;
    std::uint32_t depthFunction = 0x0201;  // GL_LESS
    bool depthMask = true;
    double clearDepth = 1.0;
    std::uint32_t cullMode = 0x0405;     // GL_BACK
    std::uint32_t frontFace = 0x0901;    // GL_CCW
    std::uint32_t polygonMode = 0x1B02;  // GL_FILL
    std::uint32_t shadeModel = 0x1D01;   // GL_SMOOTH
    float lineWidth = 1.0f;
    std::array<int, 4> viewport{0, 0, 0, 0};
    std::uint32_t boundTexture = 0;
    std::uint32_t perspectiveHint = 0x1100;  // GL_DONT_CARE
  };
  // The capabilities glEnable knows, each with the flag it sets.
  struct Capability {
    std::uint32_t name;
    bool Attributes::*flag;
  };
  static const Capability kCapabilities[8];
  // The flag of a capability; null for a name glEnable does not know.
  static bool Attributes::*capabilityFlag(std::uint32_t capability);

  struct SavedAttributes {
    std::uint32_t mask;
    Attributes state;
  };
  struct PixelStore {
    int unpackAlignment = 4;
    int packAlignment = 4;
  };
  struct SavedPixelStore {
    std::uint32_t mask;
    PixelStore state;
  };

  // Records the command into the list being compiled; true when it should not
  // also be carried out now.
  bool record(const ListOp& op);
  void replay(const DisplayList& list);
  // Runs a list without recording the call: glCallLists records itself.
  void execute(std::uint32_t list);
  void setError(std::uint32_t error);
  std::vector<Matrix4>& currentStack();
  Matrix4& top();
  void setTop(const Matrix4& matrix);
  void assemblePrimitive();
  void setViewportNow(const std::array<int, 4>& box);

  std::unique_ptr<GpuDevice> device_;
  DrawBatch batch_;
  TextureStore textures_;

  Attributes state_;
  PixelStore pixels_;
  std::vector<SavedAttributes> attribStack_;
  std::vector<SavedPixelStore> clientStack_;
  std::vector<Matrix4> modelView_{Matrix4::identity()};
  std::vector<Matrix4> projection_{Matrix4::identity()};
  std::vector<Matrix4> textureMatrix_{Matrix4::identity()};
  std::uint32_t error_ = 0;

  bool inBegin_ = false;
  std::uint32_t primitiveMode_ = 0;
  std::vector<PendingVertex> pending_;
  std::vector<Piece> pieces_;
  bool textureMatrixIsIdentity_ = true;
  std::vector<BatchVertex> scratchVertices_;
  std::vector<std::uint16_t> scratchIndices_;

  std::unordered_map<std::uint32_t, DisplayList> lists_;
  std::uint32_t nextList_ = 1;
  bool compiling_ = false;
  bool executeWhileCompiling_ = false;
  std::uint32_t compilingName_ = 0;
  DisplayList compiled_;
  int replayDepth_ = 0;
};
