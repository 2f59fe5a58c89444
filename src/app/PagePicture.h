#pragma once
// The picture of the window fitted to a page: as large as the page allows with its
// proportions kept, and turned a quarter turn on an upright page so that it runs along the
// page's length.
#include "platform/Picture.h"

// pageWidth and pageHeight are the printable area in page pixels. The result is drawn at the
// page's top-left corner.
PicturePtr PagePicture(const PicturePtr& picture, int pageWidth, int pageHeight);
