// Decoding the show's seven pictures as make-data draws them: from memory
// (the decoder alone) and from files (what loading does, stdio included).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "assets/pcx_image.h"
#include "tools/make-data/default_images.h"
#include "tools/make-data/pcx_writer.h"

namespace {

struct EncodedImages {
    std::vector<std::vector<unsigned char>> files;
    std::vector<std::string> paths;
    std::string folder;

    EncodedImages()
    {
        std::vector<DefaultImage> images;
        if (!drawDefaultImages(images))
            std::exit(1);
        char name[] = "/tmp/duskwheel-bench-XXXXXX";
        folder = mkdtemp(name) ? name : "/tmp";
        for (const DefaultImage& image : images) {
            files.push_back(encodePcx(image.picture));
            paths.push_back(folder + "/" + dataFileName(*image.show));
            std::FILE* file = std::fopen(paths.back().c_str(), "wb");
            std::fwrite(files.back().data(), 1, files.back().size(), file);
            std::fclose(file);
        }
    }
    ~EncodedImages()
    {
        for (const std::string& path : paths)
            std::remove(path.c_str());
        rmdir(folder.c_str());
    }
};

EncodedImages& encoded()
{
    static EncodedImages images;
    return images;
}

void BM_DecodeSevenImagesFromMemory(benchmark::State& state)
{
    const EncodedImages& images = encoded();
    int64_t bytes = 0;
    for (auto _ : state) {
        for (const std::vector<unsigned char>& file : images.files) {
            PcxImage image;
            benchmark::DoNotOptimize(decodePcx(image, file.data(), file.size()));
            bytes += static_cast<int64_t>(image.width) * image.height * 4;
            freePcx(image);
        }
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_DecodeSevenImagesFromMemory)->Unit(benchmark::kMillisecond);

void BM_ReadSevenImagesFromFiles(benchmark::State& state)
{
    const EncodedImages& images = encoded();
    int64_t bytes = 0;
    for (auto _ : state) {
        for (const std::string& path : images.paths) {
            PcxImage image;
            benchmark::DoNotOptimize(readPcx(image, std::fopen(path.c_str(), "rb")));
            bytes += static_cast<int64_t>(image.width) * image.height * 4;
            freePcx(image);
        }
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_ReadSevenImagesFromFiles)->Unit(benchmark::kMillisecond);

void BM_DecodeOneImage(benchmark::State& state)
{
    const std::vector<unsigned char>& file = encoded().files[static_cast<size_t>(state.range(0))];
    for (auto _ : state) {
        PcxImage image;
        benchmark::DoNotOptimize(decodePcx(image, file.data(), file.size()));
        freePcx(image);
    }
    state.SetLabel(dataFileName(showImages[state.range(0)]));
}
BENCHMARK(BM_DecodeOneImage)->DenseRange(0, showImageCount - 1)->Unit(benchmark::kMicrosecond);

}  // namespace
