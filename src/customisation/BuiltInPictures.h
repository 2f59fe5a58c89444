#pragma once
// The program's own pictures, the same for every edition. Each accessor loads its picture on
// first use and then hands out that same shared object until ReleaseBuiltInPictures. A plain
// picture that cannot be loaded gives nullptr (and is asked for again next time); the
// transparent ones (menutoggle, countdown, menubutton, returnArrowNew, returnArrowNewMO) raise
// NilObjectException instead.
#include "platform/Picture.h"

PicturePtr homeButtonNormal();
PicturePtr homeButtonMask();
PicturePtr homeButtonMouseOver();
PicturePtr homeButtonMouseDown();
PicturePtr linkButtons(); // 5-pixel slices: normal, hover, pressed
PicturePtr menuButtons();
PicturePtr menutoggle();           // white is clear
PicturePtr menutoggle2();          // two 14 x 14 toggles, at x 0 and x 16
PicturePtr menutoggleMouseover2(); // laid out as menutoggle2
PicturePtr menutoggleMask2();
PicturePtr Ombrellinelogographic();
PicturePtr customAboutWindowBackground();
PicturePtr countdown(); // 118 x 130, white is clear, masked by countdownmask
PicturePtr countdownmask();
PicturePtr menubutton(); // white is clear
PicturePtr glanceHeader1();
PicturePtr glanceHeader2();
PicturePtr Glancetimebackground();
PicturePtr returnArrowNew();   // white is clear
PicturePtr returnArrowNewMO(); // white is clear
PicturePtr deletex();
PicturePtr trayIcon48x48();

// Drops every cached picture, in the table's order; the program calls it once at its end.
void ReleaseBuiltInPictures();
