// The countdown badge over the main window: placed and drawn when the window opens, dragged
// anywhere by the user, and a click opens the countdown editor.
#include "mainwindow/frame/CalendarWindow.h"

#include "app/App.h"
#include "controls/CountdownText.h"
#include "editors/CountdownInputWindow.h"
#include "platform/Graphics.h"

void CalendarWindow::CountdownCanvas_Open() {
    CountdownCanvas->SetParent(nullptr);
    CountdownCanvas->SetLeft(135);
    CountdownCanvas->SetTop(15);
    if (App().showCoundownCalendar) {
        CountdownCanvas->updateCountdown();
    } else {
        // Hidden, the badge is drawn once the first frame is up, or when it is first shown.
        CountdownCanvas->SettleCountdownDate();
        AfterFirstFrame([this] {
            if (!CountdownCanvas->cachedImage) CountdownCanvas->updateCountdown();
        });
    }
    CountdownCanvas->SetVisible(App().showCoundownCalendar);
}

void CalendarWindow::CountdownCanvas_Paint(Graphics& g) {
    if (!CountdownCanvas->cachedImage) CountdownCanvas->updateCountdown();
    if (CountdownCanvas->cachedImage) g.DrawPicture(*CountdownCanvas->cachedImage, 0, 0);
}

bool CalendarWindow::CountdownCanvas_MouseDown(int x, int y) {
    CountdownCanvas->InX = x;
    CountdownCanvas->InY = y;
    CountdownCanvas->iMoved = false;
    return true;
}

// The grabbed point stays under the pointer. The badge may leave the window; where it was
// dragged to lasts only as long as the window.
void CalendarWindow::CountdownCanvas_MouseDrag(int, int) {
    cCanvas& badge = *CountdownCanvas;
    badge.SetBounds(MouseX() - badge.InX, MouseY() - badge.InY, badge.Width(), badge.Height());
    badge.iMoved = true;
}

void CalendarWindow::CountdownCanvas_MouseUp(int, int) {
    if (CountdownCanvas->iMoved) {
        CountdownCanvas->Refresh();
        return;
    }
    app& application = App();
    // The editor moves app.countdownDate itself, so the old key is kept as text.
    const std::string oldKey = application.countdownDate.SQLDateTime();
    const std::string oldTitle(CountdownTitle(application.eventDict, oldKey));
    CountdownInputWindow::Instance().ShowModal();

    const std::string newKey = application.countdownDate.SQLDateTime();
    if (!application.eventDict.HasKey(newKey)) return;
    if (newKey == oldKey && oldTitle == CountdownTitle(application.eventDict, newKey)) return;
    CountdownCanvas->updateCountdown();
    StartSavingEvents();
}
