#include "CaseDrawing.h"
#include "GlCase.h"
#include "app/GlState.h"

const std::vector<GlCase>& glCases() {
  static const std::vector<GlCase> cases = [] {
    std::vector<GlCase> all;
    for (auto theme :
         {listCases, attributeCases, transformAndColourCases, textureCases, rasterCases, gameCases}) {
      const std::vector<GlCase> some = theme();
      all.insert(all.end(), some.begin(), some.end());
    }
    return all;
  }();
  return cases;
}

void startCase() {
  glViewport(0, 0, kCaseWidth, kCaseHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  applyFixedGlState();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glBlendFunc(GL_ONE, GL_ZERO);
  glAlphaFunc(GL_ALWAYS, 0.0f);
  glDepthMask(GL_TRUE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glLineWidth(1.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glTexCoord2f(0.0f, 0.0f);
  glNormal3f(0.0f, 0.0f, 1.0f);
  glListBase(0);
  glBindTexture(GL_TEXTURE_2D, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

std::vector<unsigned char> drawCase(const GlCase& glCase, CaseContext& context) {
  startCase();
  glCase.draw(context);
  // A case that leaves an error or an unbalanced stack would spoil the next.
  context.expect("no GL error left by the case", glGetError(), GL_NO_ERROR);
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  context.expect("model-view stack back at depth 1", depth, 1);
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
  context.expect("projection stack back at depth 1", depth, 1);
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
  context.expect("attribute stack empty", depth, 0);

  std::vector<unsigned char> rgba(static_cast<std::size_t>(kCaseWidth) * kCaseHeight * 4);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kCaseWidth, kCaseHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return rgba;
}
