#pragma once

/// The application's wait cursor, pushed at most once: set() twice pushes one cursor, and
/// restore() (or the destructor) pops exactly what set() pushed.
class WaitCursor final
{
public:
    WaitCursor() = default;
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { restore(); }

    void set();
    void restore();

private:
    bool m_set = false;
};
