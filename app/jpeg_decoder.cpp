#include "app/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <cstring>

#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    bool warned;
};

[[noreturn]] void EscapeOnError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->escape, 1);
}

// Level -1 is a warning: truncated or corrupt data that libjpeg would paper
// over with grey rows. A picture shown half grey is worse than none.
void NoteWarning(j_common_ptr cinfo, int level)
{
    if (level < 0) {
        reinterpret_cast<ErrorManager*>(cinfo->err)->warned = true;
    }
}

void StaySilent(j_common_ptr) {}

void FormatNothing(j_common_ptr, char* buffer)
{
    buffer[0] = '\0';
}

void ResetCounts(j_common_ptr cinfo)
{
    cinfo->err->num_warnings = 0;
    cinfo->err->msg_code = 0;
}

// Our own error manager rather than jpeg_std_error's: it never formats or
// prints a message, so libjpeg's message table and stdio stay out of the exe.
void InitErrors(ErrorManager* errors)
{
    std::memset(&errors->base, 0, sizeof errors->base);
    errors->base.error_exit = EscapeOnError;
    errors->base.emit_message = NoteWarning;
    errors->base.output_message = StaySilent;
    errors->base.format_message = FormatNothing;
    errors->base.reset_error_mgr = ResetCounts;
    errors->warned = false;
}

// All libjpeg work happens here, with nothing but plain data alive across
// setjmp. On success the rows are written into *rows (owned by the caller).
bool Decompress(const std::uint8_t* data, std::size_t size, int* width, int* height,
                std::uint8_t** rows)
{
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    InitErrors(&errors);
    cinfo.err = &errors.base;
    std::uint8_t* volatile pixels = nullptr;

    if (setjmp(errors.escape) != 0) {
        jpeg_destroy_decompress(&cinfo);
        std::free(pixels);
        return false;
    }

    // 1. Source and header.
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK || errors.warned) {
        EscapeOnError(reinterpret_cast<j_common_ptr>(&cinfo));
    }
    if (static_cast<long>(cinfo.image_width) * static_cast<long>(cinfo.image_height) >
        kMaxPicturePixels) {
        EscapeOnError(reinterpret_cast<j_common_ptr>(&cinfo));
    }

    // 2. Decode straight into DIB byte order.
    cinfo.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = static_cast<std::size_t>(cinfo.output_width) * 4;
    pixels = static_cast<std::uint8_t*>(std::malloc(stride * cinfo.output_height));
    if (pixels == nullptr) {
        EscapeOnError(reinterpret_cast<j_common_ptr>(&cinfo));
    }

    // 3. Scan lines, top-down.
    while (cinfo.output_scanline < cinfo.output_height && !errors.warned) {
        JSAMPROW row = pixels + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    if (errors.warned) {
        EscapeOnError(reinterpret_cast<j_common_ptr>(&cinfo));
    }
    jpeg_finish_decompress(&cinfo);
    if (errors.warned) {
        EscapeOnError(reinterpret_cast<j_common_ptr>(&cinfo));
    }

    *width = static_cast<int>(cinfo.output_width);
    *height = static_cast<int>(cinfo.output_height);
    *rows = pixels;
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, Picture* picture)
{
    *picture = Picture();
    if (data == nullptr || size == 0) {
        return false;
    }
    int width = 0;
    int height = 0;
    std::uint8_t* rows = nullptr;
    if (!Decompress(data, size, &width, &height, &rows)) {
        return false;
    }
    *picture = Picture(width, height, rows);
    return true;
}
