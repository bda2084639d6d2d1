// The browser's side of the frame benchmark: the same scene as the desktop's
// bench_Frame (bench/FrameScene), drawn by the game's own frame through the
// web layer in the page's WebGL canvas. frame-bench.js loads it in headless
// Chromium and reads the result from the page.
//
// The browser runs draw calls ahead of the page and glFinish does not wait
// for them, so each timed frame ends with a one-pixel read-back, which waits
// until the frame is really drawn; the read-back's own cost, measured on
// frames that only clear, is taken off. The interval between animation frames
// is reported too: it is what a player's frames cost, presentation included.

#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "FrameScene.h"
#include "app/FrameClock.h"
#include "app/GlState.h"
#include "gfx/GlIncludes.h"
#include "view/Camera.h"
#include "web/gl/LegacyGl.h"

extern "C" void plombrixBenchReport(const char* json);  // library_frame_bench.js

namespace {

constexpr int kWarmUpFrames = 60;
constexpr int kClearFrames = 120;
constexpr int kPlayingFrames = 600;

enum class Phase { kWarmUp, kClear, kPlaying, kDone };
Phase phase = Phase::kWarmUp;
int framesInPhase = 0;
std::vector<double> clearMs;
std::vector<double> playingMs;
std::vector<double> animationFrameStartsMs;
std::uint64_t drawsBeforePlaying = 0;

void waitForDrawing() {
  unsigned char pixel[4];
  glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
}

double median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void report() {
  std::vector<double> intervals;
  for (std::size_t i = 1; i < animationFrameStartsMs.size(); ++i)
    intervals.push_back(animationFrameStartsMs[i] - animationFrameStartsMs[i - 1]);
  double drawnMs = 0.0;
  for (double ms : playingMs) drawnMs += ms;
  drawnMs /= static_cast<double>(playingMs.size());
  double readBackMs = 0.0;
  for (double ms : clearMs) readBackMs += ms;
  readBackMs /= static_cast<double>(clearMs.size());
  char json[512];
  std::snprintf(
      json, sizeof json,
      "{\"frameMs\": %.4f, \"frameMsMedian\": %.4f, \"readBackMs\": %.4f, \"animationFrameMs\": %.4f, "
      "\"frames\": %d, \"bubbles\": %d, \"bursts\": %d, \"puffs\": %d, \"texts\": %d, \"drawsPerFrame\": "
      "%.1f}",
      drawnMs - readBackMs, median(playingMs) - median(clearMs), readBackMs, median(intervals),
      static_cast<int>(playingMs.size()), frameScene::bubbleCount(), frameScene::burstCount(),
      frameScene::puffCount(), frameScene::textCount(),
      static_cast<double>(LegacyGl::instance().batch().drawsIssued() - drawsBeforePlaying) /
          static_cast<double>(playingMs.size()));
  plombrixBenchReport(json);
}

void frame() {
  const double start = emscripten_get_now();
  switch (phase) {
    case Phase::kWarmUp:
      FrameClock::instance().drawFrame();
      waitForDrawing();
      if (++framesInPhase == kWarmUpFrames) phase = Phase::kClear, framesInPhase = 0;
      break;
    case Phase::kClear:
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      glutSwapBuffers();
      waitForDrawing();
      clearMs.push_back(emscripten_get_now() - start);
      if (++framesInPhase == kClearFrames) {
        phase = Phase::kPlaying;
        framesInPhase = 0;
        drawsBeforePlaying = LegacyGl::instance().batch().drawsIssued();
      }
      break;
    case Phase::kPlaying: {
      if (framesInPhase % frameScene::kFramesPerRestore == 0) {
        frameScene::restore();
        FrameClock::instance().tick();  // the restore's own time is not a frame's
      }
      const double drawStart = emscripten_get_now();
      FrameClock::instance().drawFrame();
      waitForDrawing();
      playingMs.push_back(emscripten_get_now() - drawStart);
      animationFrameStartsMs.push_back(start);
      if (++framesInPhase == kPlayingFrames) {
        phase = Phase::kDone;
        report();
      }
      break;
    }
    case Phase::kDone:
      break;
  }
  glutPostRedisplay();
}

}  // namespace

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(Camera::kWindowWidth, Camera::kWindowHeight);
  if (glutCreateWindow("Plombrix! frame benchmark") == 0) return 1;
  applyFixedGlState();
  Camera::instance().reshape(Camera::kWindowWidth, Camera::kWindowHeight);
  FrameClock::instance();
  if (!frameScene::build("/")) {
    char json[256];
    std::snprintf(json, sizeof json, "{\"error\": \"%s\"}", frameScene::error());
    plombrixBenchReport(json);
    return 1;
  }
  glutDisplayFunc(frame);
  glutMainLoop();
  return 0;
}
