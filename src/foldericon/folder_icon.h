#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "foldericon/image.h"

namespace foldericon {

// The sizes Windows asks a folder's icon for, from the list's smallest to the
// large-icon views.
inline constexpr std::array<int, 5> iconSizes{16, 24, 32, 48, 256};

// The size to decode a picture of `picture` pixels at: just enough for the
// largest icon, so that one decode serves every size.
Size decodeSizeFor(Size picture);

// The folder icon at each of iconSizes, all from the one decoded picture.
std::vector<Image> folderIconImages(const Image& picture);

// The .ico file of those images. The largest is kept as `largestAsPng` when
// that is given and smaller than its bitmap (Windows Vista and later read PNG
// images; a noisy photograph can make a PNG larger than the bitmap), so the
// file stays under 300 KB either way; every other image as a bitmap, which
// Windows XP needs.
std::string folderIconFile(const std::vector<Image>& images,
                           const std::optional<std::string>& largestAsPng);

}  // namespace foldericon
