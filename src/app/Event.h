#pragma once

#include <windows.h>

// A manual-reset event.
class Event {
public:
    enum WaitResult { WaitSignalled = 0, WaitTimedOut = 1, WaitFailed = 2 };

    explicit Event(bool signalled);
    virtual ~Event();
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    BOOL Set();
    BOOL Reset();
    // An abandoned wait counts as signalled.
    WaitResult Wait(DWORD milliseconds);

private:
    HANDLE handle;
};
