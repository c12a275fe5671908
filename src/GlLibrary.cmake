# GL layer: drawing code that issues fixed-function GL into whatever context is current, the
# display-list fonts, textures and the headless EGL context used by tests and the command-line
# renderer. Included from src/CMakeLists.txt after the GL-free core.

# Bitmap file writer: plain bytes, no GL and no Qt, so it is tested on its own.
add_library(tervane_bitmap STATIC ${CMAKE_CURRENT_LIST_DIR}/app/BitmapFile.cpp)
target_include_directories(tervane_bitmap PUBLIC ${PROJECT_SOURCE_DIR}/src)
tervane_target_defaults(tervane_bitmap)

# libGL (not libOpenGL) because the drawing code uses the compatibility profile entry points.
set(OpenGL_GL_PREFERENCE LEGACY)
find_package(OpenGL REQUIRED COMPONENTS OpenGL EGL)
find_package(Qt6 REQUIRED COMPONENTS Gui)

add_library(tervane_gl STATIC
  ${CMAKE_CURRENT_LIST_DIR}/graph/gl/GraphDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph/gl/GraphListCache.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/BitmapFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/GlAxes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/GlFonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/GlLight.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/GlMarker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/GlMaterial.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/GlQuadric.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/GlText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/GuiApplication.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/HeadlessGlContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/OutlineFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/SceneRenderer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/ViewBitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/detail/FontFaces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scene/gl/detail/GlyphTessellator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture/gl/CTexture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture/gl/GlContourSink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texture/gl/TextureImage.cpp
)
target_include_directories(tervane_gl PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tervane_gl
  PUBLIC tervane_core tervane_bitmap OpenGL::GL OpenGL::GLU OpenGL::EGL Qt6::Gui)
tervane_target_defaults(tervane_gl)
