// A tiny HTTP server for tests: listens on 127.0.0.1 on a free port, on a thread
// of its own, and answers each path with a canned response. Used by the download
// tests of both test programs.
#pragma once

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/socket.h"

namespace testhttp {

struct Route {
    std::string raw;     // the bytes sent back, status line included
    bool stall = false;  // after sending `raw`, hold the connection without another byte
    int trickleMs = 0;   // after sending `raw`, one more byte every trickleMs until the client goes
};

inline std::string response(int status, const std::string& body,
                            const std::string& type = "image/png",
                            const std::string& extraHeaders = "") {
    return "HTTP/1.0 " + std::to_string(status) + " X\r\nContent-Type: " + type +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" + extraHeaders +
           "\r\n" + body;
}

inline std::string redirect(const std::string& location) {
    return "HTTP/1.0 302 Found\r\nLocation: " + location + "\r\nContent-Length: 0\r\n\r\n";
}

class Server {
public:
    // Every wait inside the server is bounded: a test cannot hang on it.
    static constexpr int kMaxLifetimeMs = 60000;

    Server() {
        fd_ = testnet::listenLoopback(port_);
        thread_ = std::thread([this] { run(); });
    }
    ~Server() {
        stop_ = true;
        thread_.join();
        if (fd_ != testnet::kNoSocket) testnet::closeSocket(fd_);
    }
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    void route(const std::string& path, Route r) {
        std::lock_guard<std::mutex> lock(mutex_);
        routes_[path] = std::move(r);
    }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }
    std::string url(const std::string& path) const { return base() + path; }
    // Every request received so far, head only.
    std::vector<std::string> requests() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
    using Clock = std::chrono::steady_clock;

    bool expired() const { return stop_ || Clock::now() - started_ > std::chrono::milliseconds(kMaxLifetimeMs); }

    void run() {
        while (!expired() && fd_ != testnet::kNoSocket) {
            if (!testnet::readable(fd_, 20)) continue;
            const testnet::Socket client = testnet::acceptClient(fd_);
            if (client == testnet::kNoSocket) continue;
            serve(client);
            testnet::closeSocket(client);
        }
    }

    void serve(testnet::Socket client) {
        std::string head;
        char buf[4096];
        while (head.find("\r\n\r\n") == std::string::npos && !expired()) {
            if (!testnet::readable(client, 20)) continue;
            const long n = testnet::receive(client, buf, sizeof buf);
            if (n <= 0) return;
            head.append(buf, static_cast<size_t>(n));
        }
        const size_t sp1 = head.find(' ');
        const size_t sp2 = head.find(' ', sp1 + 1);
        const std::string path = sp1 == std::string::npos ? "" : head.substr(sp1 + 1, sp2 - sp1 - 1);
        Route r{response(404, "not here", "text/plain"), false};
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(head);
            auto it = routes_.find(path);
            if (it != routes_.end()) r = it->second;
        }
        size_t sent = 0;
        while (sent < r.raw.size() && !expired()) {
            const long n = testnet::sendSome(client, r.raw.data() + sent, r.raw.size() - sent);
            if (n <= 0) return;
            sent += static_cast<size_t>(n);
        }
        while (r.trickleMs > 0 && !expired()) {
            // Waiting for the next byte's turn, notice at once when the client has gone.
            if (testnet::readable(client, r.trickleMs) && testnet::receive(client, buf, sizeof buf) <= 0)
                return;
            if (testnet::sendSome(client, "x", 1) <= 0) return;
        }
        if (r.stall) {
            // Hold the connection open until the client gives up.
            while (!expired()) {
                if (testnet::readable(client, 20) && testnet::receive(client, buf, sizeof buf) <= 0) return;
            }
            return;
        }
        testnet::shutdownSend(client);
    }

    testnet::Socket fd_ = testnet::kNoSocket;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    const Clock::time_point started_ = Clock::now();
    mutable std::mutex mutex_;
    std::map<std::string, Route> routes_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

}  // namespace testhttp
