#pragma once
// One place for the OpenGL, GLU and GLUT headers, so every file gets the same
// declarations (freeglut's extensions included).
#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/freeglut.h>
