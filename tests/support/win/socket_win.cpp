#include <winsock2.h>
#include <ws2tcpip.h>

#include <climits>

#include "support/socket.h"

namespace testnet {

namespace {
SOCKET native(Socket s) { return static_cast<SOCKET>(s); }
int clamp(std::size_t n) { return n > INT_MAX ? INT_MAX : static_cast<int>(n); }

bool winsockReady() {
    static const bool ready = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return ready;
}
}  // namespace

Socket listenLoopback(int& port) {
    if (!winsockReady()) return kNoSocket;
    const SOCKET fd = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (fd == INVALID_SOCKET) return kNoSocket;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    int len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 8) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::closesocket(fd);
        return kNoSocket;
    }
    port = ntohs(addr.sin_port);
    return static_cast<Socket>(fd);
}

bool readable(Socket s, int timeoutMs) {
    WSAPOLLFD p{native(s), POLLRDNORM, 0};
    return ::WSAPoll(&p, 1, timeoutMs) > 0;
}

Socket acceptClient(Socket listener) {
    const SOCKET fd = ::accept(native(listener), nullptr, nullptr);
    return fd == INVALID_SOCKET ? kNoSocket : static_cast<Socket>(fd);
}

long receive(Socket s, char* buffer, std::size_t size) {
    return ::recv(native(s), buffer, clamp(size), 0);
}

// Winsock raises no signal on a closed peer: plain send.
long sendSome(Socket s, const char* data, std::size_t size) {
    return ::send(native(s), data, clamp(size), 0);
}

void shutdownSend(Socket s) { ::shutdown(native(s), SD_SEND); }

void closeSocket(Socket s) { ::closesocket(native(s)); }

}  // namespace testnet
