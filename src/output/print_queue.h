#pragma once

#include <QString>
#include <optional>

namespace fractions {

// What the print system says of a printer, when it is a CUPS queue. A job
// that Qt's print engine hands to a queue that refuses it fails without a
// word (the painter still ends well), so a class set asks the queue itself.
struct QueueState {
  bool accepting = true;  // takes new jobs
  bool paused = false;    // takes them, but holds them until resumed
};

// The state of the CUPS queue named `printer`, or nothing when no such
// queue is known (a PDF file, another print system).
std::optional<QueueState> QueryCupsQueue(const QString& printer);

// Whether the last request this thread made to CUPS succeeded: right after
// a job, whether the queue took it. QueryCupsQueue succeeds, so asking it
// just before a job leaves no older failure behind.
bool LastCupsRequestSucceeded();

}  // namespace fractions
