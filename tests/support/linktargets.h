#pragma once

// Web addresses on 127.0.0.1 for documents with external links: one server answers every
// request with 404, the other takes connections and never answers. Both count connections.

#include <atomic>
#include <thread>
#include <vector>

#include <QtGlobal>

namespace pw::test {

class LinkTargets {
public:
    LinkTargets();  // listening from here on
    ~LinkTargets();

    bool isValid() const { return m_answering > 0 && m_silent > 0; }
    quint16 answeringPort() const { return m_answeringPort; }
    quint16 silentPort() const { return m_silentPort; }
    int connections() const { return m_connections.load(); }

private:
    void serve();

    int m_answering = -1, m_silent = -1, m_wake[2] = {-1, -1};
    quint16 m_answeringPort = 0, m_silentPort = 0;
    std::atomic<int> m_connections{0};
    std::vector<int> m_held;  // the silent server's connections, never answered
    std::thread m_thread;
};

}  // namespace pw::test
