// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/jpegpicture.h"

#include <QCoreApplication>
#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace kelmot {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

// libjpeg would end the process on a corrupt file; jump back instead.
[[noreturn]] void onError(j_common_ptr info) {
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->escape, 1);
}

// Warnings (a truncated file decodes as grey) are kept and count as damage.
void keepMessage(j_common_ptr info) {
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, err->message);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

void sayUnreadable(const QString& path, const char* reason) {
    std::fputs(QCoreApplication::translate("JpegPicture", "kelmot: Bild %1 nicht lesbar: %2\n")
                   .arg(path, QString::fromLocal8Bit(reason))
                   .toLocal8Bit()
                   .constData(),
               stderr);
}

} // namespace

QImage loadJpegPicture(const QString& path) {
    std::unique_ptr<std::FILE, FileCloser> file(
        std::fopen(QFile::encodeName(path).constData(), "rb"));
    if (!file) {
        const QString missing =
            QCoreApplication::translate("JpegPicture", "kelmot: Bild %1 fehlt\n").arg(path);
        std::fputs(missing.toLocal8Bit().constData(), stderr);
        return {};
    }
    jpeg_decompress_struct info{};
    ErrorManager err{};
    info.err = jpeg_std_error(&err.base);
    err.base.error_exit = onError;
    err.base.output_message = keepMessage;
    // Everything that must survive the jump lives outside this frame's
    // registers: the image is only handed out after a complete decode.
    QImage* volatile image = nullptr;
    if (setjmp(err.escape)) {
        jpeg_destroy_decompress(&info);
        delete image;
        sayUnreadable(path, err.message);
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file.get());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = new QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                       QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (err.base.num_warnings > 0) {
        delete image;
        sayUnreadable(path, err.message);
        return {};
    }
    QImage result = *image;
    delete image;
    return result;
}

} // namespace kelmot
