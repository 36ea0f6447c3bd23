#include "foldericon/folder_icon.h"

#include "foldericon/folder_drawing.h"
#include "foldericon/icon_file.h"
#include "foldericon/resample.h"

namespace foldericon {

Size decodeSizeFor(Size picture) {
    const PixelRect largest = pictureWindow(iconSizes.back());
    return coveringSize(picture, {largest.width(), largest.height()});
}

std::vector<Image> folderIconImages(const Image& picture) {
    std::vector<Image> images;
    images.reserve(iconSizes.size());
    for (int size : iconSizes) images.push_back(drawFolderIcon(picture, size));
    return images;
}

std::string folderIconFile(const std::vector<Image>& images,
                           const std::optional<std::string>& largestAsPng) {
    std::vector<IconImage> kept;
    kept.reserve(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        IconImage image{images[i].width, bitmapImage(images[i])};
        if (i + 1 == images.size() && largestAsPng && largestAsPng->size() < image.bytes.size()) {
            image.bytes = *largestAsPng;
        }
        kept.push_back(std::move(image));
    }
    return iconFile(kept);
}

}  // namespace foldericon
