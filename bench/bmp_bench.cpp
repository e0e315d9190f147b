// BMP decoding and encoding of a 4000 × 3000 image at 24 and 32 bits per pixel against
// stb_image and stb_image_write in the same run (bench/compare.py prints the ratios).

#include "draw/raster/bmp/bmp_encoder.h"
#include "draw/raster/stream_raster.h"

#include <benchmark/benchmark.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cstring>
#include <vector>

using namespace Qor;

namespace {

constexpr int CX = 4000, CY = 3000;

const Image& Source()
{
    static Image img = [] {
        PixelBuffer b(CX, CY);
        for(int y = 0; y < CY; y++)
            for(int x = 0; x < CX; x++)
                b[y][x] = MakeRGBA((x * 7 + y) % 256, (x + y * 3) % 256, (x * y) % 256, 255);
        return Image(b);
    }();
    return img;
}

// The file both decoders read, as our writer makes it.
const String& File(int bits)
{
    static String file24, file32;
    String& file = bits == 32 ? file32 : file24;
    if(file.IsEmpty()) {
        BMPEncoder encoder(bits);
        file = EncodeImage(encoder, Source());
    }
    return file;
}

void Rate(benchmark::State& state)
{
    state.counters["MP/s"] =
        benchmark::Counter((double)CX * CY * state.iterations() / 1e6, benchmark::Counter::kIsRate);
}

void DecodeQor(benchmark::State& state)
{
    const String& file = File((int)state.range(0));
    for(auto _ : state) {
        Image img = StreamRaster::LoadFromString(file);
        benchmark::DoNotOptimize(img.GetPixels());
    }
    Rate(state);
}

void DecodeStb(benchmark::State& state)
{
    const String& file = File((int)state.range(0));
    for(auto _ : state) {
        int x, y, n;
        // Four channels, as the Image has.
        stbi_uc* pixels = stbi_load_from_memory((const stbi_uc*)file.Begin(), file.GetLength(), &x, &y, &n, 4);
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
    Rate(state);
}

void EncodeQor(benchmark::State& state)
{
    int bits = (int)state.range(0);
    const Image& img = Source();
    for(auto _ : state) {
        BMPEncoder encoder(bits);
        String file = EncodeImage(encoder, img);
        benchmark::DoNotOptimize(file.Begin());
    }
    Rate(state);
}

void Append(void* context, void* data, int size)
{
    std::vector<char>& out = *(std::vector<char>*)context;
    size_t at = out.size();
    out.resize(at + size);
    memcpy(out.data() + at, data, size);
}

void EncodeStb(benchmark::State& state)
{
    int bits = (int)state.range(0);
    int comp = bits / 8;
    // The peer takes packed channels: a three-byte copy of the image for 24 bits.
    std::vector<unsigned char> rgb;
    const void* pixels = Source().GetPixels();
    if(comp == 3) {
        rgb.resize((size_t)CX * CY * 3);
        const RGBA* s = Source().GetPixels();
        for(size_t i = 0; i < (size_t)CX * CY; i++) {
            rgb[3 * i] = s[i].r;
            rgb[3 * i + 1] = s[i].g;
            rgb[3 * i + 2] = s[i].b;
        }
        pixels = rgb.data();
    }
    size_t length = File(bits).GetLength();
    for(auto _ : state) {
        std::vector<char> out;
        out.reserve(length);
        stbi_write_bmp_to_func(Append, &out, CX, CY, comp, pixels);
        benchmark::DoNotOptimize(out.data());
    }
    Rate(state);
}

} // namespace

BENCHMARK(DecodeQor)->Arg(24)->Arg(32)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeStb)->Arg(24)->Arg(32)->Unit(benchmark::kMillisecond);
BENCHMARK(EncodeQor)->Arg(24)->Arg(32)->Unit(benchmark::kMillisecond);
BENCHMARK(EncodeStb)->Arg(24)->Arg(32)->Unit(benchmark::kMillisecond);
