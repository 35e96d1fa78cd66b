#pragma once

// The busy pointer for the length of a scope: put around any wait of a window that may pass 200 ms
// (filling a long list, a deletion, reading a large file). Boxes shown meanwhile get the normal
// pointer from QtDialogs.

class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
