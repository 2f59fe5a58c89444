#include "platform/Worker.h"

#include "platform/Application.h"

#include <QCoreApplication>
#include <QMetaObject>

#if defined(__SANITIZE_THREAD__)
#define CALENDAR_RACE_CHECKER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define CALENDAR_RACE_CHECKER 1
#endif
#endif

#ifdef CALENDAR_RACE_CHECKER
// The race checker's runtime defines these.
extern "C" void AnnotateIgnoreWritesBegin(const char* file, int line);
extern "C" void AnnotateIgnoreWritesEnd(const char* file, int line);
#endif

namespace {
// Queues call for the event loop's thread. The copy of call is written here and read there,
// ordered by the toolkit's event queue, whose lock the race checker cannot see; its writes are
// kept from the checker, or every hand-over would read as a race.
template <typename Call> void PostToLoop(QCoreApplication* loop, Call call) {
#ifdef CALENDAR_RACE_CHECKER
    AnnotateIgnoreWritesBegin(__FILE__, __LINE__);
#endif
    QMetaObject::invokeMethod(loop, std::move(call), Qt::QueuedConnection);
#ifdef CALENDAR_RACE_CHECKER
    AnnotateIgnoreWritesEnd(__FILE__, __LINE__);
#endif
}
} // namespace

Worker::~Worker() {
    if (job_ && job_->result.valid()) job_->result.wait();
}

void Worker::Start(std::function<bool()> work, std::function<void(bool)> finished) {
    Wait();
    auto job = std::make_shared<Job>();
    job->finished = std::move(finished);
    const std::weak_ptr<Job> weak = job;
    job->result = std::async(std::launch::async, [work = std::move(work), weak] {
        // The finish is asked for before the result is handed over, also when the work throws
        // (its exception then comes out on the loop's thread): it waits the moment that takes,
        // and a worker is never left busy for good. A worker gone by then (it waited, or was
        // destroyed) leaves nothing to run.
        struct AskForFinish {
            std::weak_ptr<Job> weak;
            ~AskForFinish() {
                if (QCoreApplication* loop = QCoreApplication::instance())
                    PostToLoop(loop, [weak = weak] {
                        if (const auto job = weak.lock())
                            Application::Dispatch([&] { Finish(*job); });
                    });
            }
        } ask{weak};
        return work();
    });
    job_ = std::move(job);
}

bool Worker::Busy() const {
    return job_ && job_->result.valid();
}

void Worker::Wait() {
    if (const auto job = job_) Finish(*job);
}

void Worker::WaitRunningEvents(std::chrono::milliseconds longest,
                               const std::function<void()>& cut) {
    const auto job = job_;
    if (!job) return;
    const auto ended = [&] {
        return !job->result.valid() ||
               job->result.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    };
    const auto finish = [&] {
        if (!ended()) cut();
        Finish(*job);
    };
    const IfTheDisplayGoes owed(finish);
    RunEventsUntil(ended, longest);
    finish();
}

void Worker::Finish(Job& job) {
    if (!job.result.valid()) return;
    const bool ok = job.result.get();
    if (job.finished) job.finished(ok);
}
