#pragma once

#include <windows.h>

#include <string>
#include <thread>

// Answers the next common file dialog of this process from a second thread, while the test's
// own thread sits in the blocking call that shows it. A dialog that does not close after the
// answer is cancelled, so the test fails instead of hanging.
//
//     FileDialogDriver driver(FileDialogDriver::Confirm, "C:\\dir\\file.txt", owner);
//     int chosen = dialog.Run(0, nullptr, nullptr);
//     EXPECT_TRUE(driver.Finish());
class FileDialogDriver {
public:
    enum Answer { Confirm, Cancel };

    // Starts waiting at once for a visible file dialog owned by owner (any when null). With
    // Confirm, path (unless empty) is typed into the file name box before OK is pressed.
    FileDialogDriver(Answer answer, std::string path = std::string(), HWND owner = nullptr);
    ~FileDialogDriver() { Finish(); }
    FileDialogDriver(const FileDialogDriver&) = delete;
    FileDialogDriver& operator=(const FileDialogDriver&) = delete;

    // Waits for the driver; true when a dialog was found, answered and closed.
    bool Finish();
    // The dialog's caption as found, in the ANSI code page.
    const std::string& Caption() const { return caption; }

private:
    bool Drive(Answer answer, const std::string& path, HWND owner);

    std::string caption;
    bool succeeded = false;
    std::thread thread;
};
