#pragma once

#include <windows.h>

// Re-entrant for the thread that holds it, as the platform's critical section is.
class CriticalSection {
public:
    CriticalSection();
    ~CriticalSection();
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter();
    void Leave();

private:
    CRITICAL_SECTION section;
};
