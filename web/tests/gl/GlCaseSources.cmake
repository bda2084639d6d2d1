# What both conformance runners compile: the cases, and the game's own code
# they draw with (sprites, the font printer, the camera, the start-up state),
# compiled from source on each side so the same calls reach each GL.
file(GLOB PLOMBRIX_GL_CASE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*Cases.cpp)
list(APPEND PLOMBRIX_GL_CASE_SOURCES
  ${PROJECT_SOURCE_DIR}/gfx/Sprite.cpp
  ${PROJECT_SOURCE_DIR}/gfx/Texture.cpp
  ${PROJECT_SOURCE_DIR}/gfx/TgaImage.cpp
  ${PROJECT_SOURCE_DIR}/gfx/FontPrinter.cpp
  ${PROJECT_SOURCE_DIR}/gfx/BlendedDrawing.cpp
  ${PROJECT_SOURCE_DIR}/view/Camera.cpp
  ${PROJECT_SOURCE_DIR}/util/MathHelpers.cpp
  ${PROJECT_SOURCE_DIR}/app/GlState.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/TgaWriter.cpp)
set(PLOMBRIX_GL_CASE_INCLUDES ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_LIST_DIR})
# The font the cases print with; the desktop tests use it too.
set(PLOMBRIX_GL_CASE_FONT /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf)
