// Pictures read from files.
#include "platform/FolderItem.h"
#include "platform/GraphicsQt.h"

#include <QImageReader>

std::shared_ptr<Picture> FolderItem::OpenAsPicture() const {
    if (!Exists() || Directory()) return nullptr;
    const QString path = QString::fromStdString(Path().string());
    QImageReader reader(path);
    if (!reader.canRead()) return nullptr;
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        // No size in the header: read the pixels now.
        const QImage image = reader.read();
        return image.isNull() ? nullptr : PictureFromImage(image);
    }
    // Decoding waits until the pixels are needed: an edition names many pictures, of which a
    // load draws one or two.
    auto picture = std::make_shared<Picture>(0, 0);
    Picture::Impl& impl = picture->Internals();
    impl.width = size.width();
    impl.height = size.height();
    impl.pendingFile = path;
    return picture;
}
