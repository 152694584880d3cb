#include "pngfile.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace dk {

bool WritePng(const std::string& path, const Colour* pixels, int scale, std::string& error) {
    if (scale < 1) scale = 1;
    std::FILE* fp = std::fopen(path.c_str(), "wb");
    if (fp == nullptr) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(fp);
        error = path + ": cannot encode the picture";
        return false;
    }
    const int w = kWidth * scale, h = kHeight * scale;
    png_init_io(png, fp);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<std::size_t>(w) * 3);
    for (int y = 0; y < h; ++y) {
        const Colour* src = pixels + static_cast<std::size_t>(y / scale) * kWidth;
        for (int x = 0; x < w; ++x) {
            const Colour c = src[x / scale];
            row[x * 3 + 0] = png_byte(c >> 16);
            row[x * 3 + 1] = png_byte(c >> 8);
            row[x * 3 + 2] = png_byte(c);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(fp) != 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace dk
