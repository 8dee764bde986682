#include "print_queue.h"

#include <cups/cups.h>

#include <cstring>

namespace fractions {

std::optional<QueueState> QueryCupsQueue(const QString& printer) {
  if (printer.isEmpty()) {
    return std::nullopt;
  }
  const QByteArray name = printer.toUtf8();
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
  if (dest == nullptr) {
    return std::nullopt;
  }
  const char* accepting =
      cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
  const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
  QueueState queue;
  queue.accepting = accepting == nullptr || std::strcmp(accepting, "false") != 0;
  queue.paused = state != nullptr && std::atoi(state) == IPP_PSTATE_STOPPED;
  cupsFreeDests(1, dest);
  return queue;
}

bool LastCupsRequestSucceeded() {
  return cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

}  // namespace fractions
