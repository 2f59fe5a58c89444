#pragma once
// Whole-picture operations: depth conversion, smooth scaling and rotation. Each raises
// NilObjectException when given no picture.
#include "platform/Color.h"
#include "platform/Picture.h"

#include <vector>

// The picture in that many bits per pixel: the picture itself when it already has them (every
// picture has 32), else a converted copy.
PicturePtr EnsurePictureBits(const PicturePtr& picture, int depth);

// A new picture of base's size showing base with over (when given) drawn on it, bottom edges
// together, as drawing one and then the other into a white picture shows them. shownHeight,
// when given, is the height it will be scaled to with its shape kept: a scaling to that size
// may then be made straight from the pictures' files, by a filter of the decoder's own.
PicturePtr ComposeAtBottom(const Picture& base, const Picture* over, int shownHeight = 0);

// A new picture of exactly width x height, filtered bilinearly; a mask is scaled with it and
// the Transparent flag carried over.
PicturePtr BilinearScale(const PicturePtr& picture, int width, int height);

// A new picture turned by angle degrees (positive clockwise), large enough to hold the turned
// picture; the corners it leaves uncovered take background. A quarter turn of W x H is H x W.
PicturePtr RotatePicture(const PicturePtr& picture, double angle, Color background);

// The strip cut across into count pictures of equal height, top first, each with the same part
// of maskStrip as its mask: what drawing each part into a new picture and its mask gives. The
// pixels are cut on a worker thread and awaited where first needed.
std::vector<PicturePtr> SlicedPictures(const Picture& strip, const Picture& maskStrip, int count);
