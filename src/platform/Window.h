#pragma once
// A top-level window. It registers with the application while it is open.
#include <memory>
#include <string>

class QWidget;

class Window {
  public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    std::string Title() const;
    void SetTitle(const std::string& title);
    bool Visible() const;
    void Show();
    void Hide();
    // Runs the Close event, then hides the window and unregisters it.
    void Close();
    bool IsOpen() const { return open_; }

    QWidget* Widget() const { return widget_.get(); }

  protected:
    virtual void Event_Open() {}
    virtual void Event_Close() {}

  private:
    std::unique_ptr<QWidget> widget_;
    bool open_ = false;
    bool opened_ = false;
};
