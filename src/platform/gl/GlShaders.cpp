#include "platform/gl/GlShaders.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Transform and per-vertex lighting in view space, as the fixed-function pipeline does it: one
// directional light, material colours, the global ambient, a local-viewer half vector. Normals
// go through the inverse transpose of world-view and are not renormalised (the fixed-function
// default), so scaled models light as they did there.
const char* kSceneVertex = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aTexCoord;
layout(location = 3) in vec4 aColor;

uniform mat4 uWorldView;
uniform mat4 uProjection;
uniform mat3 uNormalMatrix;
uniform bool uLighting;
uniform bool uLightEnabled;
uniform bool uSpecularEnabled;
uniform bool uVertexColor;
uniform vec4 uLightDiffuse, uLightSpecular, uLightAmbient;
uniform vec3 uLightDirection;  // view space, normalised; the way the light travels
uniform vec4 uMaterialDiffuse, uMaterialAmbient, uMaterialSpecular, uMaterialEmissive;
uniform float uMaterialPower;
uniform vec4 uGlobalAmbient;

out vec4 vDiffuse;
out vec3 vSpecular;
out vec2 vTexCoord;

void main() {
    vec4 viewPosition = uWorldView * vec4(aPosition, 1.0);
    vec4 clip = uProjection * viewPosition;
    // The projection maps depth to 0..w; GL clips at -w..w.
    clip.z = 2.0 * clip.z - clip.w;
    gl_Position = clip;
    vTexCoord = aTexCoord;

#ifdef GL_ES
    vec4 vertexColor = aColor.bgra;  // OpenGL ES reads the bytes B, G, R, A in that order
#else
    vec4 vertexColor = aColor;
#endif
    vec4 materialDiffuse = uVertexColor ? vertexColor : uMaterialDiffuse;
    if (!uLighting) {
        vDiffuse = uVertexColor ? vertexColor : vec4(1.0);
        vSpecular = vec3(0.0);
        return;
    }
    vec3 ambient = uGlobalAmbient.rgb;
    vec3 diffuse = vec3(0.0);
    vec3 specular = vec3(0.0);
    if (uLightEnabled) {
        ambient += uLightAmbient.rgb;
        vec3 n = uNormalMatrix * aNormal;
        vec3 toLight = -uLightDirection;
        float nDotL = dot(n, toLight);
        if (nDotL > 0.0) {
            diffuse = uLightDiffuse.rgb * nDotL;
            if (uSpecularEnabled) {
                vec3 toEye = -viewPosition.xyz;
                float eyeLength = length(toEye);
                vec3 halfVector = normalize(toLight + (eyeLength > 0.0 ? toEye / eyeLength : vec3(0.0)));
                float nDotH = dot(n, halfVector);
                if (nDotH > 0.0) specular = uLightSpecular.rgb * (uMaterialPower > 0.0 ? pow(nDotH, uMaterialPower) : 1.0);
            }
        }
    }
    vec3 color = uMaterialEmissive.rgb + uMaterialAmbient.rgb * ambient + materialDiffuse.rgb * diffuse;
    vDiffuse = vec4(clamp(color, 0.0, 1.0), clamp(materialDiffuse.a, 0.0, 1.0));
    vSpecular = clamp(uMaterialSpecular.rgb * specular, 0.0, 1.0);
}
)";

// Texture stage 0 with the operations and arguments of the fixed-function stage; the specular
// colour is added after it.
const char* kSceneFragment = R"(#version 330 core
in vec4 vDiffuse;
in vec3 vSpecular;
in vec2 vTexCoord;
#ifndef FIXED_STAGE
uniform bool uHasTexture;
uniform int uColorOp, uColorArg1, uColorArg2, uAlphaOp, uAlphaArg1, uAlphaArg2;
#endif
uniform sampler2D uTexture;
out vec4 fragColor;

vec4 Argument(int arg, vec4 texel) {
    if (arg == 2) return texel;   // texture
    if (arg == 3) return vec4(1.0);  // texture factor (white: never set)
    return vDiffuse;              // diffuse, and current (the diffuse colour at stage 0)
}

vec4 Operate(int op, vec4 a, vec4 b) {
    if (op == 2) return a;
    if (op == 3) return b;
    if (op == 4) return a * b;
    if (op == 5) return min(2.0 * a * b, 1.0);
    if (op == 6) return min(4.0 * a * b, 1.0);
    if (op == 7) return min(a + b, 1.0);
    if (op == 8) return clamp(a + b - 0.5, 0.0, 1.0);
    if (op == 10) return max(a - b, 0.0);
    return vDiffuse;
}

void main() {
    vec4 result = vDiffuse;
    // Without a texture the stage counts as disabled.
    if (uHasTexture && uColorOp != 1) {
        vec4 texel = texture(uTexture, vTexCoord);
        result.rgb = Operate(uColorOp, Argument(uColorArg1, texel), Argument(uColorArg2, texel)).rgb;
        if (uAlphaOp != 1) result.a = Operate(uAlphaOp, Argument(uAlphaArg1, texel), Argument(uAlphaArg2, texel)).a;
    }
    fragColor = vec4(min(result.rgb + vSpecular, 1.0), result.a);
}
)";

