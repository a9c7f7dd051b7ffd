#pragma once
#include <sqlite3.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// An SQL function, zv_gate(), registered on one connection: a statement that
// calls it stops there until the test opens the gate, so a test holds a
// statement in the middle of its work without timing anything. A trigger
// calling it puts the gate into a statement the test cannot change.
//
// holdOtherThreads() gates every statement instead: one run on another thread
// than the one that called it stops at its first step; one run on that thread
// while watching() says so is counted in onWatchedThread().
class SqlGate {
public:
    explicit SqlGate(sqlite3 *db) : m_db(db) {
        sqlite3_create_function(m_db, "zv_gate", 0, SQLITE_UTF8, this, &SqlGate::call, nullptr, nullptr);
    }
    ~SqlGate() {
        open();
        sqlite3_create_function(m_db, "zv_gate", 0, SQLITE_UTF8, nullptr, nullptr, nullptr, nullptr);
        sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
    }
    void holdOtherThreads(std::function<bool()> watching) {
        m_thread = std::this_thread::get_id();
        m_watching = std::move(watching);
        sqlite3_progress_handler(m_db, 1, &SqlGate::step, this);
    }
    int onWatchedThread() const { return m_onWatchedThread.load(); }
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
    void pass() {
        ++m_calls;
        m_reached = true;
        std::unique_lock<std::mutex> lock(m_mutex);
        // Not a timing: a fault that keeps the test from opening the gate
        // fails the test instead of hanging it.
        m_opened.wait_for(lock, std::chrono::seconds(20), [this] { return m_open; });
    }
    static void call(sqlite3_context *context, int, sqlite3_value **) {
        static_cast<SqlGate *>(sqlite3_user_data(context))->pass();
        sqlite3_result_int(context, 1);
    }
    static int step(void *data) {
        auto *self = static_cast<SqlGate *>(data);
        if (std::this_thread::get_id() != self->m_thread) {
            if (!self->m_reached.load())
                self->pass();
        } else if (self->m_watching && self->m_watching()) {
            ++self->m_onWatchedThread;
        }
        return 0;
    }
    sqlite3 *m_db;
    std::atomic<bool> m_reached{false};
    std::atomic<int> m_calls{0};
    std::thread::id m_thread;
    std::function<bool()> m_watching;
    std::atomic<int> m_onWatchedThread{0};
    std::mutex m_mutex;
    std::condition_variable m_opened;
    bool m_open = false;
};
