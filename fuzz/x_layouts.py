#!/usr/bin/env python3
"""Writes one small scene (a body with a roof, and a chimney: two meshes, three materials) as a
text .x file (stdout) in the layout named by the argument, the way common exporters lay it out:

plain    the reference: one mesh, its materials in place, nothing else in the file;
blender  Blender-style: no templates; a root frame (turns 90 degrees about z, moves by 10 along x)
         with a child frame per mesh (scales by 2, moves by 4 along y); materials named in place,
         the same one again in the second mesh; vertex colours and skin weights (with their
         bone name string) in the meshes; an animation set after the frames;
max      3ds-Max-style: templates first (class ids, arrays, an open and a restricted template),
         a header object, each material once at the top level, then a root and a child frame
         round each mesh, whose material lists refer to the materials by name; the texture
         keyword spelled TextureFileName; vertex duplication indices;
saved    a mesh saved from memory (64-bit float header): two meshes at the top level, no
         frames; the second refers to a material named inside the first.

Every layout gives the same triangles, materials and bounding sphere as `plain`. Used by the
model tests and as seeds of the .x fuzz targets."""
import sys

SCENE = [  # positions, faces, one normal per face, face materials, material names
    ([(0, 0, 0), (4, 0, 0), (4, 4, 0), (0, 4, 0), (2, 2, 6)],
     [[0, 1, 2, 3], [0, 1, 4], [1, 2, 4], [2, 3, 4], [3, 0, 4]],
     [(0, 0, -1), (0, -1, 0), (1, 0, 0), (0, 1, 0), (-1, 0, 0)], [0, 1, 1, 0, 1], ['Brick', 'Roof']),
    ([(6, 0, 0), (8, 0, 0), (8, 2, 0), (6, 2, 4)], [[0, 1, 2], [0, 2, 3]], [(0, 0, 1), (1, 0, 0)], [0, 0], ['Brick']),
]
CHILD = '2,0,0,0,0,2,0,0,0,0,2,0,0,4,0,1'
ROOT = '0,1,0,0,-1,0,0,0,0,0,1,0,10,0,0,1'

def num(v):
    return '%.6f' % v

def matrix(values):
    return ','.join(num(float(v)) for v in values.split(',')) + ';;'

def frame_space(v, point):
    """Undoes the root frame, then the child frame: child then root brings it back."""
    x, y, z = (v[0] - 10, v[1], v[2]) if point else v
    x, y = y, -x
    return ((x / 2, (y - 4) / 2, z / 2)) if point else (x, y, z)

def material(name, keyword='TextureFilename'):
    if name == 'Brick':
        return (' 0.800000;0.300000;0.200000;1.000000;;\n 10.000000;\n 0.500000;0.500000;0.500000;;\n'
                ' 0.000000;0.000000;0.000000;;\n %s { "bricks.png"; }\n' % keyword)
    return ' 0.200000;0.200000;0.600000;0.500000;;\n 2.000000;\n 0.100000;0.100000;0.100000;;\n 0.100000;0.000000;0.000000;;\n'

def vectors(vs, n=3):
    return ',\n'.join('  ' + ';'.join(num(c) for c in v[:n]) + ';' for v in vs) + ';\n'

def runs(faces, indices):
    return ',\n'.join('  %d;%s;' % (len(f), ','.join(str(i) for i in ix)) for f, ix in zip(faces, indices)) + ';\n'

def mesh(part, framed, materials, extras='', name=''):
    positions, faces, normals, face_materials, names = part
    if framed:
        positions = [frame_space(p, True) for p in positions]
        normals = [frame_space(n, False) for n in normals]
    uvs = [(p[0] / 8, p[1] / 8) for p in part[0]]
    return ('Mesh %s {\n %d;\n%s %d;\n%s MeshNormals {\n %d;\n%s %d;\n%s }\n MeshTextureCoords {\n %d;\n%s }\n'
            ' MeshMaterialList {\n %d;\n %d;\n %s;;\n%s }\n%s}\n') % (
        name, len(positions), vectors(positions), len(faces), runs(faces, faces), len(normals), vectors(normals),
        len(faces), runs(faces, [[f] * len(face) for f, face in enumerate(faces)]), len(uvs), vectors(uvs, 2),
        len(names), len(face_materials), ','.join(map(str, face_materials)), materials, extras)