// Glyph quads in back-buffer pixels (y downwards); the atlas holds coverage in its red channel.
const char* kTextVertex = R"(#version 330 core
layout(location = 0) in vec2 aPosition;
layout(location = 2) in vec2 aTexCoord;
uniform vec2 uScreenSize;
out vec2 vTexCoord;
void main() {
    vTexCoord = aTexCoord;
    gl_Position = vec4(aPosition.x / uScreenSize.x * 2.0 - 1.0, 1.0 - aPosition.y / uScreenSize.y * 2.0, 0.0, 1.0);
}
)";

const char* kTextFragment = R"(#version 330 core
in vec2 vTexCoord;
uniform vec4 uColor;
uniform sampler2D uAtlas;
out vec4 fragColor;
void main() {
    fragColor = vec4(uColor.rgb, uColor.a * texture(uAtlas, vTexCoord).r);
}
)";

// The shaders are written for OpenGL 3.3 core; OpenGL ES 3.0 (WebGL 2) takes the same code under
// its own version line, with the precision it leaves to the shader stated.
#ifdef __EMSCRIPTEN__
std::string ForThisGl(const char* source) {
    std::string text = source;
    const std::string desktop = "#version 330 core\n";
    if (text.compare(0, desktop.size(), desktop) == 0)
        text.replace(0, desktop.size(), "#version 300 es\nprecision highp float;\nprecision highp int;\n");
    return text;
}
#else
std::string ForThisGl(const char* source) { return source; }
#endif

GLuint Compile(GLenum type, const char* source) {
    GLuint shader = glCreateShader(type);
    const std::string text = ForThisGl(source);
    source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        GLint length = 0;
        glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        std::vector<char> log(static_cast<size_t>(length) + 1);
        glGetShaderInfoLog(shader, length, nullptr, log.data());
        std::fprintf(stderr, "Tracklet: shader does not compile: %s\n", log.data());
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// The texture stage fixed at compile time: the same code as the general program with the stage's
// uniforms as constants, so the compiler drops the branches a pixel would otherwise pay for.
const char* const kStageDefines[] = {
    "",
    "#define FIXED_STAGE\n#define uHasTexture false\n#define uColorOp 1\n#define uColorArg1 2\n#define uColorArg2 0\n"
    "#define uAlphaOp 1\n#define uAlphaArg1 2\n#define uAlphaArg2 0\n",
    "#define FIXED_STAGE\n#define uHasTexture true\n#define uColorOp 4\n#define uColorArg1 2\n"
    "#define uColorArg2 0\n#define uAlphaOp 1\n#define uAlphaArg1 2\n#define uAlphaArg2 0\n",
};

GLuint Link(const char* vertexSource, const char* fragmentSource, const char* defines = "") {
    GLuint vs = Compile(GL_VERTEX_SHADER, vertexSource);
    // The defines go after the #version line, which must come first.
    std::string fragment = fragmentSource;
    fragment.insert(fragment.find('\n') + 1, defines);
    GLuint fs = Compile(GL_FRAGMENT_SHADER, fragment.c_str());
    if (!vs || !fs) {
        if (vs) glDeleteShader(vs);
        if (fs) glDeleteShader(fs);
        return 0;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetProgramInfoLog(program, sizeof log, nullptr, log);
        std::fprintf(stderr, "Tracklet: shader program does not link: %s\n", log);
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

}  // namespace

bool BuildSceneProgram(SceneProgram* out, SceneStage stage) {
    GLuint p = Link(kSceneVertex, kSceneFragment, kStageDefines[static_cast<int>(stage)]);
    if (!p) return false;
    out->program = p;
    const auto at = [p](const char* name) { return glGetUniformLocation(p, name); };
    out->worldView = at("uWorldView");
    out->projection = at("uProjection");
    out->normalMatrix = at("uNormalMatrix");
    out->lighting = at("uLighting");
    out->lightEnabled = at("uLightEnabled");
    out->specularEnabled = at("uSpecularEnabled");
    out->vertexColor = at("uVertexColor");
    out->lightDiffuse = at("uLightDiffuse");
    out->lightSpecular = at("uLightSpecular");
    out->lightAmbient = at("uLightAmbient");
    out->lightDirection = at("uLightDirection");
    out->materialDiffuse = at("uMaterialDiffuse");
    out->materialAmbient = at("uMaterialAmbient");
    out->materialSpecular = at("uMaterialSpecular");
    out->materialEmissive = at("uMaterialEmissive");
    out->materialPower = at("uMaterialPower");
    out->globalAmbient = at("uGlobalAmbient");
    out->hasTexture = at("uHasTexture");
    out->colorOp = at("uColorOp");
    out->colorArg1 = at("uColorArg1");
    out->colorArg2 = at("uColorArg2");
    out->alphaOp = at("uAlphaOp");
    out->alphaArg1 = at("uAlphaArg1");
    out->alphaArg2 = at("uAlphaArg2");
    out->sampler = at("uTexture");
    return true;
}

bool BuildTextProgram(TextProgram* out) {
    GLuint p = Link(kTextVertex, kTextFragment);
    if (!p) return false;
    out->program = p;
    out->screenSize = glGetUniformLocation(p, "uScreenSize");
    out->color = glGetUniformLocation(p, "uColor");
    out->sampler = glGetUniformLocation(p, "uAtlas");
    return true;
}
