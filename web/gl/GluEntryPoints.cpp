// GLU's matrix helpers, which multiply the current matrix as GLU does on the
// desktop (it builds the matrix and hands it to glMultMatrix).

#include <GL/glu.h>

#include "web/gl/LegacyGl.h"

extern "C" {

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  LegacyGl::instance().multMatrix(Matrix4::perspective(fovy, aspect, zNear, zFar).data());
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY,
               GLdouble centreZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
  LegacyGl::instance().multMatrix(
      Matrix4::lookAt(eyeX, eyeY, eyeZ, centreX, centreY, centreZ, upX, upY, upZ).data());
}

void gluOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top) {
  LegacyGl::instance().multMatrix(Matrix4::ortho(left, right, bottom, top, -1.0, 1.0).data());
}

}  // extern "C"
