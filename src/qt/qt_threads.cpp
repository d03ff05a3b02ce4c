#include "qt/qt_threads.h"

#include <QThread>
#include <memory>

namespace zav {

void runOnQThreads(const std::vector<Job>& jobs) {
    std::vector<std::unique_ptr<QThread>> threads;
    threads.reserve(jobs.size());
    for (const Job& job : jobs) {
        threads.emplace_back(QThread::create(job));
        threads.back()->start();
    }
    for (const auto& thread : threads) thread->wait();
}

}  // namespace zav
