#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "support/socket.h"

namespace testnet {

Socket listenLoopback(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return kNoSocket;
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 8) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(fd);
        return kNoSocket;
    }
    port = ntohs(addr.sin_port);
    return fd;
}

bool readable(Socket s, int timeoutMs) {
    pollfd p{static_cast<int>(s), POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) > 0;
}

Socket acceptClient(Socket listener) {
    const int fd = ::accept(static_cast<int>(listener), nullptr, nullptr);
    return fd < 0 ? kNoSocket : fd;
}

long receive(Socket s, char* buffer, std::size_t size) {
    return static_cast<long>(::recv(static_cast<int>(s), buffer, size, 0));
}

long sendSome(Socket s, const char* data, std::size_t size) {
    return static_cast<long>(::send(static_cast<int>(s), data, size, MSG_NOSIGNAL));
}

void shutdownSend(Socket s) { ::shutdown(static_cast<int>(s), SHUT_WR); }

void closeSocket(Socket s) { ::close(static_cast<int>(s)); }

}  // namespace testnet
