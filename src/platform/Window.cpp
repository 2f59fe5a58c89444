#include "platform/Window.h"

#include "platform/Application.h"
#include "platform/Toolkit.h"

#include <QWidget>

Window::Window() {
    EnsureToolkit();
    widget_ = std::make_unique<QWidget>();
}

Window::~Window() {
    if (Application* application = Application::Instance()) application->UnregisterWindow(this);
}

std::string Window::Title() const {
    return widget_->windowTitle().toStdString();
}
void Window::SetTitle(const std::string& title) {
    widget_->setWindowTitle(QString::fromStdString(title));
}
bool Window::Visible() const {
    return widget_->isVisible();
}

void Window::Show() {
    if (!open_) {
        open_ = true;
        if (Application* application = Application::Instance()) application->RegisterWindow(this);
    }
    if (!opened_) {
        opened_ = true;
        Application::Dispatch([this] { Event_Open(); });
    }
    widget_->show();
}

void Window::Hide() {
    widget_->hide();
}

void Window::Close() {
    if (!open_) return;
    Application::Dispatch([this] { Event_Close(); });
    open_ = false;
    widget_->hide();
    if (Application* application = Application::Instance()) application->UnregisterWindow(this);
}
