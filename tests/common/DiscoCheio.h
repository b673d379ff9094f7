#pragma once

// While it lives, every write of the database engine to its files fails as on a full disk
// (the engine's SQLITE_FULL). It works through a file layer that the engine uses for every file
// opened after the test program started, so it reaches connections already open.
class DiscoCheio {
public:
    DiscoCheio();
    ~DiscoCheio();
    DiscoCheio(const DiscoCheio&) = delete;
    DiscoCheio& operator=(const DiscoCheio&) = delete;
};
