#include "gl/headless/HeadlessGlContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstring>
#include <mutex>
#include <sstream>

namespace tervane {

namespace {

std::string EglFailure(const char* step) {
    std::ostringstream text;
    text << "headless OpenGL: " << step << " failed (EGL error 0x" << std::hex << eglGetError()
         << ")";
    return text.str();
}

bool HasExtension(const char* list, const char* name) {
    if (list == nullptr) return false;
    const std::size_t length = std::strlen(name);
    for (const char* at = std::strstr(list, name); at != nullptr;
         at = std::strstr(at + length, name)) {
        const bool startOk = at == list || at[-1] == ' ';
        const bool endOk = at[length] == '\0' || at[length] == ' ';
        if (startOk && endOk) return true;
    }
    return false;
}

// The surfaceless display is one per process and eglTerminate would invalidate every context on
// it, so it is initialised by the first context and terminated only when the last one goes.
class SurfacelessDisplay {
public:
    static EGLDisplay Acquire() {
        std::lock_guard lock(mutex_);
        if (users_ == 0) {
            const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
            if (!HasExtension(clientExtensions, "EGL_MESA_platform_surfaceless"))
                throw GlContextError(
                    "headless OpenGL: EGL has no Mesa surfaceless platform "
                    "(EGL_MESA_platform_surfaceless); is Mesa's libEGL installed?");
            EGLDisplay display =
                eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
            if (display == EGL_NO_DISPLAY)
                throw GlContextError(EglFailure("eglGetPlatformDisplay(surfaceless)"));
            EGLint major = 0;
            EGLint minor = 0;
            if (eglInitialize(display, &major, &minor) != EGL_TRUE)
                throw GlContextError(EglFailure("eglInitialize"));
            display_ = display;
        }
        ++users_;
        return display_;
    }

    static void Release() {
        std::lock_guard lock(mutex_);
        if (users_ > 0 && --users_ == 0) {
            eglTerminate(display_);
            display_ = EGL_NO_DISPLAY;
        }
    }

private:
    static inline std::mutex mutex_;
    static inline int users_ = 0;
    static inline EGLDisplay display_ = EGL_NO_DISPLAY;
};

} // namespace

HeadlessGlContext::HeadlessGlContext(int width, int height) : width_(width), height_(height) {
    if (width < 1 || height < 1)
        throw std::invalid_argument("headless OpenGL: frame buffer size must be at least 1 x 1");

    display_ = SurfacelessDisplay::Acquire();
    EGLDisplay display = display_;
    try {
        if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE)
            throw GlContextError(EglFailure("eglBindAPI(EGL_OPENGL_API)"));

        const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                           EGL_PBUFFER_BIT,
                                           EGL_RENDERABLE_TYPE,
                                           EGL_OPENGL_BIT,
                                           EGL_RED_SIZE,
                                           8,
                                           EGL_GREEN_SIZE,
                                           8,
                                           EGL_BLUE_SIZE,
                                           8,
                                           EGL_ALPHA_SIZE,
                                           8,
                                           EGL_DEPTH_SIZE,
                                           16,
                                           EGL_NONE};
        EGLConfig config = nullptr;
        EGLint found = 0;
        if (eglChooseConfig(display, configAttributes, &config, 1, &found) != EGL_TRUE)
            throw GlContextError(EglFailure("eglChooseConfig"));
        if (found < 1)
            throw GlContextError("headless OpenGL: no EGL configuration with an RGBA8 pbuffer, "
                                 "16-bit depth and desktop OpenGL");
        config_ = config;

        const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
        surface_ = eglCreatePbufferSurface(display, config, surfaceAttributes);
        if (surface_ == EGL_NO_SURFACE) throw GlContextError(EglFailure("eglCreatePbufferSurface"));

        // Fixed-function drawing needs the compatibility profile; fall back to the default
        // context (which Mesa makes a compatibility one) if the profile attribute is refused.
        const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                            EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
        context_ = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
        if (context_ == EGL_NO_CONTEXT)
            context_ = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
        if (context_ == EGL_NO_CONTEXT) throw GlContextError(EglFailure("eglCreateContext"));

        MakeCurrent();
        glViewport(0, 0, width, height);
    } catch (...) {
        if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display, context_);
        if (surface_ != EGL_NO_SURFACE) eglDestroySurface(display, surface_);
        SurfacelessDisplay::Release();
        throw;
    }
}

HeadlessGlContext::~HeadlessGlContext() {
    EGLDisplay display = display_;
    if (eglGetCurrentContext() == context_)
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, context_);
    eglDestroySurface(display, surface_);
    SurfacelessDisplay::Release();
}

void HeadlessGlContext::MakeCurrent() {
    if (eglMakeCurrent(display_, surface_, surface_, context_) != EGL_TRUE)
        throw GlContextError(EglFailure("eglMakeCurrent"));
}

std::vector<std::uint8_t> HeadlessGlContext::ReadRgbBytes() {
    MakeCurrent();
    glFinish();
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width_) * height_ * 3);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPopClientAttrib();
    return pixels;
}

QImage HeadlessGlContext::ReadPixels() {
    const std::vector<std::uint8_t> pixels = ReadRgbBytes();
    QImage image(width_, height_, QImage::Format_RGB888);
    const std::size_t rowBytes = static_cast<std::size_t>(width_) * 3;
    for (int y = 0; y < height_; ++y) {
        // GL's row 0 is the bottom row; the image's is the top one.
        const std::uint8_t* source =
            pixels.data() + static_cast<std::size_t>(height_ - 1 - y) * rowBytes;
        std::memcpy(image.scanLine(y), source, rowBytes);
    }
    return image;
}

} // namespace tervane
