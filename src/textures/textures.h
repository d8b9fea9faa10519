// Texture objects: the program's three images under fixed texture ids.
// Owns the record of the image being loaded.
#pragma once

#include "textures/bmp.h"

constexpr unsigned TEXTURE_SKY = 1;    // "sky.bmp", on the sky sphere
constexpr unsigned TEXTURE_GRASS = 2;  // "grass.bmp", on every ground box
constexpr unsigned TEXTURE_FACE = 3;   // "smileycol.bmp", on the figure's head

// The image being loaded by loadTexture(); null between loads.
extern TextureImage* currentImage;

// Sets up the default texture object 0: a 64 x 64 RGB image without data,
// clamped, nearest filtering.
void initDefaultTexture();
// Loads a BMP file into texture object `id` with nearest filtering. Prints
// "trying to load <name>" first; a file that cannot be read, or an image
// that OpenGL cannot take, ends the program with status 1 after a message.
void loadTexture(const char* fileName, unsigned id);
