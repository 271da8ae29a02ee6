// A watchdog for tests of calls that must end: when the guarded scope lasts
// longer than its limit, the test program stops with a message instead of
// hanging.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

class Sorveglianza {
public:
    explicit Sorveglianza(const char* cosa, int secondi = 20) : m_cosa(cosa) {
        m_thread = std::thread([this, secondi] {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (!m_fine.wait_for(lock, std::chrono::seconds(secondi), [this] { return m_finito; })) {
                std::fprintf(stderr, "%s did not end within %d s\n", m_cosa, secondi);
                std::abort();
            }
        });
    }
    ~Sorveglianza() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_finito = true;
        }
        m_fine.notify_one();
        m_thread.join();
    }
    Sorveglianza(const Sorveglianza&) = delete;
    Sorveglianza& operator=(const Sorveglianza&) = delete;

private:
    const char* m_cosa;
    std::mutex m_mutex;
    std::condition_variable m_fine;
    bool m_finito = false;
    std::thread m_thread;
};
