// The scene's two lights and its palette of materials.
//
// GL_LIGHT0 is a fixed positional scene light with a strong ambient term;
// GL_LIGHT1 is a narrow spotlight whose position, direction and colours the
// keyboard changes. Both are placed in world coordinates every frame.
// Owns the light arrays, the palette and the three material handles.
#pragma once

// ---- Light arrays (the spot arrays are changed by the keyboard) ----
extern float sceneLightPosition[4];  // (1, 1, 1, 1)
extern float sceneLightAmbient[4];   // (5, 5, 5, 1)
extern float sceneLightDiffuse[4];   // (0.6, 0.6, 0.6, 1)
extern float sceneLightSpecular[4];  // (0.8, 0.8, 0.8, 1)
extern float spotPosition[4];        // (0, 2, 0, 1)
extern float spotDirection[3];       // (0, -2, 0)
extern float spotAmbient[4];         // (5.2, 5.2, 5.5, 1)
extern float spotDiffuse[4];         // (4.2, 4.2, 4.5, 1)
extern float spotSpecular[4];        // (4.2, 4.2, 4.5, 1)

// Surface material: ambient, diffuse and specular RGBA back to back, then shininess.
struct Material {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float shininess;
};

constexpr int MATERIAL_COUNT = 6;
extern const Material materialTable[MATERIAL_COUNT];

// Handles into materialTable; null until initMaterials() runs.
extern const Material* startupMaterial;  // row 1: in force until the first frame
extern const Material* markerMaterial;   // row 2: the marker sphere above the ground
extern const Material* figureMaterial;   // row 3: the whole figure (and the ground boxes)

// Enables both lights and sends their colours and the spot cutoff (10 degrees).
void initLights();
// Points the material handles at their palette rows.
void initMaterials();
// Makes `m` the current front-face material.
void setMaterial(const Material* m);
// Sends the light positions and spot direction under the current modelview
// matrix (the camera view, so they are world coordinates), then the spot colours.
void placeLights();
