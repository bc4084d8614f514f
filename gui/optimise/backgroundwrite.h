#pragma once
// A file written off the window's thread: a million rows take seconds to become a workbook, and
// the window keeps painting meanwhile, under a busy cursor. The caller keeps what is being written
// unchanged until `done` is called back on the window's thread.

#include "core/safefilewriter.h"

#include <functional>
#include <thread>

class QObject;

namespace sp::optimise {

class BackgroundWrite {
public:
    // `context` is the object on whose thread `done` is called, the one that holds this as a member.
    explicit BackgroundWrite(QObject* context) : m_context(context) {}
    // Waits for a write still going on; its `done` is then not called.
    ~BackgroundWrite();
    BackgroundWrite(const BackgroundWrite&) = delete;
    BackgroundWrite& operator=(const BackgroundWrite&) = delete;

    bool running() const { return m_running; }
    // Runs `write` on a worker thread and then `done` with its result. Nothing while one runs.
    void start(std::function<core::WriteResult()> write, std::function<void(const core::WriteResult&)> done);

private:
    QObject* m_context;
    std::thread m_worker;
    bool m_running = false;
};

} // namespace sp::optimise
