#pragma once
#include <string>

// Hand-written `.x` meshes for the model tests.

// One triangle (0,0,0), (2,0,0), (0,2,0) without a material list.
inline std::string TriangleX() {
    return "xof 0303txt 0032\n"
           "Mesh triangle {\n"
           " 3;\n"
           " 0.0;0.0;0.0;,\n"
           " 2.0;0.0;0.0;,\n"
           " 0.0;2.0;0.0;;\n"
           " 1;\n"
           " 3;0,1,2;;\n"
           "}\n";
}

// Six vertices with their own normals and texture coordinates; a triangle and a quad with the
// first material, a triangle with the third, none with the second. The first material's texture
// name has a backslash and capitals; the second material has no texture.
inline std::string ThreeMaterialX() {
    return R"(xof 0303txt 0032
// written by hand for the tests
Mesh sample {
 6; 0.0;0.0;0.0;, 2.0;0.0;0.0;, 0.0;2.0;0.0;, 2.0;2.0;1.5;, 4.0;0.0;0.0;, 4.0;2.0;-1.0;;
 3; 3;0,1,2;, 3;1,3,2;, 4;1,4,5,3;;
 MeshNormals {
  6; 0.0;0.0;-1.0;, 0.0;0.6;-0.8;, 0.6;0.0;-0.8;, 0.0;-0.6;-0.8;, -0.6;0.0;-0.8;, 0.0;0.0;1.0;;
  3; 3;0,1,2;, 3;1,3,2;, 4;1,4,5,3;;
 }
 MeshTextureCoords { 6; 0.0;0.0;, 0.5;0.0;, 0.0;0.5;, 0.5;0.5;, 1.0;0.0;, 1.0;0.25;; }
 MeshMaterialList {
  3; 3; 2, 0, 0;;
  Material { 1.0;0.5;0.25;0.75;; 20.0; 0.1;0.2;0.3;; 0.4;0.5;0.6;; TextureFilename { "Tex\First.BMP"; } }
  Material { 0.0;1.0;0.0;1.0;; 5.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }
  Material { 0.0;0.0;1.0;1.0;; 1.0; 1.0;1.0;1.0;; 0.0;0.0;0.0;; TextureFilename { "third.png"; } }
 }
}
)";
}
