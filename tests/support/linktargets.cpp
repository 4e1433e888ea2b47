#include "tests/support/linktargets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pw::test {

namespace {

int listenLocal(quint16* port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd, 64) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        close(fd);
        return -1;
    }
    *port = ntohs(address.sin_port);
    return fd;
}

}  // namespace

LinkTargets::LinkTargets() {
    m_answering = listenLocal(&m_answeringPort);
    m_silent = listenLocal(&m_silentPort);
    if (pipe2(m_wake, O_CLOEXEC) != 0 || !isValid()) return;
    m_thread = std::thread([this] { serve(); });
}

LinkTargets::~LinkTargets() {
    if (m_thread.joinable()) {
        (void)!write(m_wake[1], "x", 1);
        m_thread.join();
    }
    for (const int fd : m_held) close(fd);
    for (const int fd : {m_answering, m_silent, m_wake[0], m_wake[1]})
        if (fd >= 0) close(fd);
}

void LinkTargets::serve() {
    for (;;) {
        pollfd fds[3] = {{m_wake[0], POLLIN, 0}, {m_answering, POLLIN, 0}, {m_silent, POLLIN, 0}};
        if (poll(fds, 3, -1) < 0) continue;
        if (fds[0].revents) return;
        if (fds[1].revents) {
            const int c = accept4(m_answering, nullptr, nullptr, SOCK_CLOEXEC);
            if (c >= 0) {
                ++m_connections;
                char request[4096];
                (void)!read(c, request, sizeof request);
                static const char answer[] = "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n";
                (void)!write(c, answer, sizeof answer - 1);
                close(c);
            }
        }
        if (fds[2].revents) {
            const int c = accept4(m_silent, nullptr, nullptr, SOCK_CLOEXEC);
            if (c >= 0) {
                ++m_connections;
                m_held.push_back(c);
            }
        }
    }
}

}  // namespace pw::test
