// Picture files of any format the toolkit reads: opened, decoded and drawn.
#include "FuzzSupport.h"

#include "platform/FolderItem.h"
#include "platform/Graphics.h"
#include "platform/Picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto path = Fuzz::AppFolder() / "picture";
    Fuzz::WriteFile(path, Fuzz::Text(data, size));
    if (const PicturePtr picture = FolderItem(path).OpenAsPicture()) {
        Picture canvas(8, 8);
        canvas.Graphics().DrawPicture(*picture, 0, 0);
        picture->Pixel(0, 0);
    }
    return 0;
}
