#include "gui/PngDecoder.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace {

struct MemoryReader {
    const uint8_t* data;
    size_t size;
    size_t position;
};

// A request past the end is an error: libpng would otherwise go on with bytes never read.
void readFromMemory(png_structp png, png_bytep out, png_size_t length)
{
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->position)
        png_error(png, "read past the end of the data");
    std::memcpy(out, reader->data + reader->position, length);
    reader->position += length;
}

// Failures are reported by the result alone; nothing is printed.
void raiseError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) { }

void requestBgraOutput(png_structp png, png_infop info)
{
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    else if (!(colourType & PNG_COLOR_MASK_ALPHA))
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    if (bitDepth == 16)
        png_set_strip_16(png);
    // Palette images too, so that every kind shows its true colours.
    png_set_bgr(png);
}

// (colour x alpha) >> 8 rather than / 255: an opaque 255 becomes 254, as the images were
// always shown.
void premultiplyRow(uint32_t* row, int32_t width)
{
    for (int32_t x = 0; x < width; ++x) {
        const uint32_t pixel = row[x];
        const uint32_t alpha = pixel >> 24;
        if (alpha == 0) {
            row[x] = 0;
            continue;
        }
        const uint32_t blue = ((pixel & 0xff) * alpha) >> 8;
        const uint32_t green = (((pixel >> 8) & 0xff) * alpha) >> 8;
        const uint32_t red = (((pixel >> 16) & 0xff) * alpha) >> 8;
        row[x] = (alpha << 24) | (red << 16) | (green << 8) | blue;
    }
}

// Holds no object with a destructor: libpng's errors long-jump out of here.
bool readImage(png_structp png, png_infop info, PngDecoder::Destination& destination)
{
    if (setjmp(png_jmpbuf(png)))
        return false;

    png_read_info(png, info);
    requestBgraOutput(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const auto width = static_cast<int32_t>(png_get_image_width(png, info));
    const auto height = static_cast<int32_t>(png_get_image_height(png, info));
    if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4
        || static_cast<int64_t>(width) * height > PngDecoder::kMaxPixels)
        return false;

    const PixelRows rows = destination.allocate(width, height);
    if (!rows.top)
        return false;
    for (int pass = 0; pass < passes; ++pass)
        for (int32_t y = 0; y < height; ++y)
            png_read_row(png, reinterpret_cast<png_bytep>(rows.top + y * rows.stride), nullptr);
    png_read_end(png, nullptr);

    for (int32_t y = 0; y < height; ++y)
        premultiplyRow(rows.top + y * rows.stride, width);
    return true;
}

}  // namespace

bool PngDecoder::decode(const uint8_t* data, size_t size, Destination& destination)
{
    if (!data)
        return false;
    MemoryReader reader{data, size, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, raiseError, ignoreWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    png_set_read_fn(png, &reader, readFromMemory);
    png_set_user_limits(png, kMaxDimension, kMaxDimension);
    // Only the pixels matter here: every chunk but IHDR, PLTE, tRNS, IDAT and IEND is skipped
    // unread, so that no ancillary chunk can claim a buffer of its stated length (found by
    // fuzzing: an sPLT chunk of 1.9 GB from 120 bytes of file).
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    const bool decoded = readImage(png, info, destination);
    png_destroy_read_struct(&png, &info, nullptr);
    return decoded;
}
