#include "customisation/BuiltInPictures.h"

#include "customisation/BuiltInPictureTable.h"

#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "platform/Resources.h"

#include <array>

namespace {

std::array<PicturePtr, kBuiltInPictureCount>& Slots() {
    static std::array<PicturePtr, kBuiltInPictureCount> slots;
    return slots;
}

// The cached picture of a row, loading it when the slot is empty. A failed load is not
// remembered: the next call asks the resources again.
template <size_t Row> PicturePtr Load() {
    PicturePtr& slot = Slots()[Row];
    if (slot) return slot;
    const BuiltInPictureEntry& entry = kBuiltInPictureTable[Row];
    slot = ResourcePicture(entry.id);
    if (entry.transparent) {
        if (!slot) throw NilObjectException(std::string("no built-in picture ") + entry.name);
        slot->SetTransparent(1);
    }
    return slot;
}

} // namespace

PicturePtr homeButtonNormal() {
    return Load<BuiltInPictureIndex("homeButtonNormal")>();
}
PicturePtr homeButtonMask() {
    return Load<BuiltInPictureIndex("homeButtonMask")>();
}
PicturePtr homeButtonMouseOver() {
    return Load<BuiltInPictureIndex("homeButtonMouseOver")>();
}
PicturePtr homeButtonMouseDown() {
    return Load<BuiltInPictureIndex("homeButtonMouseDown")>();
}
PicturePtr linkButtons() {
    return Load<BuiltInPictureIndex("linkButtons")>();
}
PicturePtr menuButtons() {
    return Load<BuiltInPictureIndex("menuButtons")>();
}
PicturePtr menutoggle() {
    return Load<BuiltInPictureIndex("menutoggle")>();
}
PicturePtr menutoggle2() {
    return Load<BuiltInPictureIndex("menutoggle2")>();
}
PicturePtr menutoggleMouseover2() {
    return Load<BuiltInPictureIndex("menutoggleMouseover2")>();
}
PicturePtr menutoggleMask2() {
    return Load<BuiltInPictureIndex("menutoggleMask2")>();
}
PicturePtr Ombrellinelogographic() {
    return Load<BuiltInPictureIndex("Ombrellinelogographic")>();
}
PicturePtr customAboutWindowBackground() {
    return Load<BuiltInPictureIndex("customAboutWindowBackground")>();
}
PicturePtr countdownmask() {
    return Load<BuiltInPictureIndex("countdownmask")>();
}
PicturePtr menubutton() {
    return Load<BuiltInPictureIndex("menubutton")>();
}
PicturePtr glanceHeader1() {
    return Load<BuiltInPictureIndex("glanceHeader1")>();
}
PicturePtr glanceHeader2() {
    return Load<BuiltInPictureIndex("glanceHeader2")>();
}
PicturePtr Glancetimebackground() {
    return Load<BuiltInPictureIndex("Glancetimebackground")>();
}
PicturePtr returnArrowNew() {
    return Load<BuiltInPictureIndex("returnArrowNew")>();
}
PicturePtr returnArrowNewMO() {
    return Load<BuiltInPictureIndex("returnArrowNewMO")>();
}
PicturePtr deletex() {
    return Load<BuiltInPictureIndex("deletex")>();
}
PicturePtr trayIcon48x48() {
    return Load<BuiltInPictureIndex("trayIcon48x48")>();
}

// The badge receives its mask from countdownmask when it is first loaded.
PicturePtr countdown() {
    constexpr size_t row = BuiltInPictureIndex("countdown");
    if (Slots()[row]) return Slots()[row];
    PicturePtr picture = Load<row>();
    if (const PicturePtr mask = countdownmask())
        picture->Mask().Graphics().DrawPicture(*mask, 0, 0, mask->Width(), mask->Height(), 0, 0,
                                               mask->Width(), mask->Height());
    return picture;
}

void ReleaseBuiltInPictures() {
    for (PicturePtr& slot : Slots())
        slot.reset();
}
