#include "platform/Worker.h"

#include "platform/Application.h"

#include <QCoreApplication>
#include <QMetaObject>

Worker::~Worker() {
    if (job_ && job_->result.valid()) job_->result.wait();
}

void Worker::Start(std::function<bool()> work, std::function<void(bool)> finished) {
    Wait();
    auto job = std::make_shared<Job>();
    job->finished = std::move(finished);
    const std::weak_ptr<Job> weak = job;
    job->result = std::async(std::launch::async, [work = std::move(work), weak] {
        const bool ok = work();
        // The finish is asked for before the result is handed over; it waits the moment that
        // takes. A worker gone by then (it waited, or was destroyed) leaves nothing to run.
        if (QCoreApplication* loop = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                loop,
                [weak] {
                    if (const auto job = weak.lock()) Application::Dispatch([&] { Finish(*job); });
                },
                Qt::QueuedConnection);
        return ok;
    });
    job_ = std::move(job);
}

bool Worker::Busy() const {
    return job_ && job_->result.valid();
}

void Worker::Wait() {
    if (const auto job = job_) Finish(*job);
}

void Worker::Finish(Job& job) {
    if (!job.result.valid()) return;
    const bool ok = job.result.get();
    if (job.finished) job.finished(ok);
}
