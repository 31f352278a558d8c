#include "app/Event.h"

Event::Event(bool signalled) : handle(CreateEventA(nullptr, TRUE, signalled, nullptr)) {}

Event::~Event() {
    if (handle != nullptr) {
        CloseHandle(handle);
    }
}

BOOL Event::Set() {
    return SetEvent(handle);
}

BOOL Event::Reset() {
    return ResetEvent(handle);
}

Event::WaitResult Event::Wait(DWORD milliseconds) {
    switch (WaitForSingleObject(handle, milliseconds)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
        return WaitSignalled;
    case WAIT_TIMEOUT:
        return WaitTimedOut;
    default:
        return WaitFailed;
    }
}
