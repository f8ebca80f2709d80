#pragma once
#include "platform/gl/GlApi.h"

// The two GL programs of the device: the scene program that stands in for fixed-function
// transform, lighting and texture stage 0, and the text program that draws glyph quads.

struct SceneProgram {
    GLuint program = 0;
    GLint worldView = -1, projection = -1, normalMatrix = -1;
    GLint lighting = -1, lightEnabled = -1, specularEnabled = -1, vertexColor = -1;
    GLint lightDiffuse = -1, lightSpecular = -1, lightAmbient = -1, lightDirection = -1;
    GLint materialDiffuse = -1, materialAmbient = -1, materialSpecular = -1, materialEmissive = -1;
    GLint materialPower = -1, globalAmbient = -1;
    GLint hasTexture = -1, colorOp = -1, colorArg1 = -1, colorArg2 = -1, alphaOp = -1, alphaArg1 = -1,
          alphaArg2 = -1, sampler = -1;
};

struct TextProgram {
    GLuint program = 0;
    GLint screenSize = -1, color = -1, sampler = -1;
};

// Vertex attribute slots shared by both programs and the device's buffers.
constexpr GLuint kAttribPosition = 0;
constexpr GLuint kAttribNormal = 1;
constexpr GLuint kAttribTexCoord = 2;
constexpr GLuint kAttribColor = 3;

// Which texture-stage settings a scene program serves: any (read from its uniforms), none (no
// texture, or the stage disabled), or texture times diffuse colour with the diffuse alpha.
enum class SceneStage { Any, Untextured, Modulate };
// Compile and link; false (with the driver's log on stderr) on failure.
bool BuildSceneProgram(SceneProgram* out, SceneStage stage = SceneStage::Any);
bool BuildTextProgram(TextProgram* out);
