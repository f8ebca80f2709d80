#pragma once
// The GL interface the device is written against: OpenGL 3.3 core through libepoxy on the
// desktop, OpenGL ES 3.0 (WebGL 2) in the browser. The few calls whose names differ between the
// two are given here under their desktop names.
#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>

inline void glDepthRange(double nearZ, double farZ) { glDepthRangef(static_cast<GLfloat>(nearZ), static_cast<GLfloat>(farZ)); }
inline void glClearDepth(double depth) { glClearDepthf(static_cast<GLfloat>(depth)); }
#else
#include <epoxy/gl.h>
#endif
