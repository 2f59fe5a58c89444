#include "platform/Resources.h"

#include "platform/GraphicsQt.h"
#include "platform/ResourceData.h"

#include <QBuffer>
#include <QImageReader>

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
        QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data),
                                                   static_cast<qsizetype>(resource.size));
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer);
        if (StartsAsPng(resource.data, resource.size)) ReadAsPng(reader);
        const QImage image = reader.read();
        return image.isNull() ? nullptr : PictureFromImage(image);
    }
    return nullptr;
}

void SetMissingResourcesForTesting(std::set<int> ids) {
    MissingIds() = std::move(ids);
}
