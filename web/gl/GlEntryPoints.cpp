// The OpenGL 1.x entry points of the browser build: each forwards to the one
// LegacyGl, converting arguments where GL offers several types.

#include <GL/gl.h>

#include <cstdint>

#include "web/gl/LegacyGl.h"

namespace {
LegacyGl& gl() { return LegacyGl::instance(); }
constexpr float kByteToUnit = 1.0f / 255.0f;

// The glGet* family: the layer answers in doubles, each call converts them to
// its own type.
template <typename Value, typename Convert>
void copyValues(GLenum name, Value* params, Convert convert) {
  double values[16];
  const int count = gl().getValues(name, values);
  for (int i = 0; i < count; ++i) params[i] = static_cast<Value>(convert(values[i]));
}
}  // namespace

extern "C" {

void glBegin(GLenum mode) { gl().begin(mode); }
void glEnd(void) { gl().end(); }
void glVertex2f(GLfloat x, GLfloat y) { gl().vertex(x, y, 0.0f); }
void glVertex2i(GLint x, GLint y) { gl().vertex(static_cast<float>(x), static_cast<float>(y), 0.0f); }
void glVertex2d(GLdouble x, GLdouble y) { gl().vertex(static_cast<float>(x), static_cast<float>(y), 0.0f); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { gl().vertex(x, y, z); }
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
  gl().vertex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}
void glTexCoord2f(GLfloat s, GLfloat t) { gl().texCoord(s, t); }
void glTexCoord2d(GLdouble s, GLdouble t) { gl().texCoord(static_cast<float>(s), static_cast<float>(t)); }
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) { gl().normal(x, y, z); }
void glColor3f(GLfloat red, GLfloat green, GLfloat blue) { gl().color(red, green, blue, 1.0f); }
void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  gl().color(red, green, blue, alpha);
}
void glColor3d(GLdouble red, GLdouble green, GLdouble blue) {
  gl().color(static_cast<float>(red), static_cast<float>(green), static_cast<float>(blue), 1.0f);
}
void glColor4d(GLdouble red, GLdouble green, GLdouble blue, GLdouble alpha) {
  gl().color(static_cast<float>(red), static_cast<float>(green), static_cast<float>(blue),
             static_cast<float>(alpha));
}
void glColor3ub(GLubyte red, GLubyte green, GLubyte blue) {
  gl().color(red * kByteToUnit, green * kByteToUnit, blue * kByteToUnit, 1.0f);
}
void glColor4ub(GLubyte red, GLubyte green, GLubyte blue, GLubyte alpha) {
  gl().color(red * kByteToUnit, green * kByteToUnit, blue * kByteToUnit, alpha * kByteToUnit);
}
void glColor4fv(const GLfloat* v) { gl().color(v[0], v[1], v[2], v[3]); }

void glMatrixMode(GLenum mode) { gl().matrixMode(mode); }
void glLoadIdentity(void) { gl().loadIdentity(); }
void glLoadMatrixf(const GLfloat* m) { gl().loadMatrix(m); }
void glMultMatrixf(const GLfloat* m) { gl().multMatrix(m); }
void glMultMatrixd(const GLdouble* m) {
  float single[16];
  for (int i = 0; i < 16; ++i) single[i] = static_cast<float>(m[i]);
  gl().multMatrix(single);
}
void glPushMatrix(void) { gl().pushMatrix(); }
void glPopMatrix(void) { gl().popMatrix(); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { gl().translate(x, y, z); }
void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
  gl().translate(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) { gl().rotate(angle, x, y, z); }
void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
  gl().rotate(static_cast<float>(angle), static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}
void glScalef(GLfloat x, GLfloat y, GLfloat z) { gl().scale(x, y, z); }
void glScaled(GLdouble x, GLdouble y, GLdouble z) {
  gl().scale(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}
void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
  gl().multMatrix(Matrix4::ortho(left, right, bottom, top, zNear, zFar).data());
}
void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
  gl().multMatrix(Matrix4::frustum(left, right, bottom, top, zNear, zFar).data());
}
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) { gl().viewport(x, y, width, height); }

