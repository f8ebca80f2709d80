#pragma once
// `.x` files laid out the way common exporters lay them out, all describing one small scene (a
// body with a roof and a chimney), and the encodings a writer can choose: binary tokens with
// 32- or 64-bit floats, MSZIP compression.
#include <zlib.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "math/Vec3.h"

namespace xexport {

// One mesh of the scene in world space: faces as vertex index runs, one normal per face, and the
// names of the mesh's own material list.
struct Part {
    std::vector<Vec3> positions;
    std::vector<std::vector<int>> faces;
    std::vector<Vec3> faceNormals;
    std::vector<int> faceMaterials;
    std::vector<std::string> materials;
};

inline std::vector<Part> Scene() {
    return {
        {{{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}, {2, 2, 6}},
         {{0, 1, 2, 3}, {0, 1, 4}, {1, 2, 4}, {2, 3, 4}, {3, 0, 4}},
         {{0, 0, -1}, {0, -1, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}},
         {0, 1, 1, 0, 1},
         {"Brick", "Roof"}},
        {{{6, 0, 0}, {8, 0, 0}, {8, 2, 0}, {6, 2, 4}}, {{0, 1, 2}, {0, 2, 3}}, {{0, 0, 1}, {1, 0, 0}}, {0, 0}, {"Brick"}},
    };
}

inline std::string Num(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", v);
    return text;
}

// A material body as exporters write it; the texture keyword's spelling varies between them.
inline std::string MaterialBody(const std::string& name, const char* textureKeyword = "TextureFilename") {
    if (name == "Brick")
        return " 0.800000;0.300000;0.200000;1.000000;;\n 10.000000;\n 0.500000;0.500000;0.500000;;\n"
               " 0.000000;0.000000;0.000000;;\n " + std::string(textureKeyword) + " { \"bricks.png\"; }\n";
    return " 0.200000;0.200000;0.600000;0.500000;;\n 2.000000;\n 0.100000;0.100000;0.100000;;\n"
           " 0.100000;0.000000;0.000000;;\n";
}

// Frames as the framed layouts write them: every mesh sits in a child frame that scales by 2 and
// moves by (0, 4, 0), inside a root frame that turns 90 degrees about z and moves by (10, 0, 0).
// Positions are written so that child then parent brings them back to the scene's.
inline Vec3 ToFrameSpace(const Vec3& world, bool point) {
    const Vec3 q = point ? Vec3(world.x - 10, world.y, world.z) : world;
    const Vec3 unturned(q.y, -q.x, q.z);
    return point ? Vec3(unturned.x / 2, (unturned.y - 4) / 2, unturned.z / 2) : unturned;
}
inline const char* kChildMatrix = "2.000000,0.000000,0.000000,0.000000,0.000000,2.000000,0.000000,0.000000,"
                                  "0.000000,0.000000,2.000000,0.000000,0.000000,4.000000,0.000000,1.000000;;";
inline const char* kRootMatrix = "0.000000,1.000000,0.000000,0.000000,-1.000000,0.000000,0.000000,0.000000,"
                                 "0.000000,0.000000,1.000000,0.000000,10.000000,0.000000,0.000000,1.000000;;";

// How one mesh is written; `materials` is its material list's body (the part after the counts).
inline std::string MeshText(const Part& part, bool framed, const std::string& materials, const std::string& extras,
                            const std::string& name = "") {
    std::string out = "Mesh " + name + " {\n " + std::to_string(part.positions.size()) + ";\n";
    for (size_t i = 0; i < part.positions.size(); ++i) {
        const Vec3 p = framed ? ToFrameSpace(part.positions[i], true) : part.positions[i];
        out += " " + Num(p.x) + ";" + Num(p.y) + ";" + Num(p.z) + ";" + (i + 1 < part.positions.size() ? "," : ";") + "\n";
    }
    std::string runs, normalRuns;
    for (size_t f = 0; f < part.faces.size(); ++f) {
        const std::string sep = f + 1 < part.faces.size() ? "," : ";";
        runs += " " + std::to_string(part.faces[f].size()) + ";";
        normalRuns += " " + std::to_string(part.faces[f].size()) + ";";
        for (size_t k = 0; k < part.faces[f].size(); ++k) {
            runs += std::to_string(part.faces[f][k]) + (k + 1 < part.faces[f].size() ? "," : ";");
            normalRuns += std::to_string(f) + (k + 1 < part.faces[f].size() ? "," : ";");
        }
        runs += sep + "\n";
        normalRuns += sep + "\n";
    }
    out += " " + std::to_string(part.faces.size()) + ";\n" + runs;
    out += " MeshNormals {\n  " + std::to_string(part.faceNormals.size()) + ";\n";
    for (size_t f = 0; f < part.faceNormals.size(); ++f) {
        const Vec3 n = framed ? ToFrameSpace(part.faceNormals[f], false) : part.faceNormals[f];
        out += "  " + Num(n.x) + ";" + Num(n.y) + ";" + Num(n.z) + ";" + (f + 1 < part.faceNormals.size() ? "," : ";") + "\n";
    }
    out += "  " + std::to_string(part.faces.size()) + ";\n" + normalRuns + " }\n";
    out += " MeshTextureCoords {\n  " + std::to_string(part.positions.size()) + ";\n";
    for (size_t i = 0; i < part.positions.size(); ++i)
        out += "  " + Num(part.positions[i].x / 8) + ";" + Num(part.positions[i].y / 8) + ";" +
               (i + 1 < part.positions.size() ? "," : ";") + "\n";
    out += " }\n MeshMaterialList {\n  " + std::to_string(part.materials.size()) + ";\n  " +
           std::to_string(part.faces.size()) + ";\n  ";
    for (size_t f = 0; f < part.faceMaterials.size(); ++f)
        out += std::to_string(part.faceMaterials[f]) + (f + 1 < part.faceMaterials.size() ? "," : ";;\n");
    return out + materials + " }\n" + extras + "}\n";
}

// The same scene as one mesh with its materials in place, nothing else in the file: the
// reference every layout must load the same as.
inline std::string PlainX() {
    Part all;
    for (const Part& part : Scene()) {
        const int base = int(all.positions.size()), materialBase = int(all.materials.size());
        all.positions.insert(all.positions.end(), part.positions.begin(), part.positions.end());
        for (const auto& face : part.faces) {
            all.faces.push_back(face);
            for (int& index : all.faces.back()) index += base;
        }
        all.faceNormals.insert(all.faceNormals.end(), part.faceNormals.begin(), part.faceNormals.end());
        for (int m : part.faceMaterials) all.faceMaterials.push_back(m + materialBase);
        all.materials.insert(all.materials.end(), part.materials.begin(), part.materials.end());
    }
    std::string materials;
    for (const std::string& m : all.materials) materials += " Material {\n" + MaterialBody(m) + " }\n";
    return "xof 0303txt 0032\n" + MeshText(all, false, materials, "");
}

// What skinning, vertex colours and duplication data look like inside a mesh; the game uses none.
inline std::string SkinAndColours(const Part& part) {
    const std::string n = std::to_string(part.positions.size());
    std::string colours = " MeshVertexColors {\n  " + n + ";\n";
    std::string duplicates = " VertexDuplicationIndices {\n  " + n + ";\n  " + n + ";\n  ";
    std::string weights, indices;
    for (size_t i = 0; i < part.positions.size(); ++i) {
        const bool last = i + 1 == part.positions.size();
        colours += "  " + std::to_string(i) + ";1.000000;0.500000;0.250000;1.000000;;" + (last ? ";" : ",") + "\n";
        duplicates += std::to_string(i) + (last ? ";\n" : ",");
        indices += std::to_string(i) + (last ? ";" : ",");
        weights += std::string("1.000000") + (last ? ";" : ",");
    }
    return colours + " }\n" + duplicates + " }\n XSkinMeshHeader {\n  1;\n  1;\n  1;\n }\n"
           " SkinWeights {\n  \"Bone\";\n  " + n + ";\n  " + indices + "\n  " + weights +
           "\n  1.000000,0.000000,0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,"
           "0.000000,0.000000,1.000000,0.000000,0.000000,0.000000,0.000000,1.000000;;\n }\n";
}

// Blender-style layout: no templates; one root frame with a child frame per mesh; each mesh
// names its materials in place (the same material again in the second mesh), carries vertex
// colours and skin weights; an animation set after the frames.
inline std::string BlenderStyleX() {
    std::string out = "xof 0303txt 0032\n\nFrame Root {\n FrameTransformMatrix {\n  " + std::string(kRootMatrix) + "\n }\n";
    int index = 0;
    for (const Part& part : Scene()) {
        std::string materials;
        for (const std::string& m : part.materials) materials += " Material " + m + " {\n" + MaterialBody(m) + " }\n";
        const std::string frame = "Part" + std::to_string(index++);
        out += " Frame " + frame + " {\n  FrameTransformMatrix {\n   " + kChildMatrix + "\n  }\n" +
               MeshText(part, true, materials, SkinAndColours(part), frame + "Mesh") + " }\n";
    }
    return out + "}\nAnimTicksPerSecond {\n 24;\n}\nAnimationSet Action {\n Animation {\n  { Part0 }\n"
                 "  AnimationKey {\n   2;\n   2;\n   0;3;0.000000,0.000000,0.000000;;,\n   10;3;1.000000,0.000000,0.000000;;;\n"
                 "  }\n }\n}\n";
}

// The templates a 3ds-Max-style export writes first: class ids, `array` members with named and
// numbered sizes, an open template and a restricted one.
inline std::string Templates() {
    return "template Vector {\n <11111111-2222-3333-4444-000000000001>\n FLOAT x;\n FLOAT y;\n FLOAT z;\n}\n\n"
           "template Matrix4x4 {\n <11111111-2222-3333-4444-000000000002>\n array FLOAT matrix[16];\n}\n\n"
           "template Mesh {\n <11111111-2222-3333-4444-000000000003>\n DWORD nVertices;\n"
           " array Vector vertices[nVertices];\n DWORD nFaces;\n array MeshFace faces[nFaces];\n [...]\n}\n\n"
           "template TextureFilename {\n <11111111-2222-3333-4444-000000000004>\n STRING filename;\n}\n\n"
           "template Material {\n <11111111-2222-3333-4444-000000000005>\n ColorRGBA faceColor;\n FLOAT power;\n"
           " ColorRGB specularColor;\n ColorRGB emissiveColor;\n [TextureFilename <11111111-2222-3333-4444-000000000004>]\n}\n\n";
}

// 3ds-Max-style layout: templates, a header object, each material once at the top level, then a
// frame per mesh (no root) whose material lists refer to the materials by name; the texture
// keyword spelled TextureFileName; duplication indices in the meshes.
inline std::string MaxStyleX() {
    std::string out = "xof 0303txt 0032\n" + Templates() + "Header {\n 1;\n 0;\n 1;\n}\n\n";
    for (const char* m : {"Brick", "Roof"}) out += "Material " + std::string(m) + " {\n" + MaterialBody(m, "TextureFileName") + "}\n\n";
    int index = 0;
    for (const Part& part : Scene()) {
        std::string references;
        for (const std::string& m : part.materials) references += "  { " + m + " }\n";
        const std::string frame = "Object" + std::to_string(index++);
        std::string duplicates = " VertexDuplicationIndices {\n  " + std::to_string(part.positions.size()) + ";\n  " +
                                 std::to_string(part.positions.size()) + ";\n  ";
        for (size_t i = 0; i < part.positions.size(); ++i)
            duplicates += std::to_string(i) + (i + 1 < part.positions.size() ? "," : ";\n }\n");
        // A root frame of its own round each object's frame: the same transforms as above.
        out += "Frame " + frame + "Root {\n FrameTransformMatrix {\n  " + kRootMatrix + "\n }\n Frame " + frame +
               " {\n  FrameTransformMatrix {\n   " + kChildMatrix + "\n  }\n" + MeshText(part, true, references, duplicates) +
               " }\n}\n";
    }
    return out;
}

// Layout of a mesh saved straight from a program's memory: several meshes at the top level, no
// frames; the first names its materials in place and the second refers back to one by name.
inline std::string SavedMeshesX() {
    const std::vector<Part> parts = Scene();
    std::string first;
    for (const std::string& m : parts[0].materials) first += " Material " + m + " {\n" + MaterialBody(m) + " }\n";
    return "xof 0302txt 0064\n" + MeshText(parts[0], false, first, "", "body") + MeshText(parts[1], false, " { Brick }\n", "", "chimney");
}

// --- Encodings -------------------------------------------------------------------------------

inline void Word(std::string* out, uint16_t w) { out->append({char(w & 0xFF), char(w >> 8)}); }
inline void Dword(std::string* out, uint32_t v) {
    Word(out, uint16_t(v));
    Word(out, uint16_t(v >> 16));
}

// The binary form of a text `.x` file as exporters write it: numbers of a data object merged into
// integer and float lists (floats of `floatBits`), strings followed by their separator word,
// templates with their keywords, brackets and class ids as tokens.
inline std::string ToBinary(const std::string& text, int floatBits) {
    std::string out = text.substr(0, 8) + "bin " + (floatBits == 64 ? "0064" : "0032");
    std::vector<double> numbers;
    bool floats = false;
    const auto flush = [&] {
        if (numbers.empty()) return;
        Word(&out, floats ? 7 : 6);
        Dword(&out, uint32_t(numbers.size()));
        for (double n : numbers) {
            if (!floats) {
                Dword(&out, uint32_t(n));
            } else if (floatBits == 64) {
                char bytes[8];
                std::memcpy(bytes, &n, 8);
                out.append(bytes, 8);
            } else {
                const float f = float(n);
                char bytes[4];
                std::memcpy(bytes, &f, 4);
                out.append(bytes, 4);
            }
        }
        numbers.clear();
    };
    static const std::pair<const char*, uint16_t> kKeywords[] = {
        {"template", 0x1f}, {"WORD", 0x28}, {"DWORD", 0x29}, {"FLOAT", 0x2a}, {"DOUBLE", 0x2b}, {"CHAR", 0x2c},
        {"UCHAR", 0x2d}, {"SWORD", 0x2e}, {"SDWORD", 0x2f}, {"STRING", 0x31}, {"array", 0x34}};
    bool inTemplate = false;  // inside a template, separators and sizes are tokens of their own
    int depth = 0;
    for (size_t at = 16; at < text.size();) {
        const char c = text[at];
        if (std::isspace(uint8_t(c))) {
            ++at;
        } else if (c == ';' || c == ',') {
            if (inTemplate) Word(&out, c == ';' ? 0x14 : 0x13);
            ++at;
        } else if (c == '{' || c == '}' || c == '[' || c == ']') {
            flush();
            Word(&out, c == '{' ? 0x0a : c == '}' ? 0x0b : c == '[' ? 0x0e : 0x0f);
            depth += c == '{' ? 1 : c == '}' ? -1 : 0;
            if (depth == 0 && c == '}') inTemplate = false;
            ++at;
        } else if (text.compare(at, 3, "...") == 0) {
            for (int k = 0; k < 3; ++k) Word(&out, 0x12);
            at += 3;
        } else if (c == '<') {
            const size_t end = text.find('>', at);
            Word(&out, 5);
            std::string hex;
            for (size_t k = at; k < end; ++k)
                if (std::isxdigit(uint8_t(text[k]))) hex += text[k];
            for (size_t k = 0; k < 16; ++k) out += char(std::stoi(hex.substr(2 * k, 2), nullptr, 16));
            at = end + 1;
        } else if (c == '"') {
            flush();
            const size_t end = text.find('"', at + 1);
            Word(&out, 2);
            Dword(&out, uint32_t(end - at - 1));
            out += text.substr(at + 1, end - at - 1);
            at = end + 1;
            while (text[at] != ';' && text[at] != ',') ++at;
            Word(&out, text[at] == ';' ? 0x14 : 0x13);
            ++at;
        } else if (std::isdigit(uint8_t(c)) || c == '-') {
            size_t end = at + 1;
            while (std::isdigit(uint8_t(text[end])) || text[end] == '.') ++end;
            const std::string number = text.substr(at, end - at);
            const bool isFloat = number.find('.') != std::string::npos;
            if (inTemplate) {  // an array size
                Word(&out, 3);
                Dword(&out, uint32_t(std::stoul(number)));
            } else {
                if (!numbers.empty() && isFloat != floats) flush();
                floats = isFloat;
                numbers.push_back(std::stod(number));
            }
            at = end;
        } else {
            flush();
            size_t end = at;
            while (end < text.size() && (std::isalnum(uint8_t(text[end])) || text[end] == '_')) ++end;
            const std::string name = text.substr(at, end - at);
            uint16_t keyword = 0;
            for (const auto& [word, token] : kKeywords)
                if (name == word) keyword = token;
            if (keyword) {
                Word(&out, keyword);
                inTemplate = inTemplate || keyword == 0x1f;
            } else {
                Word(&out, 1);
                Dword(&out, uint32_t(name.size()));
                out += name;
            }
            at = end;
        }
    }
    flush();
    return out;
}

// The compressed form ("tzip" or "bzip") of a text or binary `.x` file: the declared size of the
// whole plain file, then blocks of at most `blockBytes` plain bytes, each "CK" and a raw deflate
// stream primed with the bytes before it, as MSZIP writers do.
inline std::string Compress(const std::string& plain, size_t blockBytes) {
    std::string out = plain.substr(0, 16);
    out.replace(8, 4, plain.compare(8, 4, "bin ") == 0 ? "bzip" : "tzip");
    Dword(&out, uint32_t(plain.size()));
    for (size_t at = 16; at < plain.size(); at += blockBytes) {
        const size_t size = std::min(blockBytes, plain.size() - at);
        z_stream z{};
        deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
        const size_t history = std::min<size_t>(at - 16, 32768);
        if (history > 0) deflateSetDictionary(&z, reinterpret_cast<const Bytef*>(plain.data() + at - history), uInt(history));
        std::string packed(deflateBound(&z, uLong(size)), '\0');
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.data() + at));
        z.avail_in = uInt(size);
        z.next_out = reinterpret_cast<Bytef*>(packed.data());
        z.avail_out = uInt(packed.size());
        deflate(&z, Z_FINISH);
        packed.resize(packed.size() - z.avail_out);
        deflateEnd(&z);
        Word(&out, uint16_t(size));
        Word(&out, uint16_t(packed.size() + 2));
        out += "CK" + packed;
    }
    return out;
}

}  // namespace xexport
