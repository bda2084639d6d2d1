#pragma once
// The game includes freeglut's header on the desktop; in the browser the same
// name brings the browser build's GLUT, which offers every call the game makes.
#include <GL/glut.h>