void glEnable(GLenum cap) { gl().setEnabled(cap, true); }
void glDisable(GLenum cap) { gl().setEnabled(cap, false); }
GLboolean glIsEnabled(GLenum cap) { return gl().isEnabled(cap) ? GL_TRUE : GL_FALSE; }
void glBlendFunc(GLenum sfactor, GLenum dfactor) { gl().blendFunc(sfactor, dfactor); }
void glAlphaFunc(GLenum func, GLclampf ref) { gl().alphaFunc(func, ref); }
void glDepthFunc(GLenum func) { gl().depthFunc(func); }
void glDepthMask(GLboolean flag) { gl().depthMask(flag != GL_FALSE); }
void glColorMask(GLboolean red, GLboolean green, GLboolean blue, GLboolean alpha) {
  gl().colorMask(red != GL_FALSE, green != GL_FALSE, blue != GL_FALSE, alpha != GL_FALSE);
}
void glCullFace(GLenum mode) { gl().cullFace(mode); }
void glFrontFace(GLenum mode) { gl().frontFace(mode); }
void glShadeModel(GLenum mode) { gl().shadeModel(mode); }
void glPolygonMode(GLenum face, GLenum mode) { gl().polygonMode(face, mode); }
void glHint(GLenum target, GLenum mode) { gl().hint(target, mode); }
void glLineWidth(GLfloat width) { gl().lineWidth(width); }
void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
  gl().clearColor(red, green, blue, alpha);
}
void glClearDepth(GLclampd depth) { gl().clearDepth(depth); }
void glClear(GLbitfield mask) { gl().clear(mask); }
void glPushAttrib(GLbitfield mask) { gl().pushAttrib(mask); }
void glPopAttrib(void) { gl().popAttrib(); }
void glPushClientAttrib(GLbitfield mask) { gl().pushClientAttrib(mask); }
void glPopClientAttrib(void) { gl().popClientAttrib(); }

GLuint glGenLists(GLsizei range) { return gl().genLists(range); }
void glNewList(GLuint list, GLenum mode) { gl().newList(list, mode); }
void glEndList(void) { gl().endList(); }
void glCallList(GLuint list) { gl().callList(list); }
void glCallLists(GLsizei n, GLenum type, const GLvoid* lists) { gl().callLists(n, type, lists); }
void glListBase(GLuint base) { gl().listBase(base); }
void glDeleteLists(GLuint list, GLsizei range) { gl().deleteLists(list, range); }
GLboolean glIsList(GLuint list) { return gl().isList(list) ? GL_TRUE : GL_FALSE; }

void glGenTextures(GLsizei n, GLuint* textures) { gl().genTextures(n, textures); }
void glDeleteTextures(GLsizei n, const GLuint* textures) { gl().deleteTextures(n, textures); }
void glBindTexture(GLenum target, GLuint texture) { gl().bindTexture(target, texture); }
void glTexParameteri(GLenum target, GLenum pname, GLint param) { gl().texParameter(target, pname, param); }
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
  gl().texImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}
void glPixelStorei(GLenum pname, GLint param) { gl().pixelStore(pname, param); }

void glGetDoublev(GLenum pname, GLdouble* params) {
  copyValues(pname, params, [](double v) { return v; });
}
void glGetFloatv(GLenum pname, GLfloat* params) {
  copyValues(pname, params, [](double v) { return static_cast<GLfloat>(v); });
}
void glGetIntegerv(GLenum pname, GLint* params) {
  copyValues(pname, params, [](double v) { return static_cast<GLint>(v); });
}
void glGetBooleanv(GLenum pname, GLboolean* params) {
  copyValues(pname, params, [](double v) { return v != 0.0 ? GL_TRUE : GL_FALSE; });
}
GLenum glGetError(void) { return gl().takeError(); }
const GLubyte* glGetString(GLenum name) {
  switch (name) {
    case GL_VENDOR:
      return reinterpret_cast<const GLubyte*>("Plombrix!");
    case GL_RENDERER:
      return reinterpret_cast<const GLubyte*>("OpenGL 1.x on WebGL");
    case GL_VERSION:
      return reinterpret_cast<const GLubyte*>("1.1");
    case GL_EXTENSIONS:
      return reinterpret_cast<const GLubyte*>("");
    default:
      return nullptr;
  }
}
void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  GLvoid* pixels) {
  gl().readPixels(x, y, width, height, format, type, pixels);
}
void glFlush(void) { gl().flush(); }
void glFinish(void) { gl().finish(); }

}  // extern "C"
