#pragma once

#include "foldericon/image.h"

namespace foldericon {

// The middle of `source` with the shape of `target` (aspect kept, the rest cut
// off evenly on both sides), scaled to `target`: averaged over the area each
// new pixel covers when shrinking, interpolated between neighbours when
// growing. Empty for an empty source or target.
Image cropToFill(const Image& source, Size target);

// The size to decode a `picture` at so that cropToFill to `target` never has
// to grow it: aspect kept, just covering `target`; the picture's own size when
// it is no larger than that.
Size coveringSize(Size picture, Size target);

}  // namespace foldericon
