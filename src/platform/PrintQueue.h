#pragma once
// For the platform's own sources: what the print server says of a queue, before a job goes to
// it and after the toolkit has handed it the job.
#include <string>

// Empty while the queue takes jobs; otherwise why it does not: it is stopped, it refuses jobs,
// or the print server cannot be reached.
std::string QueueProblem(const std::string& queue);

// Empty when the print server took the job last handed to it on this thread; otherwise its
// reason for refusing it.
std::string SubmissionProblem(const std::string& queue);
