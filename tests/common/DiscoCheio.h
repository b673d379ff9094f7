#pragma once

// While it lives, every write of the database engine fails as on a full disk (SQLITE_FULL), also
// on connections already open: a file layer under every file the test program opens.
class DiscoCheio {
public:
    DiscoCheio();
    ~DiscoCheio();
    DiscoCheio(const DiscoCheio&) = delete;
    DiscoCheio& operator=(const DiscoCheio&) = delete;
};
