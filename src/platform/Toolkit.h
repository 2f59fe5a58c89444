#pragma once
// The GUI toolkit under the framework layer. Exactly one Toolkit lives for the run, created
// first thing in main (the program's, a test program's or a benchmark's) and destroyed last.
#include <memory>

class QApplication;
class QObject;

class Toolkit {
  public:
    Toolkit();
    ~Toolkit();
    Toolkit(const Toolkit&) = delete;
    Toolkit& operator=(const Toolkit&) = delete;

    // Waits for the system's font configuration, which is read on a worker thread from the
    // toolkit's start: before the first font, and before a change to the environment it reads.
    static void WaitForFontSetUp();

  private:
    std::unique_ptr<QApplication> application_;
    // Drops the second click of a double click that lands where the first did not.
    std::unique_ptr<QObject> secondClicks_;
};

// Raises NilObjectException when no Toolkit exists.
void EnsureToolkit();