def extras(part, skin):
    n = len(part[0])
    ids = ','.join(map(str, range(n)))
    if not skin:
        return ' VertexDuplicationIndices {\n  %d;\n  %d;\n  %s;\n }\n' % (n, n, ids)
    colours = ',\n'.join('  %d;1.000000;0.500000;0.250000;1.000000;;' % i for i in range(n))
    return (' MeshVertexColors {\n  %d;\n%s;\n }\n XSkinMeshHeader {\n  1;\n  1;\n  1;\n }\n'
            ' SkinWeights {\n  "Bone";\n  %d;\n  %s;\n  %s;\n  %s\n }\n') % (
        n, colours, n, ids, ','.join(['1.000000'] * n), matrix('1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1'))

def plain():
    positions, faces, normals, face_materials, names = [], [], [], [], []
    for p, f, n, fm, m in SCENE:
        faces += [[i + len(positions) for i in face] for face in f]
        face_materials += [i + len(names) for i in fm]
        positions += p
        normals += n
        names += m
    materials = ''.join(' Material {\n%s }\n' % material(m) for m in names)
    return 'xof 0303txt 0032\n' + mesh((positions, faces, normals, face_materials, names), False, materials)

def blender():
    out = 'xof 0303txt 0032\n\nFrame Root {\n FrameTransformMatrix {\n  %s\n }\n' % matrix(ROOT)
    for i, part in enumerate(SCENE):
        materials = ''.join(' Material %s {\n%s }\n' % (m, material(m)) for m in part[4])
        out += ' Frame Part%d {\n  FrameTransformMatrix {\n   %s\n  }\n%s }\n' % (
            i, matrix(CHILD), mesh(part, True, materials, extras(part, True), 'Part%dMesh' % i))
    return out + ('}\nAnimTicksPerSecond {\n 24;\n}\nAnimationSet Action {\n Animation {\n  { Part0 }\n'
                  '  AnimationKey {\n   2;\n   2;\n   0;3;0.000000,0.000000,0.000000;;,\n'
                  '   10;3;1.000000,0.000000,0.000000;;;\n  }\n }\n}\n')

TEMPLATES = '''template Vector {
 <11111111-2222-3333-4444-000000000001>
 FLOAT x;
 FLOAT y;
 FLOAT z;
}

template Matrix4x4 {
 <11111111-2222-3333-4444-000000000002>
 array FLOAT matrix[16];
}

template Mesh {
 <11111111-2222-3333-4444-000000000003>
 DWORD nVertices;
 array Vector vertices[nVertices];
 DWORD nFaces;
 array MeshFace faces[nFaces];
 [...]
}

template TextureFilename {
 <11111111-2222-3333-4444-000000000004>
 STRING filename;
}

template Material {
 <11111111-2222-3333-4444-000000000005>
 ColorRGBA faceColor;
 FLOAT power;
 ColorRGB specularColor;
 ColorRGB emissiveColor;
 [TextureFilename <11111111-2222-3333-4444-000000000004>]
}

Header {
 1;
 0;
 1;
}

'''

def max_style():
    out = 'xof 0303txt 0032\n' + TEMPLATES
    out += ''.join('Material %s {\n%s}\n\n' % (m, material(m, 'TextureFileName')) for m in ('Brick', 'Roof'))
    for i, part in enumerate(SCENE):
        references = ''.join('  { %s }\n' % m for m in part[4])
        out += ('Frame Object%dRoot {\n FrameTransformMatrix {\n  %s\n }\n Frame Object%d {\n'
                '  FrameTransformMatrix {\n   %s\n  }\n%s }\n}\n') % (
            i, matrix(ROOT), i, matrix(CHILD), mesh(part, True, references, extras(part, False)))
    return out

def saved():
    first = ''.join(' Material %s {\n%s }\n' % (m, material(m)) for m in SCENE[0][4])
    return 'xof 0302txt 0064\n' + mesh(SCENE[0], False, first, '', 'body') + mesh(SCENE[1], False, ' { Brick }\n', '', 'chimney')

LAYOUTS = {'plain': plain, 'blender': blender, 'max': max_style, 'saved': saved}
if __name__ == '__main__':
    sys.stdout.write(LAYOUTS[sys.argv[1]]())
