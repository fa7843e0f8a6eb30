// A tiny HTTP server for tests: listens on 127.0.0.1 on a free port, on a thread
// of its own, and answers each path with a canned response. Used by the download
// tests of both test programs.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

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
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(fd_, 8);
        socklen_t len = sizeof addr;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { run(); });
    }
    ~Server() {
        stop_ = true;
        thread_.join();
        ::close(fd_);
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
        while (!expired()) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const int client = ::accept(fd_, nullptr, nullptr);
            if (client < 0) continue;
            serve(client);
            ::close(client);
        }
    }

    void serve(int client) {
        std::string head;
        char buf[4096];
        while (head.find("\r\n\r\n") == std::string::npos && !expired()) {
            pollfd p{client, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const ssize_t n = ::recv(client, buf, sizeof buf, 0);
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
            const ssize_t n = ::send(client, r.raw.data() + sent, r.raw.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) return;
            sent += static_cast<size_t>(n);
        }
        while (r.trickleMs > 0 && !expired()) {
            // Waiting for the next byte's turn, notice at once when the client has gone.
            pollfd p{client, POLLIN, 0};
            if (::poll(&p, 1, r.trickleMs) > 0 && ::recv(client, buf, sizeof buf, 0) <= 0) return;
            if (::send(client, "x", 1, MSG_NOSIGNAL) <= 0) return;
        }
        if (r.stall) {
            // Hold the connection open until the client gives up.
            while (!expired()) {
                pollfd p{client, POLLIN, 0};
                if (::poll(&p, 1, 20) > 0 && ::recv(client, buf, sizeof buf, 0) <= 0) return;
            }
            return;
        }
        ::shutdown(client, SHUT_WR);
    }

    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    const Clock::time_point started_ = Clock::now();
    mutable std::mutex mutex_;
    std::map<std::string, Route> routes_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

}  // namespace testhttp
