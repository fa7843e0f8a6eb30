// The few TCP calls the tests' HTTP server makes, over the platform's own sockets.
// One file per platform implements them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace testnet {

// A socket handle as the platform gives it, widened; kNoSocket when there is none.
using Socket = std::intptr_t;
inline constexpr Socket kNoSocket = -1;

// A listening socket on 127.0.0.1 with a free port; `port` receives the port.
Socket listenLoopback(int& port);
// True when a read (or an accept) on `s` would not block, waiting at most `timeoutMs`.
bool readable(Socket s, int timeoutMs);
// The next pending connection, kNoSocket when none could be taken.
Socket acceptClient(Socket listener);
// Bytes read (0 at the end, negative on an error).
long receive(Socket s, char* buffer, std::size_t size);
// Bytes sent (negative on an error); a closed peer never raises a signal.
long sendSome(Socket s, const char* data, std::size_t size);
// Ends the sending side: the peer sees the end of the data.
void shutdownSend(Socket s);
void closeSocket(Socket s);

}  // namespace testnet
