#pragma once

#include <functional>
#include <string>
#include <vector>

// What one job came to: a game's waves defeated and the base health left at its end.
struct JobResult {
    int job = 0;
    int waves = 0;
    int health = 0;
};

// Runs jobs 0 to count - 1 in `processes` processes at once: this one and processes - 1 workers
// forked from it, so each starts with everything this one has loaded. Job j goes to process j
// modulo processes; the workers send their results back through pipes. Returns the results in
// job order, or false with one line in error when anything went wrong: a worker that could not be
// started, that was killed or failed, or that sent fewer results than it had jobs. A failure is
// never a result of zero.
bool runJobs(int count, int processes, const std::function<JobResult(int job)>& play,
             std::vector<JobResult>& results, std::string& error);
