// The hourglass while a long operation runs; the cursor before it (or the arrow) comes back at the end.
#pragma once

#include <windows.h>

class TWaitCursor
{
public:
    TWaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~TWaitCursor() { SetCursor(previous_ != nullptr ? previous_ : LoadCursorW(nullptr, IDC_ARROW)); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    HCURSOR previous_;
};
