#pragma once
#include <sqlite3.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// An SQL function, zv_gate(), registered on one connection: a statement that
// calls it stops there until the test opens the gate, so a test holds a
// statement in the middle of its work without timing anything. A trigger
// calling it puts the gate into a statement the test cannot change.
class SqlGate {
public:
    explicit SqlGate(sqlite3 *db) : m_db(db) {
        sqlite3_create_function(m_db, "zv_gate", 0, SQLITE_UTF8, this, &SqlGate::call, nullptr, nullptr);
    }
    ~SqlGate() {
        open();
        sqlite3_create_function(m_db, "zv_gate", 0, SQLITE_UTF8, nullptr, nullptr, nullptr, nullptr);
    }
    SqlGate(const SqlGate &) = delete;
    SqlGate &operator=(const SqlGate &) = delete;

    // How many times statements called the gate.
    int calls() const { return m_calls.load(); }
    // Whether a statement has reached the gate.
    bool reached() const { return m_reached.load(); }
    // Waits (on the calling thread) until a statement has reached the gate.
    void waitUntilReached() const {
        while (!m_reached.load())
            std::this_thread::yield();
    }
    // Lets every statement through, now and later.
    void open() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_open = true;
        m_opened.notify_all();
    }

private:
    static void call(sqlite3_context *context, int, sqlite3_value **) {
        auto *self = static_cast<SqlGate *>(sqlite3_user_data(context));
        ++self->m_calls;
        self->m_reached = true;
        std::unique_lock<std::mutex> lock(self->m_mutex);
        // Not a timing: a fault that keeps the test from opening the gate
        // fails the test instead of hanging it.
        self->m_opened.wait_for(lock, std::chrono::seconds(20), [self] { return self->m_open; });
        sqlite3_result_int(context, 1);
    }
    sqlite3 *m_db;
    std::atomic<bool> m_reached{false};
    std::atomic<int> m_calls{0};
    std::mutex m_mutex;
    std::condition_variable m_opened;
    bool m_open = false;
};
