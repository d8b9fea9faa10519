#include "textures/textures.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include <GL/gl.h>

TextureImage* currentImage = nullptr;

namespace {

// Checks that OpenGL can hold the image as a texture; says why not if it cannot.
bool fitsOpenGl(const char* fileName, const TextureImage* image) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (image->width <= static_cast<uint32_t>(largest) &&
        image->height <= static_cast<uint32_t>(largest)) {
        return true;
    }
    std::printf("Image %s is too large for OpenGL: %u x %u, at most %d x %d\n", fileName,
                static_cast<unsigned>(image->width), static_cast<unsigned>(image->height), largest,
                largest);
    return false;
}

// Drops OpenGL errors left by earlier calls, so the next check sees only its own.
void clearGlErrors() {
    while (glGetError() != GL_NO_ERROR) {
    }
}

}  // namespace

void initDefaultTexture() {
    glBindTexture(GL_TEXTURE_2D, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, 64, 64, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
}

void loadTexture(const char* fileName, unsigned id) {
    currentImage = static_cast<TextureImage*>(std::malloc(sizeof(TextureImage)));
    if (currentImage == nullptr) {
        std::printf("Error allocating space for image");
        std::exit(1);
    }
    std::cout << "trying to load " << fileName << std::endl;
    if (readBmp(fileName, currentImage) == 0) std::exit(1);

    if (!fitsOpenGl(fileName, currentImage)) std::exit(1);

    glBindTexture(GL_TEXTURE_2D, id);
    // The reader packs rows without padding.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    clearGlErrors();
    glTexImage2D(GL_TEXTURE_2D, 0, 3, static_cast<GLsizei>(currentImage->width),
                 static_cast<GLsizei>(currentImage->height), 0, GL_RGB, GL_UNSIGNED_BYTE,
                 currentImage->pixels);
    if (glGetError() != GL_NO_ERROR) {
        std::printf("OpenGL could not take the image %s as a texture\n", fileName);
        std::exit(1);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);

    // OpenGL keeps its own copy of the pixels.
    std::free(currentImage->pixels);
    std::free(currentImage);
    currentImage = nullptr;
}
