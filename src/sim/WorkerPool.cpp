#include "sim/WorkerPool.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>

#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Worker {
    pid_t pid = -1;
    int pipe = -1; // the reading end
    int share = 0;
};

using Play = std::function<JobResult(int job)>;

// How many of the jobs 0 to count - 1 are share's, modulo shares.
int jobsOf(int share, int shares, int count) {
    return count > share ? (count - share + shares - 1) / shares : 0;
}

std::vector<JobResult> playShare(int count, int share, int shares, const Play& play) {
    std::vector<JobResult> results;
    for (int job = share; job < count; job += shares) {
        results.push_back(play(job));
        results.back().job = job;
    }
    return results;
}

bool writeAll(int fd, const char* bytes, std::size_t left) {
    while (left > 0) {
        const ssize_t n = ::write(fd, bytes, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// The worker's whole life: it plays its share, sends the results and ends without running
// anything of the parent's (no destructors, no buffered output flushed twice).
[[noreturn]] void workerMain(int fd, int count, int share, int shares, const Play& play) {
    int status = 1;
    try {
        const std::vector<JobResult> results = playShare(count, share, shares, play);
        if (writeAll(fd, reinterpret_cast<const char*>(results.data()),
                     results.size() * sizeof(JobResult)))
            status = 0;
    } catch (...) {
    }
    _exit(status);
}

bool startWorker(int count, int share, int shares, const Play& play, Worker& worker,
                 std::string& error) {
    int ends[2];
    if (::pipe(ends) != 0) {
        error = std::string("cannot start a worker process: ") + std::strerror(errno);
        return false;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(ends[0]);
        workerMain(ends[1], count, share, shares, play);
    }
    const int reason = errno;
    ::close(ends[1]);
    if (pid < 0) {
        ::close(ends[0]);
        error = std::string("cannot start a worker process: ") + std::strerror(reason);
        return false;
    }
    worker = Worker{pid, ends[0], share};
    return true;
}

// Everything the worker sent, up to the end of its pipe.
bool readAll(Worker& worker, std::string& bytes, std::string& error) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(worker.pipe, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = std::string("cannot read a worker's results: ") + std::strerror(errno);
            break;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(worker.pipe);
    worker.pipe = -1;
    return error.empty();
}

// Waits for the worker to end; true when it ended of itself with exit code 0.
bool reap(Worker& worker, std::string& error) {
    int status = 0;
    pid_t got;
    while ((got = ::waitpid(worker.pid, &status, 0)) < 0 && errno == EINTR) {
    }
    worker.pid = -1;
    char text[160] = "";
    if (got < 0)
        std::snprintf(text, sizeof text, "cannot wait for a worker process: %s",
                      std::strerror(errno));
    else if (WIFSIGNALED(status))
        std::snprintf(text, sizeof text, "a worker process was killed by signal %d (%s)",
                      WTERMSIG(status), strsignal(WTERMSIG(status)));
    else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::snprintf(text, sizeof text, "a worker process failed with exit code %d",
                      WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    if (error.empty())
        error = text;
    return text[0] == '\0';
}

// Reads one worker's results into their places. Every job of its share must come back once.
bool collect(Worker& worker, int count, int shares, std::vector<JobResult>& results,
             std::vector<bool>& filled, std::string& error) {
    std::string bytes;
    const bool read = readAll(worker, bytes, error);
    if (!reap(worker, error) || !read)
        return false;
    const std::size_t expected = static_cast<std::size_t>(jobsOf(worker.share, shares, count));
    if (bytes.size() != expected * sizeof(JobResult)) {
        error = "a worker process sent " + std::to_string(bytes.size()) +
                " bytes of results, not " + std::to_string(expected * sizeof(JobResult));
        return false;
    }
    for (std::size_t i = 0; i < expected; ++i) {
        JobResult result;
        std::memcpy(&result, bytes.data() + i * sizeof result, sizeof result);
        if (result.job < 0 || result.job >= count || result.job % shares != worker.share ||
            filled[result.job]) {
            error = "a worker process sent a result for a job it did not have";
            return false;
        }
        results[result.job] = result;
        filled[result.job] = true;
    }
    return true;
}

// After a failure the others are not waited for: they are stopped and reaped, so none is left
// running or as a zombie.
void stopAll(std::vector<Worker>& workers) {
    for (Worker& worker : workers) {
        if (worker.pipe >= 0)
            ::close(worker.pipe);
        if (worker.pid > 0) {
            ::kill(worker.pid, SIGKILL);
            while (::waitpid(worker.pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }
        worker = Worker();
    }
}

} // namespace

bool runJobs(int count, int processes, const Play& play, std::vector<JobResult>& results,
             std::string& error) {
    const int shares = std::max(processes, 1);
    results.assign(static_cast<std::size_t>(std::max(count, 0)), JobResult());
    std::vector<bool> filled(results.size(), false);
    error.clear();
    // Whatever is buffered would otherwise be in every worker's copy too.
    std::fflush(nullptr);
    std::cout.flush();
    std::vector<Worker> workers;
    for (int share = 1; share < shares; ++share) {
        Worker worker;
        if (!startWorker(count, share, shares, play, worker, error)) {
            stopAll(workers);
            return false;
        }
        workers.push_back(worker);
    }
    for (const JobResult& result : playShare(count, 0, shares, play)) {
        results[result.job] = result;
        filled[result.job] = true;
    }
    for (Worker& worker : workers)
        if (!collect(worker, count, shares, results, filled, error)) {
            stopAll(workers);
            return false;
        }
    return true;
}
