// The socket calls of the tests' small servers: BSD sockets on POSIX, Winsock on Windows.
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace testsupport {

#ifdef _WIN32
constexpr int ChiusuraCompleta = SD_BOTH;
constexpr int SenzaSegnali = 0;   // Winsock raises no signal on a closed peer
inline int chiudiPresa(int presa)
{
    return ::closesocket(static_cast<SOCKET>(presa));
}
// Winsock works only once started, once per process.
inline const bool WinsockAvviato = [] {
    WSADATA dati;
    return ::WSAStartup(MAKEWORD(2, 2), &dati) == 0;
}();
#else
constexpr int ChiusuraCompleta = SHUT_RDWR;
constexpr int SenzaSegnali = MSG_NOSIGNAL;
inline int chiudiPresa(int presa)
{
    return ::close(presa);
}
#endif

}
