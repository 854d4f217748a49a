#include "ui/main/tree_images.h"

#include <png.h>

#include <cstddef>

namespace qk {

// Defined in the file generated from res/*.png at build time.
extern const unsigned char kFolderPng[];
extern const std::size_t kFolderPngSize;
extern const unsigned char kDocumentPng[];
extern const std::size_t kDocumentPngSize;
extern const unsigned char kBoxPng[];
extern const std::size_t kBoxPngSize;

namespace {

bool decodeImage16(const unsigned char* data, std::size_t size, Image16& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) return false;
  if (image.width != 16 || image.height != 16) {
    png_image_free(&image);
    return false;
  }
  image.format = PNG_FORMAT_RGBA;
  return png_image_finish_read(&image, nullptr, out.rgba, 0, nullptr) != 0;
}

}  // namespace

std::vector<Image16> decodeTreeImages() {
  struct Embedded {
    const unsigned char* data;
    std::size_t size;
  };
  const Embedded files[] = {
      {kFolderPng, kFolderPngSize}, {kDocumentPng, kDocumentPngSize}, {kBoxPng, kBoxPngSize}};
  std::vector<Image16> images;
  for (const Embedded& file : files) {
    Image16 image;
    if (!decodeImage16(file.data, file.size, image)) break;
    images.push_back(image);
  }
  return images;
}

}  // namespace qk
