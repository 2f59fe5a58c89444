// Text files read line by line and whole, whatever their line ends and bytes.
#include "FuzzSupport.h"

#include "platform/FolderItem.h"
#include "platform/TextStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto path = Fuzz::Documents() / "stream.txt";
    Fuzz::WriteFile(path, Fuzz::Text(data, size));
    if (auto stream = TextInputStream::Open(FolderItem(path))) {
        while (!stream->EndOfFile())
            stream->ReadLine();
        stream->Close();
    }
    if (auto stream = TextInputStream::Open(FolderItem(path))) stream->ReadAll();
    return 0;
}
