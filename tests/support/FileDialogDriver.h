#pragma once

#include <windows.h>

#include <string>
#include <thread>

// Answers the next common file dialog of this process from a second thread, while the test's
// own thread sits in the blocking call that shows it. Every wait is bounded: a dialog that is
// not found gives up, one that does not close after the answer is cancelled, so a test fails
// instead of hanging.
//
//     FileDialogDriver driver(FileDialogDriver::Confirm, "C:\\dir\\file.txt", owner);
//     int chosen = dialog.Run(0, nullptr, nullptr);
//     EXPECT_TRUE(driver.Finish());
class FileDialogDriver {
public:
    enum Answer { Confirm, Cancel };

    // Starts waiting at once for a visible file dialog owned by `owner` (any when null). With
    // Confirm, `path` (unless empty) is typed into the file name box before OK is pressed.
    FileDialogDriver(Answer answer, std::string path = std::string(), HWND owner = nullptr,
                     DWORD timeoutMs = 10000);
    ~FileDialogDriver();
    FileDialogDriver(const FileDialogDriver&) = delete;
    FileDialogDriver& operator=(const FileDialogDriver&) = delete;

    // Waits for the driver; true when a dialog was found, answered and closed.
    bool Finish();
    // The dialog's caption as found, in the ANSI code page.
    const std::string& Caption() const { return caption; }

    // A visible file dialog (one with a file name box) of this process, or null.
    static HWND FindFileDialog(HWND owner);

private:
    bool Drive();

    Answer answer;
    std::string path;
    HWND owner;
    DWORD timeoutMs;
    std::string caption;
    bool succeeded = false;
    std::thread thread;
};
