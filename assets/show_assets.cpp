#include "assets/show_assets.h"

#include <cstdio>
#include <system_error>
#include <thread>

#include "assets/data_file.h"
#include "assets/pcx_image.h"
#include "assets/shader_registry.h"
#include "assets/shader_sources.h"
#include "assets/texture_registry.h"
#include "gl/gl.h"

const ShowImage showImages[showImageCount] = {
    {"Data\\overlay.p", "OVERLAY", 512, 512},
    {"Data\\dwl.p", "DUSKWHEEL", 1024, 128},
    {"Data\\text1.p", "TEXT", 1024, 1024},
    {"Data\\dot.p", "DOT", 256, 256},
    {"Data\\greets1.p", "GREETS1", 1024, 1024},
    {"Data\\greets2.p", "GREETS2", 1024, 1024},
    {"Data\\credits.p", "CREDITS", 1024, 512},
};

void loadShowShaders(ShaderRegistry& shaders)
{
    shaders.addShader("PP_VERT", GL_VERTEX_SHADER, ppVertexSource);
    shaders.addShader("PP_FRAG", GL_FRAGMENT_SHADER, ppFragmentSource);
    shaders.linkProgram();
}

namespace {

// Reads and decodes one picture; unreadable when something is there that is
// not a picture (a folder on Windows, where it does not even open, included).
void readShowImage(const ShowImage& wanted, PcxImage& image, bool& unreadable)
{
    std::FILE* file = openDataFile(wanted.file);
    unreadable = file ? readPcx(image, file) == 0 : dataFileExists(wanted.file);
}

void readShowImages(PicturePrefetch& p)
{
    for (int i = 0; i < showImageCount; ++i)
        readShowImage(showImages[i], p.images[i], p.unreadable[i]);
}

}  // namespace

PicturePrefetch::~PicturePrefetch()
{
    if (worker.joinable())
        worker.join();
    for (PcxImage& image : images)
        freePcx(image);
}

void prefetchShowPictures(PicturePrefetch& p)
{
    if (p.worker.joinable())
        return;
    try {
        p.worker = std::thread([&p] { readShowImages(p); });
    } catch (const std::system_error&) {
        // No thread to spare: the pictures are read when they are loaded.
    }
}

void loadShowTextures(TextureRegistry& textures, PicturePrefetch& p)
{
    if (p.worker.joinable())
        p.worker.join();
    else
        readShowImages(p);
    PcxImage* images = p.images;
    for (int i = 0; i < showImageCount; ++i) {
        const ShowImage& wanted = showImages[i];
        // A missing file is quietly empty (the show runs without it); one that
        // is there but damaged deserves a word, as the user may have edited it.
        if (p.unreadable[i])
            std::fprintf(stderr, "duskwheel: %s is not a PCX picture that can be read; %s left empty\n",
                         dataFilePath(wanted.file).c_str(), wanted.texture);
        // The texture copies exactly its own size from the pixels: a picture
        // of another size would be read past its end or sheared, so it counts
        // as missing.
        if (images[i].pixels && (images[i].width != wanted.width || images[i].height != wanted.height)) {
            std::fprintf(stderr, "duskwheel: %s is %d x %d, its texture %s is %d x %d; left empty\n",
                         dataFilePath(wanted.file).c_str(), images[i].width, images[i].height, wanted.texture,
                         wanted.width, wanted.height);
            freePcx(images[i]);
        }
    }
    for (int i = 0; i < showImageCount; ++i)
        textures.create(showImages[i].texture, showImages[i].width, showImages[i].height, images[i].pixels);
    for (PcxImage& image : p.images)
        freePcx(image);
}
