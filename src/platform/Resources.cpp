#include "platform/Resources.h"

#include "platform/GraphicsQt.h"
#include "platform/ResourceData.h"

namespace {
std::set<int>& MissingIds() {
    static std::set<int> ids;
    return ids;
}
} // namespace

PicturePtr ResourcePicture(int id) {
    if (MissingIds().contains(id)) return nullptr;
    for (const EmbeddedResource& resource : EmbeddedResources()) {
        if (resource.id != id) continue;
        const QImage image = QImage::fromData(resource.data, static_cast<int>(resource.size));
        return image.isNull() ? nullptr : PictureFromImage(image);
    }
    return nullptr;
}

void SetMissingResourcesForTesting(std::set<int> ids) {
    MissingIds() = std::move(ids);
}
