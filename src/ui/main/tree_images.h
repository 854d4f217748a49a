#pragma once
// The three images of tree items, decoded from the PNG files the program
// carries.
#include <vector>

#include "platform/gui.h"

namespace qk {

// Decodes the folder (image 0), the document page (1) and the box (2).
// Decoding stops at the first image that fails, so on failure fewer than
// three images come back, each still at its own index.
std::vector<Image16> decodeTreeImages();

}  // namespace qk
