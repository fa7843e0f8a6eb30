// A worker thread joined on every way out of the scope that started it.
#pragma once

#include <thread>

class JoinOnExit {
public:
    explicit JoinOnExit(std::thread& t) : t_(t) {}
    ~JoinOnExit() {
        if (t_.joinable()) t_.join();
    }
    JoinOnExit(const JoinOnExit&) = delete;
    JoinOnExit& operator=(const JoinOnExit&) = delete;

private:
    std::thread& t_;
};
