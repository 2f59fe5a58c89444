#pragma once
// The pictures compiled into the program, found by resource id.
#include "platform/Picture.h"

#include <set>

// A new picture of the resource with that id; nullptr when the program has none.
PicturePtr ResourcePicture(int id);

// Tests make some ids missing; an empty set gives every resource back.
void SetMissingResourcesForTesting(std::set<int> ids);
