#pragma once

#include <windows.h>

#include <future>
#include <string>

// Answers the next common file dialog of this process from a second thread, while the test's
// own thread sits in the blocking call that shows it. A dialog that does not close after the
// answer is cancelled, so the test fails instead of hanging.
//
//     auto chooser = FileDialogDriver::Start(FileDialogDriver::Confirm, "C:\\dir\\file.txt");
//     int chosen = dialog.Run(0, nullptr, nullptr);
//     EXPECT_EQ(chooser.get(), "caption");
class FileDialogDriver {
public:
    enum Answer { Confirm, Cancel };

    // Waits for a visible file dialog owned by owner (any when null). With Confirm, path (unless
    // empty) is typed into the file name box before OK is pressed. The result is the dialog's
    // caption once it has closed, empty when it was not found or did not close.
    static std::future<std::string> Start(Answer answer, const std::string& path = std::string(),
                                          HWND owner = nullptr);
};
