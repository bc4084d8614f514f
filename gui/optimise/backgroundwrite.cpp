#include "optimise/backgroundwrite.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMetaObject>

namespace sp::optimise {

BackgroundWrite::~BackgroundWrite() {
    if (m_worker.joinable())
        m_worker.join();
    if (m_running)
        QGuiApplication::restoreOverrideCursor();
}

void BackgroundWrite::start(std::function<core::WriteResult()> write,
                            std::function<void(const core::WriteResult&)> done) {
    if (m_running)
        return;
    m_running = true;
    QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    m_worker = std::thread([this, write = std::move(write), done = std::move(done)] {
        const core::WriteResult result = write();
        // Back on the window's thread; a write outlived by its window is dropped with the
        // window's pending events.
        QMetaObject::invokeMethod(
            m_context,
            [this, result, done] {
                m_worker.join();
                m_running = false;
                QGuiApplication::restoreOverrideCursor();
                done(result);
            },
            Qt::QueuedConnection);
    });
}

} // namespace sp::optimise
