#include "ui/main/tree_images.h"

#include "ui/main/ids.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qk {
namespace {

int opaquePixels(const Image16& image) {
  int count = 0;
  for (int i = 0; i < 16 * 16; ++i) count += image.rgba[i * 4 + 3] == 255;
  return count;
}

TEST(TreeImages, DecodesThreeDistinctPictures) {
  std::vector<Image16> images = decodeTreeImages();
  ASSERT_EQ(images.size(), 3u);
  for (const Image16& image : images) {
    // Each picture covers a good part of its square and leaves some of it clear.
    EXPECT_GT(opaquePixels(image), 60);
    EXPECT_LT(opaquePixels(image), 16 * 16);
  }
  for (size_t a = 0; a < images.size(); ++a)
    for (size_t b = a + 1; b < images.size(); ++b)
      EXPECT_NE(std::memcmp(images[a].rgba, images[b].rgba, sizeof images[a].rgba), 0)
          << a << " and " << b;
}

TEST(TreeImages, FolderIsYellowDocumentIsMostlyWhite) {
  std::vector<Image16> images = decodeTreeImages();
  ASSERT_EQ(images.size(), 3u);
  auto count = [](const Image16& image, auto predicate) {
    int n = 0;
    for (int i = 0; i < 16 * 16; ++i)
      n += predicate(image.rgba[i * 4], image.rgba[i * 4 + 1], image.rgba[i * 4 + 2],
                     image.rgba[i * 4 + 3]);
    return n;
  };
  auto yellow = [](int r, int g, int b, int a) { return a == 255 && r > 200 && g > 150 && b < 160; };
  auto white = [](int r, int g, int b, int a) { return a == 255 && r > 240 && g > 240 && b > 240; };
  EXPECT_GT(count(images[kImageFolder], yellow), 60);
  EXPECT_GT(count(images[kImageDocument], white), 40);
}

}  // namespace
}  // namespace qk
