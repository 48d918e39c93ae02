#pragma once

#include <string>

// The least any program can do to save the screen as a bitmap file on a local X server: one
// shared-memory copy of the root window and one write of a 24-bit BMP made straight from it.
// Measured beside the program's own capture path as its floor.
class ShmBmpFloor {
public:
    ShmBmpFloor();
    ~ShmBmpFloor();
    ShmBmpFloor(const ShmBmpFloor&) = delete;
    ShmBmpFloor& operator=(const ShmBmpFloor&) = delete;

    bool ready() const { return m_image != nullptr; }
    // Copies the whole screen and writes it to path; false when either fails.
    bool save(const std::string& path);

private:
    struct Parts;
    Parts* m_parts = nullptr;
    void* m_image = nullptr;
};
